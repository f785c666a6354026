#!/usr/bin/env bash
# Reads the built DLL or program with binutils' objdump and exiftool, as a
# studio's checks would, and fails on anything a user's machine would trip
# over:
#   pe_properties.sh OBJDUMP FILE VERSION [DESCRIPTION]
# A DLL exports _mod_descrip alone; a program exports nothing. DESCRIPTION is
# the version resource's FileDescription (the plug-in's by default).
set -uo pipefail
objdump="$1" dll="$2" version="$3"
description="${4:-Skyrind panoramic camera for LightWave 3D}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers="$("$objdump" -p "$dll")" || { echo "FAIL: $objdump cannot read $dll"; exit 1; }
sections="$("$objdump" -h "$dll")"

grep -q '^Magic[[:space:]]*020b' <<<"$headers" || fail "not a PE32+ image"
grep -q 'file format pei-x86-64' <<<"$sections" || fail "not an x86-64 image"

names="$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')"
if [ "${dll##*.}" = exe ]; then
  [ -z "$names" ] || fail "the program exports [$(tr '\n' ' ' <<<"$names")]"
  kind="program"
else
  kind="DLL, one data export"
  # Exactly one exported name, _mod_descrip, and its address in a data section.
  [ "$names" = "_mod_descrip" ] || fail "exports [$(tr '\n' ' ' <<<"$names")], expected only _mod_descrip"
  rva="$(grep -m1 -o '[0-9a-f]* Export RVA' <<<"$headers" | cut -d' ' -f1)"
  image_base="$(grep -m1 '^ImageBase' <<<"$headers" | awk '{print $2}')"
  address=$((0x$image_base + 0x${rva:-0}))
  export_section=""
  while read -r index name size vma _; do
    read -r flags
    if ((address >= 0x$vma && address < 0x$vma + 0x$size)); then export_section="$name: $flags"; fi
  done < <(grep -A1 -E '^ +[0-9]+ [.]' <<<"$sections" | grep -v '^--')
  case "$export_section" in
    *CODE*) fail "_mod_descrip points into code ($export_section)" ;;
    "") fail "_mod_descrip's address 0x$rva lies in no section" ;;
  esac
fi

# Only KERNEL32 and the C runtime: no compiler runtime DLL to ship alongside.
while read -r imported; do
  case "${imported,,}" in
    kernel32.dll | msvcrt.dll) ;;
    *) fail "imports $imported" ;;
  esac
done < <(grep -o 'DLL Name: .*' <<<"$headers" | cut -d' ' -f3)

for flag in DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA; do
  grep -q "^[[:space:]]*$flag\$" <<<"$headers" || fail "DllCharacteristics lacks $flag"
done

# A section both writable and executable: code without READONLY.
writable_code="$(grep -B1 'CODE' <<<"$sections" | grep -v READONLY | grep CODE)"
[ -z "$writable_code" ] || fail "writable code section: $writable_code"

# The version resource, as Explorer's Properties show it.
if command -v exiftool >/dev/null; then
  info="$(exiftool -s -s -s -FileVersion -ProductVersion -ProductName -FileDescription "$dll")"
  expected="$(printf '%s\n' "$version" "$version" "Skyrind" "$description")"
  [ "$info" = "$expected" ] || fail "version resource reads [$(tr '\n' '|' <<<"$info")]"
else
  fail "exiftool is missing"
fi

[ "$failures" -eq 0 ] && echo "$dll: PE32+ AMD64 $kind, KERNEL32 + msvcrt, ASLR/NX/high-entropy, version $version"
exit $((failures > 0))

#!/usr/bin/env bash
# Makes the release ZIP with CPack, checks that it holds exactly the DLL,
# skyrind-host.exe and the install text, loads the DLL inside through the
# Windows loader and lists its servers with the skyrind-host.exe beside it:
#   package_test.sh BUILD_DIR LOAD_CHECK_EXE WINE_RUN ZIP_NAME
set -euo pipefail
build="$1" load_check="$2" wine_run="$3" zip_name="$4"
work="$(mktemp -d "$build/package-test.XXXXXX")"
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G ZIP -B "$work" >/dev/null)
zip="$work/$zip_name"
[ -f "$zip" ] || { echo "FAIL: cpack made no $zip_name"; ls "$work"; exit 1; }
contents="$(unzip -Z1 "$zip" | sort | tr '\n' ' ')"
[ "$contents" = "INSTALL.txt skyrind-host.exe skyrind-vr.p skyrind.p " ] || { echo "FAIL: the ZIP holds [$contents]"; exit 1; }
unzip -q "$zip" -d "$work/unpacked"
grep -q '"Horizontal FOV"' "$work/unpacked/INSTALL.txt" || { echo "FAIL: no controls table"; exit 1; }
grep -q 'skyrind-host tag render.jpg --hfov 360 --vfov 180' "$work/unpacked/INSTALL.txt" ||
  { echo "FAIL: the install text does not say how to tag a render"; exit 1; }
"$wine_run" "$load_check" "Z:$work/unpacked/skyrind.p"
# No --plugin: the program loads the skyrind.p beside it.
servers="$("$wine_run" "$work/unpacked/skyrind-host.exe" info | tr -d '\r' | grep '^  Server ')"
[ -n "$servers" ] || { echo "FAIL: skyrind-host.exe info lists no server"; exit 1; }
grep -q 'class "CameraHandler"' <<<"$servers" || { echo "FAIL: no camera handler in [$servers]"; exit 1; }
echo "$servers"

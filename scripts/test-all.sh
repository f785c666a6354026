#!/usr/bin/env bash
# Builds and runs every test: the whole suite with g++ (default preset, with
# the valgrind memcheck life cycle), again under AddressSanitizer +
# UndefinedBehaviorSanitizer (asan), the concurrency tests under
# ThreadSanitizer (tsan), the Windows x64 DLL and its tests under Wine
# (windows), the macOS bundle cross built with Zig and checked with LLVM's
# Mach-O tools (never shipped), and a short run of every fuzzer (clang).
#   scripts/test-all.sh [fuzz seconds per target, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds="${1:-15}"

for preset in default asan; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== tsan =="
cmake --preset tsan >/dev/null
cmake --build --preset tsan --target camera_concurrency_tests frame_stress_tests
ctest --preset tsan

echo "== windows (MinGW-w64, tests under Wine) =="
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

echo "== macOS check build (zig, not shipped) =="
scripts/macos-check-build.sh

echo "== fuzz =="
fuzz/run-short.sh "$fuzz_seconds"

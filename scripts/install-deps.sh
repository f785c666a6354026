#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, where they
# are missing (through sudo when not root).
set -euo pipefail
packages=(cmake ninja-build g++ clang lld llvm libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
  libembree-dev libtinyobjloader-dev libcli11-dev nlohmann-json3-dev libstb-dev valgrind
  libopenexr-dev openexr libimage-exiftool-perl chromium libpng-dev libjpeg-dev
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 googletest zip unzip)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
command -v npm >/dev/null || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  echo "installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The 360-degree viewers the viewer tests open, as package-lock.json pins them.
viewers="$(dirname "$0")/../tests/viewers"
if ! cmp -s "$viewers/package-lock.json" "$viewers/node_modules/.installed-lock"; then
  echo "installing the viewer tests' npm packages"
  (cd "$viewers" && npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.installed-lock)
fi

# The workflow validator the tests run, from the committed lock file.
workflows="$(dirname "$0")/../tests/workflows"
[ -x "$workflows/node_modules/.bin/action-validator" ] ||
  npm ci --prefix "$workflows" --no-audit --no-fund >/dev/null

# Zig, the compiler of the macOS check build (scripts/macos-check-build.sh),
# as package-lock.json pins it.
zig_macos="$(dirname "$0")/../cmake/zig-macos"
if ! cmp -s "$zig_macos/package-lock.json" "$zig_macos/node_modules/.installed-lock"; then
  echo "installing Zig for the macOS check build"
  (cd "$zig_macos" && npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.installed-lock)
fi

#!/usr/bin/env bash
# A new user's first command: installs what is missing, builds, and renders
# the default panorama through the plug-in.
#   scripts/quick-start.sh [out.png, default panorama.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-panorama.png}"
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
build/default/tools/skyrind-host render -o "$out"

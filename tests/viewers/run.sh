#!/usr/bin/env bash
# Runs the viewer tests against a built skyrind-host:
#   tests/viewers/run.sh path/to/skyrind-host
# Without node, Chromium or the installed viewers the tests are skipped
# (exit 77, which ctest shows as skipped) with the reason, except on CI,
# whose install step puts them there: there a missing one fails.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
missing=()
command -v node >/dev/null || missing+=(node)
command -v chromium >/dev/null || missing+=(chromium)
for package in pannellum @photo-sphere-viewer/core three; do
  [ -f "$here/node_modules/$package/package.json" ] || missing+=("$package (npm, in tests/viewers)")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "viewer tests skipped: not installed: ${missing[*]} (run scripts/install-deps.sh)"
  [ "${CI:-}" = true ] && exit 1
  exit 77
fi
cd "$here"
SKYRIND_HOST="$1" exec node --test viewers.test.mjs stereo.test.mjs

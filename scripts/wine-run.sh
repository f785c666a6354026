#!/usr/bin/env bash
# Runs a Windows program under Wine with a quiet prefix of its own, kept in
# the build folder (WINEPREFIX, unless the caller set one).
#   scripts/wine-run.sh program.exe [args...]
set -euo pipefail
program="$1"
shift
if [ -z "${WINEPREFIX:-}" ]; then
  # The build folder is the nearest parent holding CMakeCache.txt.
  dir="$(cd "$(dirname "$program")" && pwd)"
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir="$(dirname "$dir")"; done
  [ "$dir" = / ] && dir="${TMPDIR:-/tmp}"
  export WINEPREFIX="$dir/wine-prefix"
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Several tests may start at once: the first creates the prefix, the others wait.
if [ ! -f "$WINEPREFIX/.skyrind-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.skyrind-ready" ]; then
      wineboot --init >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$WINEPREFIX/.skyrind-ready"
    fi
  ) 9>"$WINEPREFIX/.lock"
fi
exec wine "$program" "$@"

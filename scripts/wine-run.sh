#!/usr/bin/env bash
# Runs a Windows program under Wine with a quiet prefix of its own, kept in
# the build folder (WINEPREFIX, unless the caller set one).
#   scripts/wine-run.sh program.exe [args...]
#   scripts/wine-run.sh --start-server|--stop-server BUILD_DIR
# --start-server makes the prefix and starts a Wine server that stays up
# while no program runs (for a whole test run), --stop-server ends it.
set -euo pipefail
program="$1"
shift
case "$program" in
  --start-server | --stop-server) start="$1/CMakeCache.txt" ;;
  *) start="$program" ;;
esac
if [ -z "${WINEPREFIX:-}" ]; then
  # The build folder is the nearest parent holding CMakeCache.txt.
  dir="$(cd "$(dirname "$start")" && pwd)"
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
case "$program" in
  --start-server)
    # A server left from an interrupted run is replaced. -p: stay up for an
    # hour after the last program exits, should the stop never come.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    # Output goes nowhere: the test runner waits for whoever holds it. The
    # prefix's own services start with the first program and live as long
    # as the server, so they are started here, away from any test's output.
    wineserver -p3600 </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    exit 0 ;;
  --stop-server)
    wineserver -k 2>/dev/null || true
    exec wineserver -w ;;
esac
exec wine "$program" "$@"

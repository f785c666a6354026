#!/usr/bin/env bash
# Runs the Windows suite (ctest --preset windows, under Wine) several times
# in a row while a Linux build of the project keeps both cores busy, and
# prints each run's result and time. Not part of the normal suite: it shows
# that the Windows tests do not flake on a loaded machine.
#   scripts/windows-suite-under-load.sh [runs, default 5]
# The windows preset must be built already.
set -uo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
load_dir="$(mktemp -d "${TMPDIR:-/tmp}/skyrind-load.XXXXXX")"
log="$(mktemp -d "${TMPDIR:-/tmp}/skyrind-soak.XXXXXX")"

# The load: the default preset's whole build from nothing, over and over.
setsid bash -c '
  while true; do
    rm -rf "$1/build"
    cmake -S . -B "$1/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null 2>&1
    cmake --build "$1/build" -j 2 >/dev/null 2>&1
  done' load "$load_dir" &
load_pid=$!
trap 'kill -- -"$load_pid" 2>/dev/null; wait "$load_pid" 2>/dev/null; rm -rf "$load_dir"' EXIT
sleep 20  # let the compilers start

passed=0
for run in $(seq 1 "$runs"); do
  start=$(date +%s)
  ctest --preset windows >"$log/run-$run.txt" 2>&1
  status=$?
  seconds=$(($(date +%s) - start))
  summary="$(grep -E 'tests passed|tests failed' "$log/run-$run.txt" | tail -1)"
  load="$(cut -d' ' -f1 /proc/loadavg)"
  echo "run $run: exit $status, ${seconds} s, load $load: $summary"
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
  else
    grep -E 'Failed|\*\*\*' "$log/run-$run.txt" | head -20
  fi
done
echo "$passed of $runs runs passed (logs in $log)"
[ "$passed" -eq "$runs" ]

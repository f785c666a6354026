#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzzer on a copy of its seed corpus
# for a short time, one after another; prints the executions per target.
#   fuzz/run-short.sh [seconds per target, default 20]
# Exits non-zero when a fuzzer finds a fault (its input is left in build/fuzz/findings).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
build="$root/build/fuzz"
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=(instance_load_fuzzer frame_evaluate_fuzzer panel_fuzzer state_reader_fuzzer
         module_loader_fuzzer scene_file_fuzzer mesh_loader_fuzzer environment_fuzzer
         image_metadata_fuzzer stereo_photo_fuzzer)
findings="$build/findings"
mkdir -p "$findings"
status=0
for target in "${targets[@]}"; do
  work="$build/corpus-run/$target"
  rm -rf "$work" && mkdir -p "$work"
  cp "$root/fuzz/corpus/$target/"* "$work/"
  log="$build/$target.log"
  if "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$findings/$target-" "$work" >"$log" 2>&1; then
    result=ok
  else
    result=FAULT
    status=1
  fi
  runs=$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  printf '%-24s %10s executions  %s\n' "$target" "$runs" "$result"
  if [[ $result == FAULT ]]; then grep -E 'property broken|ERROR|runtime error' "$log" | head -5; fi
done
exit $status

#!/usr/bin/env bash
# The camera's share of a whole render: skyrind-host renders the default
# scene (rays per second from its closing line), then callgrind counts the
# instructions spent inside the plug-in's evaluate against the whole run of a
# smaller single-threaded render.
#   bench/render-share.sh [build dir, default build/bench]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/bench}"
tool="$build/tools/skyrind-host"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

echo "== whole render, all cores =="
"$tool" render --width 2048 --height 1024 --spp 4 -o "$out/render.png"

echo "== evaluate's share (callgrind, 512x256, 1 sample, 1 thread) =="
valgrind --tool=callgrind --callgrind-out-file="$out/cg" \
  "$tool" render --width 512 --height 256 --threads 1 -o "$out/small.png" >/dev/null 2>&1
total=$(callgrind_annotate "$out/cg" | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
camera=$(callgrind_annotate --inclusive=yes "$out/cg" |
  awk '/skyrind::evaluateRay/ {gsub(",", "", $1); print $1; exit}')
awk -v c="$camera" -v t="$total" \
  'BEGIN { printf "evaluate: %d of %d instructions (%.2f%%)\n", c, t, 100 * c / t }'

#!/usr/bin/env bash
# Renders small pictures of the eight combinations of horizontal/vertical
# perspective and vertical panorama into docs/gallery/.
# Usage: scripts/make-gallery.sh [path/to/skyrind-host]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
host="${1:-$root/build/default/tools/skyrind-host}"
out="$root/docs/gallery"
mkdir -p "$out"
for vertical in off on; do
  for h in angular tangent; do
    for v in angular tangent; do
      args=(render --width 256 --height 128)  # the default samples, as a first render
      # File names call a perspective axis "tangent". It cannot reach 180
      # degrees: use 120 (horizontal) and 90 (vertical).
      if [ "$h" = tangent ]; then args+=(--h-perspective --hfov 120); else args+=(--hfov 360); fi
      if [ "$v" = tangent ]; then args+=(--v-perspective --vfov 90); else args+=(--vfov 180); fi
      name="h-${h}_v-${v}"
      if [ "$vertical" = on ]; then args+=(--vertical-panorama); name+="_vertical-panorama"; fi
      "$host" "${args[@]}" -o "$out/$name.png"
    done
  done
done

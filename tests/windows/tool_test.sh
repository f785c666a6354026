#!/usr/bin/env bash
# skyrind-host.exe under Wine, on the files a LightWave user has: a JPEG and
# a PNG render in a folder whose name has spaces and non-ASCII letters.
#   tool_test.sh WINE_RUN EXE IMAGES_DIR LINUX_HOST
# tag writes metadata that exiftool reads back on the Linux side; view
# writes the page the Linux build writes, byte for byte (skipped, exit 77,
# when the Linux build is not there); a truncated JPEG, a PNG with a broken
# chunk and a text file are refused and left as they were; render and
# preview say they are in the Linux build.
set -uo pipefail
wine_run="$1" exe="$2" images="$3" linux_host="$4"
work="$(mktemp -d "${TMPDIR:-/tmp}/skyrind tool test.XXXXXX")"
trap 'rm -rf "$work"' EXIT
folder="$work/Renders für Übersicht 日本"
mkdir -p "$folder"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
host() { "$wine_run" "$exe" "$@"; }

for image in plain_8x8.jpg plain_2x1.png; do
  cp "$images/$image" "$folder/Rundblick ü.${image##*.}"
done
# Fields of view whose pixels are square in angle: the JPEG is 8x8, the PNG 2x1.
for f in "$folder/Rundblick ü.jpg" "$folder/Rundblick ü.png"; do
  fov=(--hfov 360 --vfov 180)
  [ "${f##*.}" = jpg ] && fov=(--hfov 180 --vfov 180)
  host tag "Z:$f" "${fov[@]}" >/dev/null || fail "tag ${f##*/} exited $?"
  read -r projection width < <(exiftool -s3 -XMP-GPano:ProjectionType -XMP-GPano:FullPanoWidthPixels "$f" | paste -sd' ')
  [ "$projection" = equirectangular ] && [ -n "$width" ] ||
    fail "exiftool reads [$projection $width] from the tagged ${f##*/}"
done

if [ -x "$linux_host" ]; then
  for f in "$folder/Rundblick ü.jpg" "$folder/Rundblick ü.png"; do
    host view "Z:$f" -o "Z:$f.windows.html" --hfov 300 --vfov 150 --heading 20 >/dev/null ||
      fail "view ${f##*/} exited $?"
    "$linux_host" view "$f" -o "$f.linux.html" --hfov 300 --vfov 150 --heading 20 >/dev/null
    cmp -s "$f.windows.html" "$f.linux.html" || fail "the pages of ${f##*/} differ"
    host view "Z:$f" >/dev/null && [ -s "${f%.*}.html" ] || fail "view ${f##*/} made no default page"
  done
else
  echo "SKIP: view against $linux_host (build the default preset)"
  skipped=1
fi

# Refusals: the exit status is not 0 and the file keeps every byte.
head -c 100 "$folder/Rundblick ü.jpg" >"$folder/truncated.jpg"
cp "$images/plain_2x1.png" "$folder/broken chunk.png"
printf 'X' | dd of="$folder/broken chunk.png" bs=1 seek=20 conv=notrunc status=none  # IHDR data
echo "not an image" >"$folder/notes.txt"
for f in "$folder/truncated.jpg" "$folder/broken chunk.png" "$folder/notes.txt"; do
  cp "$f" "$work/before"
  message="$(host tag "Z:$f" --hfov 360 --vfov 180 2>&1 >/dev/null)" && fail "tag took ${f##*/}"
  # Refused for what the file holds, not for the fields of view.
  case "$message" in *"cannot say"*) fail "tag refused ${f##*/} for its fields of view" ;; esac
  cmp -s "$f" "$work/before" || fail "tag changed ${f##*/}"
  ls "$folder" | grep -q '\.tmp$' && fail "tag left a temporary file beside ${f##*/}"
done

for command in render preview; do
  message="$(host "$command" 2>&1 | tr -d '\r')" && fail "$command exited 0"
  [ "$message" = "skyrind-host: $command is in the Linux build of skyrind-host" ] ||
    fail "$command says [$message]"
done

[ "$failures" -eq 0 ] || exit 1
echo "skyrind-host.exe: tag, view, refusals and the Linux-only commands under Wine"
[ -z "${skipped:-}" ] || exit 77

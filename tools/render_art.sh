#!/usr/bin/env bash
# Re-renders the shipped pictures of Quillmoor Tarot from their SVG sources.
#
#   tools/render_art.sh
#     resources/art/card_back.svg           -> resources/pictures/card_back.jpg (1080 x 1920, JPEG q88)
#     resources/art/com.quillmoor.tarot.svg -> resources/art/icons/{48,128,256}/com.quillmoor.tarot.png
#
# Needs: rsvg-convert, pngtopnm, cjpeg, djpeg
#   (Debian: apt-get install librsvg2-bin netpbm libjpeg-turbo-progs).
# The build does not run this script; the rendered files are committed.
# Any missing tool, failed step or wrong-sized result stops the script with an error.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ART="$ROOT/resources/art"
PICTURES="$ROOT/resources/pictures"
JPEG_QUALITY=88

for tool in rsvg-convert pngtopnm cjpeg djpeg; do
  command -v "$tool" >/dev/null 2>&1 || { echo "render_art.sh: '$tool' not found" >&2; exit 1; }
done

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

need_file() {
  [[ -s "$1" ]] || { echo "render_art.sh: missing source $1" >&2; exit 1; }
}

# Width and height of a PNG, read from its IHDR chunk.
png_size() {
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print ($1*16777216)+($2*65536)+($3*256)+$4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print ($1*16777216)+($2*65536)+($3*256)+$4}')
  echo "${w}x${h}"
}

# Width and height of a JPEG, from the header of its decoded PPM
# (which also proves the file decodes).
jpeg_size() {
  djpeg -pnm -outfile "$TMP/check.ppm" "$1"
  head -n 2 "$TMP/check.ppm" | tail -n 1 | awk '{print $1 "x" $2}'
}

expect_size() {  # file, actual, expected
  [[ "$2" == "$3" ]] || { echo "render_art.sh: $1 is $2, expected $3" >&2; exit 1; }
  echo "  $(basename "$1")  $2  $(wc -c <"$1") bytes"
}

# --- card back ----------------------------------------------------------------
src="$ART/card_back.svg"
need_file "$src"
mkdir -p "$PICTURES"
out="$PICTURES/card_back.jpg"
echo "card back: $src"
# The design fills the whole card, so no background shows; -b only guards
# against a transparent pixel turning black in the JPEG.
rsvg-convert -w 1080 -h 1920 -b '#1A0F3D' "$src" -o "$TMP/card_back.png"
pngtopnm "$TMP/card_back.png" >"$TMP/card_back.ppm"
# 1x1 sampling keeps the fine gold lines from bleeding colour.
cjpeg -quality "$JPEG_QUALITY" -sample 1x1 -optimize -outfile "$TMP/card_back.jpg" "$TMP/card_back.ppm"
mv "$TMP/card_back.jpg" "$out"
expect_size "$out" "$(jpeg_size "$out")" "1080x1920"

# --- application icon -----------------------------------------------------------
src="$ART/com.quillmoor.tarot.svg"
need_file "$src"
echo "icon: $src"
for size in 48 128 256; do
  dir="$ART/icons/$size"
  mkdir -p "$dir"
  out="$dir/com.quillmoor.tarot.png"
  rsvg-convert -w "$size" -h "$size" "$src" -o "$TMP/icon.png"
  mv "$TMP/icon.png" "$out"
  expect_size "$out" "$(png_size "$out")" "${size}x${size}"
done

echo "render_art.sh: done"

#!/usr/bin/env bash
# Renders the program icon (src/ui/resources/zarvex.svg) into the PNG sizes of the
# hicolor theme, packaging/icons/<size>.png, which are committed.
#
#   tools/make_icons.sh
#
# Needs rsvg-convert (librsvg2-bin) or ImageMagick's convert.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
svg="$root/src/ui/resources/zarvex.svg"
out="$root/packaging/icons"
mkdir -p "$out"
for size in 16 32 48 64 128 256; do
  if command -v rsvg-convert >/dev/null 2>&1; then
    rsvg-convert -w "$size" -h "$size" -o "$out/$size.png" "$svg"
  else
    # A density high enough that the vector is drawn at the target size or above.
    convert -background none -density $(( 72 * size / 48 + 72 )) "$svg" \
      -resize "${size}x${size}" -strip "PNG32:$out/$size.png"
  fi
done
ls -l "$out"

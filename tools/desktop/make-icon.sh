#!/bin/sh
# Redraws the game's icon from our board bitmaps: a 2x2 corner of a board
# with the white king, black queen, black knight and white rook, each square
# trimmed by one pixel to 32x32. Writes sachy-64.png (pixel for pixel) and
# sachy-128.png (each pixel doubled) next to this script, and the 192 and 512
# pixel sizes a browser asks of a web app (each pixel tripled, multiplied by 8).
# The PNGs are committed, so building and installing never need ImageMagick.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
a="$here/../../assets"
for size in 64 128 192 512; do
  convert \
    \( "$a/wkw.bmp" "$a/bqb.bmp" -shave 1x1 +append \) \
    \( "$a/bnb.bmp" "$a/wrw.bmp" -shave 1x1 +append \) \
    -append -filter point -resize "${size}x${size}" \
    -strip "png24:$here/sachy-$size.png"
done

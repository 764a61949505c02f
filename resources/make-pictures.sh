#!/bin/sh
# Regenerates the shipped pictures from their SVG sources in this folder:
# each icon as PNGs (16, 32, 48, 64, 128 px) and as a 16-colour .ico with
# 32 x 32 and 16 x 16 images and a transparency mask; the tonearm as a 24-bit
# JPEG at its natural 301 x 167 pixels and at twice that for high-DPI screens.
# Needs librsvg2-bin and imagemagick.
set -eu
cd "$(dirname "$0")"
im=/usr/bin/convert # ImageMagick itself, whatever stands before it on PATH
out=pictures
mkdir -p "$out"

for icon in notes calcola cestino stop; do
    for size in 16 32 48 64 128; do
        rsvg-convert -w $size -h $size "$icon.svg" -o "$out/$icon-$size.png"
    done
    # 16 colours plus the mask: transparency becomes a 1-bit AND mask.
    $im "$out/$icon-32.png" "$out/$icon-16.png" -channel A -threshold 50% +channel \
        -colors 16 "$out/$icon.ico"
done

rsvg-convert -w 301 -h 167 -b white tonearm.svg -o /tmp/tonearm-$$.png
$im /tmp/tonearm-$$.png -alpha off -type TrueColor -quality 92 "$out/tonearm.jpg"
rsvg-convert -w 602 -h 334 -b white tonearm.svg -o /tmp/tonearm-$$.png
$im /tmp/tonearm-$$.png -alpha off -type TrueColor -quality 92 "$out/tonearm@2x.jpg"
rm -f /tmp/tonearm-$$.png

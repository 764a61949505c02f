#!/bin/sh
# SPDX-License-Identifier: MIT
# Regenerates the shipped pictures from their SVG sources in this folder:
# each icon as PNGs (16, 32, 48, 64, 128 px) and as a 16-colour .ico with
# 32 x 32 and 16 x 16 images and a transparency mask; the tonearm as a 24-bit
# JPEG at its natural 301 x 167 pixels and at twice that for high-DPI screens.
# Needs librsvg2-bin, imagemagick and icoutils.
set -eu
cd "$(dirname "$0")"
im=/usr/bin/convert # ImageMagick itself, whatever stands before it on PATH
out=pictures
mkdir -p "$out"

for icon in notes calcola cestino stop; do
    for size in 16 32 48 64 128; do
        rsvg-convert -w $size -h $size "$icon.svg" -o "$out/$icon-$size.png"
    done
    # 16 colours plus the mask: transparency becomes the 1-bit AND mask.
    for size in 32 16; do
        $im "$out/$icon-$size.png" -channel A -threshold 50% +channel -colors 15 "PNG32:/tmp/$icon-$size-$$.png"
    done
    icotool -c -b 4 -o "$out/$icon.ico" "/tmp/$icon-32-$$.png" "/tmp/$icon-16-$$.png"
    rm -f "/tmp/$icon-32-$$.png" "/tmp/$icon-16-$$.png"
done

rsvg-convert -w 301 -h 167 -b white tonearm.svg -o /tmp/tonearm-$$.png
$im /tmp/tonearm-$$.png -alpha off -type TrueColor -quality 92 "$out/tonearm.jpg"
rsvg-convert -w 602 -h 334 -b white tonearm.svg -o /tmp/tonearm-$$.png
$im /tmp/tonearm-$$.png -alpha off -type TrueColor -quality 92 "$out/tonearm@2x.jpg"
rm -f /tmp/tonearm-$$.png

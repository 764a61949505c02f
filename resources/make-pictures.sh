#!/bin/sh
# SPDX-License-Identifier: MIT
# Regenerates the shipped pictures from their SVG sources in this folder:
# each icon as PNGs (16, 32, 48, 64, 128 px) and as a 16-colour .ico with
# 32 x 32 and 16 x 16 images and a transparency mask; the notes also as the
# Windows program's icon at every size; the tonearm as a 24-bit
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
# The web page's icons as an installed app shows them.
for size in 192 512; do
    rsvg-convert -w $size -h $size notes.svg -o "$out/notes-$size.png"
done

# The program's own icon on Windows: every size that Explorer, the task bar
# and the Start menu ask for, in 32-bit colour, the largest as PNG.
for size in 16 20 24 32 40 48 64 256; do
    rsvg-convert -w $size -h $size notes.svg -o "/tmp/notes-$size-$$.png"
done
icotool -c -o "$out/ardivo.ico" /tmp/notes-16-$$.png /tmp/notes-20-$$.png /tmp/notes-24-$$.png \
    /tmp/notes-32-$$.png /tmp/notes-40-$$.png /tmp/notes-48-$$.png /tmp/notes-64-$$.png \
    --raw=/tmp/notes-256-$$.png
rm -f /tmp/notes-*-$$.png

rsvg-convert -w 301 -h 167 -b white tonearm.svg -o /tmp/tonearm-$$.png
$im /tmp/tonearm-$$.png -alpha off -type TrueColor -quality 92 "$out/tonearm.jpg"
rsvg-convert -w 602 -h 334 -b white tonearm.svg -o /tmp/tonearm-$$.png
$im /tmp/tonearm-$$.png -alpha off -type TrueColor -quality 92 "$out/tonearm@2x.jpg"
rm -f /tmp/tonearm-$$.png

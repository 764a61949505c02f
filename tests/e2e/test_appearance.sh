#!/bin/bash
# SPDX-License-Identifier: MIT
# The window as a person sees it, at 1x and 2x: where each control stands,
# read from the real window, and colours and pictures sampled from a
# screenshot.
. "$(dirname "$0")/lib.sh"
start_desktop 1600x1200x24

# Where each control stands in the client area, in pixels at 1x: the layout a
# person measures on screen, read over AT-SPI as "role: name|x y width height".
expected_layout() {
    cat <<'LAYOUT'
filler: Ardivo Testina Braccio|0 0 659 501
label: Inserire Massa del braccio|56 32 241 33
label: Inserire il peso della testina|56 80 225 25
label: Inserire il peso delle viti|56 128 233 33
label: Inserire la cedevolezza della testina|56 176 233 41
text: Inserire Massa del braccio|312 32 121 33
text: Inserire il peso della testina|312 80 121 33
text: Inserire il peso delle viti|312 128 121 33
text: Inserire la cedevolezza della testina|312 176 121 33
push button: Calcola|472 24 129 81
push button: Cancella Dati|472 128 129 81
push button: Chiudi|472 232 129 81
image: Braccio del giradischi|8 240 301 167
label: Developed by Vantrello|408 336 233 25
label: Per essere compatibili braccio e testina devono avere una risonanaza che ricade perfettamente nell'intervallo tra 8 e 11 Hertz|328 384 313 105
text: Frequenza di risonanza in Hertz|48 424 233 57
label: Inserire Massa del braccio|-24 -48 241 33
LAYOUT
}

# The layout the window shows at a scale, brought back to pixels at 1x. Qt
# gives a screen reader device-independent pixels; the window's origin on the
# screen is in the screen's own.
layout() { # layout SCALE
    local origin
    origin=$(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
                                       END { print x, y }')
    /usr/bin/python3 "$E2E/atspi.py" extents | awk -v s="$1" -v origin="$origin" '
        BEGIN { split(origin, o, " ") }
        { name = $0; sub(/^[-0-9]+ [-0-9]+ [0-9]+ [0-9]+ /, "", name)
          printf "%s|%d %d %d %d\n", name, $1 - o[1] / s, $2 - o[2] / s, $3, $4 }'
}

layout_is_as_expected() { # layout_is_as_expected SCALE
    local shown
    shown=$(layout "$1")
    # The date and the clock size themselves to their text, to the right.
    echo "$shown" | grep -q -E '^label: [^|]*[0-9]{4}[^|]*\|48 0 [0-9]+ 21$' || { echo "  no date at 48,0" >&2; return 1; }
    echo "$shown" | grep -q -E '^label: [0-9:]+\|144 0 [0-9]+ 21$' || { echo "  no clock at 144,0" >&2; return 1; }
    diff <(expected_layout | sort) <(echo "$shown" | grep -v -E '\|(48|144) 0 ' | sort) >&2
}

shot="$WORK/window.png"
# The colour at a point of the shot, as "r g b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
# How many pixels of a region are of a kind, by an fx expression.
count() { convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:int(mean*w*h+0.5)]' info:; }
colours() { convert "$1" -crop "$2" +repage -format '%k' info:; }

start_ardivo
check "every control where it belongs, at 1x" layout_is_as_expected 1
painted 5 490
import -window "$WIN" "$shot"
check "the form's background is the scheme's highlighted-text white" test "$(pixel "$shot" 5 490)" = "255 255 255"
read -r r g b <<<"$(pixel "$shot" 480 98)"
check "a light button face ($r $g $b)" test "$r" -gt 200 -a "$g" -gt 200 -a "$b" -gt 200
check "blue label text" test "$(count "$shot" 241x33+56+32 'r<0.3 && g<0.3 && b>0.6')" -gt 50
check "dark blue text of the cartridge prompt" test "$(count "$shot" 225x25+56+80 'r<0.3 && g<0.3 && b>0.55 && b<0.85')" -gt 20
check "the photograph is there" test "$(colours "$shot" 301x167+8+240)" -gt 100
check "the notes icon in the top-left corner" test "$(count "$shot" 32x32+0+0 'r<0.3 && g<0.3 && b<0.3')" -gt 40
check "the stop sign on Chiudi" test "$(count "$shot" 129x81+472+232 'r>0.7 && g<0.2 && b<0.2')" -gt 100
[ -n "${ARDIVO_SCREENSHOTS:-}" ] && cp "$shot" "$ARDIVO_SCREENSHOTS/ardivo.png"
stop_ardivo

# Twice the scale: twice the size, same proportions, crisp pictures.
QT_SCALE_FACTOR=2 start_ardivo
check "every control where it belongs, at 2x" layout_is_as_expected 2
painted 10 980
import -window "$WIN" "$shot"
check "at 2x the window is 1318 by 1002" test "$(identify -format '%wx%h' "$shot")" = "1318x1002"
check "at 2x the stop sign is in place" test "$(count "$shot" 258x162+944+464 'r>0.7 && g<0.2 && b<0.2')" -gt 400
# Detail finer than 2x2 blocks: a photograph scaled up from 1x has little
# (about 0.018 smoothly scaled, 0 by pixel doubling), the 2x rendition about 0.04.
convert "$shot" -crop 602x334+16+480 +repage "$WORK/photo.png"
convert "$WORK/photo.png" -scale 50% -scale 200% "$WORK/blocky.png"
# compare gives "ABSOLUTE (NORMALISED)" and exits 1 when the two differ.
fine_detail() {
    local out status=0
    out=$(compare -metric RMSE "$WORK/photo.png" "$WORK/blocky.png" null: 2>&1) || status=$?
    [ "$status" -le 1 ] && [[ $out =~ ^[0-9.e+-]+\ \(([0-9.e+-]+)\)$ ]] || { echo "  compare: $out" >&2; return 1; }
    fine=${BASH_REMATCH[1]}
    echo "  detail finer than 2x2 blocks: $fine"
    awk -v f="$fine" 'BEGIN { exit !(f > 0.03) }'
}
check "at 2x the photograph is drawn at its own resolution" fine_detail
[ -n "${ARDIVO_SCREENSHOTS:-}" ] && cp "$shot" "$ARDIVO_SCREENSHOTS/ardivo@2x.png"
finish

#!/bin/bash
# SPDX-License-Identifier: MIT
# The window as a person sees it, at 1x and 2x: where each control stands,
# read from the real window, and colours and pictures sampled from a
# screenshot.
. "$(dirname "$0")/lib.sh"
start_desktop 1600x1200x24

# Where each control stands in the client area, in pixels at 1x: the layout a
# person measures on screen, read over AT-SPI as "role: name|x y width height",
# each control where the window's own table puts it (RECT). The two hidden
# boxes show nowhere.
declare -A SHOWN_AS=(
    [frmCalcoloArdivo]="filler: Ardivo Testina Braccio"
    [c]="label: Inserire Massa del braccio" [lblPesoTestina]="label: Inserire il peso della testina"
    [Label1]="label: Inserire il peso delle viti" [lblCedevolezza]="label: Inserire la cedevolezza della testina"
    [txtMassaBraccio]="text: Inserire Massa del braccio" [txtPesoTestina]="text: Inserire il peso della testina"
    [txtPesoViti]="text: Inserire il peso delle viti" [txtCedevolezza]="text: Inserire la cedevolezza della testina"
    [cmdCalcolo]="push button: Calcola" [cdmAzzeraCampi]="push button: Cancella Dati"
    [cdmChiudi]="push button: Chiudi" [Picture1]="image: Braccio del giradischi"
    [Label2]="label: Developed by Vantrello"
    [lblRisultatoFinale]="label: Per essere compatibili braccio e testina devono avere una risonanaza che ricade perfettamente nell'intervallo tra 8 e 11 Hertz"
    [txtRisultatoFinale]="text: Frequenza di risonanza in Hertz" [Label3]="label: Inserire Massa del braccio"
)
expected_layout() {
    local control
    for control in "${!SHOWN_AS[@]}"; do
        echo "${SHOWN_AS[$control]}|${RECT[$control]:?no place for $control}"
    done
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
    local date clock
    date="${RECT[lblData]% * *}" clock="${RECT[lblTime]% * *}"
    echo "$shown" | grep -q -E "^label: [^|]*[0-9]{4}[^|]*\\|$date [0-9]+ ${RECT[lblData]##* }\$" ||
        { echo "  no date at $date" >&2; return 1; }
    echo "$shown" | grep -q -E "^label: [0-9:]+\\|$clock [0-9]+ ${RECT[lblTime]##* }\$" ||
        { echo "  no clock at $clock" >&2; return 1; }
    diff <(expected_layout | sort) <(echo "$shown" | grep -v -E "\\|($date|$clock) " | sort) >&2
}

shot="$WORK/window.png"
# The colour at a point of the shot, as "r g b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
# How many pixels of a region are of a kind, by an fx expression.
count() { convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:int(mean*w*h+0.5)]' info:; }
colours() { convert "$1" -crop "$2" +repage -format '%k' info:; }
# A control's region in a shot of the window at a scale, as a crop geometry.
crop() { # crop CONTROL [SCALE]
    local x y width height scale=${2:-1}
    read -r x y width height <<<"${RECT[$1]}"
    echo "$((width * scale))x$((height * scale))+$((x * scale))+$((y * scale))"
}

start_ardivo
check "every control where it belongs, at 1x" layout_is_as_expected 1
painted 5 490
import -window "$WIN" "$shot"
check "the form's background is the scheme's highlighted-text white" test "$(pixel "$shot" 5 490)" = "255 255 255"
read -r x y _ height <<<"${RECT[cmdCalcolo]}"
read -r r g b <<<"$(pixel "$shot" $((x + 8)) $((y + height - 7)))"
check "a light button face ($r $g $b)" test "$r" -gt 200 -a "$g" -gt 200 -a "$b" -gt 200
check "blue label text" test "$(count "$shot" "$(crop c)" 'r<0.3 && g<0.3 && b>0.6')" -gt 50
check "dark blue text of the cartridge prompt" test "$(count "$shot" "$(crop lblPesoTestina)" 'r<0.3 && g<0.3 && b>0.55 && b<0.85')" -gt 20
check "the photograph is there" test "$(colours "$shot" "$(crop Picture1)")" -gt 100
check "the notes icon in the top-left corner" test "$(count "$shot" 32x32+0+0 'r<0.3 && g<0.3 && b<0.3')" -gt 40
check "the stop sign on Chiudi" test "$(count "$shot" "$(crop cdmChiudi)" 'r>0.7 && g<0.2 && b<0.2')" -gt 100
[ -n "${ARDIVO_SCREENSHOTS:-}" ] && cp "$shot" "$ARDIVO_SCREENSHOTS/ardivo.png"
stop_ardivo

# Twice the scale: twice the size, same proportions, crisp pictures.
QT_SCALE_FACTOR=2 start_ardivo
check "every control where it belongs, at 2x" layout_is_as_expected 2
painted 10 980
import -window "$WIN" "$shot"
read -r _ _ width height <<<"${RECT[frmCalcoloArdivo]}"
check "at 2x the window is $((width * 2)) by $((height * 2))" \
    test "$(identify -format '%wx%h' "$shot")" = "$((width * 2))x$((height * 2))"
check "at 2x the stop sign is in place" test "$(count "$shot" "$(crop cdmChiudi 2)" 'r>0.7 && g<0.2 && b<0.2')" -gt 400
# Detail finer than 2x2 blocks: a photograph scaled up from 1x has little
# (about 0.018 smoothly scaled, 0 by pixel doubling), the 2x rendition about 0.04.
convert "$shot" -crop "$(crop Picture1 2)" +repage "$WORK/photo.png"
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

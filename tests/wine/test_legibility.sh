#!/bin/bash
# SPDX-License-Identifier: MIT
# The window under Wine read as a person reads it, off a screenshot, under
# Windows' standard colours and its High Contrast Black and White schemes, set
# as Windows sets them in the user's registry: captions, prompts, typed
# numbers, and the figure from its first digit.
# Usage: test_legibility.sh ARDIVO_EXE RUNTIME_DIR
ARDIVO=${1:?ardivo.exe}
runtime=${2:?the folder of Qt's and MinGW's libraries}
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/wine.sh"
need tesseract-ocr:tesseract procps:pgrep
set +e

wine_cleanup() {
    wine_end
    cleanup
}
trap wine_cleanup EXIT
SCREEN_READER=off start_desktop
wine_prefix || { echo "cannot make a Wine prefix" >&2; exit 1; }
export WINEPATH QT_PLUGIN_PATH
WINEPATH=$(windows_path "$runtime")
QT_PLUGIN_PATH=$(windows_path "$runtime/plugins")
wine_pass_qt_settings

# The system colours of Windows 10's contrast themes, as "R G B".
scheme_colours() { # scheme_colours SCHEME
    case $1 in
    high-contrast-black)
        echo Window 0 0 0 / WindowText 255 255 255 / ButtonFace 0 0 0 / ButtonText 255 255 255 /
        echo Hilight 26 235 255 / HilightText 0 0 0 / GrayText 63 242 63 / HotTrackingColor 255 255 0
        ;;
    high-contrast-white)
        echo Window 255 255 255 / WindowText 0 0 0 / ButtonFace 255 255 255 / ButtonText 0 0 0 /
        echo Hilight 55 0 110 / HilightText 255 255 255 / GrayText 96 0 0 / HotTrackingColor 0 0 159
        ;;
    esac
}

ardivo_gone() { ! pgrep -x ardivo.exe >/dev/null; }
find_window() {
    wait_for 300 xdotool search --onlyvisible --name '^Ardivo Testina Braccio$' >/dev/null || return 1
    WIN=$(xdotool search --onlyvisible --name '^Ardivo Testina Braccio$' | head -n 1)
    activate "$WIN"
}

shot="$WORK/window.png"
shoot_figure() { # shoot_figure BEFORE
    local before=$1
    changed() { import -window "$WIN" "$shot" && [ "$(read_on_screen "$shot" txtRisultatoFinale)" != "$before" ]; }
    wait_for 100 changed
}

for scheme in standard high-contrast-black high-contrast-white; do
    scheme_colours "$scheme" | tr -s '/' '\n' | while read -r name r g b; do
        [ -z "$name" ] || wine64 reg add 'HKCU\Control Panel\Colors' /v "$name" /d "$r $g $b" /f >/dev/null 2>&1
    done
    # Windows reads the colours as a session starts.
    /usr/lib/wine/wineserver -k 2>/dev/null
    /usr/lib/wine/wineserver -w 2>/dev/null
    wine_server

    wine64 "$ARDIVO" 2>"$WORK/stderr-$scheme" &
    if ! checked "$scheme: the window opens" find_window; then
        cat "$WORK/stderr-$scheme" >&2
        continue
    fi
    # The caret starts in the arm box; Tab goes down the boxes.
    for value in 10 6 1 20; do
        xdotool type --delay 20 "$value"
        xdotool key Tab
    done
    click cmdCalcolo
    shoot_figure ""
    for prompt in "c:Inserire Massa del braccio" "lblPesoTestina:Inserire il peso della testina" \
        "Label1:Inserire il peso delle viti" "lblCedevolezza:Inserire la cedevolezza della testina" \
        "cmdCalcolo:Calcola" "cdmAzzeraCampi:Cancella Dati" "cdmChiudi:Chiudi" \
        txtMassaBraccio:10 txtPesoTestina:6 txtPesoViti:1 txtCedevolezza:20 txtRisultatoFinale:8.62298569829...; do
        check "$scheme: ${prompt%%:*} reads '${prompt#*:}'" reads "$shot" "${prompt%%:*}" "${prompt#*:}"
    done
    [ -n "${ARDIVO_SCREENSHOTS:-}" ] && cp "$shot" "$ARDIVO_SCREENSHOTS/ardivo-wine-$scheme.png"
    click cdmChiudi
    check "$scheme: Chiudi ends the program" wait_for 100 ardivo_gone
    no_faults() { ! wine_faults "$WORK/stderr-$scheme" >/dev/null; }
    check "$scheme: Wine saw no fault" no_faults
done
finish

#!/bin/bash
# SPDX-License-Identifier: MIT
# The window read as a person reads it, off a screenshot, under a colour
# scheme: Qt's own light one, GNOME's dark one (Qt's gtk3 theme) or KDE's
# Breeze Dark (Qt's KDE theme, reading the user's kdeglobals). Captions,
# prompts, typed numbers and the figure from its first digit.
# Usage: test_legibility.sh light|gnome-dark|breeze-dark
. "$(dirname "$0")/lib.sh"
need tesseract-ocr:tesseract
scheme=${1:?the colour scheme}
case $scheme in
light) settings=() ;;
gnome-dark)
    need qt6-gtk-platformtheme:/usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqgtk3.so
    settings=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark)
    ;;
breeze-dark)
    # Breeze Dark's colours, as KDE Plasma 5.27 writes them into kdeglobals.
    mkdir -p "$WORK/config"
    cat >"$WORK/config/kdeglobals" <<'KDEGLOBALS'
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=252,252,252
[Colors:Window]
BackgroundNormal=42,46,50
ForegroundNormal=252,252,252
KDEGLOBALS
    settings=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 XDG_CONFIG_HOME="$WORK/config")
    ;;
*) echo "no such scheme: $scheme" >&2 && exit 2 ;;
esac
start_desktop
LAUNCHER=(env "${settings[@]}")
start_ardivo

shot="$WORK/window.png"
# Waits until the figure has changed from what it was, and takes the shot.
shoot_figure() { # shoot_figure BEFORE
    local before=$1
    changed() { import -window "$WIN" "$shot" && [ "$(read_on_screen "$shot" txtRisultatoFinale)" != "$before" ]; }
    wait_for 50 changed
}

calculate 6 10 1 20
shoot_figure ""
for prompt in "c:Inserire Massa del braccio" "lblPesoTestina:Inserire il peso della testina" \
    "Label1:Inserire il peso delle viti" "lblCedevolezza:Inserire la cedevolezza della testina" \
    "cmdCalcolo:Calcola" "cdmAzzeraCampi:Cancella Dati" "cdmChiudi:Chiudi" \
    txtMassaBraccio:10 txtPesoTestina:6 txtPesoViti:1 txtCedevolezza:20 txtRisultatoFinale:8.62298569829157; do
    check "$scheme: ${prompt%%:*} reads '${prompt#*:}'" reads "$shot" "${prompt%%:*}" "${prompt#*:}"
done
[ -n "${ARDIVO_SCREENSHOTS:-}" ] && cp "$shot" "$ARDIVO_SCREENSHOTS/ardivo-$scheme.png"

# The smallest resonance has the most digits, more than the box shows: they
# are cut at their end, never at their start.
calculate 50 100 1 217
shoot_figure 8.62298569829157
check "$scheme: 159/sqrt(32767) is read from its first digit" reads "$shot" txtRisultatoFinale 0.8783726...
finish

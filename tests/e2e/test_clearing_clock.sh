#!/bin/bash
# SPDX-License-Identifier: MIT
# Cancella Dati and the running clock, as a user sees them.
. "$(dirname "$0")/lib.sh"
start_desktop
start_ardivo

calculate 6 10 1 20
check "a figure to clear" box_is txtRisultatoFinale 8.62298569829157

click txtCedevolezza
click cdmAzzeraCampi
for box in txtMassaBraccio txtPesoTestina txtPesoViti txtCedevolezza txtRisultatoFinale; do
    check "Cancella Dati empties $box" box_is "$box" ""
done
xdotool type 9
check "after clearing the caret is in the arm-mass box" box_is txtMassaBraccio 9

# The clock's pixels now, and as they change.
clock_pixels() { import -window "$WIN" -crop 120x21+144+0 +repage "$1"; }
clock_pixels "$WORK/clock1.png"
# compare gives the number of pixels that differ, and exits 1 when some do.
clock_moved() {
    local changed
    clock_pixels "$WORK/clock2.png" || return 1
    changed=$(compare -metric AE "$WORK/clock1.png" "$WORK/clock2.png" null: 2>&1)
    [ $? -eq 1 ] && [[ $changed =~ ^[1-9][0-9]*$ ]]
}
check "the clock shows the next second" wait_for 30 clock_moved
check "the clock shows something" test "$(convert "$WORK/clock2.png" -format '%k' info:)" -gt 1
finish

#!/bin/bash
# Cancella Dati and the running clock, as a user sees them.
. "$(dirname "$0")/lib.sh"
start_desktop
start_ardivo

type_into txtPesoTestina 6
type_into txtMassaBraccio 10
type_into txtPesoViti 1
type_into txtCedevolezza 20
click cmdCalcolo
check "a figure to clear" test -n "$(read_box txtRisultatoFinale)"

click txtCedevolezza
click cdmAzzeraCampi
xdotool type 9
check "after clearing the caret is in the arm-mass box" test "$(read_box txtMassaBraccio)" = "9"
for box in txtPesoTestina txtPesoViti txtCedevolezza txtRisultatoFinale; do
    check "Cancella Dati empties $box" test -z "$(read_box "$box")"
done

# The clock's pixels, one second apart.
clock_pixels() { import -window "$WIN" -crop 120x21+144+0 +repage "$1"; }
clock_pixels "$WORK/clock1.png"
sleep 1.2
clock_pixels "$WORK/clock2.png"
changed=$(compare -metric AE "$WORK/clock1.png" "$WORK/clock2.png" null: 2>&1 || true)
check "the clock shows the next second ($changed pixels changed)" test "${changed%%.*}" -gt 0
check "the clock shows something" test "$(convert "$WORK/clock2.png" -format '%k' info:)" -gt 1
finish

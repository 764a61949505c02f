#!/bin/bash
# SPDX-License-Identifier: MIT
# The calculation as a user meets it: typing, clicking, reading the figure;
# a bad input, and the warning. make check runs it.
. "$(dirname "$0")/lib.sh"
start_desktop
start_ardivo

xdotool type 7
check "the caret starts in the arm-mass box: typing lands there" box_is txtMassaBraccio 7

calculate 6 10 1 20
check "6/10/1/20 gives 159/sqrt(340)" box_is txtRisultatoFinale 8.62298569829157

type_into txtPesoViti ""
click cmdCalcolo
check "an emptied box counts as 0" box_is txtRisultatoFinale 8.88837021056167

type_into txtCedevolezza "-20"
click cmdCalcolo
check "a negative product leaves the figure empty" box_is txtRisultatoFinale ""

calculate 6 10 1 20
check "the figure again, for the bad input to take away" box_is txtRisultatoFinale 8.62298569829157
type_into txtCedevolezza venti
click cmdCalcolo
check "a box holding no number leaves the figure empty" box_is txtRisultatoFinale ""

for box in txtPesoTestina txtMassaBraccio txtPesoViti txtCedevolezza; do
    type_into "$box" ""
done
click cmdCalcolo
if checked "all boxes empty: the warning titled Attenzione" \
    wait_for 50 xdotool search --onlyvisible --name '^Attenzione$' >/dev/null; then
    box=$(xdotool search --onlyvisible --name '^Attenzione$' | head -n 1)
    check "the warning is modal over the window" sh -c "xprop -id $box _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL"
    activate "$box" && xdotool key Return
    # The program's windows on screen, which must include the main one.
    warning_closed() {
        local shown window
        shown=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name .) && grep -q -x "$WIN" <<<"$shown" || return 1
        for window in $shown; do [ "$window" != "$box" ] || return 1; done
    }
    check "the warning closes with its one button" wait_for 50 warning_closed
    check "the window is active again" wait_for 50 is_active "$WIN"
    xdotool type 5
    check "after the warning the caret is in the arm-mass box" box_is txtMassaBraccio 5
fi

check "nothing was written to stderr" test ! -s "$WORK/stderr"
finish

#!/bin/bash
# SPDX-License-Identifier: MIT
# Whatever a user types or pastes: the program stays responsive, shows no
# figure that does not belong to the boxes, and writes nothing anywhere.
. "$(dirname "$0")/lib.sh"
need xclip:xclip
start_desktop

# An empty home, working and temporary directory, to see that nothing lands there.
mkdir -p "$WORK/home" "$WORK/tmp" "$WORK/cwd"
cd "$WORK/cwd" || exit 1
HOME="$WORK/home" TMPDIR="$WORK/tmp" start_ardivo

paste_into() { # paste_into BOX FILE
    xclip -selection clipboard -i "$2" >/dev/null 2>&1
    click "$1"
    xdotool key ctrl+a ctrl+v
}

good_figure() {
    calculate 6 10 1 20
    box_is txtRisultatoFinale 8.62298569829157
}

holds_digits() { [ "$(read_box "$1" | wc -c)" -eq 200000 ]; }

head -c 200000 /dev/zero | tr '\0' '7' >"$WORK/digits"
printf '   ' >"$WORK/blanks"
printf '6\0005' >"$WORK/nul"
printf '1\t0\0331' >"$WORK/control"

for box in txtPesoTestina txtMassaBraccio txtPesoViti txtCedevolezza; do
    good_figure
    paste_into "$box" "$WORK/digits"
    check "200,000 digits pasted into $box" wait_for 50 holds_digits "$box"
    click cmdCalcolo
    check "200,000 digits in $box: no figure" box_is txtRisultatoFinale ""
    check "after 200,000 digits in $box the next calculation is answered" good_figure
done

for input in blanks nul control; do
    good_figure
    paste_into txtCedevolezza "$WORK/$input"
    click cmdCalcolo
    check "$input in a box: no figure" box_is txtRisultatoFinale ""
done

# Digits and signs from other scripts, pasted: xdotool cannot type them all.
for text in "６" "٣" "−5"; do
    good_figure
    printf '%s' "$text" >"$WORK/unicode"
    paste_into txtPesoViti "$WORK/unicode"
    check "'$text' pasted as it is" box_is txtPesoViti "$text"
    click cmdCalcolo
    check "'$text' in a box: no figure" box_is txtRisultatoFinale ""
done
check "still answering at the end" good_figure

check "nothing on standard output or error" test ! -s "$WORK/stdout" -a ! -s "$WORK/stderr"
check "nothing written to the home, working or temporary directory" \
    test -z "$(find "$WORK/home" "$WORK/tmp" "$WORK/cwd" -mindepth 1 -print -quit)"
finish

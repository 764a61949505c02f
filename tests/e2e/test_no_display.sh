#!/bin/bash
# SPDX-License-Identifier: MIT
# Started where no window can be opened, from a console or over ssh without
# X forwarding: one line that says why and what to do, and exit status 1.
. "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY XDG_SESSION_TYPE

# A display number that no X server holds here.
free=90
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
# A library of each platform plugin broken, as a half-finished upgrade or a
# damaged disk leaves it.
mkdir "$WORK/broken"
: >"$WORK/broken/libQt6XcbQpa.so.6"
: >"$WORK/broken/libQt6WaylandClient.so.6"

while IFS='|' read -r what setting named; do
    status=0
    timeout 20 env $setting "$ARDIVO" >"$WORK/stdout" 2>"$WORK/stderr" || status=$?
    check "$what: exit status 1 ($status)" test "$status" -eq 1
    check "$what: one line on standard error" test "$(wc -l <"$WORK/stderr")" -eq 1
    check "$what: it names $named" grep -q -F -- "$named" "$WORK/stderr"
    check "$what: nothing on standard output" test ! -s "$WORK/stdout"
    sed 's/^/    /' "$WORK/stderr"
done <<CASES
no display set||DISPLAY nor WAYLAND_DISPLAY
an X display that is not there|DISPLAY=:$free|":$free"
an X display that is not there, in Qt's words|DISPLAY=:$free|(Qt: could not connect to display :$free)
a Wayland display that is not there|WAYLAND_DISPLAY=ardivo-nowhere|"ardivo-nowhere"
a platform that Qt does not have|QT_QPA_PLATFORM=ardivo-none|QT_QPA_PLATFORM
Qt's X11 support broken|DISPLAY=:$free LD_LIBRARY_PATH=$WORK/broken|X11 support cannot be loaded
Qt's Wayland support broken|WAYLAND_DISPLAY=ardivo-nowhere LD_LIBRARY_PATH=$WORK/broken|Wayland support cannot be loaded
CASES
finish

#!/bin/bash
# SPDX-License-Identifier: MIT
# The window's frame and its two ways to end, as the window manager sees them.
. "$(dirname "$0")/lib.sh"
start_desktop

# Options that Qt would take from a command line must not reach it: the window
# opens on this display, with its own title, size and colours.
printf 'QWidget { background: red; }\n' >"$WORK/red.qss"
checked "command-line options are ignored: the window opens on X with its own title" \
    start_ardivo -platform offscreen -qwindowgeometry 200x100+0+0 -qwindowtitle Other -stylesheet "$WORK/red.qss" \
    || finish
sleep 0.3
background=$(import -window "$WIN" -crop 1x1+5+490 -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:)
check "command-line options are ignored: no style sheet ($background)" test "$background" = "255 255 255"

geometry=$(xwininfo -id "$WIN")
check "client area 659 x 501" sh -c "echo '$geometry' | grep -q 'Width: 659' && echo '$geometry' | grep -q 'Height: 501'"
x=$(echo "$geometry" | awk '/Absolute upper-left X/ {print $4}')
check "centred horizontally on the 1024-pixel screen" test $(((x + 329 - 512) ** 2)) -le 4

hints=$(xprop -id "$WIN" WM_NORMAL_HINTS)
check "fixed size: minimum = maximum = 659 by 501" sh -c "echo '$hints' | grep -q 'minimum size: 659 by 501' && echo '$hints' | grep -q 'maximum size: 659 by 501'"
# Motif hints: flags, functions, decorations, present and in force (flags 0x1
# and 0x2). Minimize is bit 0x8 of the functions and 0x20 of the decorations,
# maximize 0x10 and 0x40, "all" 0x1.
motif=$(xprop -id "$WIN" _MOTIF_WM_HINTS)
functions=0x9 decorations=0x61
if [[ $motif =~ ^_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\)\ =\ (0x[0-9a-f]+),\ (0x[0-9a-f]+),\ (0x[0-9a-f]+), ]] &&
    [ $((BASH_REMATCH[1] & 0x3)) -eq 3 ]; then
    functions=${BASH_REMATCH[2]} decorations=${BASH_REMATCH[3]}
else
    fail "the window gives its Motif hints (${motif})"
fi
check "asks for no minimize box" test $((functions & 0x9)) -eq 0 -a $((decorations & 0x21)) -eq 0
check "asks for no maximize box" test $((functions & 0x11)) -eq 0 -a $((decorations & 0x41)) -eq 0
check "a title bar with the system menu" test $((decorations & 0x18)) -eq $((0x18))
actions=$(xprop -id "$WIN" _NET_WM_ALLOWED_ACTIONS)
check "the window manager offers closing" sh -c "echo '$actions' | grep -q _NET_WM_ACTION_CLOSE"
check "the window manager offers no maximize or resize" sh -c "! echo '$actions' | grep -q -E 'MAXIMIZE|RESIZE'"
check "no task-bar button" sh -c "xprop -id $WIN _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR"

read -r x y <<<"$(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
                                         END { print x, y }')"
# The window manager takes requests in order: once the move that follows the
# resize is done, the resize has been answered.
xdotool windowsize "$WIN" 900 700 windowmove --sync "$WIN" $((x + 20)) "$y"
check "a resize request is refused, the move after it done" \
    sh -c "xwininfo -id $WIN | grep -q -E 'Width: 659\$' && xwininfo -id $WIN | grep -q 'Absolute upper-left X:  *$((x + 20))\$'"

# openbox minimises any window, whatever it asks for; the window, which has no
# task-bar button to come back from, puts itself back on screen.
xprop -spy -id "$WIN" WM_STATE >"$WORK/wm-state" 2>&1 &
SPY_PID=$!
wait_for 50 grep -q 'window state: Normal' "$WORK/wm-state"
xdotool windowminimize "$WIN"
if checked "openbox minimises the window" wait_for 50 grep -q 'window state: Iconic' "$WORK/wm-state"; then
    back() { xwininfo -id "$WIN" | grep -q 'Map State: IsViewable' && xprop -id "$WIN" WM_STATE | grep -q 'window state: Normal'; }
    check "the window comes back on screen by itself" wait_for 50 back
fi
stop "$SPY_PID"

click cdmChiudi
check "Chiudi ends the program" ardivo_ended
stop_ardivo

# Alt+F4 through the window manager, as a user closes a window: a real key
# press, which openbox takes, once openbox has made the window its active one.
start_ardivo
xdotool key alt+F4
check "closing the window ends the program" ardivo_ended
finish

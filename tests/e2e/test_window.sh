#!/bin/bash
# SPDX-License-Identifier: MIT
# The window's frame and its ways to end, as a window manager sees them:
# openbox, Xfce's xfwm4 or GNOME's mutter, as test_window.sh WINDOW_MANAGER.
# One start of the program under each; openbox, the one a minimise request
# always reaches, also gets the command-line options, the minimise request and
# a second start.
. "$(dirname "$0")/lib.sh"
export WINDOW_MANAGER=${1:?which window manager}
start_desktop

if [ "$WINDOW_MANAGER" = openbox ]; then
    # Options that Qt would take from a command line must not reach it: the
    # window opens on this display, with its own title, size and colours.
    printf 'QWidget { background: red; }\n' >"$WORK/red.qss"
    checked "command-line options are ignored: the window opens on X with its own title" \
        start_ardivo -platform offscreen -qwindowgeometry 200x100+0+0 -qwindowtitle Other -stylesheet "$WORK/red.qss" \
        || finish
    check "command-line options are ignored: no style sheet" painted 5 490
else
    checked "the window opens" start_ardivo || finish
fi

check_frame
read -r x y <<<"$(place)"

# The window manager takes requests in order: once the move that follows the
# resize is done, the resize has been answered.
xdotool windowsize "$WIN" 900 700 windowmove "$WIN" $((x + 20)) "$y"
moved() { [ "$(place)" = "$((x + 20)) $y" ]; }
if checked "a move request is done" wait_for 50 moved; then
    read -r _ _ width _ <<<"${RECT[frmCalcoloArdivo]}"
    check "the resize request before it is refused" sh -c "xwininfo -id $WIN | grep -q -E 'Width: $width\$'"
fi

check "10/6/1/20 gives 8.62298569829157 over AT-SPI" calculates_over_atspi

if [ "$WINDOW_MANAGER" = openbox ]; then
    # openbox minimises the window; the window, which has no task-bar button to
    # come back from, puts itself back on screen. xev reports what happens to
    # the window from the moment it listens, which a mark set on it shows.
    xev -id "$WIN" -event structure -event property >"$WORK/events" 2>&1 &
    XEV_PID=$!
    listening() {
        xprop -id "$WIN" -f _ARDIVO_TEST_MARK 8s -set _ARDIVO_TEST_MARK 1 && grep -q _ARDIVO_TEST_MARK "$WORK/events"
    }
    wait_for 50 listening || fail "xev does not listen"
    xdotool windowminimize "$WIN"
    if checked "openbox minimises the window" wait_for 50 grep -q '^UnmapNotify' "$WORK/events"; then
        back() {
            sed -n '/^UnmapNotify/,$p' "$WORK/events" | grep -q '^MapNotify' &&
                xprop -id "$WIN" WM_STATE | grep -q 'window state: Normal'
        }
        # Back as a user sees it: mapped again, and painted anew.
        back_on_screen() { wait_for 50 back && painted 5 490; }
        check "the window comes back on screen by itself" back_on_screen
    fi
    stop "$XEV_PID"

    click cdmChiudi
    check "Chiudi ends the program" ardivo_ended
    check "first start: nothing on standard error" test ! -s "$WORK/stderr"
    stop_ardivo
    start_ardivo
fi

check "nothing on standard error" test ! -s "$WORK/stderr"
# Alt+F4 through the window manager, as a user closes a window: a real key
# press, which the window manager takes, once it has made the window active.
xdotool key alt+F4
check "Alt+F4 ends the program" ardivo_ended
finish

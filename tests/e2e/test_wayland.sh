#!/bin/bash
# SPDX-License-Identifier: MIT
# Ardivo on a Wayland desktop, a headless weston: on X11 through Xwayland where
# the desktop has it, natively where it has not. Driven and read over AT-SPI,
# which works the same on both.
. "$(dirname "$0")/lib.sh"
start_screen_reader
unset DISPLAY
# As a Wayland session has it: Qt alone would then take Wayland even where
# Xwayland is there.
export XDG_SESSION_TYPE=wayland

start_weston() { # start_weston [--xwayland]
    export WAYLAND_DISPLAY=ardivo-weston
    weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 \
        --width=1024 --height=768 --log="$WORK/weston.log" "$@" >/dev/null 2>&1 &
    WESTON_PID=$!
    wait_for 100 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { echo "weston did not start" >&2; exit 1; }
}

# Starts the program and waits until a screen reader finds its window.
start_on_wayland() {
    "$ARDIVO" >"$WORK/stdout" 2>"$WORK/stderr" &
    APP_PID=$!
    wait_for 100 read_box txtRisultatoFinale >/dev/null
}

calculates() {
    local box value
    for box in txtPesoTestina txtMassaBraccio txtPesoViti txtCedevolezza; do
        read -r value
        /usr/bin/python3 "$E2E/atspi.py" set "${SPOKEN[$box]}" "$value" || return 1
    done <<<$'10\n6\n1\n20'
    /usr/bin/python3 "$E2E/atspi.py" press Calcola || return 1
    wait_for 50 box_is txtRisultatoFinale 8.62298569829157
}

# The libraries the running program has loaded: it fails, rather than reads as
# none, when the program is gone.
libraries() {
    local maps
    maps=$(cat "/proc/$APP_PID/maps") && grep -q /libQt6Gui <<<"$maps" || { echo "  the program is gone" >&2; return 1; }
    echo "$maps"
}
uses_plugin() { libraries | grep -q "/$1"; }
shuns_plugin() {
    local maps
    maps=$(libraries) && ! grep -q "/$1" <<<"$maps"
}
resident() { awk '/^VmRSS/ { print $2 " KiB" }' "/proc/$APP_PID/status"; }

# Through Xwayland: the window is an X11 one, with its frame and its place.
start_weston --xwayland
wait_for 50 grep -q 'xserver listening on display' "$WORK/weston.log" || { echo "no Xwayland" >&2; exit 1; }
DISPLAY=$(grep -o 'xserver listening on display :[0-9]*' "$WORK/weston.log" | grep -o ':[0-9]*$')
export DISPLAY
# weston starts Xwayland for its first X client and its window manager just
# after: as on a desktop in use, both are up before Ardivo comes.
wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
    || { echo "weston's X11 window manager did not start" >&2; exit 1; }
check "with Xwayland: the window appears" start_on_wayland
check "with Xwayland: on X11" uses_plugin libqxcb.so
check "with Xwayland: not on Wayland" shuns_plugin libqwayland
wait_for 50 xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' >/dev/null
WIN=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' | head -n 1)
# weston's X11 window manager frames the window at a place of its own, and
# moves the frame where the compositor shows the window only when it shows
# it, a moment after the map: the place is read once it is there. weston
# frames the window below and right of the place asked for.
centred() {
    read -r x y <<<"$(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
                                             END { print x, y }')"
    [ $((x - 182)) -ge 0 ] && [ $((x - 182)) -le 10 ] && [ $((y - 133)) -ge 0 ] && [ $((y - 133)) -le 40 ]
}
x='' y=''
check "with Xwayland: centred on the 1024 x 768 screen" wait_for 50 centred
echo "  placed at $x, $y"
check "with Xwayland: 10/6/1/20 gives 8.62298569829157" calculates
echo "with Xwayland: resident $(resident)"
check "with Xwayland: nothing on standard error" test ! -s "$WORK/stderr"
stop_ardivo
stop "$WESTON_PID"
unset DISPLAY

# Natively: no X server at all.
start_weston
check "natively: the window appears" start_on_wayland
check "natively: on Wayland" uses_plugin libqwayland
check "natively: 10/6/1/20 gives 8.62298569829157" calculates
echo "natively: resident $(resident)"
check "natively: nothing on standard error" test ! -s "$WORK/stderr"
finish

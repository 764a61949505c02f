#!/bin/bash
# SPDX-License-Identifier: MIT
# Ardivo on Wayland desktops, a headless weston and GNOME's mutter: on X11
# through Xwayland where the desktop has it, natively where it has not. Driven
# and read over AT-SPI, which works the same on both.
. "$(dirname "$0")/lib.sh"
need weston:weston xwayland:Xwayland mutter:mutter
start_screen_reader
unset DISPLAY
# As a Wayland session has it: Qt alone would then take Wayland even where
# Xwayland is there.
export XDG_SESSION_TYPE=wayland

start_weston() { # start_weston [--xwayland]
    export WAYLAND_DISPLAY=ardivo-weston
    weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 \
        --width=1024 --height=768 --log="$WORK/compositor.log" "$@" >/dev/null 2>&1 &
    COMPOSITOR_PID=$!
    wait_for 100 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { echo "weston did not start" >&2; exit 1; }
    if [ "${1:-}" = --xwayland ]; then
        wait_for 50 grep -q 'xserver listening on display' "$WORK/compositor.log" || { echo "no Xwayland" >&2; exit 1; }
        DISPLAY=$(grep -o 'xserver listening on display :[0-9]*' "$WORK/compositor.log" | grep -o ':[0-9]*$')
        export DISPLAY
        x11_window_manager
    fi
}

start_mutter() { # start_mutter [--no-x11]
    export WAYLAND_DISPLAY=ardivo-mutter
    mutter --wayland --headless --virtual-monitor 1024x768 --wayland-display="$WAYLAND_DISPLAY" "$@" \
        >"$WORK/compositor.log" 2>&1 &
    COMPOSITOR_PID=$!
    wait_for 100 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || { echo "mutter did not start" >&2; exit 1; }
    if [ "${1:-}" != --no-x11 ]; then
        wait_for 50 grep -q 'Using public X11 display' "$WORK/compositor.log" || { echo "no Xwayland" >&2; exit 1; }
        DISPLAY=$(grep -o 'Using public X11 display :[0-9]*' "$WORK/compositor.log" | grep -o ':[0-9]*$')
        # mutter gives its X clients a cookie of their own.
        XAUTHORITY=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name '.mutter-Xwaylandauth.*' | head -n 1)
        export DISPLAY XAUTHORITY
        x11_window_manager
    fi
}

stop_compositor() {
    stop_ardivo
    stop "$COMPOSITOR_PID"
    unset DISPLAY XAUTHORITY WAYLAND_DISPLAY
}

# As on a desktop in use, Xwayland and the compositor's X11 window manager are
# up before Ardivo comes.
x11_window_manager() {
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || { echo "the compositor's X11 window manager did not start" >&2; exit 1; }
}

# Starts the program and waits until a screen reader finds its window.
start_on_wayland() {
    "$ARDIVO" >"$WORK/stdout" 2>"$WORK/stderr" &
    APP_PID=$!
    wait_for 100 read_box txtRisultatoFinale >/dev/null
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
through_xwayland() { # through_xwayland DESKTOP
    local desktop=$1
    check "$desktop with Xwayland: the window appears" start_on_wayland
    check "$desktop with Xwayland: on X11" uses_plugin libqxcb.so
    check "$desktop with Xwayland: not on Wayland" shuns_plugin libqwayland
    wait_for 50 xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' >/dev/null
    # shellcheck disable=SC2034 # the checks of the window read it
    WIN=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' | head -n 1)
}

natively() { # natively DESKTOP
    local desktop=$1
    check "$desktop natively: the window appears" start_on_wayland
    check "$desktop natively: on Wayland" uses_plugin libqwayland
    check "$desktop natively: 10/6/1/20 gives 8.62298569829157" calculates_over_atspi
    echo "$desktop natively: resident $(resident)"
    check "$desktop natively: nothing on standard error" test ! -s "$WORK/stderr"
}

start_weston --xwayland
through_xwayland weston
# weston's X11 window manager frames the window below and right of the place
# asked for; it keeps no task bar and offers no actions. The frame stands at
# a place of its own until the compositor shows the window, a moment after
# the map.
placed_by_weston() {
    read -r x y <<<"$(place)"
    [ $((x - 182)) -ge 0 ] && [ $((x - 182)) -le 10 ] && [ $((y - 133)) -ge 0 ] && [ $((y - 133)) -le 40 ]
}
check "weston with Xwayland: centred on the 1024 x 768 screen" wait_for 50 placed_by_weston
check "weston with Xwayland: 10/6/1/20 gives 8.62298569829157" calculates_over_atspi
echo "weston with Xwayland: resident $(resident)"
check "weston with Xwayland: nothing on standard error" test ! -s "$WORK/stderr"
stop_compositor

start_weston
natively weston
stop_compositor

# GNOME's compositor, which is also an X11 window manager for Xwayland's windows.
# shellcheck disable=SC2034 # check_frame reads it
WINDOW_MANAGER=mutter
start_mutter
through_xwayland mutter
check_frame "mutter with Xwayland"
check "mutter with Xwayland: 10/6/1/20 gives 8.62298569829157" calculates_over_atspi
check "mutter with Xwayland: nothing on standard error" test ! -s "$WORK/stderr"
stop_compositor

start_mutter --no-x11
natively mutter
finish

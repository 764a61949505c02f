# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Helpers for the end-to-end tests: a private X server with a window manager,
# the built program in it, the user's hands (xdotool) and a screen reader's
# eyes (AT-SPI, on the private session bus that tests/hermetic.sh gives each
# test). Every wait is bounded.
# Usage: . lib.sh; start_desktop; start_ardivo; ...; finish
set -eu

# By hand, a test would start its servers on the caller's display, bus and home.
if [ "${ARDIVO_HERMETIC:-}" != 1 ] || [ "$(cat /proc/1/comm 2>/dev/null)" != bwrap ]; then
    echo "$(basename "$0"): end-to-end tests run only in the sandbox of tests/hermetic.sh: use ctest" >&2
    exit 2
fi
ARDIVO=${ARDIVO:?set ARDIVO to the built program}
E2E=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WORK=$(mktemp -d)
APP_PID=""
failures=0

# Waits up to $1 tenths of a second for a command to succeed.
wait_for() {
    local tenths=$1
    shift
    while ! "$@" 2>/dev/null; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
    done
}

gone() { ! kill -0 "$1" 2>/dev/null; }

# Ends processes and reaps them: asked first, killed after 5 s.
stop() { # stop PID...
    local pid
    for pid; do [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; done
    for pid; do
        [ -n "$pid" ] || continue
        wait_for 50 gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}

cleanup() {
    stop "$APP_PID" "${WM_PID:-}"
    stop "${XVFB_PID:-}" "${WESTON_PID:-}"
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

pass() {
    echo "PASS: $*"
}

check() { # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# A check that later steps depend on, for an if: its status is the command's.
checked() { # checked WHAT COMMAND...
    local what=$1
    shift
    "$@" && pass "$what" && return 0
    fail "$what"
    return 1
}

finish() {
    if [ "$failures" -eq 0 ]; then
        echo "all checks passed"
        exit 0
    fi
    echo "$failures check(s) failed" >&2
    exit 1
}

# What a screen reader does when it starts: switch accessibility on, which
# starts the accessibility bus. Only where there is a session bus.
start_screen_reader() {
    wait_for 50 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true \
        >/dev/null || { echo "the accessibility bus did not start" >&2; exit 1; }
}

# An X server that only clients with its cookie may use, openbox, and a screen
# reader where there is a session bus (unless SCREEN_READER=off).
start_desktop() { # start_desktop [WIDTHxHEIGHTxDEPTH]
    local size=${1:-1024x768x24} cookie
    cookie=$(mcookie)
    : >"$WORK/server.auth"
    : >"$WORK/Xauthority"
    # The server accepts every cookie in its file, whatever display it names.
    xauth -q -f "$WORK/server.auth" add :0 . "$cookie"
    Xvfb -displayfd 3 -auth "$WORK/server.auth" -screen 0 "$size" -nolisten tcp -noreset \
        3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_for 100 test -s "$WORK/display" || { echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=":$(cat "$WORK/display")"
    export DISPLAY XAUTHORITY="$WORK/Xauthority"
    xauth -q add "$DISPLAY" . "$cookie"
    if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ "${SCREEN_READER:-on}" = on ]; then
        start_screen_reader
    fi
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || { echo "openbox did not start" >&2; exit 1; }
}

# Starts the program and waits for its window; sets APP_PID and WIN.
start_ardivo() {
    "$ARDIVO" "$@" >"$WORK/stdout" 2>"$WORK/stderr" &
    APP_PID=$!
    wait_for 100 xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' \
        >/dev/null || { echo "the window did not appear" >&2; return 1; }
    WIN=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' | head -n 1)
    # Keys typed from now on go where a user's would: to the window that the
    # window manager has made active.
    activate "$WIN" || { echo "the window manager did not make the window active" >&2; return 1; }
}

# Has the window manager make a window the active one, and waits until it has.
activate() { # activate WINDOW
    xdotool windowactivate "$1" && wait_for 50 is_active "$1"
}
is_active() { [ "$(xdotool getactivewindow)" = "$1" ]; }

stop_ardivo() {
    stop "$APP_PID"
    APP_PID=""
}

# Waits up to 5 s for the program to end by itself.
ardivo_ended() {
    wait_for 50 gone "$APP_PID"
}

# Centre of a control, in pixels of the client area.
declare -A CENTRE=(
    [txtMassaBraccio]="372 48" [txtPesoTestina]="372 96" [txtPesoViti]="372 144" [txtCedevolezza]="372 192"
    [cmdCalcolo]="536 64" [cdmAzzeraCampi]="536 168" [cdmChiudi]="536 272" [txtRisultatoFinale]="164 452"
)
# The name a screen reader announces for each box: its prompt.
declare -A SPOKEN=(
    [txtMassaBraccio]="Inserire Massa del braccio" [txtPesoTestina]="Inserire il peso della testina"
    [txtPesoViti]="Inserire il peso delle viti" [txtCedevolezza]="Inserire la cedevolezza della testina"
    [txtRisultatoFinale]="Frequenza di risonanza in Hertz"
)

click() { # click CONTROL
    # shellcheck disable=SC2086
    xdotool mousemove --window "$WIN" ${CENTRE[$1]} click 1
    sleep 0.1
}

type_into() { # type_into BOX TEXT
    click "$1"
    xdotool key ctrl+a BackSpace
    [ -z "$2" ] || xdotool type --delay 5 -- "$2"
}

# The text of a box, read by its name, as a screen reader reads it: fails,
# rather than reading as empty, when the box cannot be found.
read_box() { # read_box BOX
    /usr/bin/python3 "$E2E/atspi.py" read "${SPOKEN[$1]}"
}

box_is() { # box_is BOX TEXT
    local text
    text=$(read_box "$1") || return 1
    [ "$text" = "$2" ] || { echo "  $1 holds '$text'" >&2; return 1; }
}

calculate() { # calculate CARTRIDGE ARM SCREWS COMPLIANCE
    type_into txtPesoTestina "$1"
    type_into txtMassaBraccio "$2"
    type_into txtPesoViti "$3"
    type_into txtCedevolezza "$4"
    click cmdCalcolo
}

screenshot() { # screenshot FILE
    import -window root "$1"
}

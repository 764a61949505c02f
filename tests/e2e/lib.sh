# shellcheck shell=bash
# Helpers for the end-to-end tests: a private X server with a window manager,
# the built program in it, and the user's hands (xdotool) and eyes (xclip,
# xprop, xwininfo).
# Usage: . lib.sh; start_desktop; start_ardivo [args...]; ...
set -eu

ARDIVO=${ARDIVO:?set ARDIVO to the built program}
WORK=$(mktemp -d)
APP_PID=""
failures=0

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
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

check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

finish() {
    if [ "$failures" -eq 0 ]; then
        echo "all checks passed"
        exit 0
    fi
    echo "$failures check(s) failed" >&2
    exit 1
}

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

start_desktop() {
    local size=${1:-1024x768x24}
    exec 3>"$WORK/display"
    Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_for 100 test -s "$WORK/display" || { echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=":$(cat "$WORK/display")"
    export DISPLAY
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    # A session has its runtime directory; without one Qt complains on stderr.
    export XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || { echo "openbox did not start" >&2; exit 1; }
}

# Starts the program and waits for its window; sets APP_PID and WIN.
start_ardivo() {
    "$ARDIVO" "$@" >"$WORK/stdout" 2>"$WORK/stderr" &
    APP_PID=$!
    wait_for 100 xdotool search --sync --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' \
        >/dev/null || { echo "the window did not appear" >&2; return 1; }
    WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' | head -n 1)
    xdotool windowactivate --sync "$WIN" 2>/dev/null || true
}

# Waits up to 5 s for the program to end.
ardivo_ended() {
    wait_for 50 sh -c "! kill -0 $APP_PID"
}

# Centre of a control, in pixels of the client area, from its twips.
declare -A CENTRE=(
    [txtMassaBraccio]="372 48" [txtPesoTestina]="372 96" [txtPesoViti]="372 144" [txtCedevolezza]="372 192"
    [cmdCalcolo]="536 64" [cdmAzzeraCampi]="536 168" [cdmChiudi]="536 272" [txtRisultatoFinale]="164 452"
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

# The text of a box as a user would copy it.
read_box() { # read_box BOX
    printf '' | xclip -selection clipboard >/dev/null 2>&1
    click "$1"
    xdotool key ctrl+a ctrl+c
    sleep 0.1
    xclip -o -selection clipboard 2>/dev/null || true
}

screenshot() { # screenshot FILE
    import -window root "$1"
}

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
# What start_ardivo starts the program through, if anything (another user).
LAUNCHER=()
failures=0

# Stops the test, naming the Debian package, where a command it uses is missing.
need() { # need PACKAGE:COMMAND...
    "$E2E/../../scripts/need" "$(basename "$0")" "$@" || exit 2
}
need xvfb:Xvfb xauth:xauth xdotool:xdotool x11-utils:xprop x11-utils:xwininfo imagemagick:import

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
    stop "${XVFB_PID:-}" "${COMPOSITOR_PID:-}"
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

# An X server that only clients with its cookie may use, a window manager
# (openbox unless WINDOW_MANAGER says xfwm4 or mutter: Xfce's and GNOME's), and
# a screen reader where there is a session bus (unless SCREEN_READER=off).
start_desktop() { # start_desktop [WIDTHxHEIGHTxDEPTH]
    local size=${1:-1024x768x24} cookie wm
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
    # The keyboard the test types with becomes the display's keyboard before
    # the window manager starts, as a real one is from the start: otherwise
    # its first key swaps the keyboard under the window manager, which then
    # lets go of its key bindings and takes them again while the keys arrive.
    xdotool key shift
    case ${WINDOW_MANAGER:=openbox} in
    openbox) wm=(openbox --sm-disable) ;;
    xfwm4) wm=(xfwm4 --compositor=off --sm-client-disable) ;;
    mutter) wm=(mutter --x11 --sm-disable) ;;
    *) echo "no such window manager here: $WINDOW_MANAGER" >&2 && exit 2 ;;
    esac
    need "$WINDOW_MANAGER:${wm[0]}"
    "${wm[@]}" >"$WORK/wm.log" 2>&1 &
    WM_PID=$!
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || { echo "$WINDOW_MANAGER did not start" >&2; cat "$WORK/wm.log" >&2; exit 1; }
}

# Starts the program and waits for its window; sets APP_PID and WIN.
start_ardivo() {
    "${LAUNCHER[@]}" "$ARDIVO" "$@" >"$WORK/stdout" 2>"$WORK/stderr" &
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

# Where a control stands, "x y width height" in pixels of the client area,
# from the window's own table as the build writes it (ARDIVO_GEOMETRY).
declare -A RECT=()
read_geometry() {
    local name x y width height
    while read -r name x y width height; do
        RECT[$name]="$x $y $width $height"
    done <"$ARDIVO_GEOMETRY"
}
[ -z "${ARDIVO_GEOMETRY:-}" ] || read_geometry
rect_of() { # rect_of CONTROL: prints "x y width height"
    [ -n "${RECT[$1]:-}" ] || { echo "no place for $1 in ${ARDIVO_GEOMETRY:-the geometry (unset)}" >&2 && return 1; }
    echo "${RECT[$1]}"
}
# The name a screen reader announces for each box: its prompt.
declare -A SPOKEN=(
    [txtMassaBraccio]="Inserire Massa del braccio" [txtPesoTestina]="Inserire il peso della testina"
    [txtPesoViti]="Inserire il peso delle viti" [txtCedevolezza]="Inserire la cedevolezza della testina"
    [txtRisultatoFinale]="Frequenza di risonanza in Hertz"
)

click() { # click CONTROL
    local where x y width height
    where=$(rect_of "$1") || return 1
    read -r x y width height <<<"$where"
    xdotool mousemove --window "$WIN" $((x + width / 2)) $((y + height / 2)) click 1
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

# Waits up to 5 s for a box to hold a text: the program answers the keys and
# clicks sent before in its own time.
box_is() { # box_is BOX TEXT
    local text tenths=50
    while text=$(read_box "$1") || return 1; [ "$text" != "$2" ]; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || { echo "  $1 holds '${text:0:80}'" >&2; return 1; }
        sleep 0.1
    done
}

# 10, 6, 1 and 20 entered and Calcola pressed over AT-SPI alone, as a screen
# reader's user does it, and the resonance read back.
calculates_over_atspi() {
    local box value
    for box in txtPesoTestina txtMassaBraccio txtPesoViti txtCedevolezza; do
        read -r value
        /usr/bin/python3 "$E2E/atspi.py" set "${SPOKEN[$box]}" "$value" || return 1
    done <<<$'10\n6\n1\n20'
    /usr/bin/python3 "$E2E/atspi.py" press Calcola || return 1
    box_is txtRisultatoFinale 8.62298569829157
}

# The colour of a pixel of the window, as "r g b".
window_pixel() { # window_pixel X Y
    import -window "$WIN" -crop "1x1+$1+$2" -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}
white_at() { [ "$(window_pixel "$1" "$2")" = "255 255 255" ]; }

# Waits until the window is painted: its white background shows at a point.
painted() { # painted X Y
    wait_for 50 white_at "$1" "$2"
}

# Where the window stands on the screen, as "x y".
place() {
    xwininfo -id "$WIN" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}

# The window's frame as an X11 window manager keeps it, on a 1024 x 768
# screen: size, place, hints, the actions offered, no task-bar button.
check_frame() { # check_frame [LABEL]
    local label=${1:-$WINDOW_MANAGER} geometry hints motif actions functions=0x9 decorations=0x61 width height
    read -r _ _ width height <<<"${RECT[frmCalcoloArdivo]}"
    geometry=$(xwininfo -id "$WIN")
    check "$label: client area $width x $height" grep -q -z -E "Width: $width.*Height: $height" <<<"$geometry"
    # A compositor shows the window, and puts it in its place, a moment
    # after it is mapped.
    centred() {
        read -r x y <<<"$(place)"
        [ $(((x + width / 2 - 512) ** 2)) -le 4 ] && [ $(((y + height / 2 - 384) ** 2)) -le 4 ]
    }
    check "$label: centred on the screen" wait_for 50 centred
    hints=$(xprop -id "$WIN" WM_NORMAL_HINTS)
    check "$label: fixed size, minimum = maximum = $width by $height" \
        grep -q -z -E "minimum size: $width by $height.*maximum size: $width by $height" <<<"$hints"
    # Motif hints: flags, functions, decorations, present and in force (flags
    # 0x1 and 0x2). Minimize is bit 0x8 of the functions and 0x20 of the
    # decorations, maximize 0x10 and 0x40, "all" 0x1.
    motif=$(xprop -id "$WIN" _MOTIF_WM_HINTS)
    if [[ $motif =~ ^_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\)\ =\ (0x[0-9a-f]+),\ (0x[0-9a-f]+),\ (0x[0-9a-f]+), ]] &&
        [ $((BASH_REMATCH[1] & 0x3)) -eq 3 ]; then
        functions=${BASH_REMATCH[2]} decorations=${BASH_REMATCH[3]}
    else
        fail "$label: the window gives its Motif hints (${motif})"
    fi
    check "$label: asks for no minimize box" test $((functions & 0x9)) -eq 0 -a $((decorations & 0x21)) -eq 0
    check "$label: asks for no maximize box" test $((functions & 0x11)) -eq 0 -a $((decorations & 0x41)) -eq 0
    check "$label: a title bar with the system menu" test $((decorations & 0x18)) -eq $((0x18))
    actions=$(xprop -id "$WIN" _NET_WM_ALLOWED_ACTIONS)
    check "$label: closing offered" grep -q _NET_WM_ACTION_CLOSE <<<"$actions"
    check "$label: no maximize or resize offered" sh -c "! echo '$actions' | grep -q -E 'MAXIMIZE|RESIZE'"
    # openbox offers to minimise any window, whatever it asks for.
    [ "$WINDOW_MANAGER" = openbox ] || check "$label: no minimize offered" sh -c "! echo '$actions' | grep -q MINIMIZE"
    check "$label: no task-bar button" sh -c "xprop -id $WIN _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR"
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

# What a person reads in a control, off a screenshot of the window at 1x
# (tesseract, at three times the size): a box's text inside its frame, a
# button's caption under its picture, a prompt's lines joined.
read_on_screen() { # read_on_screen SHOT CONTROL
    local where x y width height
    where=$(rect_of "$2") || return 1
    read -r x y width height <<<"$where"
    case $2 in
    txt*) x=$((x + 3)) y=$((y + 3)) width=$((width - 6)) height=$((height - 6)) ;;
    cmd* | cdm*) x=$((x + 4)) y=$((y + 40)) width=$((width - 8)) height=$((height - 44)) ;;
    esac
    convert "$1" -crop "${width}x${height}+$x+$y" +repage -resize 300% -colorspace Gray "$WORK/ocr.png" &&
        tesseract "$WORK/ocr.png" - --psm 6 2>/dev/null | tr -s '\n\f' ' ' | sed 's/^ *//; s/ *$//'
}

# Whether a control reads as a text off a screenshot; "TEXT..." for a text
# that begins so. Tesseract may take one letter of a caption for another
# (a small "c" for an "e"), never a digit.
reads() { # reads SHOT CONTROL TEXT
    local text
    text=$(read_on_screen "$1" "$2")
    case $3 in
    *...) [[ $text == "${3%...}"* ]] ;;
    *[[:alpha:]]*) /usr/bin/python3 - "$text" "$3" <<'LEVENSHTEIN' ;;
import sys
read, wanted = sys.argv[1:]
row = list(range(len(wanted) + 1))
for i, a in enumerate(read, 1):
    diagonal, row[0] = row[0], i
    for j, b in enumerate(wanted, 1):
        diagonal, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, diagonal + (a != b))
sys.exit(row[-1] > 1)
LEVENSHTEIN
    *) [ "$text" = "$3" ] ;;
    esac || { echo "  $2 reads '$text'" >&2 && return 1; }
}

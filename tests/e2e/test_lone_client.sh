#!/bin/bash
# SPDX-License-Identifier: MIT
# An X server where Ardivo is the only client, as a kiosk session, a script
# or a test rig starts one, on a machine as busy as at a session's start: an
# X server resets itself when its last client leaves, and a start must never
# fall into that moment. While the program connects, the server runs at the
# lowest priority with both cores busy, so that it takes its time over
# whatever a client does: a gap between two connections of the program's
# becomes a reset most starts. Each start gets a fresh server of its own; the
# test connects to it only once the program's own connection is made, since
# a client of the test's would keep the server from resetting. A start has
# come through once the server has let Qt's connection in: from then on the
# server has a client until the program ends. Whether the window then shows
# is looked at on the last start, since the starved server takes its time
# over drawing it, the more so on a loaded machine.
. "$(dirname "$0")/lib.sh"
unset DBUS_SESSION_BUS_ADDRESS
STARTS=${STARTS:-40}

# Two loops that keep both cores busy while the program connects, and are
# held still the rest of the time.
busy=()
for _ in 1 2; do
    (while :; do :; done) &
    busy+=($!)
    kill -STOP $!
done
trap 'kill -CONT "${busy[@]}"; stop "${busy[@]}"; rm -rf "$WORK"' EXIT

cookie=$(mcookie)
: >"$WORK/server.auth"
xauth -q -f "$WORK/server.auth" add :0 . "$cookie"

# One start on a server of its own: "connected" (and with LOOK, "opened"),
# or what went wrong.
start_once() { # start_once [LOOK]
    local dir server app connected=yes
    dir=$(mktemp -d)
    # The server's audit trail: a line for each client it lets in.
    Xvfb -displayfd 3 -auth "$WORK/server.auth" -audit 2 -screen 0 800x600x24 -nolisten tcp \
        3>"$dir/display" 2>"$dir/audit" &
    server=$!
    wait_for 100 test -s "$dir/display" || { echo "no X server"; stop "$server"; return; }
    renice -n 19 -p "$server" >/dev/null
    export DISPLAY=":$(cat "$dir/display")" XAUTHORITY="$dir/Xauthority"
    : >"$XAUTHORITY"
    xauth -q add "$DISPLAY" . "$cookie"
    kill -CONT "${busy[@]}"
    "$ARDIVO" >/dev/null 2>"$dir/stderr" &
    app=$!
    # Qt's connection is the program's last.
    qt_in_or_ended() { [ "$(grep -c ' connected from ' "$dir/audit")" -ge 2 ] || gone "$app"; }
    wait_for 300 qt_in_or_ended || connected=no
    kill -STOP "${busy[@]}"
    if [ "$connected" = no ]; then
        echo "no connection and no end in 30 s"
    elif gone "$app"; then
        echo "ended at once: $(head -c 300 "$dir/stderr")"
    elif [ -z "${1:-}" ]; then
        echo connected
    elif ! wait_for 600 xdotool search --all --onlyvisible --pid "$app" --name '^Ardivo Testina Braccio$' >/dev/null; then
        echo "connected, but no window in 60 s"
    else
        echo opened
    fi
    stop "$app" "$server"
    rm -rf "$dir"
}

through=0
for n in $(seq "$STARTS"); do
    expected=connected look=""
    [ "$n" -lt "$STARTS" ] || expected=opened look=look
    result=$(start_once $look)
    if [ "$result" = "$expected" ]; then
        through=$((through + 1))
    else
        echo "    start $n: $result" >&2
    fi
done
check "$through of $STARTS starts on a server with no other client come through, the last to its window" \
    test "$through" -eq "$STARTS"
finish

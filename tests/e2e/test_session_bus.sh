#!/bin/bash
# SPDX-License-Identifier: MIT
# A bare X session with no session bus, as startx or ssh -X give it: Ardivo
# starts none and leaves the session as it found it. Where a bus can be found
# without starting one, it joins it, so that a screen reader can see it.
. "$(dirname "$0")/lib.sh"
unset DBUS_SESSION_BUS_ADDRESS
start_desktop

# The sandbox sees only its own processes.
daemons() { pgrep -x dbus-daemon || true; }
# Whether the program has a connection on the bus at an address.
on_bus() { # on_bus ADDRESS
    local name
    for name in $(dbus-send --bus="$1" --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.ListNames | grep -o '":[0-9.]*"' | tr -d '"'); do
        dbus-send --bus="$1" --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null |
            grep -q "uint32 $APP_PID\$" && return 0
    done
    return 1
}

# No bus anywhere: none is started, nothing is written.
mkdir "$WORK/home"
HOME="$WORK/home" start_ardivo
click cdmChiudi
check "without a bus: the program runs and ends" ardivo_ended
check "without a bus: no bus was started" test -z "$(daemons)"
check "without a bus: nothing written to the home" test -z "$(find "$WORK/home" -mindepth 1 -print -quit)"
check "without a bus: nothing on standard error" test ! -s "$WORK/stderr"

# A bus that dbus-launch started for this display and published on it.
eval "$(dbus-launch --sh-syntax --autolaunch "$(cat /etc/machine-id)")"
published=$DBUS_SESSION_BUS_ADDRESS
unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID DBUS_SESSION_BUS_WINDOWID
before=$(daemons | wc -l)
HOME="$WORK/home" start_ardivo
check "a bus published on the display: joined" wait_for 50 on_bus "$published"
check "a bus published on the display: no other started" test "$(daemons | wc -l)" -eq "$before"
stop_ardivo

# The user's bus in the runtime directory, as systemd starts it.
dbus-daemon --session --address="unix:path=$XDG_RUNTIME_DIR/bus" --fork --print-pid >"$WORK/user-bus.pid"
HOME="$WORK/home" start_ardivo
check "the user's bus in the runtime directory: joined" wait_for 50 on_bus "unix:path=$XDG_RUNTIME_DIR/bus"
stop_ardivo
stop "$(cat "$WORK/user-bus.pid")"
check "nothing written to the home" test -z "$(find "$WORK/home" -mindepth 1 -print -quit)"
finish

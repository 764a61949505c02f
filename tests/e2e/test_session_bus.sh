#!/bin/bash
# SPDX-License-Identifier: MIT
# A bare X session with no session bus, as startx or ssh -X give it, and what
# the display and the environment may hand the program there: Ardivo starts
# no bus and no program, writes nothing, and says nothing. Where a bus can be
# found without starting one, it joins it, so that a screen reader can see it.
. "$(dirname "$0")/lib.sh"
need procps:pgrep dbus-x11:dbus-launch
unset DBUS_SESSION_BUS_ADDRESS
start_desktop

# The sandbox sees only its own processes: those of this test.
daemons() { pgrep -d ' ' -x 'dbus-daemon|dbus-launch' 2>/dev/null || true; }
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
# The program opens its window and ends on Chiudi, having started no bus and
# said nothing.
runs_alone() { # runs_alone CASE
    local before
    before=$(daemons)
    if checked "$1: the window opens" start_ardivo; then
        click cdmChiudi
        check "$1: Chiudi ends the program" ardivo_ended
    fi
    stop_ardivo
    check "$1: no bus started" test "$(daemons)" = "$before"
    check "$1: nothing on standard error" test ! -s "$WORK/stderr"
}
empty() { test -z "$(find "$1" -mindepth 1 -print -quit)"; }

# No bus anywhere: none is started, nothing is written.
mkdir "$WORK/home"
HOME="$WORK/home" runs_alone "without a bus"
check "without a bus: nothing written to the home" empty "$WORK/home"

# A bus that dbus-launch started for this display and published on it.
eval "$(dbus-launch --sh-syntax --autolaunch "$(cat /etc/machine-id)")"
published=$DBUS_SESSION_BUS_ADDRESS
unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID DBUS_SESSION_BUS_WINDOWID
before=$(daemons)
HOME="$WORK/home" start_ardivo
check "a bus published on the display: joined" wait_for 50 on_bus "$published"
check "a bus published on the display: no other started" test "$(daemons)" = "$before"
stop_ardivo

# Anything that can set a property on the display can publish there: what
# dbus-launch's window holds is replaced.
publish() { # publish ADDRESS
    local window
    for window in $(xwininfo -root -children | grep -o -E '^ +0x[0-9a-f]+'); do
        if xprop -id "$window" _DBUS_SESSION_BUS_ADDRESS | grep -q ' = "'; then
            xprop -id "$window" -f _DBUS_SESSION_BUS_ADDRESS 8s -set _DBUS_SESSION_BUS_ADDRESS "$1"
            return
        fi
    done
    echo "  no window holds the published address" >&2
    return 1
}
publish "unixexec:path=/usr/bin/touch,argv1=$WORK/touched"
HOME="$WORK/home" runs_alone "a program published on the display"
check "a program published on the display: never run" test ! -e "$WORK/touched"
publish "autolaunch:"
HOME="$WORK/home" runs_alone "a bus to start published on the display"
check "nothing written to the home" empty "$WORK/home"

# The user's bus in the runtime directory, as systemd starts it.
dbus-daemon --session --address="unix:path=$XDG_RUNTIME_DIR/bus" --fork --print-pid >"$WORK/user-bus.pid"
HOME="$WORK/home" start_ardivo
check "the user's bus in the runtime directory: joined" wait_for 50 on_bus "unix:path=$XDG_RUNTIME_DIR/bus"
stop_ardivo
stop "$(cat "$WORK/user-bus.pid")"

# Another user, as su, sudo -E or runuser leave one, whose runtime directory
# holds a bus socket that is not theirs. Only root can be another user.
if [ "$(id -u)" -eq 0 ]; then
    other="$WORK/nobody"
    mkdir -p "$other/home" "$other/tmp" "$other/runtime"
    cp "$XAUTHORITY" "$other/Xauthority"
    # A copy of the program that this user can reach, wherever the build
    # lies: under /tmp, or in a home only its owner may enter.
    install -m 755 "$ARDIVO" "$other/ardivo"
    chown nobody: "$other/home" "$other/tmp" "$other/runtime" "$other/Xauthority"
    chmod 700 "$other/runtime"
    chmod 711 "$WORK" "$other"
    /usr/bin/python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$other/runtime/bus"
    # shellcheck disable=SC2034 # start_ardivo reads it
    LAUNCHER=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$other/home" TMPDIR="$other/tmp"
        XDG_RUNTIME_DIR="$other/runtime" XAUTHORITY="$other/Xauthority" XDG_CONFIG_HOME= XDG_CACHE_HOME=
        XDG_DATA_HOME= XDG_STATE_HOME=)
    ARDIVO="$other/ardivo" runs_alone "another user, with someone else's bus in the runtime directory"
    # shellcheck disable=SC2034 # start_ardivo reads it
    LAUNCHER=()
    untouched() { empty "$other/home" && empty "$other/tmp" && [ "$(ls -A "$other/runtime")" = bus ]; }
    check "another user: nothing written" untouched
else
    echo "SKIP: another user's start needs root"
fi

# No runtime directory named at all, as su - or cron leave it: Qt makes its
# own in the temporary directory, quietly; where the user's own is there,
# that one is used.
mkdir -m 700 "$WORK/tmp-none" "$WORK/tmp-own"
TMPDIR="$WORK/tmp-none" XDG_RUNTIME_DIR='' runs_alone "no runtime directory"
check "no runtime directory: only Qt's own made" \
    test "$(find "$WORK/tmp-none" -mindepth 1 -printf '%P %m\n')" = "runtime-$(id -un) 700"
# The sandbox has /run/user of its own, where the machine has one.
if mkdir -m 700 "/run/user/$(id -u)"; then
    TMPDIR="$WORK/tmp-own" XDG_RUNTIME_DIR='' runs_alone "no runtime directory named, the user's own there"
    check "the user's own runtime directory: nothing made" empty "$WORK/tmp-own"
fi
finish

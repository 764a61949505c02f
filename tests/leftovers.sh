#!/bin/bash
# SPDX-License-Identifier: MIT
# What the test suite leaves behind: run `begin` before the suite and `check`
# after it. check fails when a process that a test started is still running,
# when a test's directory is left in /tmp, when an X server's socket or lock
# appeared in /tmp, or when something the suite's programs write (a session
# bus's address, a window manager's log, an X authority, font caches) appeared
# in the caller's home.
# Usage: leftovers.sh begin|check STAMP_DIR
set -u
action=${1:?begin or check}
stamp=${2:?stamp directory}

x_sockets() {
    local f
    for f in /tmp/.X11-unix/X* /tmp/.X*-lock; do
        [ -e "$f" ] && echo "$f"
    done | sort
}

if [ "$action" = begin ]; then
    rm -rf "$stamp"
    mkdir -p "$stamp"
    x_sockets >"$stamp/x-sockets"
    exit 0
fi

[ -d "$stamp" ] || { echo "no stamp: run '$0 begin $stamp' before the suite" >&2; exit 2; }
found=0
report() {
    echo "left behind: $*" >&2
    found=1
}

for p in /proc/[0-9]*; do
    if grep -q -z '^ARDIVO_TEST_RUN=' "$p/environ" 2>/dev/null; then
        report "process ${p#/proc/} ($(tr '\0' ' ' <"$p/cmdline" 2>/dev/null))"
    fi
done
for d in /tmp/ardivo-test.*; do
    [ -e "$d" ] && report "$d"
done
while read -r name; do
    report "/tmp: $name of an X server"
done < <(comm -13 "$stamp/x-sockets" <(x_sockets))
for path in .dbus .Xauthority .ICEauthority .xsession-errors .cache/openbox .config/openbox .cache/fontconfig \
    .config/dconf .cache/at-spi .config/pulse .local/share/xorg .config/weston.ini; do
    if [ -n "$(find "$HOME/$path" -newer "$stamp/x-sockets" -print -quit 2>/dev/null)" ]; then
        report "$HOME/$path"
    fi
done
[ "$found" -eq 0 ] && echo "nothing left behind"
exit "$found"

#!/bin/bash
# SPDX-License-Identifier: MIT
# Runs one test in a world of its own, so that nothing of the caller's
# display, session bus, scale, fonts, style or locale can change its result,
# and nothing the test does can touch the caller's. bubblewrap gives the test:
# - its own /tmp, /var/tmp, /dev/shm and /run/user, and a network namespace
#   with nothing but loopback: its X and Wayland displays, their sockets and
#   lock files are its own, whatever else runs on the machine;
# - its own process namespace: whatever the test started ends with it;
# - the file system read-only, but for the directories given with --writable;
#   those given with --readable show even where the sandbox hides the rest;
# - the user's home, as the password database gives it, empty: anything a
#   test writes there is reported and fails the test;
# - an environment from an allow-list, with a home, XDG and temporary
#   directories of its own, and with --bus a private session bus.
# Usage: hermetic.sh [--bus] [--seconds N] [--writable DIR]... [--readable DIR]... [NAME=VALUE...] [--] COMMAND [ARGS...]
set -u

usage() {
    echo "usage: $0 [--bus] [--seconds N] [--writable DIR]... [--readable DIR]... [NAME=VALUE...] [--] COMMAND [ARGS...]" >&2
    exit 2
}

# Inside the sandbox: directories, the test, and what it left in the places
# that must stay as they were.
inside() { # inside BUS WATCHED... -- [NAME=VALUE...] -- COMMAND...
    local bus=$1 watched=() settings=() run=/tmp/ardivo-test status
    shift
    while [ "$1" != -- ]; do watched+=("$1") && shift; done
    shift
    while [ "$1" != -- ]; do settings+=("$1") && shift; done
    shift

    # As systemd makes it at boot: Xwayland, as weston starts it, needs it there.
    mkdir -m 1777 /tmp/.X11-unix
    mkdir -p "$run/home" "$run/config" "$run/cache" "$run/data" "$run/state" "$run/tmp"
    mkdir -m 700 "$run/runtime"
    local environment=(
        PATH=/usr/sbin:/usr/bin:/sbin:/bin
        LANG=C.UTF-8
        HOME="$run/home"
        XDG_CONFIG_HOME="$run/config"
        XDG_CACHE_HOME="$run/cache"
        XDG_DATA_HOME="$run/data"
        XDG_STATE_HOME="$run/state"
        XDG_RUNTIME_DIR="$run/runtime"
        TMPDIR="$run/tmp"
        PYTHONDONTWRITEBYTECODE=1
        ARDIVO_HERMETIC=1
        "${settings[@]}"
    )
    local command=("$@")
    if [ "$bus" = true ]; then
        # The session bus's usual configuration, listening in the run's
        # runtime directory.
        cat >"$run/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <keep_umask/>
  <listen>unix:dir=$run/runtime</listen>
  <auth>EXTERNAL</auth>
  <standard_session_servicedirs/>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
        command=(dbus-run-session --config-file="$run/bus.conf" -- "${command[@]}")
    fi

    # The directories that bubblewrap made for the mounts it put back are
    # there from the start; anything else in the watched places the test left.
    listing() { find "${watched[@]}" -xdev -mindepth 1 2>/dev/null | sort; }
    listing >"$run/before"
    env -i "${environment[@]}" "${command[@]}" </dev/null
    status=$?
    local left
    left=$(comm -13 "$run/before" <(listing))
    if [ -n "$left" ]; then
        echo "$left" | sed 's/^/hermetic.sh: left behind: /' >&2
        [ "$status" -ne 0 ] || status=1
    fi
    exit "$status"
}

if [ "${1:-}" = --inside ]; then
    shift
    inside "$@"
fi

bus=false
seconds=100
writable=()
readable=()
settings=()
while [ $# -gt 0 ]; do
    case $1 in
    --bus) bus=true ;;
    --seconds) [ $# -gt 1 ] || usage && seconds=$2 && shift ;;
    --writable)
        [ $# -gt 1 ] || usage
        writable+=("$(realpath -e "$2")") || exit 2
        shift
        ;;
    --readable)
        [ $# -gt 1 ] || usage
        readable+=("$(realpath -e "$2")") || exit 2
        shift
        ;;
    --) shift && break ;;
    *=*) settings+=("$1") ;;
    *) break ;;
    esac
    shift
done
[ $# -gt 0 ] || usage
# timeout takes 0 for no limit at all.
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "hermetic.sh: --seconds takes a whole number above 0, not '$seconds'" >&2; exit 2; }
self=$(realpath -e "$0")
top=$(dirname "$(dirname "$self")")
"$top/scripts/need" hermetic.sh bubblewrap:bwrap || exit 2
[ "$bus" = false ] || "$top/scripts/need" hermetic.sh dbus:dbus-run-session || exit 2
home=$(getent passwd "$(id -u)" | cut -d: -f6)
watched=(/var/tmp)
case $home in
/ | /tmp | /tmp/* | "") ;;
*) [ -d "$home" ] && watched+=("$(realpath -e "$home")") ;;
esac

sandbox=(
    bwrap --die-with-parent --unshare-pid --unshare-net --unshare-ipc
    --ro-bind / / --dev /dev --proc /proc --perms 1777 --tmpfs /tmp --perms 1777 --tmpfs /dev/shm
)
hidden=(/tmp /dev/shm "${watched[@]}")
# The users' runtime directories, with their buses and Wayland displays, stay
# outside.
if [ -d /run/user ]; then
    sandbox+=(--tmpfs /run/user)
    hidden+=(/run/user)
fi
for dir in "${watched[@]}"; do
    sandbox+=(--tmpfs "$dir")
done
# The tests' own files, where they lie in a place the sandbox hides: a clone
# in /tmp, or in the home.
for dir in "${hidden[@]}"; do
    case $top/ in "$dir"/*) sandbox+=(--ro-bind "$top" "$top") && break ;; esac
done
for dir in "${readable[@]}"; do
    sandbox+=(--ro-bind "$dir" "$dir")
done
for dir in "${writable[@]}"; do
    sandbox+=(--bind "$dir" "$dir")
done

# Bounded: a test that hangs is ended, and with it everything it started.
timeout --kill-after=2 "$seconds" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    "${sandbox[@]}" -- /bin/bash "$self" --inside "$bus" "${watched[@]}" -- "${settings[@]}" -- "$@" </dev/null
status=$?
[ "$status" -eq 124 ] && echo "hermetic.sh: the test ran out of its $seconds s" >&2
exit "$status"

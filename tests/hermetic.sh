#!/bin/bash
# SPDX-License-Identifier: MIT
# Runs one test in a world of its own, so that the caller's display, session
# bus, scale, fonts, style or locale cannot change its result: an empty home,
# XDG and temporary directories of its own, made before anything starts, and
# an environment built from an allow-list. With --bus the test also gets a
# private session bus. When the test ends, or overruns its time, every process
# it left behind is ended and its directory removed.
# Usage: hermetic.sh [--bus] [--seconds N] [NAME=VALUE...] [--] COMMAND [ARGS...]
set -u

bus=false
seconds=100
settings=()
while [ $# -gt 0 ]; do
    case $1 in
    --bus) bus=true ;;
    --seconds) seconds=$2 && shift ;;
    --) shift && break ;;
    *=*) settings+=("$1") ;;
    *) break ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "usage: $0 [--bus] [--seconds N] [NAME=VALUE...] [--] COMMAND [ARGS...]" >&2; exit 2; }

run=$(mktemp -d /tmp/ardivo-test.XXXXXXXX) || exit 1
mkdir -p "$run/home" "$run/config" "$run/cache" "$run/data" "$run/state" "$run/tmp"
mkdir -m 700 "$run/runtime"

# Every process of this run carries the marker, so that those it leaves behind,
# even one that detached itself, can be found and ended.
marker="ARDIVO_TEST_RUN=$run"
environment=(
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
    "$marker"
    "${settings[@]}"
)

leftovers() {
    local p
    for p in /proc/[0-9]*; do
        grep -q -z -x -F "$marker" "$p/environ" 2>/dev/null && echo "${p#/proc/}"
    done
}

cleanup() {
    local pids tries=20
    pids=$(leftovers)
    # shellcheck disable=SC2086 # a list of process ids
    [ -z "$pids" ] || kill -TERM $pids 2>/dev/null
    while [ -n "$pids" ] && [ "$tries" -gt 0 ]; do
        sleep 0.1
        tries=$((tries - 1))
        pids=$(leftovers)
    done
    # shellcheck disable=SC2086
    [ -z "$pids" ] || kill -KILL $pids 2>/dev/null
    rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

command=("$@")
if $bus; then
    # The session bus's usual configuration, but listening in the run's own
    # runtime directory rather than /tmp: its socket goes with the run.
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
# Bounded: a test that hangs is ended here, in time to clean up after it.
timeout --kill-after=5 "$seconds" env -i "${environment[@]}" "${command[@]}" </dev/null
status=$?
[ "$status" -eq 124 ] && echo "hermetic.sh: the test ran out of its $seconds s" >&2
exit "$status"

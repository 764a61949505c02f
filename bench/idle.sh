#!/bin/bash
# SPDX-License-Identifier: MIT
# Idle cost and clock accuracy: Ardivo beside its own clock alone in a window,
# that clock's timer alone, a plain 1 ms timer and xclock, each left alone for
# the same time on the same X server, round-robin over a few rounds.
# Usage: bench/idle.sh BUILD_DIR [SECONDS] [ROUNDS]
set -eu
build=$(cd "${1:?build directory}" && pwd)
seconds=${2:-10}
rounds=${3:-3}
export ARDIVO=$build/ardivo
. "$(dirname "$0")/../tests/e2e/lib.sh"
. "$(dirname "$0")/stats.sh"
need gcc:cc x11-apps:xclock
start_desktop
cc -O2 -o "$WORK/damagelog" "$(dirname "$0")/damagelog.c" -lX11 -lXdamage

# CPU time of all the process's threads, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'; }
# Context switches of all its threads: each one is a wake-up or a preemption.
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { s += $2 } END { print s + 0 }'; }

# Lag of the first change to the window's pixels in each new second behind
# that second's boundary, ms.
lags() { # DAMAGE_LOG FROM_US
    awk -v from="$2" '$1 >= from {
            second = int($1 / 1000000)
            if (second != last) { print ($1 - second * 1000000) / 1000; last = second }
        }' "$1"
}

measure() { # INDEX TITLE COMMAND...
    local index=$1 title=$2
    shift 2
    local log="$WORK/$index.damage"
    "$@" >/dev/null 2>&1 &
    local pid=$!
    # Start-up is not idle, nor are the first 10 s in which the focused box's
    # caret blinks after the last key or click.
    sleep 12
    # The clock's lag is read from outside, as the X server sees the window
    # change: the program itself keeps no log.
    local window
    window=$(xdotool search --onlyvisible --name "^$title\$" | head -n 1)
    "$WORK/damagelog" "$window" "$seconds" >"$log" &
    local watcher=$!
    local from_us=$(($(date +%s%N) / 1000))
    local cpu0 sw0 cpu1 sw1
    cpu0=$(cpu_ns "$pid")
    sw0=$(switches "$pid")
    sleep "$seconds"
    cpu1=$(cpu_ns "$pid")
    sw1=$(switches "$pid")
    stop "$pid"
    wait "$watcher" || true
    awk -v a="$cpu0" -v b="$cpu1" -v s="$seconds" 'BEGIN { printf "%.3f\n", (b - a) / (s * 1e9) * 100 }' \
        >>"$WORK/$index.cpu"
    awk -v a="$sw0" -v b="$sw1" -v s="$seconds" 'BEGIN { printf "%.1f\n", (b - a) / s }' >>"$WORK/$index.wakeups"
    lags "$log" "$from_us" >>"$WORK/$index.lags"
}

names=(ardivo "bare Qt clock" "Qt timer alone, no drawing" "plain 1 ms timer" "xclock -digital -update 1")
titles=("Ardivo Testina Braccio" "bare Qt clock" "bare Qt clock" "plain 1 ms timer" xclock)
commands=("$ARDIVO" "$build/bench/bare_clock" "$build/bench/bare_clock --timer-only" "$build/bench/plain_timer"
    "xclock -digital -update 1")
for _ in $(seq 1 "$rounds"); do
    for i in "${!names[@]}"; do
        : >>"$WORK/$i.lags"
        # shellcheck disable=SC2086 # the commands' arguments are meant to split
        measure "$i" "${titles[$i]}" ${commands[$i]}
    done
done

echo
echo "Idle for $seconds s, $rounds rounds round-robin, on $(nproc) cores ($(uname -r)):"
printf '| %-26s | %-27s | %10s | %15s | %12s |\n' program "CPU % of core med (all)" "wake-ups/s" \
    "lag median (ms)" "lag max (ms)"
echo "|----------------------------|-----------------------------|------------|-----------------|--------------|"
for i in "${!names[@]}"; do
    read -r cpu _ _ <<<"$(stats "$WORK/$i.cpu")"
    read -r wakeups _ _ <<<"$(stats "$WORK/$i.wakeups" 1 1)"
    read -r lag_median _ lag_max <<<"$(stats "$WORK/$i.lags" 1 2)"
    all=$(paste -sd/ "$WORK/$i.cpu")
    printf '| %-26s | %-27s | %10.1f | %15s | %12s |\n' "${names[$i]}" "$cpu ($all)" "$wakeups" \
        "$lag_median" "$lag_max"
done
echo "(CPU from /proc/PID/task/*/schedstat, the time the kernel accounts in /proc/PID/stat, in ns;"
echo " lag: how long after the wall clock's second boundary the window's pixels changed on the X server;"
echo " the lone timer draws nothing)"

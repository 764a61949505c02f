#!/bin/bash
# Idle cost and clock accuracy: Ardivo beside a plain 1 ms timer and xclock,
# each left alone for the same time on the same X server.
# Usage: bench/idle.sh BUILD_DIR [SECONDS]
set -eu
build=$(cd "${1:?build directory}" && pwd)
seconds=${2:-10}
export ARDIVO=$build/ardivo
. "$(dirname "$0")/../tests/e2e/lib.sh"
start_desktop

# CPU time of all the process's threads, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'; }
# Context switches of all its threads: each one is a wake-up or a preemption.
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { s += $2 } END { print s + 0 }'; }

# Lag of the first tick in each new second behind that second's boundary, ms.
lag_stats() { # FILE FROM_US
    awk -v from="$2" '$1 >= from {
            second = int($1 / 1000000)
            if (second != last) { print ($1 - second * 1000000) / 1000; last = second }
        }' "$1" | sort -n | awk '{ v[NR] = $1 } END {
            if (NR == 0) { print "-", "-"; exit }
            printf "%.2f %.2f\n", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[NR] }'
}

rows=()
measure() { # NAME COMMAND...
    local name=$1
    shift
    local log="$WORK/$name.ticks"
    : >"$log"
    ARDIVO_BENCH_TICK_LOG=$log "$@" >/dev/null 2>&1 &
    local pid=$!
    # Start-up is not idle, nor are the first 10 s in which the focused box's
    # caret blinks after the last key or click.
    sleep 12
    local from_us=$(($(date +%s%N) / 1000))
    local cpu0 sw0 cpu1 sw1
    cpu0=$(cpu_ns "$pid")
    sw0=$(switches "$pid")
    sleep "$seconds"
    cpu1=$(cpu_ns "$pid")
    sw1=$(switches "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    local cpu wakeups lag
    cpu=$(awk -v a="$cpu0" -v b="$cpu1" -v s="$seconds" 'BEGIN { printf "%.3f", (b - a) / (s * 1e9) * 100 }')
    wakeups=$(awk -v a="$sw0" -v b="$sw1" -v s="$seconds" 'BEGIN { printf "%.1f", (b - a) / s }')
    lag=$(lag_stats "$log" "$from_us")
    rows+=("$(printf '| %-28s | %13s | %11s | %15s | %12s |' "$name" "$cpu" "$wakeups" ${lag% *} ${lag#* })")
}

measure ardivo "$ARDIVO"
measure "plain 1 ms timer" "$build/bench/plain_timer"
measure "xclock -digital -update 1" xclock -digital -update 1

echo
echo "Idle for $seconds s on $(nproc) cores ($(uname -r)):"
printf '| %-28s | %13s | %11s | %15s | %12s |\n' program "CPU % of core" "wake-ups/s" "lag median (ms)" "lag max (ms)"
echo "|------------------------------|---------------|-------------|-----------------|--------------|"
printf '%s\n' "${rows[@]}"
echo "(lag: how long after the wall clock's second boundary the clock's text changed; xclock keeps no log)"

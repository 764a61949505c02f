#!/bin/bash
# SPDX-License-Identifier: MIT
# Start-up time and memory: Ardivo beside an empty Qt window, xcalc,
# galculator and kcalc, round-robin on the same X server under openbox.
# Usage: bench/startup.sh BUILD_DIR [RUNS]
set -eu
build=$(cd "${1:?build directory}" && pwd)
runs=${2:-15}
warmups=2
export ARDIVO=$build/ardivo
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib.sh"
. "$here/stats.sh"
need gcc:cc x11-apps:xcalc galculator:galculator kcalc:kcalc
start_desktop
export XDG_RUNTIME_DIR # kcalc and galculator want one as much as Qt does

cc -O2 -o "$WORK/startwatch" "$here/startwatch.c" -lX11 -lXdamage

names=(ardivo "bare Qt" xcalc galculator kcalc)
commands=("$ARDIVO" "$build/bench/bare_window" xcalc galculator kcalc)
for round in $(seq 1 $((warmups + runs))); do
    for i in "${!names[@]}"; do
        if line=$("$WORK/startwatch" "${commands[$i]}" 2>>"$WORK/errors"); then
            [ "$round" -gt "$warmups" ] && echo "$line" >>"$WORK/${names[$i]}"
        fi
    done
done

echo
echo "Start-up on $(nproc) cores, $runs runs each after $warmups warm-up runs, round-robin (ms; MiB 1 s after mapping):"
printf '| %-10s | %-24s | %-24s | %9s | %9s | %4s |\n' program "exec → mapped med/min/max" "exec → painted med/min/max" "RSS MiB" "PSS MiB" runs
echo "|------------|--------------------------|--------------------------|-----------|-----------|------|"
for name in "${names[@]}"; do
    file="$WORK/$name"
    [ -s "$file" ] || { printf '| %-10s | %-24s | %-24s | %9s | %9s | %4s |\n' "$name" failed - - - 0; continue; }
    read -r mm mn mx <<<"$(stats "$file" 1 1)"
    read -r pm pn px <<<"$(stats "$file" 2 1)"
    read -r rss _ _ <<<"$(stats "$file" 3 1)"
    read -r pss _ _ <<<"$(stats "$file" 4 1)"
    printf '| %-10s | %-24s | %-24s | %9.1f | %9.1f | %4d |\n' "$name" "$mm / $mn / $mx" "$pm / $pn / $px" \
        "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')" "$(awk -v k="$pss" 'BEGIN { print k / 1024 }')" \
        "$(wc -l <"$file")"
done
[ -s "$WORK/errors" ] && { echo "errors:"; sort -u "$WORK/errors" | head -5; }
true

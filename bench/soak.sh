#!/bin/bash
# SPDX-License-Identifier: MIT
# Soak: the program left running with its clock ticking and a calculation
# clicked every second. Its resident memory must not grow by more than 1 MiB
# after the first minute, and it must print nothing.
# Usage: bench/soak.sh BUILD_DIR [SECONDS]
set -eu
build=$(cd "${1:?build directory}" && pwd)
seconds=${2:-600}
export ARDIVO=$build/ardivo
. "$(dirname "$0")/../tests/e2e/lib.sh"
start_desktop
start_ardivo

rss_kib() { awk '/^Rss:/ { print $2 }' /proc/"$APP_PID"/smaps_rollup; }

type_into txtPesoTestina 6
type_into txtMassaBraccio 10
type_into txtPesoViti 1
type_into txtCedevolezza 20
start=$(date +%s)
baseline=""
samples="$WORK/rss"
while [ $(($(date +%s) - start)) -lt "$seconds" ]; do
    click cmdCalcolo
    elapsed=$(($(date +%s) - start))
    rss=$(rss_kib)
    echo "$elapsed $rss" >>"$samples"
    [ -z "$baseline" ] && [ "$elapsed" -ge 60 ] && baseline=$rss
    sleep 0.9
done
final=$(rss_kib)
figure=$(read_box txtRisultatoFinale)

echo
echo "Soak for $seconds s, a click a second:"
echo "  RSS at start $(head -n 1 "$samples" | cut -d' ' -f2) KiB, after 1 min ${baseline:-?} KiB, at the end $final KiB"
echo "  the figure at the end: $figure"
status=0
if [ -n "$baseline" ] && [ $((final - baseline)) -gt 1024 ]; then
    echo "FAIL: grew by $((final - baseline)) KiB after the first minute"
    status=1
else
    echo "PASS: grew by $((final - ${baseline:-$final})) KiB after the first minute (at most 1024)"
fi
if [ -s "$WORK/stderr" ] || [ -s "$WORK/stdout" ]; then
    echo "FAIL: the program printed:"
    head -n 5 "$WORK/stderr" "$WORK/stdout"
    status=1
else
    echo "PASS: nothing printed"
fi
[ "$figure" = "8.62298569829157" ] || { echo "FAIL: the figure is '$figure'"; status=1; }
exit $status

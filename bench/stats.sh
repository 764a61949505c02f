# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Median, minimum and maximum of a column of numbers, or "- - -" when there
# are none.
stats() { # FILE [COLUMN=1] [DECIMALS=3]
    sort -n -k"${2:-1}" "$1" | awk -v c="${2:-1}" -v d="${3:-3}" '{ v[NR] = $c } END {
        if (NR == 0) { print "- - -"; exit }
        f = "%." d "f %." d "f %." d "f\n"
        printf f, (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'
}

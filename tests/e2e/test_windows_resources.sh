#!/bin/bash
# SPDX-License-Identifier: MIT
# The Windows resource script, compiled by MinGW's windres and read back.
. "$(dirname "$0")/lib.sh"
resources=$(cd "$E2E/../../resources" && pwd)
cd "$resources" || exit 1
x86_64-w64-mingw32-windres --preprocessor=cpp -i ardivo.rc -O res -o "$WORK/ardivo.res"
x86_64-w64-mingw32-windres -i "$WORK/ardivo.res" -O rc -o "$WORK/back.rc"
expect() { check "$1" grep -q -F -- "$1" "$WORK/back.rc"; }
expect 'FILEVERSION 1, 0, 0, 0'
expect 'PRODUCTVERSION 1, 0, 0, 0'
expect 'BLOCK "040904b0"'
expect 'VALUE "ProductName", "Ardivo"'
expect 'VALUE "FileVersion", "1.00"'
expect 'VALUE "ProductVersion", "1.00"'
expect 'VALUE "Translation", 0x409, 1200'
# The icon: 32 x 32 and 16 x 16, 16 colours (4 bits) each.
expect '"\040\040\020\000", 1, 4,'
expect '"\020\020\020\000", 1, 4,'
finish

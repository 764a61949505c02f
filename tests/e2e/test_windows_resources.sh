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
# The manifest: run as the user who starts it, Windows 10 and 11, sharp on
# every monitor, the current common controls.
expect '1 24 /* RT_MANIFEST */'
expect 'level=""asInvoker""'
expect '<supportedOS Id=""{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}""/>'
expect '>PerMonitorV2</dpiAwareness>'
expect 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""'
# The icon: 32 x 32 and 16 x 16, 16 colours (4 bits) each.
expect '"\040\040\020\000", 1, 4,'
expect '"\020\020\020\000", 1, 4,'
finish

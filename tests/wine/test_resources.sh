#!/bin/bash
# SPDX-License-Identifier: MIT
# The resources of the built program, read back from ardivo.exe: its version
# record field by field, its manifest, and its icon at every size.
# Usage: test_resources.sh ARDIVO_EXE VERSION
ARDIVO=${1:?ardivo.exe}
version=${2:?the version, N.NN}
. "$(dirname "$0")/../e2e/lib.sh"
need binutils-mingw-w64-x86-64:x86_64-w64-mingw32-windres icoutils:wrestool icoutils:icotool
exe=$ARDIVO
work=$WORK

x86_64-w64-mingw32-windres -i "$exe" -O rc -o "$work/back.rc" || exit 1
expect() { check "$1" grep -q -F -- "$1" "$work/back.rc"; }
# Four numbers: 1.01 is 1, 1, 0, 0.
numbers="${version%.*}, $((10#${version#*.})), 0, 0"
expect "FILEVERSION $numbers"
expect "PRODUCTVERSION $numbers"
expect 'FILEOS 0x40004'
expect 'FILETYPE 0x1'
expect 'BLOCK "040904b0"'
expect 'VALUE "ProductName", "Ardivo"'
expect 'VALUE "FileDescription", "Ardivo"'
expect 'VALUE "CompanyName", "Vantrello"'
expect "VALUE \"FileVersion\", \"$version\""
expect "VALUE \"ProductVersion\", \"$version\""
expect 'VALUE "OriginalFilename", "ardivo.exe"'
expect 'VALUE "Translation", 0x409, 1200'
# The manifest: run as the user who starts it, Windows 10 and 11, sharp on
# every monitor, the current common controls; its own name and version.
expect 'level=""asInvoker""'
expect '<supportedOS Id=""{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}""/>'
expect '>PerMonitorV2</dpiAwareness>'
expect 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""'
expect "name=\"\"Vantrello.Ardivo\"\" version=\"\"${numbers//, /.}\"\""

# A program with a window and no console.
check "a Windows GUI program" sh -c "x86_64-w64-mingw32-objdump -p '$exe' | grep -q 'Subsystem.*Windows GUI'"

# The icon Explorer, the task bar and the Start menu take: the program's
# first icon group, every size in 32-bit colour.
wrestool -x --type=14 "$exe" >"$work/ardivo.ico" 2>/dev/null || true
icotool -l "$work/ardivo.ico" >"$work/sizes" 2>&1 || true
for size in 16 20 24 32 40 48 64 256; do
    check "the notes icon at $size x $size" \
        grep -q -- "--width=$size --height=$size --bit-depth=32" "$work/sizes"
done
# Drawn, not blank: the notes, dark on the light tile, are between a
# twentieth and a half of the 256 px image.
icotool -x -w 256 -o "$work/256.png" "$work/ardivo.ico" 2>/dev/null || true
dark=$(convert "$work/256.png" -background white -flatten -colorspace Gray -threshold 50% -negate \
    -format '%[fx:int(mean*100)]' info: 2>/dev/null || true)
check "the 256 px icon is drawn (${dark:-?} % dark)" test "${dark:-0}" -ge 5 -a "${dark:-100}" -le 50

finish

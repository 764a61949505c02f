#!/bin/bash
# SPDX-License-Identifier: MIT
# A later version over this one, under Wine: 1.01, made here from the same
# files less one licence, replaces 1.00 in place (one Installed-apps entry,
# and nothing of 1.00 left); 1.00 over 1.01 is refused and leaves 1.01 as
# it was; 1.00 installed twice leaves one entry.
# Usage: test_upgrade.sh FOLDER MSI   (the folder the MSI was made from)
ARDIVO=ardivo.exe
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/wine.sh"
need msitools:msiinfo
set +e
folder=${1:?the folder of 1.00}
msi100=${2:?the MSI of 1.00}
top=$(cd "$(dirname "$0")/../.." && pwd)

trap 'wine_end; cleanup' EXIT
wine_display || { echo "cannot start Xvfb" >&2; exit 1; }
wine_prefix || { echo "cannot make a Wine prefix" >&2; exit 1; }
user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
programs="$user_dir/AppData/Local/Programs/Ardivo"
dropped=licenses/MinGW/GPL-3.txt

later="$WORK/Ardivo-1.01-windows-x64"
cp -r "$folder" "$later"
rm "$later/$dropped"
SOURCE_DATE_EPOCH=1700000000 "$top/scripts/build-msi" "$later" 1.01 "$WORK/ardivo-1.01.msi" ||
    { echo "cannot make the MSI of 1.01" >&2; exit 1; }
msi101="$WORK/ardivo-1.01.msi"

# The versions of the Ardivo entries in Installed apps, one a line. Wine
# keeps a per-user product's entry with the machine's.
installed() {
    local hive
    for hive in HKCU HKLM; do
        wine64 reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
    done | tr -d '\r' | awk '/^HKEY_/ { if (name == "Ardivo") print version; name = version = "" }
        $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
        END { if (name == "Ardivo") print version }'
}
installed_is() { # installed_is VERSIONS (one a line)
    local now
    now=$(installed)
    [ "$now" = "$1" ] || { echo "  Installed apps has: ${now:-no Ardivo}" | tr '\n' ' ' >&2 && echo >&2 && return 1; }
}
install() { wine64 msiexec /i "$(windows_path "$1")" /qn; }
uninstall() { wine64 msiexec /x "$(windows_path "$1")" /qn; }

checked "1.00 installs" install "$msi100" || finish
check "Installed apps has 1.00" installed_is 1.00
check "it ships $dropped" test -f "$programs/$dropped"

check "1.01 installs over it" install "$msi101"
check "Installed apps has one entry, 1.01" installed_is 1.01
check "the program is still there" test -f "$programs/ardivo.exe"
check "nothing of 1.00 is left: not $dropped, which 1.01 does not ship" test ! -e "$programs/$dropped"

install "$msi100"
status=$?
check "1.00 over 1.01 is refused (status $status)" test "$status" -ne 0
check "and says why" sh -c "msiinfo export '$msi100' LaunchCondition | grep -q 'A later version of Ardivo is already installed.'"
check "Installed apps still has one entry, 1.01" installed_is 1.01
check "the program is still there" test -f "$programs/ardivo.exe"

check "1.01 uninstalls" uninstall "$msi101"
check "Installed apps has no Ardivo" installed_is ""
check "its folder is gone" test ! -e "$programs"

check "1.00 installs" install "$msi100"
check "1.00 installs again" install "$msi100"
check "Installed apps has one entry, 1.00" installed_is 1.00
check "1.00 uninstalls" uninstall "$msi100"
check "Installed apps has no Ardivo" installed_is ""
finish

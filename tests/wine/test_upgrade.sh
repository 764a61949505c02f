#!/bin/bash
# SPDX-License-Identifier: MIT
# A later version over this one, under Wine: this version plus 0.01 ($later
# over $now), made here from the same files less one licence, replaces this
# one in place (one Installed-apps entry, and nothing of it left); this one
# over the later is refused and leaves the later as it was; this one
# installed twice leaves one entry.
# Usage: test_upgrade.sh FOLDER MSI VERSION   (the folder the MSI was made from)
ARDIVO=ardivo.exe
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/wine.sh"
need msitools:msiinfo
set +e
folder=${1:?the folder of this version}
msi_now=${2:?the MSI of this version}
now=${3:?this version, N.NN}
later=$(printf '%d.%02d' "${now%.*}" $((10#${now#*.} + 1)))
top=$(cd "$(dirname "$0")/../.." && pwd)

trap 'wine_end; cleanup' EXIT
wine_display || { echo "cannot start Xvfb" >&2; exit 1; }
wine_prefix || { echo "cannot make a Wine prefix" >&2; exit 1; }
user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
programs="$user_dir/AppData/Local/Programs/Ardivo"
dropped=licenses/MinGW/GPL-3.txt

later_folder="$WORK/Ardivo-$later-windows-x64"
cp -r "$folder" "$later_folder"
rm "$later_folder/$dropped"
msi_later="$WORK/ardivo-$later.msi"
SOURCE_DATE_EPOCH=1700000000 "$top/scripts/build-msi" "$later_folder" "$later" "$msi_later" ||
    { echo "cannot make the MSI of $later" >&2; exit 1; }

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

checked "$now installs" install "$msi_now" || finish
check "Installed apps has $now" installed_is "$now"
check "it ships $dropped" test -f "$programs/$dropped"

check "$later installs over it" install "$msi_later"
check "Installed apps has one entry, $later" installed_is "$later"
check "the program is still there" test -f "$programs/ardivo.exe"
check "nothing of $now is left: not $dropped, which $later does not ship" test ! -e "$programs/$dropped"

install "$msi_now"
status=$?
check "$now over $later is refused (status $status)" test "$status" -ne 0
check "and says why" sh -c "msiinfo export '$msi_now' LaunchCondition | grep -q 'A later version of Ardivo is already installed.'"
check "Installed apps still has one entry, $later" installed_is "$later"
check "the program is still there" test -f "$programs/ardivo.exe"

check "$later uninstalls" uninstall "$msi_later"
check "Installed apps has no Ardivo" installed_is ""
check "its folder is gone" test ! -e "$programs"

check "$now installs" install "$msi_now"
check "$now installs again" install "$msi_now"
check "Installed apps has one entry, $now" installed_is "$now"
check "$now uninstalls" uninstall "$msi_now"
check "Installed apps has no Ardivo" installed_is ""
finish

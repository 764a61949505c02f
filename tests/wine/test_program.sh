#!/bin/bash
# SPDX-License-Identifier: MIT
# Ardivo for Windows as a user meets it, under Wine in an X server of the
# test's own with openbox: installed silently by its MSI, started from the
# Start menu, typed into and clicked with real keys and mouse, closed,
# uninstalled; then started from its zip, unpacked where the path has a
# space and non-ASCII letters.
# Usage: test_program.sh MSI ZIP
ARDIVO=ardivo.exe
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/wine.sh"
need msitools:msiinfo unzip:unzip xclip:xclip python3:python3 procps:pgrep
# Each step is a check of its own, which reports rather than ends the test.
set +e
msi=${1:?the MSI}
zip=${2:?the zip}

wine_cleanup() {
    wine_end
    cleanup
}
trap wine_cleanup EXIT
SCREEN_READER=off start_desktop
wine_prefix || { echo "cannot make a Wine prefix" >&2; exit 1; }
user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)

# What a user of this prefix has: its files and registry, as text.
inventory() { # inventory FILE
    wineserver_flush
    {
        # Windows Installer's own folders, which it keeps, less what is in them.
        (cd "$WINEPREFIX/drive_c" && find . -path ./windows/Installer -prune -o -print |
            grep -v -x '\./users/[^/]*/AppData/Roaming/Microsoft/Installer' | LC_ALL=C sort)
        grep -h -i -E "ardivo|vantrello${code:+|${code//[\{\}]/}|$packed}" "$WINEPREFIX/user.reg" \
            "$WINEPREFIX/system.reg" | sed 's/ [0-9]*$//' | LC_ALL=C sort
    } >"$1"
}
# The registry is written to its files when the Wine server ends; a new one
# serves the rest of the test.
wineserver_flush() {
    /usr/lib/wine/wineserver -k 2>/dev/null
    /usr/lib/wine/wineserver -w 2>/dev/null
    wine_server
}

ardivo_running() { pgrep -f 'ardivo\.exe' >/dev/null; }
ardivo_gone() { ! ardivo_running; }

# Waits for the window, by its title, and makes it the active one.
find_window() {
    wait_for 300 xdotool search --onlyvisible --name '^Ardivo Testina Braccio$' >/dev/null || return 1
    WIN=$(xdotool search --onlyvisible --name '^Ardivo Testina Braccio$' | head -n 1)
    activate "$WIN"
}

# The figure, read as a user would take it: clicked into, selected, copied.
# The clipboard holds a marker first, which only a copy replaces: a click
# that missed the box, or a box left empty, reads as that marker.
copied_result() {
    printf 'nothing was copied' | xclip -selection clipboard -i >/dev/null 2>&1
    click txtRisultatoFinale
    xdotool key ctrl+a ctrl+c
    local text tenths=50
    while text=$(xclip -selection clipboard -o 2>/dev/null); [ "$text" = 'nothing was copied' ]; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || break
        sleep 0.1
    done
    printf '%s' "$text"
}
result_is() { # result_is TEXT
    local text
    text=$(copied_result)
    [ "$text" = "$1" ] || { echo "  the figure copied is '${text:0:80}'" >&2 && return 1; }
}

warning_shown() { xdotool search --onlyvisible --name '^Attenzione$' >/dev/null; }

inventory "$WORK/before"

# What Windows reads before it installs: the package's summary says that it
# needs no administrator (word count bit 8), and no ALLUSERS makes it the
# user's alone.
words=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\) .*/\1/p')
check "the installer asks for no administrator rights" test $((${words:-0} & 8)) -ne 0
check "the installer installs for the user alone" sh -c "! msiinfo export '$msi' Property | grep -q '^ALLUSERS'"

# Installed as the user, silently, with no administrator.
checked "the installer installs silently" wine64 msiexec /i "$(windows_path "$msi")" /qn || finish
program=$(find "$user_dir/AppData/Local/Programs/Ardivo" -maxdepth 1 -name ardivo.exe 2>/dev/null)
check "the program is in the user's own programs folder" test -n "$program"
shortcut=$(find "$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" -name 'Ardivo.lnk' 2>/dev/null)
check "the Start menu has Ardivo" test -n "$shortcut"
wine64 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s >"$WORK/apps" 2>/dev/null
wine64 reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s >>"$WORK/apps" 2>/dev/null
wine64 reg query 'HKCU\Software\Microsoft\Installer\Products' /s >>"$WORK/apps" 2>/dev/null
for entry in 'DisplayName +REG_SZ +Ardivo' 'DisplayVersion +REG_SZ +1\.00' 'Publisher +REG_SZ +Vantrello' \
    'ProductIcon +REG_SZ +.*ardivo\.ico'; do
    check "Installed apps has $entry" grep -q -E "$entry" "$WORK/apps"
done
# Windows Installer keys the product by its code, and by that code packed.
code=$(grep -o -m 1 -E '\{[0-9A-F-]{36}\}' "$WORK/apps")
packed=$(python3 -c 'import sys; g = sys.argv[1].strip("{}").replace("-", "")
print(g[7::-1] + g[11:7:-1] + g[15:11:-1] + "".join(g[i + 1] + g[i] for i in range(16, 32, 2)))' "$code")

# Started from the Start menu, as a user starts it.
wine64 start /unix "$shortcut" >/dev/null 2>&1
checked "the Start menu entry opens the window" find_window || finish

# A whole calculation, typed with real keys: the arm's mass, the cartridge's
# weight, the screws' weight, the compliance.
for value in 10 6 1 20; do
    xdotool type --delay 20 "$value"
    xdotool key Tab
done
click cmdCalcolo
check "10, 6, 1 and 20 give 8.62298569829157" result_is 8.62298569829157

click cdmAzzeraCampi
check "Cancella Dati empties the figure" result_is 'nothing was copied'
click cmdCalcolo
if checked "four empty boxes bring the warning" wait_for 100 warning_shown; then
    activate "$(xdotool search --onlyvisible --name '^Attenzione$' | head -n 1)" && xdotool key Return
    check "the warning goes with Return" wait_for 100 sh -c '! xdotool search --onlyvisible --name "^Attenzione$"'
fi

click cdmChiudi
check "Chiudi ends the program" wait_for 100 ardivo_gone

# Closed as any window is: the window manager's close.
wine64 start /unix "$shortcut" >/dev/null 2>&1
if checked "it starts again" find_window; then
    xdotool key alt+F4
    check "closing the window ends the program" wait_for 100 ardivo_gone
fi

# Uninstalled, nothing of it is left: no file, no registry key. (A program
# left running would keep its files.)
ardivo_gone || { pkill -f 'ardivo\.exe' && wait_for 50 ardivo_gone; }
check "the installer uninstalls silently" wine64 msiexec /x "$(windows_path "$msi")" /qn
inventory "$WORK/after"
check "uninstalling leaves nothing of Ardivo's" diff "$WORK/before" "$WORK/after"

# The zip, unpacked where the path has a space and letters beyond ASCII; no
# library but its own in reach. Every DLL it carries is loaded, and all it
# loads that is not Windows' own it carries.
folder="$HOME/Programmi di prova/Ardivo è qui"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"
unpacked=$(find "$folder" -name ardivo.exe)
WINEDEBUG=-all,warn+heap,+loaddll wine64 "$unpacked" 2>"$WORK/loaded" &
from_zip=$!
if checked "the program starts from the unpacked zip" find_window; then
    click cdmChiudi
    check "and ends with Chiudi" wait_for 100 ardivo_gone
fi
wait "$from_zip"
sed -n 's/.*Loaded L"\(.*\.dll\)" at .*: native$/\1/p' "$WORK/loaded" | sed 's/.*\\//' | LC_ALL=C sort -u >"$WORK/loaded-dlls"
(cd "$(dirname "$unpacked")" && find . -name '*.dll' | sed 's|.*/||' | LC_ALL=C sort -u) >"$WORK/carried-dlls"
check "the zip carries exactly the DLLs the program loads" diff "$WORK/carried-dlls" "$WORK/loaded-dlls"
no_faults() { ! wine_faults "$1" >/dev/null; }
check "Wine saw no fault" no_faults "$WORK/loaded"
rm -rf "$HOME/Programmi di prova"
finish

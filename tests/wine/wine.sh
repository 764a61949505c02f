# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Wine for the tests: a Windows 10 prefix of the test's own in its home, which
# no dialog can hold up (no Mono or Gecko installer, no debugger on a crash),
# and Wine's checking heap, which reports memory used after it was freed.
# Wine draws Windows' windows on an X server, and makes one for every
# program: even a test without a window of its own needs one.
# Usage: . wine.sh; wine_display; wine_window_manager; wine_prefix; wine64 ...; wine_end
WINE=/usr/lib/wine/wine64
"$(dirname "${BASH_SOURCE[0]}")/../../scripts/need" "$(basename "$0")" wine64:"$WINE" wine64:/usr/lib/wine/wineserver xvfb:Xvfb \
    openbox:openbox x11-utils:xprop || exit 2
export WINEPREFIX="$HOME/wine" WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEDEBUG=${WINEDEBUG:--all,warn+heap}

# The user's short date: Italian, as the tests read it on Linux.
WINE_SHORT_DATE=dd/MM/yy
# Windows' display scaling, as its Settings set it: 96 dots per inch is 100 %.
WINE_DPI=${WINE_DPI:-96}

wine64() { "$WINE" "$@"; }

# An X server of the test's own, as DISPLAY.
wine_display() {
    local fifo
    fifo=$(mktemp -u) && mkfifo "$fifo" || return 1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    WINE_XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo"
    rm -f "$fifo"
    [ -n "$number" ] || return 1
    export DISPLAY=":$number"
}

# A window manager on that display, as Windows always has one: without one,
# Wine waits about two seconds for each window it shows to become active.
wine_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    WINE_WM_PID=$!
    local tenths=100
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
    done
}

# The Wine server, kept running until wine_end: left to itself it ends
# three seconds after its last program, and a program that starts as it
# ends may find no server.
wine_server() { mkdir -p "$WINEPREFIX" && /usr/lib/wine/wineserver --persistent; }

wine_prefix() {
    local log="$HOME/wine-prefix.log"
    {
        wine_server &&
            wine64 wineboot --init &&
            wine64 reg add 'HKCU\Software\Wine' /v Version /d win10 /f &&
            wine64 reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f &&
            wine64 reg add 'HKCU\Control Panel\International' /v sShortDate /d "$WINE_SHORT_DATE" /f &&
            wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$WINE_DPI" /f
    } >"$log" 2>&1 && rm -f "$log" && return 0
    echo "the Wine prefix was not made:" >&2
    tail -n 20 "$log" >&2
    rm -f "$log"
    return 1
}

# Wine keeps the QT_ variables of Linux from Windows programs, and passes
# WINEQT_ ones on as QT_.
wine_pass_qt_settings() {
    local name
    for name in $(compgen -e); do
        case $name in QT_*) export "WINE$name=${!name}" ;; esac
    done
}

# The Windows form of a path on this system.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# What in Wine's output tells of a fault that a Windows user could meet:
# memory used after it was freed, a crash.
wine_faults() { grep -E 'warn:heap|err:heap|Unhandled (page fault|exception)|virtual_setup_exception' "$@"; }

wine_end() {
    /usr/lib/wine/wineserver -k 2>/dev/null
    /usr/lib/wine/wineserver -w 2>/dev/null
    local pid
    for pid in ${WINE_WM_PID:-} ${WINE_XVFB_PID:-}; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    return 0
}

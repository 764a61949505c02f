#!/bin/bash
# SPDX-License-Identifier: MIT
# The README's `make run` as a newcomer meets it, on a Debian 12 made afresh
# by scripts/fresh-root: it installs what it needs, builds, and ends with
# Ardivo's window mapped on a display of the test's own (Xvfb with a cookie,
# and openbox), which a click on Chiudi then closes, ending make run with
# status 0. As it starts, another apt-get is at work in the root, holding
# dpkg's lock for half a minute, as a desktop's updater may be just after an
# installation: make run says it waits, and then goes on. With --runs N, make
# run is run N times over in the same root: the later runs find everything
# installed and built.
# Runs with an environment from an allow-list, bounds every wait and leaves
# nothing it started behind. Needs root, as scripts/fresh-root does.
# Usage: tests/fresh-root/test_make_run.sh [--runs N]
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
runs=1
if [ "${1:-}" = --runs ]; then
    runs=${2:-}
    [[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [--runs N]" >&2; exit 2; }
fi
if [ "${ARDIVO_FRESH_ROOT_TEST:-}" != 1 ]; then
    exec env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 ARDIVO_FRESH_ROOT_TEST=1 \
        ${SUDO_UID:+SUDO_UID="$SUDO_UID"} "$0" --runs "$runs"
fi
"$top/scripts/need" test_make_run.sh xvfb:Xvfb xauth:xauth openbox:openbox xdotool:xdotool x11-utils:xwininfo cmake:cmake ||
    exit 2
[ "$(id -u)" -eq 0 ] || { echo "test_make_run.sh: needs root, as scripts/fresh-root does" >&2; exit 2; }

work=$(mktemp -d)
export HOME=$work/home TMPDIR=$work/tmp
mkdir -p "$HOME" "$TMPDIR"
root_pid="" wm_pid="" xvfb_pid=""
# A process group asked to end, then killed after TENTHS tenths of a second.
# fresh-root ends everything in its root with it, then removes the root,
# which takes a while.
stop() { # stop TENTHS PID
    [ -n "$2" ] || return 0
    kill -TERM -- "-$2" 2>/dev/null
    for _ in $(seq "$1"); do kill -0 "$2" 2>/dev/null || break; sleep 0.1; done
    kill -KILL -- "-$2" 2>/dev/null
    wait "$2" 2>/dev/null
}
cleanup() {
    stop 600 "$root_pid"
    stop 50 "$wm_pid"
    stop 50 "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

wait_for() { # wait_for TENTHS COMMAND...
    local tenths=$1
    shift
    until "$@" 2>/dev/null; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
    done
}
failures=0
check() { # check WHAT COMMAND...
    local what=$1
    shift
    "$@" && echo "PASS: $what" && return 0
    echo "FAIL: $what" >&2
    failures=$((failures + 1))
    return 1
}

cookie=$(mcookie)
: >"$work/Xauthority"
xauth -q -f "$work/Xauthority" add :0 . "$cookie"
setsid Xvfb -displayfd 3 -auth "$work/Xauthority" -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")" XAUTHORITY=$work/Xauthority
xauth -q add "$DISPLAY" . "$cookie"
setsid openbox --sm-disable >"$work/wm.log" 2>&1 &
wm_pid=$!
wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "openbox did not start" >&2; exit 1; }

# Another apt-get installs a package of its own, and waits half a minute
# before dpkg starts, its lock held; make run starts once the lock is taken.
busy_apt=$(
    cat <<'BUSY'
held() {
    local lock
    lock=$(stat -c %i /var/lib/dpkg/lock-frontend 2>/dev/null) &&
        awk '$2 != "->" { print $6 }' /proc/locks | grep -q ":$lock\$"
}
sudo apt-get update -qq || exit
sudo apt-get -qq -o DPkg::Pre-Invoke::="sleep 30" install -y --no-install-recommends hello >/dev/null 2>&1 &
for tenth in $(seq 600); do held && break; sleep 0.1; done
held || { echo "the other apt-get did not take dpkg's lock" >&2; exit 1; }
for run in $(seq "$0"); do make run || exit; done
BUSY
)
command=(bash -c "$busy_apt" "$runs")
# In a process group of its own, which cleanup ends; its status goes to a file.
setsid bash -c '"$@"; echo $? >"$0.tmp" && mv "$0.tmp" "$0"' "$work/status" \
    "$top/scripts/fresh-root" --display "$DISPLAY" --xauthority "$XAUTHORITY" -- "${command[@]}" \
    >"$work/fresh-root.log" 2>&1 &
root_pid=$!

# The window's size and Chiudi's centre, from the window's own table.
cmake -DTABLE="$top/src/form/Placements.def" -DOUTPUT="$work/geometry.tsv" -P "$top/cmake/Geometry.cmake" || exit
read -r _ _ _ width height < <(grep '^frmCalcoloArdivo ' "$work/geometry.tsv")
chiudi=($(awk '$1 == "cdmChiudi" { print $2 + int($4 / 2), $3 + int($5 / 2) }' "$work/geometry.tsv"))

window() { xdotool search --all --onlyvisible --name '^Ardivo Testina Braccio$' 2>/dev/null | head -n 1; }
running() { [ ! -e "$work/status" ]; }
ended() { ! running; }
shown_or_ended() { [ -n "$(window)" ] || ended; }
for run in $(seq "$runs"); do
    # The first run makes the root, installs and builds: minutes, more on a busy machine.
    wait_for 36000 shown_or_ended
    win=$(window)
    if ! check "run $run: make run ends with Ardivo's window mapped" test -n "$win"; then
        tail -n 30 "$work/fresh-root.log" >&2
        break
    fi
    check "run $run: the window is viewable, its client area $width x $height" \
        sh -c "xwininfo -id $win | grep -q -z -E 'Width: $width.*Height: $height.*Map State: IsViewable'"
    xdotool windowactivate "$win" 2>/dev/null
    wait_for 50 sh -c "[ \"\$(xdotool getactivewindow)\" = $win ]"
    xdotool mousemove --window "$win" "${chiudi[0]}" "${chiudi[1]}" click 1
    check "run $run: Chiudi closes the window" wait_for 100 sh -c "! xwininfo -id $win >/dev/null 2>&1"
done
wait_for 1200 ended
status=$(cat "$work/status" 2>/dev/null || echo "none: still running")
check "make run ends with status 0 (status $status)" test "$status" = 0
check "make run said it waited for the other apt-get" \
    grep -q '^install-deps: apt is busy, held by apt-get (process [0-9]*): waiting' "$work/fresh-root.log"
grep '^fresh-root:' "$work/fresh-root.log"
running || root_pid=""
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"

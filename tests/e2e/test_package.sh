#!/bin/bash
# SPDX-License-Identifier: MIT
# The Debian package as a user meets it: built the Debian way, source and
# binary clean under lintian, unpacked into a scratch root, started through
# its desktop entry's Exec line, its icon and its manual page looked at.
# Usage: test_package.sh VERSION
. "$(dirname "$0")/lib.sh"
version=${1:?the version, N.NN}
top=$(cd "$(dirname "$0")/../.." && pwd)
need lintian:lintian desktop-file-utils:desktop-file-validate appstream:appstreamcli man-db:man

# Built from a clone that holds this tree's uncommitted changes too (files
# newly added to git among them), and a file that git does not track, as a
# local note or a log would lie there.
tree="$WORK/tree"
git -c safe.directory='*' clone -q "$top" "$tree"
git -c safe.directory='*' -C "$top" diff --binary HEAD | git -C "$tree" apply --index --allow-empty
echo "a note of the developer's" >"$tree/untracked-note.txt"
"$tree/scripts/build-package" "$WORK/out" >"$WORK/build.log" 2>&1 || { cat "$WORK/build.log" >&2; exit 1; }
architecture=$(dpkg --print-architecture)
deb="$WORK/out/ardivo_${version}_$architecture.deb"
changes="$WORK/out/ardivo_${version}_$architecture.changes"
check "make package writes $(basename "$deb") and its source package" test -s "$deb" -a -s "$WORK/out/ardivo_${version}.dsc"
tar -tJf "$WORK/out/ardivo_${version}.tar.xz" >"$WORK/source-files"
check "the source package holds the tracked files" grep -q -x 'ardivo/src/main.cpp' "$WORK/source-files"
check "the source package holds no untracked file" sh -c "! grep -q untracked-note '$WORK/source-files'"

# Every tag fails, whatever its kind; what lintian said is shown either way.
status=0
lintian --pedantic -I -E "$changes" >"$WORK/lintian.log" 2>"$WORK/lintian.err" || status=$?
sed 's/^/    /' "$WORK/lintian.log" "$WORK/lintian.err"
check "lintian --pedantic -I -E on source and binary: no tag (status $status)" \
    sh -c "[ $status -eq 0 ] && ! grep -q -E '^[A-Z]: ' '$WORK/lintian.log'"

fields=$(dpkg-deb -f "$deb" Package Version Depends Recommends)
has() { echo "$fields" | grep -q -E "$1"; }
ardivo_of_version() { has '^Package: ardivo$' && has "^Version: $version\$"; }
check "package ardivo, version $version" ardivo_of_version
check "depends on Qt Widgets and Qt's GUI, which brings the X11 plugin, as its libraries say" \
    has 'libqt6widgets6.*libqt6gui6|libqt6gui6.*libqt6widgets6'
check "depends on the fonts" has 'fonts-texgyre \| fonts-urw-base35'
check "recommends Qt's Wayland support" has '^Recommends: .*qt6-wayland'

root="$WORK/root"
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"
binary="$root/usr/bin/ardivo"
check "hardened: bound now" sh -c "readelf -d '$binary' | grep -q BIND_NOW"
check "hardened: position-independent" sh -c "readelf -d '$binary' | grep -q 'Flags: .*PIE'"
check "hardened: fortified calls" sh -c "readelf --dyn-syms -W '$binary' | grep -q '__[a-z]*_chk@'"
check "the copyright file is machine-readable, MIT" grep -q '^License: MIT$' "$share/doc/ardivo/copyright"
check "the README is the package's documentation" test -s "$share/doc/ardivo/README.md.gz"

entry="$share/applications/org.ardivo.Ardivo.desktop"
check "the desktop entry validates" desktop-file-validate "$entry"
check "the desktop entry names the window's class" grep -q '^StartupWMClass=Ardivo$' "$entry"
check "the desktop entry speaks English, and Italian too" \
    sh -c "grep -q '^Comment=Calculate' '$entry' && grep -q '^Comment\[it\]=Calcola' '$entry'"
metainfo="$share/metainfo/org.ardivo.Ardivo.metainfo.xml"
metainfo_clean() {
    local out
    out=$(appstreamcli validate --no-net "$metainfo") || return 1
    ! echo "$out" | grep -q -E '^[EW]:'
}
check "the metainfo validates without errors or warnings" metainfo_clean
check "the metainfo: MIT, release $version" \
    sh -c "grep -q '<project_license>MIT</project_license>' '$metainfo' && grep -q '<release version=\"$version\"' '$metainfo'"

# The icon on a dark panel and on a light one: a light plate under dark notes.
legible() { # legible PNG BACKGROUND
    local composed light dark
    composed=$(mktemp --suffix=.png) || return 1
    convert -size "$(identify -format '%wx%h' "$1")" "xc:$2" "$1" -composite "$composed" &&
        light=$(convert "$composed" -colorspace Gray -fx 'u > 0.6' -format '%[fx:mean]' info:) &&
        dark=$(convert "$composed" -colorspace Gray -fx 'u < 0.3' -format '%[fx:mean]' info:) || return 1
    awk -v l="$light" -v d="$dark" 'BEGIN { exit !(l >= 0.5 && d >= 0.05) }'
}
legible_on_both() { legible "$1" '#202020' && legible "$1" '#ffffff'; }
for size in 16 32 48 64 128; do
    icon="$share/icons/hicolor/${size}x${size}/apps/org.ardivo.Ardivo.png"
    check "a ${size} px icon" test "$(identify -format '%wx%h' "$icon")" = "${size}x${size}"
    check "the ${size} px icon reads over #202020 and #ffffff" legible_on_both "$icon"
done
check "a scalable icon" test -s "$share/icons/hicolor/scalable/apps/org.ardivo.Ardivo.svg"

page="$share/man/man1/ardivo.1.gz"
check "the manual page is installed, compressed" test -s "$page"
MANWIDTH=80 man --warnings -l "$page" >"$WORK/man.txt" 2>"$WORK/man.err"
check "the manual page renders without warnings" test ! -s "$WORK/man.err"
check "the manual page gives the 8 to 11 Hz rule and the exit status" \
    sh -c "grep -q '8 and 11 Hz' '$WORK/man.txt' && grep -q 'EXIT STATUS' '$WORK/man.txt'"

# Started as a desktop starts it: the entry's Exec line, the package's
# program first on the path.
start_desktop
command=$(sed -n 's/^Exec=//p' "$entry")
PATH="$root/usr/bin:$PATH" sh -c "exec $command" >"$WORK/stdout" 2>"$WORK/stderr" &
APP_PID=$!
if checked "started by its desktop entry ('$command'), the packaged program opens its window" \
    wait_for 100 xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' >/dev/null; then
    # shellcheck disable=SC2034 # click aims in it
    WIN=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name '^Ardivo Testina Braccio$' | head -n 1)
    calculate 6 10 1 20
    check "the packaged program computes 6/10/1/20" box_is txtRisultatoFinale 8.62298569829157
fi
finish

#!/bin/bash
# The Debian package: built, unpacked into a private root, checked as a
# desktop would read it, and its program started.
. "$(dirname "$0")/lib.sh"
: "${ARDIVO_BUILD:?set ARDIVO_BUILD to the build directory}"

cpack -G DEB --config "$ARDIVO_BUILD/CPackConfig.cmake" -B "$WORK/package" >"$WORK/cpack.log" 2>&1 \
    || { cat "$WORK/cpack.log" >&2; exit 1; }
deb=$(ls "$WORK"/package/*.deb)
fields=$(dpkg-deb -f "$deb" Package Version Depends)
check "package ardivo, version 1.00" sh -c "echo '$fields' | grep -q '^Package: ardivo$' && echo '$fields' | grep -q '^Version: 1.00$'"
check "depends on Qt Widgets, as its libraries say" sh -c "echo '$fields' | grep -q 'libqt6widgets6'"
check "depends on the X11 platform plugin and the fonts" sh -c "echo '$fields' | grep -q 'qt6-qpa-plugins' && echo '$fields' | grep -q 'fonts-texgyre | fonts-urw-base35'"

root="$WORK/root"
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"
check "the desktop entry validates" desktop-file-validate "$share/applications/org.ardivo.Ardivo.desktop"
check "the desktop entry names the window's class" grep -q '^StartupWMClass=Ardivo$' "$share/applications/org.ardivo.Ardivo.desktop"
metainfo_clean() {
    local out
    out=$(appstreamcli validate --no-net "$share/metainfo/org.ardivo.Ardivo.metainfo.xml") || return 1
    ! echo "$out" | grep -q -E '^[EW]:'
}
check "the metainfo validates without errors or warnings" metainfo_clean
check "the metainfo has release 1.00" grep -q '<release version="1.00"' "$share/metainfo/org.ardivo.Ardivo.metainfo.xml"
for size in 16 32 48 64 128; do
    check "a ${size} px icon" test "$(identify -format '%wx%h' "$share/icons/hicolor/${size}x${size}/apps/org.ardivo.Ardivo.png")" = "${size}x${size}"
done
check "a scalable icon" test -s "$share/icons/hicolor/scalable/apps/org.ardivo.Ardivo.svg"

start_desktop
# shellcheck disable=SC2034 # start_ardivo runs it
ARDIVO="$root/usr/bin/ardivo"
if start_ardivo; then pass "the packaged program opens its window"; else fail "the packaged program opens its window"; fi
finish

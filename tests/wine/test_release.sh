#!/bin/bash
# SPDX-License-Identifier: MIT
# Ardivo for Windows as a release ships it: every module in the zip stripped,
# its symbols in the symbols zip, where a crash address resolves to its
# function (and line, where there are line tables); unsigned unless a
# certificate is given; and, given a throwaway one, the program, the DLLs
# built from source and the MSI signed so that osslsigncode verifies them,
# the password never on a command line or in the output, and the same bytes
# when signed again a day later.
# Usage: test_release.sh BUILD_DIR QT_PREFIX VERSION
ARDIVO=ardivo.exe
. "$(dirname "$0")/../e2e/lib.sh"
need unzip:unzip osslsigncode:osslsigncode openssl:openssl faketime:faketime \
    binutils-mingw-w64-x86-64:x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64:x86_64-w64-mingw32-nm gdb:gdb
set +e
build=${1:?the Windows build}
qt=${2:?Qt for Windows}
top=$(cd "$(dirname "$0")/../.." && pwd)
name=Ardivo-${3:?the version}-windows-x64

mkdir "$WORK/unpacked"
unzip -q "$build/$name.zip" -d "$WORK/unpacked"
unpacked="$WORK/unpacked/$name"
(cd "$unpacked" && find . \( -name '*.exe' -o -name '*.dll' \) | LC_ALL=C sort) >"$WORK/modules"
check "the zip holds the program and its DLLs" grep -q -x './ardivo.exe' "$WORK/modules"
stripped() { ! x86_64-w64-mingw32-objdump -h "$1" | grep -q -E ' \.(z?debug|stab)'; }
while read -r module; do
    check "$module carries no debug section" stripped "$unpacked/$module"
done <"$WORK/modules"

# A crash address, resolved as a developer would, with gdb, against the
# symbols zip unpacked beside the program: by each module's debug link. Qt is
# built without line tables: its addresses resolve to functions.
unzip -q "$build/$name-symbols.zip" -d "$unpacked"
resolves() { # resolves MODULE SYMBOL FUNCTION [SOURCE] (the last two as patterns)
    local address
    address=$(x86_64-w64-mingw32-nm "$unpacked/$1.debug" | awk -v s="$2" '$2 == "T" && $3 == s { print $1 }')
    [ -n "$address" ] || { echo "  no $2 in $1.debug" >&2 && return 1; }
    address=$(printf '0x%x' $((0x$address + 1)))
    gdb -batch -nx -ex "info symbol $address" -ex "info line *$address" "$unpacked/$1" >"$WORK/resolved" 2>&1
    grep -q -E "^(.*!)?$3 \+ 1 in section \.text" "$WORK/resolved" &&
        { [ -z "${4:-}" ] || grep -q -E "^Line [0-9]+ of \"$4\"" "$WORK/resolved"; } ||
        { sed 's/^/  gdb: /' "$WORK/resolved" >&2 && return 1; }
}
check "an address in ardivo.exe resolves to its function and line" \
    resolves ardivo.exe _ZN16frmCalcoloArdivo16cmdCalcolo_ClickEv 'frmCalcoloArdivo::cmdCalcolo_Click\(\)' \
    '/ardivo/src/calc/CalculationCommand\.cpp'
check "an address in Qt6Core.dll resolves to its function" resolves Qt6Core.dll qVersion 'qVersion'
check "an address in MinGW's libstdc++ resolves to its function" \
    resolves libstdc++-6.dll _ZNSt6thread4joinEv _ZNSt6thread4joinEv

unsigned() { ! osslsigncode verify -in "$1" >/dev/null 2>&1; }
check "unsigned by default: ardivo.exe" unsigned "$unpacked/ardivo.exe"
check "unsigned by default: the MSI" unsigned "$build/$name.msi"

# A throwaway code-signing certificate, and the release signed with it.
password="throwaway-$RANDOM$RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$WORK/key.pem" -out "$WORK/cert.pem" -days 2 \
    -subj "/CN=Ardivo test signer/O=Vantrello" -addext extendedKeyUsage=codeSigning \
    -addext keyUsage=digitalSignature >/dev/null 2>&1 &&
    openssl pkcs12 -export -inkey "$WORK/key.pem" -in "$WORK/cert.pem" -out "$WORK/signer.p12" \
        -passout fd:3 3<<<"$password" || { echo "cannot make a certificate" >&2; exit 1; }
signed_build() { # signed_build DIR [faketime's offset]
    mkdir -p "$1"
    cp "$build/ardivo.exe" "$1/"
    ARDIVO_SIGN_PKCS12="$WORK/signer.p12" ARDIVO_SIGN_PASSWORD="$password" SOURCE_DATE_EPOCH=1700000000 \
        faketime -f "${2:-+0}" "$top/scripts/package-windows" "$1" "$qt" >"$1.log" 2>&1
}
# Every command line seen while it signs, to find the password in none.
signed_build "$WORK/signed" &
signing=$!
while kill -0 "$signing" 2>/dev/null; do
    cat /proc/[0-9]*/cmdline 2>/dev/null | tr '\0' ' ' >>"$WORK/command-lines"
    sleep 0.02
done
wait "$signing"
checked "package-windows builds and signs with a certificate given" test $? -eq 0 ||
    { cat "$WORK/signed.log" >&2 && finish; }
check "the password was on no command line" sh -c "! grep -q -F '$password' '$WORK/command-lines'"
check "nor in the output" sh -c "! grep -q -F '$password' '$WORK/signed.log'"

mkdir "$WORK/signed/unpacked"
unzip -q "$WORK/signed/$name.zip" -d "$WORK/signed/unpacked"
verified() { osslsigncode verify -CAfile "$WORK/cert.pem" -in "$1" >"$WORK/verify.log" 2>&1 ||
    { tail -n 5 "$WORK/verify.log" >&2 && return 1; }; }
for module in ardivo.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    imageformats/qjpeg.dll; do
    check "signed: $module verifies" verified "$WORK/signed/unpacked/$name/$module"
done
check "signed: the MSI verifies" verified "$WORK/signed/$name.msi"
check "MinGW's runtime, which is Debian's, is left as it is" unsigned "$WORK/signed/unpacked/$name/libstdc++-6.dll"

signed_build "$WORK/again" +1d
check "signed again a day later: the same zip" cmp "$WORK/signed/$name.zip" "$WORK/again/$name.zip"
check "signed again a day later: the same MSI" cmp "$WORK/signed/$name.msi" "$WORK/again/$name.msi"
finish

#!/bin/bash
# SPDX-License-Identifier: MIT
# Ardivo's page in WebKit or Firefox on an X display of the test's own, with
# a window manager, as a user's browser runs (Firefox has no WebGL headless
# here, and WebKitGTK's MiniBrowser is never headless).
# Usage: test_engines.sh ENGINE SITE
ARDIVO=${2:?usage: $0 ENGINE SITE}
. "$(dirname "$0")/../e2e/lib.sh"
case $1 in
webkit) need webkit2gtk-driver:WebKitWebDriver ;;
firefox) need firefox-esr:firefox-esr ;;
esac
need tesseract-ocr:tesseract
SCREEN_READER=off start_desktop 1280x1024x24
/usr/bin/python3 "$E2E/../web/test_engines.py" "$@"

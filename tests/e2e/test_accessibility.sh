#!/bin/bash
# SPDX-License-Identifier: MIT
# A screen reader's view of the window: every box and button named, the
# boxes filled in and Calcola pressed over AT-SPI alone.
. "$(dirname "$0")/lib.sh"
start_desktop
start_ardivo
check "read and used over AT-SPI" /usr/bin/python3 "$E2E/accessibility.py"
finish

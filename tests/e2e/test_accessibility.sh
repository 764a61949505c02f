#!/bin/bash
# A screen reader's view of the window, on a private session bus.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${ARDIVO_IN_SESSION:-}" ]; then
    ARDIVO_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
. "$(dirname "$0")/lib.sh"
start_desktop
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
ATSPI_PID=$!
trap 'kill $ATSPI_PID 2>/dev/null; cleanup' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_ardivo
if /usr/bin/python3 "$(dirname "$0")/accessibility.py" Ardivo; then
    pass "read and used over AT-SPI"
else
    fail "read and used over AT-SPI"
fi
finish

// SPDX-License-Identifier: MIT
// Without X11 no bus is published on a display.
#include "platform/SessionBus.h"

QByteArray SessionBus::publishedOnDisplay(DisplayConnection &)
{
    return {};
}

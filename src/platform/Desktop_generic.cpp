// SPDX-License-Identifier: MIT
// The desktop without X11 and fontconfig: Wayland, and what Qt does alone.
#include "platform/Desktop.h"

void Desktop::warmUpFonts() {}

void Desktop::keepOutOfTaskbar(QWidget *) {}

void Desktop::sendPixelsThroughSocket() {}

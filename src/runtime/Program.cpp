// SPDX-License-Identifier: MIT
#include "Program.h"

#include <QCoreApplication>

namespace runtime {

namespace {
bool ended = false;
}

void end()
{
    ended = true;
    // Qt's quit closes the windows before the event loop ends: where the
    // loop never returns to main(), that is what takes the window away.
    QCoreApplication::quit();
}

bool hasEnded()
{
    return ended;
}

} // namespace runtime

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
    QCoreApplication::exit(0);
}

bool hasEnded()
{
    return ended;
}

} // namespace runtime

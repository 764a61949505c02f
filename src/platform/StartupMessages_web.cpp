// SPDX-License-Identifier: MIT
// Start-up failures in a browser: on its console. Qt's WebAssembly platform
// is built into the program, so there is no plugin to miss.
#include "platform/StartupMessages.h"

#include <cstdio>

void StartupMessages::tell(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

QString StartupMessages::pluginProblem(const QByteArray &)
{
    return {};
}

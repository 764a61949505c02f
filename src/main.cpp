// SPDX-License-Identifier: MIT
#include "form/frmCalcoloArdivo.h"
#include "platform/Desktop.h"

#include <QApplication>

int main(int, char **)
{
    Desktop desktop;
    // Qt sees the program's name and nothing else of the command line, so no
    // option can load a style sheet, a plugin or another platform.
    const auto application = desktop.openApplication("ardivo");
    QApplication::setApplicationName(QStringLiteral("Ardivo"));
    QApplication::setApplicationVersion(QStringLiteral(ARDIVO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ardivo.Ardivo"));

    frmCalcoloArdivo form;
    form.start();
    return QApplication::exec();
}

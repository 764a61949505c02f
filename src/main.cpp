#include "form/WindowHints.h"
#include "form/frmCalcoloArdivo.h"

#include <QApplication>

int main(int, char **)
{
    // Qt sees the program's name and nothing else of the command line, so no
    // option can load a style sheet, a plugin or another platform.
    char name[] = "ardivo";
    char *arguments[] = {name, nullptr};
    int count = 1;
    sendPixelsThroughSocket();
    QApplication application(count, arguments);
    QApplication::setApplicationName(QStringLiteral("Ardivo"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ardivo.Ardivo"));

    frmCalcoloArdivo form;
    form.start();
    return QApplication::exec();
}

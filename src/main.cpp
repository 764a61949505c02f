#include "form/WindowHints.h"
#include "form/frmCalcoloArdivo.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <thread>

int main(int, char **)
{
    // Qt sees the program's name and nothing else of the command line, so no
    // option can load a style sheet, a plugin or another platform.
    char name[] = "ardivo";
    char *arguments[] = {name, nullptr};
    int count = 1;
    sendPixelsThroughSocket();
    // fontconfig reads its configuration and font caches, a few milliseconds,
    // on the second core while Qt connects to the display; the first text box
    // would otherwise wait for it.
    std::thread fontconfig([] { FcInit(); });
    QApplication application(count, arguments);
    fontconfig.join();
    QApplication::setApplicationName(QStringLiteral("Ardivo"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ardivo.Ardivo"));

    frmCalcoloArdivo form;
    form.start();
    return QApplication::exec();
}

// SPDX-License-Identifier: MIT
// The desktop on Windows: one windowing system, no session bus, no
// fontconfig.
#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

Desktop::Desktop()
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) {
        m_cannotOpen = cannotOpenChosen(chosen);
        return;
    }
    m_platform = "windows";
    m_cannotOpen = QStringLiteral("ardivo: cannot open the window on this Windows desktop.");
}

void Desktop::keepOutOfTaskbar(QWidget *window)
{
    // Windows gives a task-bar button to every window that has no owner: an
    // owner that is never shown keeps the window off the task bar. Qt sets
    // the owner from the transient parent each time it shows the window.
    auto *owner = new QWindow;
    owner->QObject::setParent(window); // goes with the window
    owner->create();
    window->winId();
    window->windowHandle()->setTransientParent(owner);
    // To Qt, a window with a transient parent is a secondary one, whose
    // closing ends nothing: closed, this window ends the program as the last
    // window of one without an owner does.
    QObject::connect(window->windowHandle(), &QWindow::visibleChanged, window, [](bool visible) {
        if (!visible && QGuiApplication::quitOnLastWindowClosed())
            QCoreApplication::quit();
    });
}

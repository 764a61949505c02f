// SPDX-License-Identifier: MIT
// The desktop on Windows: one windowing system, no session bus, no
// fontconfig.
#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

// MinGW-w64's GCC keeps thread_local variables in emulated TLS. When a thread
// ends, winpthreads runs its key destructors in the order the keys were
// made: the one that frees the thread's variables was made at the first use
// of any of them, and the one that runs their C++ destructors only later, so
// the destructors ran on freed memory (GCC bug 80816). Qt keeps such a
// variable for regular expressions, which its plugin look-up uses: the
// thread that decodes the pictures crashed as it ended. Registering a
// destructor before anything uses a thread_local makes the destructors' key
// first. This runs before main(), after the DLLs' own initialisers, which
// use none.
void nothing(void *) {}

} // namespace

// libstdc++'s, which Qt's DLLs use too; the C runtime linked into the program
// has one of its own.
extern "C" __declspec(dllimport) int __cxa_thread_atexit(void (*)(void *), void *, void *);

[[maybe_unused]] static const int destructorsBeforeStorage = __cxa_thread_atexit(nothing, nullptr, nullptr);

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

std::launch Desktop::backgroundLaunch()
{
    return std::launch::async;
}

void Desktop::warmUpFonts() {}

void Desktop::readyApplication() {}

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

void Desktop::sendPixelsThroughSocket() {}

// SPDX-License-Identifier: MIT
#pragma once

#include "platform/DisplayConnection.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <future>
#include <memory>
#include <thread>

class QApplication;
class QDialog;
class QWidget;

// What depends on the desktop the program runs on, in one place: the
// windowing system the window opens on, the session bus it may join, the
// window hints only X11 knows, the font configuration's warm-up, and whether
// there is a second thread at all. The rest of the program knows nothing of
// X11, Wayland, D-Bus, fontconfig, Windows or the browser.
class Desktop
{
public:
    // Readies the process before the application exists: X11 where there is
    // an X display (Xwayland's too), Wayland where there is only that, unless
    // QT_QPA_PLATFORM names a platform; the user's own runtime directory
    // where none is named; a session bus only where one can be joined
    // without starting anything; the font configuration loaded on the second
    // core meanwhile.
    Desktop();
    ~Desktop();

    Desktop(const Desktop &) = delete;
    Desktop &operator=(const Desktop &) = delete;

    // Creates the application with the program's name and nothing else of its
    // command line. Where no window can be opened, says why in one line on
    // standard error and ends the process with status 1.
    std::unique_ptr<QApplication> openApplication(const char *programName);

    // Keeps a window out of the task bar where the windowing system allows
    // it. Call before the window is first shown.
    static void keepOutOfTaskbar(QWidget *window);

    // How work meant for the second core is launched: on a thread of its own,
    // or, where there is none, when its result is first asked for.
    static std::launch backgroundLaunch();

    // Shows a modal dialog and calls `dismissed` once it is closed: inside
    // the call, where the platform can wait in a loop of the dialog's own;
    // where it cannot (the browser), from the program's loop, after the
    // call has returned.
    static void showModal(QDialog *dialog, std::function<void()> dismissed);

private:
    static void warmUpFonts();
    // What the platform adds to the application once it exists.
    static void readyApplication();
    // What to say when the platform the user named opens no window.
    static QString cannotOpenChosen(const QByteArray &platform);

    QByteArray m_platform; // asked of Qt; empty when the user's QT_QPA_PLATFORM holds
    QString m_cannotOpen;  // what to say when no window can be opened
    bool m_noDisplay = false;
    DisplayConnection m_display; // ours, until Qt has its own
    std::thread m_fontWarmUp;
    // QApplication keeps references to its argument count and vector.
    int m_argc = 0;
    std::unique_ptr<char *[]> m_argv;
};

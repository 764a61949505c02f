// SPDX-License-Identifier: MIT
#include "platform/Desktop.h"

#include "platform/SessionBus.h"
#include "platform/StartupMessages.h"

#include <QApplication>
#include <QList>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Where no runtime directory is named (su -, sudo, cron, some ssh set-ups),
// the user's own from the login manager, if it is there, theirs and private:
// Qt would otherwise make one in the temporary directory.
QByteArray ownRuntimeDirectory()
{
    const QByteArray path = "/run/user/" + QByteArray::number(::getuid());
    struct stat status;
    if (::lstat(path.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid() ||
        (status.st_mode & 0777) != 0700)
        return {};
    return path;
}

} // namespace

Desktop::Desktop()
{
    const QByteArray x11Display = qgetenv("DISPLAY");
    QByteArray waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    if (waylandDisplay.isEmpty() && qgetenv("XDG_SESSION_TYPE") == "wayland")
        waylandDisplay = "wayland-0";

    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) {
        m_cannotOpen = QStringLiteral("ardivo: cannot open the window on Qt's platform \"%1\", which "
                                      "QT_QPA_PLATFORM names; unset it to let Ardivo choose.")
                           .arg(QString::fromLocal8Bit(chosen));
    } else if (!x11Display.isEmpty()) {
        // X11 first, through Xwayland on a Wayland desktop too: only there
        // does the window get its fixed frame, its place in the middle of the
        // screen and no task-bar button.
        m_platform = waylandDisplay.isEmpty() ? "xcb" : "xcb;wayland";
        m_cannotOpen =
            QStringLiteral("ardivo: cannot open the window on the X display \"%1\"%2; check that "
                           "it is running and yours to use (over ssh, connect with ssh -X).")
                .arg(QString::fromLocal8Bit(x11Display),
                     waylandDisplay.isEmpty() ? QString()
                                              : QStringLiteral(" nor on the Wayland display \"%1\"")
                                                    .arg(QString::fromLocal8Bit(waylandDisplay)));
    } else if (!waylandDisplay.isEmpty()) {
        m_platform = "wayland";
        m_cannotOpen = QStringLiteral("ardivo: cannot open the window on the Wayland display \"%1\"; check "
                                      "that the compositor is running and yours to use.")
                           .arg(QString::fromLocal8Bit(waylandDisplay));
    } else {
        m_cannotOpen = QStringLiteral("ardivo: no display to open the window on: neither DISPLAY nor "
                                      "WAYLAND_DISPLAY is set; start Ardivo from a desktop session, or over "
                                      "ssh with X forwarding (ssh -X).");
        m_noDisplay = true;
        return;
    }

    if (qgetenv("XDG_RUNTIME_DIR").isEmpty()) {
        if (const QByteArray own = ownRuntimeDirectory(); !own.isEmpty())
            qputenv("XDG_RUNTIME_DIR", own);
    }
    // Set always, so that libdbus looks for no bus of its own.
    const bool onX11 = !x11Display.isEmpty() && (chosen.isEmpty() || chosen.contains("xcb"));
    qputenv("DBUS_SESSION_BUS_ADDRESS",
            SessionBus::address(qgetenv("DBUS_SESSION_BUS_ADDRESS"), qgetenv("XDG_RUNTIME_DIR"),
                                onX11 ? &m_display : nullptr));

    sendPixelsThroughSocket();
    // fontconfig reads its configuration and caches, a few milliseconds, while
    // Qt connects to the display; the first text box would otherwise wait.
    m_fontWarmUp = std::thread(&Desktop::warmUpFonts);
}

Desktop::~Desktop()
{
    if (m_fontWarmUp.joinable())
        m_fontWarmUp.join();
}

std::unique_ptr<QApplication> Desktop::openApplication(const char *programName)
{
    if (m_noDisplay) {
        std::fprintf(stderr, "%s\n", qPrintable(m_cannotOpen));
        std::exit(1);
    }
    QList<const char *> arguments{programName};
    if (!m_platform.isEmpty())
        arguments << "-platform" << m_platform.constData();
    m_argc = int(arguments.size());
    m_argv = std::make_unique<char *[]>(arguments.size() + 1);
    for (qsizetype i = 0; i < arguments.size(); ++i)
        m_argv[i] = const_cast<char *>(arguments[i]);

    std::unique_ptr<QApplication> application;
    {
        const QByteArray platforms = m_platform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : m_platform;
        const StartupMessages held(platforms.split(';'), m_cannotOpen);
        application = std::make_unique<QApplication>(m_argc, m_argv.get());
    }
    m_display.close();

    if (m_fontWarmUp.joinable())
        m_fontWarmUp.join();
    return application;
}

// SPDX-License-Identifier: MIT
// The windowing system, runtime directory and session bus on Linux and
// other Unix systems.
#include "platform/Desktop.h"

#include "platform/SessionBus.h"

#include <sys/stat.h>
#include <unistd.h>

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
        m_cannotOpen = cannotOpenChosen(chosen);
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

    // fontconfig reads its configuration and caches, a few milliseconds, while
    // Qt connects to the display; the first text box would otherwise wait.
    m_fontWarmUp = std::thread(&Desktop::warmUpFonts);
}

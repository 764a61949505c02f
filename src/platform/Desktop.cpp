// SPDX-License-Identifier: MIT
#include "platform/Desktop.h"

#include <QApplication>
#include <QList>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// The messages Qt gives while it opens its windowing system are held back:
// where it fails they give way to one line of ours, where it succeeds they
// are passed on as they came. Qt's X11 event reader thread may give some too.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::mutex heldMessagesMutex;
QList<HeldMessage> heldMessages;
QString cannotOpenLine;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(cannotOpenLine));
        std::_Exit(1);
    }
    const std::lock_guard lock(heldMessagesMutex);
    heldMessages.append({type, context.category, text});
}

bool isSocket(const QByteArray &path)
{
    struct stat status;
    return ::stat(path.constData(), &status) == 0 && S_ISSOCK(status.st_mode);
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
                                      "that the compositor is running and that Qt's Wayland support "
                                      "(package qt6-wayland) is installed.")
                           .arg(QString::fromLocal8Bit(waylandDisplay));
    } else {
        m_cannotOpen = QStringLiteral("ardivo: no display to open the window on: neither DISPLAY nor "
                                      "WAYLAND_DISPLAY is set; start Ardivo from a desktop session, or over "
                                      "ssh with X forwarding (ssh -X).");
        m_noDisplay = true;
        return;
    }

    // A program that finds no session bus has libdbus start one (dbus-launch),
    // which outlives it and leaves its address in the home directory. Ardivo
    // joins a bus that is already there, and otherwise does without: screen
    // readers, which need the bus, cannot be running without one either.
    if (qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty() && !isSocket(qgetenv("XDG_RUNTIME_DIR") + "/bus")) {
        const bool onX11 = !x11Display.isEmpty() && (chosen.isEmpty() || chosen.contains("xcb"));
        const QByteArray published = onX11 ? busPublishedOnDisplay() : QByteArray();
        qputenv("DBUS_SESSION_BUS_ADDRESS", published.isEmpty() ? QByteArray("disabled:") : published);
    }

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

    cannotOpenLine = m_cannotOpen;
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(m_argc, m_argv.get());
    qInstallMessageHandler(previous);
    QList<HeldMessage> held;
    {
        const std::lock_guard lock(heldMessagesMutex);
        held.swap(heldMessages);
    }
    for (const HeldMessage &message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }

    if (m_fontWarmUp.joinable())
        m_fontWarmUp.join();
    return application;
}

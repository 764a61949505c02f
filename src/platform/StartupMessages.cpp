// SPDX-License-Identifier: MIT
#include "platform/StartupMessages.h"

#include <QList>

#include <cstdlib>
#include <mutex>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Qt's X11 event thread may give messages too, so every field is guarded.
struct Holding
{
    std::mutex mutex;
    bool active = false;
    bool failing = false; // our one line is on its way; anything else is dropped
    QtMessageHandler previous = nullptr;
    QList<HeldMessage> messages;
    QByteArrayList platforms;
    QString cannotOpen;
};
Holding holding;

// With no runtime directory named, Qt makes one of its own in the temporary
// directory and says so: nothing the user of a calculator can act on.
bool isRuntimeDirectoryNotice(const QString &text)
{
    return text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

// Qt's first word on why it failed: its first warning, or else what it said
// last; on one line, of a bounded length.
QString qtReason(const QList<HeldMessage> &messages, const QString &last)
{
    QString reason = last;
    for (const HeldMessage &message : messages) {
        if (message.type == QtWarningMsg || message.type == QtCriticalMsg) {
            reason = message.text;
            break;
        }
    }
    reason = reason.section(QLatin1Char('\n'), 0, 0);
    constexpr qsizetype longest = 240;
    if (reason.size() > longest)
        reason = reason.first(longest) + QStringLiteral("…");
    return reason;
}

// What the environment handed over (a display's name, for one) may hold
// line breaks and other control characters.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return text;
}

void hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    std::unique_lock lock(holding.mutex);
    if (holding.failing)
        return;
    if (!holding.active) {
        const QtMessageHandler previous = holding.previous;
        lock.unlock();
        previous(type, context, text);
        return;
    }
    if (type == QtFatalMsg) {
        // Looking at the plugin may give messages of its own: not under the lock.
        holding.failing = true;
        const QByteArrayList platforms = holding.platforms;
        const QString cannotOpen = holding.cannotOpen + QLatin1String(" (Qt: ") +
                                   qtReason(holding.messages, text) + QLatin1Char(')');
        lock.unlock();
        QString line = platforms.isEmpty() ? QString() : StartupMessages::pluginProblem(platforms.first());
        if (line.isEmpty())
            line = cannotOpen;
        StartupMessages::tell(oneLine(line));
        std::_Exit(1);
    }
    if (!isRuntimeDirectoryNotice(text))
        holding.messages.append({type, context.category, text});
}

} // namespace

StartupMessages::StartupMessages(const QByteArrayList &platforms, const QString &cannotOpen)
{
    const std::lock_guard lock(holding.mutex);
    holding.platforms = platforms;
    holding.cannotOpen = cannotOpen;
    holding.active = true;
    holding.previous = qInstallMessageHandler(hold);
}

StartupMessages::~StartupMessages()
{
    // Under the lock, so that a message given meanwhile waits for those
    // before it to be passed on, and then follows them.
    const std::lock_guard lock(holding.mutex);
    qInstallMessageHandler(holding.previous);
    for (const HeldMessage &message : std::as_const(holding.messages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    holding.messages.clear();
    holding.active = false;
}

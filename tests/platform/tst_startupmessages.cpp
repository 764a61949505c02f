// SPDX-License-Identifier: MIT
#include "platform/StartupMessages.h"

#include <QStringList>
#include <QTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

class tst_StartupMessages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void heldUntilReleasedThenPassedOnInOrder();
    void noMessageLostWhileAnotherThreadWrites();

private:
    QtMessageHandler m_testHandler = nullptr;
};

namespace {

// What reached the handler that was there before.
std::mutex seenMutex;
QStringList seen;
std::atomic<int> seenCount = 0;

void record(QtMsgType, const QMessageLogContext &, const QString &text)
{
    const std::lock_guard lock(seenMutex);
    seen << text;
    ++seenCount;
}

} // namespace

void tst_StartupMessages::init()
{
    seen.clear();
    seenCount = 0;
    m_testHandler = qInstallMessageHandler(record);
}

void tst_StartupMessages::cleanup()
{
    qInstallMessageHandler(m_testHandler);
}

void tst_StartupMessages::heldUntilReleasedThenPassedOnInOrder()
{
    {
        const StartupMessages held({"xcb"}, QString());
        qWarning("first");
        qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-user'");
        qInfo("second");
        QCOMPARE(seen, QStringList());
    }
    QCOMPARE(seen, QStringList({"first", "second"}));
    qWarning("after");
    QCOMPARE(seen.last(), "after");
}

void tst_StartupMessages::noMessageLostWhileAnotherThreadWrites()
{
    // As Qt's X11 event thread may write while the application is being made.
    constexpr int total = 20'000;
    std::atomic<int> sent = 0;
    auto held = std::make_unique<StartupMessages>(QByteArrayList{"xcb"}, QString());
    std::thread writer([&] {
        for (int i = 0; i < total; ++i) {
            qWarning("from the other thread");
            ++sent;
        }
    });
    while (sent < total / 10)
        std::this_thread::yield();
    held.reset();
    writer.join();
    QCOMPARE(seenCount.load(), total);
}

QTEST_GUILESS_MAIN(tst_StartupMessages)
#include "tst_startupmessages.moc"

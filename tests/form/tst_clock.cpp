// SPDX-License-Identifier: MIT
#include "FormTest.h"

#include "clock/ClockTimer.h"

#include <QDeadlineTimer>
#include <QSignalSpy>

#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#else // where valgrind does not run
#define RUNNING_ON_VALGRIND 0
#endif

class tst_Clock : public WindowTestCase
{
    Q_OBJECT

private slots:
    void loadFillsBothLabelsBeforeShowing();
    void tickWritesTheTime();
    void tickCrossingMidnightWritesTheNewDate();
    void labelsGrowToTheRight();
    void clockRunsWhileTheWarningIsShown();
    void ticksFollowTheSecondBoundary();
};

namespace {

void tick(FormUnderTest &t)
{
    emit t.control<ClockTimer>("tmTempo")->timeout();
}

} // namespace

void tst_Clock::loadFillsBothLabelsBeforeShowing()
{
    FormUnderTest t;
    QString dateAtShow, timeAtShow;
    // The first Show event comes after Load and before any tick.
    struct ShowWatcher : QObject
    {
        std::function<void()> onShow;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Show && onShow) {
                onShow();
                onShow = nullptr;
            }
            return false;
        }
    } watcher;
    watcher.onShow = [&] {
        dateAtShow = t.caption("lblData");
        timeAtShow = t.caption("lblTime");
    };
    t.form.installEventFilter(&watcher);
    t.form.start();
    QCOMPARE(dateAtShow, "07/12/26");
    QCOMPARE(timeAtShow, "09:05:03");
}

void tst_Clock::tickWritesTheTime()
{
    FormUnderTest t;
    QVERIFY(t.start());
    t.now = t.now.addSecs(1);
    tick(t);
    QCOMPARE(t.caption("lblTime"), "09:05:04");

    // Every tick writes the caption, whatever it held.
    t.control<QLabel>("lblTime")->setText("stale");
    tick(t);
    QCOMPARE(t.caption("lblTime"), "09:05:04");
    QCOMPARE(t.caption("lblData"), "07/12/26");
}

void tst_Clock::tickCrossingMidnightWritesTheNewDate()
{
    FormUnderTest t;
    t.now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 500));
    QVERIFY(t.start());
    QCOMPARE(t.caption("lblData"), "31/12/26");

    t.now = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 1));
    tick(t);
    QCOMPARE(t.caption("lblTime"), "00:00:00");
    QCOMPARE(t.caption("lblData"), "01/01/27");
}

void tst_Clock::labelsGrowToTheRight()
{
    FormUnderTest t;
    QVERIFY(t.start());
    for (const auto &[name, left] : {std::pair{"lblData", 48}, std::pair{"lblTime", 144}}) {
        auto *label = t.control<QLabel>(name);
        QCOMPARE(label->x(), left);
        QCOMPARE(label->y(), 0);
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->height() >= label->sizeHint().height());
    }
    QVERIFY2(t.control("lblData")->geometry().right() < t.control("lblTime")->x(),
             qPrintable(QString::number(t.control("lblData")->geometry().right())));
}

void tst_Clock::clockRunsWhileTheWarningIsShown()
{
    FormUnderTest t;
    QVERIFY(t.start());
    t.now = t.now.addSecs(5);
    QString timeDuringWarning;
    const auto seen = answerNextMessageBox(1100, [&] { timeDuringWarning = t.caption("lblTime"); });
    t.click("cmdCalcolo");
    QVERIFY(seen->waitForAnswer());
    QCOMPARE(seen->count, 1);
    QCOMPARE(timeDuringWarning, "09:05:08");
}

void tst_Clock::ticksFollowTheSecondBoundary()
{
    // On the real clock: one tick a second, each landing just after the
    // boundary, so that the time it writes is the new second's, never the
    // last one's a moment before the boundary, and never late.
    ClockTimer timer;
    QList<QDateTime> ticks;
    connect(&timer, &ClockTimer::timeout, [&] { ticks << QDateTime::currentDateTimeUtc(); });
    // Waited for in an event loop, which gives a browser its turn to run
    // the timer: QTRY's sleeps do not.
    QSignalSpy timeouts(&timer, &ClockTimer::timeout);
    timer.start();
    const QDeadlineTimer bound(RUNNING_ON_VALGRIND ? 20'000 : 3500);
    while (ticks.size() < 3 && timeouts.wait(int(bound.remainingTime()))) {
    }
    QCOMPARE(ticks.size(), 3);
    if (RUNNING_ON_VALGRIND)
        QSKIP("The ticks ran; under valgrind when they land says nothing of the program");
    for (qsizetype i = 0; i < ticks.size(); ++i) {
        QVERIFY2(ticks[i].time().msec() < 250, qPrintable(ticks[i].toString(Qt::ISODateWithMs)));
        if (i > 0)
            QCOMPARE(ticks[i].toSecsSinceEpoch() - ticks[i - 1].toSecsSinceEpoch(), 1);
    }
}

QTEST_MAIN(tst_Clock)
#include "tst_clock.moc"

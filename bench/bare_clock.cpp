// SPDX-License-Identifier: MIT
// The floors of the idle benchmark: Ardivo's clock, with its timer and its
// label, alone in an otherwise empty window; with --timer-only the label is
// never written, so that Qt's own wake-up can be told from the repaint.
#include "clock/ClockTimer.h"
#include "runtime/DateTime.h"

#include <QApplication>
#include <QLabel>
#include <QTime>

int main(int argc, char *argv[])
{
    // Pixels through the X server's socket, as Ardivo sends them.
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication application(argc, argv);
    const bool timerOnly = QApplication::arguments().contains(QStringLiteral("--timer-only"));
    QLabel clock;
    clock.setWindowTitle(QStringLiteral("bare Qt clock"));
    clock.resize(200, 40);
    clock.show();

    ClockTimer timer;
    if (!timerOnly) {
        QObject::connect(&timer, &ClockTimer::timeout,
                         [&clock] { clock.setText(runtime::timeText(QTime::currentTime())); });
    }
    timer.start();
    return QApplication::exec();
}

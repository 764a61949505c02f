// SPDX-License-Identifier: MIT
// The peer of Ardivo's clock in the idle benchmark: a clock label refreshed by
// a plain timer that fires every millisecond, the window's interval taken
// literally.
#include "runtime/DateTime.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel clock;
    clock.setWindowTitle(QStringLiteral("plain 1 ms timer"));
    clock.resize(200, 40);
    clock.show();

    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout,
                     [&clock] { clock.setText(runtime::timeText(QTime::currentTime())); });
    timer.start(1);
    return QApplication::exec();
}

// The floor of the idle benchmark: Ardivo's clock, with its timer and its
// label, alone in an otherwise empty window.
#include "clock/ClockTimer.h"
#include "form/WindowHints.h"
#include "runtime/DateTime.h"

#include <QApplication>
#include <QLabel>
#include <QTime>

int main(int argc, char *argv[])
{
    sendPixelsThroughSocket();
    QApplication application(argc, argv);
    QLabel clock;
    clock.setWindowTitle(QStringLiteral("bare Qt clock"));
    clock.resize(200, 40);
    clock.show();

    ClockTimer timer;
    QObject::connect(&timer, &ClockTimer::timeout,
                     [&clock] { clock.setText(runtime::timeText(QTime::currentTime())); });
    timer.start();
    return QApplication::exec();
}

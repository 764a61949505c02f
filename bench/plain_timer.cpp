// The peer of Ardivo's clock in the idle benchmark: a clock label refreshed by
// a plain 1 ms timer, as the window's description has it taken literally.
#include "clock/TickLog.h"
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

    std::FILE *log = TickLog::open();
    QString shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const QString text = runtime::timeText(QTime::currentTime());
        clock.setText(text);
        // Log only the ticks that change the text, as Ardivo's ticks do.
        if (text != shown)
            TickLog::write(log);
        shown = text;
    });
    timer.start(1);
    const int status = QApplication::exec();
    TickLog::close(log);
    return status;
}

#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <cstdio>

// The window's timer. Its interval is described as 1 ms, but what its ticks
// drive is a clock of whole seconds: a tick every millisecond would wake the
// process a thousand times a second to change the text once. So the timer
// delivers only the ticks that can change what is shown, the first one after
// each second boundary of the wall clock, and re-aims at every tick, so that a
// change of the system clock, of the time zone or a suspend is caught up by the
// next second.
class ClockTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int describedInterval = 1; // milliseconds

    explicit ClockTimer(QObject *parent = nullptr);
    ~ClockTimer() override;

    void start();
    bool isActive() const { return m_timer.isActive(); }

signals:
    void timeout();

private:
    // Milliseconds from `now` to just past the next second boundary.
    static int delayToNextSecond(const QDateTime &now);
    void tick();

    QTimer m_timer;
    std::FILE *m_lagLog = nullptr;
};

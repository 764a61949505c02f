// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

// The window's timer, tmTempo. The window asks for a tick every millisecond,
// but what its ticks drive is a clock of whole seconds: a tick every
// millisecond would wake the process a thousand times a second to change the
// text once. So the timer delivers only the ticks that can change what is
// shown, the first one after each second boundary of the wall clock, and
// re-aims at every tick, so that a change of the system clock, of the time
// zone or a suspend is caught up by the next second.
class ClockTimer : public QObject
{
    Q_OBJECT

public:
    explicit ClockTimer(QObject *parent = nullptr);

    void start();
    bool isActive() const { return m_timer.isActive(); }

signals:
    void timeout();

private:
    // Milliseconds from `now` to just past the next second boundary.
    static int delayToNextSecond(const QDateTime &now);
    void tick();

    QTimer m_timer;
};

// SPDX-License-Identifier: MIT
#include "clock/ClockTimer.h"

ClockTimer::ClockTimer(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ClockTimer::tick);
}

void ClockTimer::start()
{
    // UTC: the second boundaries are the same as local time's, and reading
    // it needs no time-zone look-up.
    m_timer.start(delayToNextSecond(QDateTime::currentDateTimeUtc()));
}

int ClockTimer::delayToNextSecond(const QDateTime &now)
{
    // The clock reads whole milliseconds; one more keeps the tick from landing
    // a fraction of a millisecond before the boundary.
    return 1000 - now.time().msec() + 1;
}

void ClockTimer::tick()
{
    emit timeout();
    start();
}

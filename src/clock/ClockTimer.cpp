#include "clock/ClockTimer.h"

#include "clock/TickLog.h"

ClockTimer::ClockTimer(Clock clock, QObject *parent)
    : QObject(parent)
    , m_clock(std::move(clock))
    , m_lagLog(TickLog::open())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ClockTimer::tick);
}

ClockTimer::~ClockTimer()
{
    TickLog::close(m_lagLog);
}

void ClockTimer::start()
{
    m_timer.start(delayToNextSecond(m_clock()));
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
    TickLog::write(m_lagLog);
    m_timer.start(delayToNextSecond(m_clock()));
}

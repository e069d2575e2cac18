#include "kelvane/trial/TrialClock.h"

namespace kelvane {

TrialClock::TrialClock(Drive drive, const TimeSource *time, QObject *parent)
    : QObject(parent), m_drive(drive), m_time(time ? time : &m_ownTime)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TrialClock::onTimer);
}

void TrialClock::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    m_owedUpTo.reset();
    m_pausedAt.reset();
    if (!enabled) {
        m_timer.stop();
        return;
    }
    m_startNs = nowNs();
    m_delivered = 0;
    if (m_drive == Drive::Timer)
        scheduleNext();
}

void TrialClock::pause(qint64 atNs)
{
    if (!m_enabled || m_pausedAt)
        return;
    m_pausedAt = atNs;
    m_owedUpTo.reset();
    m_timer.stop();
}

void TrialClock::resume()
{
    if (!m_pausedAt)
        return;
    m_startNs += nowNs() - *m_pausedAt;
    m_pausedAt.reset();
    if (m_enabled && m_drive == Drive::Timer)
        scheduleNext();
}

void TrialClock::deliverDueAt(qint64 atNs)
{
    if (m_pausedAt)
        return;
    const qint64 due = ticksIn(atNs - m_startNs);
    bool first = true;
    while (m_enabled && m_delivered < due) {
        ++m_delivered;
        if (!first)
            ++m_caughtUp;
        first = false;
        Q_EMIT tick();
    }
}

void TrialClock::timeout()
{
    if (!m_enabled || m_pausedAt)
        return;
    const qint64 now = nowNs();
    // A timer may fire a little early; the tick is not due yet.
    if (ticksIn(now - m_startNs) <= m_delivered)
        return;
    ++m_timeouts;
    m_owedUpTo = now;
}

void TrialClock::deliverOwed()
{
    if (!m_owedUpTo)
        return;
    const qint64 upTo = *m_owedUpTo;
    m_owedUpTo.reset();
    deliverDueAt(upTo);
}

void TrialClock::onTimer()
{
    if (!m_enabled)
        return;
    if (m_owedUpTo)
        deliverOwed();
    else
        timeout();
    if (!m_enabled)
        return;
    if (m_owedUpTo)
        m_timer.start(HoldBackMs);
    else
        scheduleNext();
}

// Each timeout is aimed at the next tick's due time rather than an interval after the
// last one, so a late timeout shifts no later tick.
void TrialClock::scheduleNext()
{
    const qint64 waitNs = m_startNs + (m_delivered + 1) * TickNs - nowNs();
    m_timer.start(int(qMax<qint64>(0, (waitNs + NsPerMs - 1) / NsPerMs)));
}

} // namespace kelvane

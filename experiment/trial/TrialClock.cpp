#include "kelvane/trial/TrialClock.h"

namespace kelvane {

qint64 TickSchedule::owedAt(qint64 elapsedNs)
{
    const qint64 due = (elapsedNs + EarlinessNs) / IntervalNs;
    const qint64 owed = due > m_delivered ? due - m_delivered : 0;
    m_delivered += owed;
    return owed;
}

TrialClock::TrialClock(Drive drive, QObject *parent) : QObject(parent), m_drive(drive)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TrialClock::onTimeout);
}

void TrialClock::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled) {
        m_timer.stop();
        return;
    }
    m_schedule.restart();
    m_elapsed.start();
    if (m_drive == Drive::Timer)
        scheduleNext();
}

// Each timeout is aimed at the next tick's due time rather than an interval after the
// last timeout, so a late timeout shifts no later tick.
void TrialClock::scheduleNext()
{
    const qint64 waitNs = (m_schedule.delivered() + 1) * TickSchedule::IntervalNs - m_elapsed.nsecsElapsed();
    m_timer.start(int(qMax<qint64>(0, (waitNs + 999'999) / 1'000'000)));
}

void TrialClock::onTimeout()
{
    if (!m_enabled)
        return;
    ++m_timeouts;
    const qint64 owed = m_schedule.owedAt(m_elapsed.nsecsElapsed());
    // A tick may end the trial (or the run); nothing more is owed after that.
    for (qint64 i = 0; i < owed && m_enabled; ++i) {
        if (i > 0)
            ++m_caughtUp;
        Q_EMIT tick();
    }
    if (m_enabled)
        scheduleNext();
}

} // namespace kelvane

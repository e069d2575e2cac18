#pragma once
// The trial clock: a tick every 100 ms while enabled, each tick standing for exactly
// 0.1 s of the trial. The event loop may deliver a timeout late or not at all while
// the thread is busy; the clock then delivers the missing ticks at once, so that the
// number of ticks never falls behind the time that has really passed.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace kelvane {

// The arithmetic of catching up, apart from any timer so that it can be tested with
// made-up elapsed times.
class TickSchedule
{
public:
    static constexpr qint64 IntervalNs = 100'000'000;
    // A timeout that arrives this much before its due time still counts as that tick;
    // precise timers may fire a fraction of a millisecond early.
    static constexpr qint64 EarlinessNs = 5'000'000;

    void restart() { m_delivered = 0; }
    // How many ticks are owed at `elapsedNs` since the clock was enabled; counts them
    // as delivered.
    qint64 owedAt(qint64 elapsedNs);
    qint64 delivered() const { return m_delivered; }

private:
    qint64 m_delivered = 0;
};

class TrialClock : public QObject
{
    Q_OBJECT

public:
    // Manual: no timer runs; whoever owns the clock calls the tick handler itself.
    enum class Drive { Timer, Manual };

    explicit TrialClock(Drive drive = Drive::Timer, QObject *parent = nullptr);

    // Enabling starts counting afresh, as a newly enabled timer does.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    qint64 timeouts() const { return m_timeouts; }       // timeouts the event loop delivered
    qint64 caughtUpTicks() const { return m_caughtUp; }  // ticks delivered for missed timeouts

Q_SIGNALS:
    // Emitted once per tick; the handler may disable the clock, which stops any
    // ticks still owed.
    void tick();

private:
    void onTimeout();
    void scheduleNext();

    Drive m_drive;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    TickSchedule m_schedule;
    bool m_enabled = false;
    qint64 m_timeouts = 0;
    qint64 m_caughtUp = 0;
};

} // namespace kelvane

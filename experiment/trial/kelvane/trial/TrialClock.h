#pragma once
// The trial clock: a tick every 100 ms while enabled, each tick standing for exactly
// 0.1 s of the trial. Tick k falls due k x 100 ms after the clock was enabled, whenever
// the event loop gets round to it: a timeout that comes late (or not at all while the
// thread is busy) is made up for by delivering every tick owed, so the count never
// falls behind real time.
//
// Ticks are held back a moment after their timeout is handled. After a busy spell or
// a stop of the process the timeout and the subject's queued clicks are ready at once,
// and the timeout tends to be handled first; the hold-back lets those clicks through
// before the ticks, and each click first receives the ticks due before it happened
// (`deliverDueAt`). So ticks and clicks take effect in the order in which they happened.

#include "kelvane/trial/TrialTime.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace kelvane {

class TrialClock : public QObject
{
    Q_OBJECT

public:
    // Manual: no timer runs; a test calls timeout() and deliverOwed() itself.
    enum class Drive { Timer, Manual };
    // Long enough for input queued behind a late timeout to be read and handled.
    static constexpr int HoldBackMs = 30;

    // `time` must outlive the clock; without one the clock reads the monotonic clock.
    explicit TrialClock(Drive drive = Drive::Timer, const TimeSource *time = nullptr,
                        QObject *parent = nullptr);

    // Enabling starts the trial's time afresh: tick 1 falls due 100 ms from now.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    // The trial's time stands still from `atNs` until resume(): no tick falls due in
    // between, and every later tick and time comes that much later.
    void pause(qint64 atNs);
    void resume();

    qint64 nowNs() const { return m_time->nowNs(); }
    qint64 startNs() const { return m_startNs; }   // when the clock was last enabled
    qint64 delivered() const { return m_delivered; }

    // Delivers, in order, every tick that fell due at or before `atNs` and has not been
    // delivered yet. The tick handler may disable the clock, which stops the rest.
    void deliverDueAt(qint64 atNs);

    // The timer's two steps, public for the manual drive: a timeout handled now makes
    // the ticks due now owed; when the hold-back is over they are delivered.
    void timeout();
    void deliverOwed();
    bool hasOwed() const { return m_owedUpTo.has_value(); }

    qint64 timeouts() const { return m_timeouts; }       // timeouts that found ticks due
    qint64 caughtUpTicks() const { return m_caughtUp; }  // ticks delivered beyond one at a time

Q_SIGNALS:
    void tick();

private:
    void onTimer();
    void scheduleNext();

    Drive m_drive;
    TimeSource m_ownTime = TimeSource::steady();
    const TimeSource *m_time;
    QTimer m_timer;
    bool m_enabled = false;
    std::optional<qint64> m_pausedAt;
    qint64 m_startNs = 0;
    qint64 m_delivered = 0;
    std::optional<qint64> m_owedUpTo;
    qint64 m_timeouts = 0;
    qint64 m_caughtUp = 0;
};

} // namespace kelvane

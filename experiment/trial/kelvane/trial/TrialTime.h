#pragma once
// The one time line of a trial. Ticks, clicks and key presses are all placed on a
// monotonic clock: ticks by when they fall due, input by when the subject acted (the
// input event's own timestamp), never by when the thread got round to them.

#include <QtGlobal>

#include <optional>

namespace kelvane {

inline constexpr qint64 NsPerMs = 1'000'000;
inline constexpr qint64 TickNs = 100 * NsPerMs;

// Whole ticks in `elapsedNs` since the trial started: a click 1299 ms in is at tick 12.
// Negative times count as tick 0.
qint64 ticksIn(qint64 elapsedNs);

// The trial clock after `ticks` ticks, summed 0.1 at a time as the tick handler sums
// it, so that a click stamped from its own time carries the very value (and rounding)
// the clock would have held.
double clockAfterTicks(qint64 ticks);

// Monotonic nanoseconds. The steady source reads the system's monotonic clock; a
// manual one stands still until a test moves it.
class TimeSource
{
public:
    static TimeSource steady() { return TimeSource(false); }
    static TimeSource manual() { return TimeSource(true); }

    qint64 nowNs() const;
    bool isManual() const { return m_manual; }
    // Manual only: time passes.
    void advanceMs(qint64 ms) { m_manualNs += ms * NsPerMs; }

private:
    explicit TimeSource(bool manual) : m_manual(manual) {}
    bool m_manual;
    qint64 m_manualNs = 0;
};

// Places input events on the monotonic clock. The platform stamps each event in
// milliseconds of its own clock (on X11 the server's); that clock runs at the same
// rate as ours, only from another origin. Every event handled tells us an upper bound
// of that origin's offset (the event cannot have happened after it was handled); the
// smallest bound seen, that of the event handled most promptly, is the estimate.
// Events handled late therefore never pull the estimate late.
class InputEventClock
{
public:
    // An event stamped `eventMs` is being handled at `handledNs`. A timestamp of 0
    // means the event carries none and teaches nothing.
    void observe(quint64 eventMs, qint64 handledNs);
    // When the event stamped `eventMs` happened, on the monotonic clock; nothing before
    // any event has been observed, or for a timestamp of 0.
    std::optional<qint64> toMonotonicNs(quint64 eventMs) const;
    void reset();

private:
    // X servers stamp in 32 bits, which wrap after 49.7 days; a stamp far below the
    // last one has wrapped.
    qint64 unwrapped(quint64 eventMs) const;

    std::optional<qint64> m_offsetNs;
    qint64 m_lastMs = 0;
    qint64 m_wraps = 0;
};

} // namespace kelvane

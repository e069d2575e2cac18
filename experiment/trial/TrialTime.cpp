#include "kelvane/trial/TrialTime.h"

#include <chrono>

namespace kelvane {

qint64 ticksIn(qint64 elapsedNs)
{
    return elapsedNs > 0 ? elapsedNs / TickNs : 0;
}

double clockAfterTicks(qint64 ticks)
{
    double clock = 0;
    for (qint64 i = 0; i < ticks; ++i)
        clock = clock + 0.1;
    return clock;
}

qint64 TimeSource::nowNs() const
{
    if (m_manual)
        return m_manualNs;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {
constexpr qint64 Wrap32 = qint64(1) << 32;
}

qint64 InputEventClock::unwrapped(quint64 eventMs) const
{
    const auto ms = qint64(eventMs);
    if (ms >= Wrap32)
        return ms; // a platform with 64-bit stamps never wraps
    qint64 wraps = m_wraps;
    if (m_lastMs - (ms + wraps * Wrap32) > Wrap32 / 2)
        ++wraps;
    return ms + wraps * Wrap32;
}

void InputEventClock::observe(quint64 eventMs, qint64 handledNs)
{
    if (eventMs == 0)
        return;
    const qint64 ms = unwrapped(eventMs);
    if (qint64(eventMs) < Wrap32)
        m_wraps = ms / Wrap32;
    m_lastMs = qMax(m_lastMs, ms);
    const qint64 bound = handledNs - ms * NsPerMs;
    if (!m_offsetNs || bound < *m_offsetNs)
        m_offsetNs = bound;
}

std::optional<qint64> InputEventClock::toMonotonicNs(quint64 eventMs) const
{
    if (eventMs == 0 || !m_offsetNs)
        return std::nullopt;
    return unwrapped(eventMs) * NsPerMs + *m_offsetNs;
}

void InputEventClock::reset()
{
    m_offsetNs.reset();
    m_lastMs = 0;
    m_wraps = 0;
}

} // namespace kelvane

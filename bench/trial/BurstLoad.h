#pragma once
// The load the trial benchmarks run under: the main thread kept busy in bursts of 20
// to 250 ms every 700 ms, as a slow repaint or a busy machine would, about a sixth of
// the time; several bursts are long enough to swallow one or two clock timeouts.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <array>

namespace kelvane::bench {

class BurstLoad
{
public:
    BurstLoad()
    {
        m_timer.setInterval(700);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { burst(); });
    }
    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }
    std::size_t bursts() const { return m_bursts; }
    qint64 busyNs() const { return m_busyNs; }

private:
    void burst()
    {
        static constexpr std::array<int, 6> BurstMs{20, 80, 150, 250, 40, 120};
        QElapsedTimer busy;
        busy.start();
        const qint64 until = qint64(BurstMs[m_bursts++ % BurstMs.size()]) * 1'000'000;
        volatile double sink = 0;
        while (busy.nsecsElapsed() < until)
            sink = sink + 1.0;
        m_busyNs += busy.nsecsElapsed();
    }

    QTimer m_timer;
    std::size_t m_bursts = 0;
    qint64 m_busyNs = 0;
};

} // namespace kelvane::bench

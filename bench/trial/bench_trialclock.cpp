// The trial clock against a plain QTimer, both counting 100 ms ticks for a minute
// while the thread is kept busy in bursts, as a slow repaint or a busy machine would.
//
// Usage: bench_trialclock [ticks=600]

#include "BenchStats.h"
#include "BurstLoad.h"

#include "kelvane/trial/TrialClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

using namespace kelvane;
using namespace kelvane::bench;

namespace {

constexpr double NsPerMs = 1e6;

void report(const char *name, const std::vector<qint64> &times, qint64 elapsedNs, qint64 timeouts,
            qint64 caughtUp)
{
    std::vector<double> lateness;
    for (std::size_t i = 0; i < times.size(); ++i)
        lateness.push_back(double(times[i] - qint64(i + 1) * 100'000'000) / NsPerMs);
    const qint64 due = elapsedNs / 100'000'000;
    std::printf("%s\n", name);
    printSpread("lateness of each tick", spreadOf(lateness));
    std::printf("  ticks counted %lld, due by elapsed time %lld\n", qlonglong(times.size()), qlonglong(due));
    std::printf("  timeouts delivered by the event loop %lld, dropped %lld, delivered by catch-up %lld\n",
                qlonglong(timeouts), qlonglong(due - timeouts), qlonglong(caughtUp));
    std::printf("  ticks x 0.1 s - elapsed time: %+.3f s\n",
                double(times.size()) * 0.1 - double(elapsedNs) / 1e9);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int wanted = argc > 1 ? QCoreApplication::arguments().at(1).toInt() : 600;

    TrialClock clock;
    QTimer plain;
    plain.setInterval(100);
    BurstLoad bursts;

    QElapsedTimer since;
    std::vector<qint64> clockTimes;
    std::vector<qint64> plainTimes;
    clockTimes.reserve(std::size_t(wanted));
    plainTimes.reserve(std::size_t(wanted));

    QObject::connect(&clock, &TrialClock::tick, &app, [&] {
        clockTimes.push_back(since.nsecsElapsed());
        if (int(clockTimes.size()) == wanted)
            QCoreApplication::quit();
    });
    QObject::connect(&plain, &QTimer::timeout, &app, [&] { plainTimes.push_back(since.nsecsElapsed()); });

    since.start();
    clock.setEnabled(true);
    plain.start();
    bursts.start();
    app.exec();
    const qint64 elapsed = since.nsecsElapsed();

    std::printf("%d ticks of 100 ms (%.1f s), main thread busy %.1f %% of the time in %zu bursts\n\n",
                wanted, double(elapsed) / 1e9, 100.0 * double(bursts.busyNs()) / double(elapsed),
                bursts.bursts());
    report("trial clock (precise timer, catch-up, 30 ms hold-back)", clockTimes, elapsed, clock.timeouts(),
           clock.caughtUpTicks());
    std::printf("\n");
    report("plain QTimer counting its timeouts", plainTimes, elapsed, qint64(plainTimes.size()), 0);
    return 0;
}

// Recorded minus true click time under the burst load of bench_trialclock. A second
// thread plays the subject: it clicks boxes of the real trial window at random moments,
// stamping each press and release with the moment it happened, as the platform does,
// while the window's thread is busy in bursts. Compared with the true release time:
// the result file's 0.1 s time, the event log's milliseconds, and for reference the
// time at which the click was handled (what a clock read on handling would record).
//
// Usage: bench_clicktiming [seconds=60]

#include "BenchStats.h"
#include "BenchTrialSetup.h"
#include "BurstLoad.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/EventLogFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/trial/TrialScreen.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>

using namespace kelvane;
using namespace kelvane::bench;

namespace {

// The platform's input clock runs from another origin than the monotonic clock.
constexpr quint64 InputClockOriginMs = 123'456'789;

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct TrueClick
{
    int box = 0;
    qint64 pressNs = 0;
    qint64 releaseNs = 0;
    qint64 handledNs = 0;
};

void sendButton(QWidget *box, QEvent::Type type, qint64 atNs)
{
    const QPointF centre = QRectF(box->rect()).center();
    QMouseEvent event(type, centre, box->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    event.setTimestamp(InputClockOriginMs + quint64(atNs / 1'000'000));
    QApplication::sendEvent(box, &event);
}

struct LoggedClick
{
    qint64 ms = 0;
    qint64 pressMs = 0;
    double clock = 0;
};

std::vector<LoggedClick> loggedClicks(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    std::vector<LoggedClick> clicks;
    for (const QString &line : splitLines(fromWindows1252(file.readAll()))) {
        const QStringList v = line.split(u',');
        if (v.size() == 8 && v[2] == QLatin1StringView("click"))
            clicks.push_back({v[3].toLongLong(), v[6].toLongLong(), leadingNumber(v[7])});
    }
    return clicks;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QCoreApplication::arguments().at(1).toInt() : 60;

    // Three boxes; the subject alternates between the first two, never the target.
    QTemporaryDir dir;
    Program program;
    setUpOneTrial(dir, program, 3, QStringLiteral("0"), QStringLiteral("1000"));
    QSettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    store.write(QStringLiteral("Screen"), QStringLiteral("IconSize"), QStringLiteral("480"));
    NoDialogs dialogs;
    Silence target;
    Silence click;
    PointerCounter pointer;
    TrialScreen screen(program, {dialogs, store, target, click, pointer});
    screen.Form_Load();
    if (!QTest::qWaitForWindowExposed(&screen))
        qFatal("the trial window was never shown");
    screen.OK_Click();
    const qint64 trialStart = screen.Timer1->startNs();

    std::mutex mutex;
    std::vector<TrueClick> clicks;
    for (int k = 1; k <= 2; ++k) {
        QObject::connect(screen.Boxes[k], &BoxPicture::clicked, &app, [&] {
            std::lock_guard lock(mutex);
            for (TrueClick &c : clicks) {
                if (c.handledNs == 0) {
                    c.handledNs = steadyNs();
                    break;
                }
            }
        });
    }

    BurstLoad load;
    load.start();
    QPointer<TrialScreen> window(&screen);
    std::thread subject([&] {
        std::mt19937 random(20261207);
        std::uniform_int_distribution<int> pause(60, 400);
        std::uniform_int_distribution<int> hold(40, 120);
        const qint64 end = steadyNs() + qint64(seconds) * 1'000'000'000;
        int box = 1;
        while (steadyNs() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
            TrueClick c;
            c.box = box;
            c.pressNs = steadyNs();
            QMetaObject::invokeMethod(&app, [&, box, at = c.pressNs] {
                sendButton(window->Boxes[box], QEvent::MouseButtonPress, at);
            }, Qt::QueuedConnection);
            std::this_thread::sleep_for(std::chrono::milliseconds(hold(random)));
            c.releaseNs = steadyNs();
            {
                std::lock_guard lock(mutex);
                clicks.push_back(c);
            }
            QMetaObject::invokeMethod(&app, [&, box, at = c.releaseNs] {
                sendButton(window->Boxes[box], QEvent::MouseButtonRelease, at);
            }, Qt::QueuedConnection);
            box = 3 - box;
        }
        QMetaObject::invokeMethod(&app, [] { QTimer::singleShot(500, qApp, &QCoreApplication::quit); },
                                  Qt::QueuedConnection);
    });
    app.exec();
    subject.join();
    load.stop();
    const qint64 elapsed = steadyNs() - trialStart;
    screen.Form_KeyPress(27); // ends the run; the log is on disk once the window has closed

    const std::vector<LoggedClick> logged =
        loggedClicks(eventLogPath(clusterResultPath(program.ClusterFile)));
    std::vector<double> bofError, logError, pressError, handledError, handledLate;
    for (std::size_t i = 0; i < clicks.size() && i < logged.size(); ++i) {
        const double trueMs = double(clicks[i].releaseNs - trialStart) / 1e6;
        bofError.push_back(logged[i].clock * 1000.0 - trueMs);
        logError.push_back(double(logged[i].ms) - trueMs);
        pressError.push_back(double(logged[i].pressMs) - double(clicks[i].pressNs - trialStart) / 1e6);
        const qint64 handled = clicks[i].handledNs - trialStart;
        handledError.push_back(double(handled / TickNs * 100) - trueMs);
        handledLate.push_back(double(clicks[i].handledNs - clicks[i].releaseNs) / 1e6);
    }

    std::printf("%zu clicks in %.1f s on the %s platform, main thread busy %.1f %% of the time in %zu bursts\n",
                clicks.size(), double(elapsed) / 1e9, qPrintable(QGuiApplication::platformName()),
                100.0 * double(load.busyNs()) / double(elapsed), load.bursts());
    std::printf("clicks in the event log: %zu (lost: %zd)\n\n", logged.size(),
                std::ptrdiff_t(clicks.size()) - std::ptrdiff_t(logged.size()));
    std::printf("recorded minus true release time\n");
    printSpreadWithMin("result file (0.1 s ticks)", spreadOf(bofError));
    printSpreadWithMin("event log (ms)", spreadOf(logError));
    printSpreadWithMin("event log press (ms)", spreadOf(pressError));
    printSpreadWithMin("clock read on handling", spreadOf(handledError));
    std::printf("\nwait in the queue, release to handling\n");
    printSpreadWithMin("queue wait", spreadOf(handledLate));
    return logged.size() == clicks.size() ? 0 : 1;
}

// The real program under an X server, driven with real X clicks sent while its
// process is stopped (SIGSTOP ... SIGCONT), as a stall of the machine would hold it:
// does every click made before the time limit count, in its order, with its own time?
//
// Each trial has a 2 s limit and three boxes, box 3 the target. START is clicked, the
// process is stopped 0.3 s later and resumed at 2.8 s; meanwhile boxes 1, 2 and 3 are
// clicked at 0.5, 1.0 and 1.6 s. In every other trial the target click comes at 2.3 s,
// after the limit, and must not count.
//
// Usage (needs an X display and xdotool): bench_clickstall [trials=6]
//   xvfb-run -s "-screen 0 1280x1024x24" build/bin/bench_clickstall

#include "BenchStats.h"
#include "BenchTrialSetup.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/EventLogFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/model/ClusterFileWriter.h"
#include "kelvane/trial/TrialGeometry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointF>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>

using namespace kelvane;
using namespace kelvane::bench;

namespace {

constexpr int LimitMs = 2000;
constexpr int StopAtMs = 300;
constexpr int ResumeAtMs = 2800;
constexpr double IconTwips = 480;

struct PlannedClick
{
    int box = 0;
    int atMs = 0; // after START
};

// The program under test; stopped along with the benchmark when something fails.
QProcess *programUnderTest = nullptr;

[[noreturn]] void fail(const QString &why)
{
    if (programUnderTest) {
        ::kill(pid_t(programUnderTest->processId()), SIGCONT);
        programUnderTest->kill();
        programUnderTest->waitForFinished();
    }
    std::fprintf(stderr, "%s\n", qPrintable(why));
    std::exit(2);
}

// Runs xdotool; `mayFind nothing`: a search that finds no window is no failure.
QString run(const QStringList &arguments, bool mayFindNothing = false)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(10'000) || (process.exitCode() != 0 && !mayFindNothing))
        fail(QStringLiteral("xdotool %1 failed").arg(arguments.join(u' ')));
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

void clickAt(QPointF at)
{
    run({QStringLiteral("mousemove"), QString::number(qRound(at.x())), QString::number(qRound(at.y())),
         QStringLiteral("click"), QStringLiteral("1")});
}

void waitUntil(const QElapsedTimer &clock, qint64 ms)
{
    while (clock.elapsed() < ms)
        QThread::msleep(1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int trials = argc > 1 ? QCoreApplication::arguments().at(1).toInt() : 6;
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qFatal("needs an X display (run it under xvfb-run)");

    QTemporaryDir dir;
    const ClusterModel cluster = threeBoxCluster(trials, QStringLiteral("2"));
    const QString clusterFile = dir.filePath(QStringLiteral("stall.box"));
    writeClusterFile(cluster, clusterFile);

    // Where things are on this screen, by the trial window's own layout rules.
    const QStringList size = run({QStringLiteral("getdisplaygeometry")}).split(u' ');
    const double W = size.value(0).toDouble() * 15;
    const double H = size.value(1).toDouble() * 15;
    const TrialGeometry g = trialGeometry(W, H, IconTwips, 85);
    const auto boxCentre = [&](int k) {
        const BoxRecord &box = cluster.box(0, k);
        const QPointF at = boxPosition(box.Left, box.Top, g.side);
        return QPointF((g.layout.left() + at.x() + IconTwips / 2) / 15, (g.layout.top() + at.y() + IconTwips / 2) / 15);
    };
    const QPointF start(W / 2 / 15, (g.buttonTop + g.buttonHeight / 2) / 15);

    // A settings store of its own: the first-run values, icons of 480 twips.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    QProcess program;
    programUnderTest = &program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kelvane"),
                  {QStringLiteral("--run-cluster"), clusterFile});
    if (!program.waitForStarted())
        fail(QStringLiteral("kelvane did not start"));
    const pid_t pid = pid_t(program.processId());
    QElapsedTimer waited;
    waited.start();
    while (run({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                QStringLiteral("^Kelvane$")}, true).isEmpty()) {
        if (waited.elapsed() > 20'000)
            fail(QStringLiteral("the trial window never showed"));
        QThread::msleep(100);
    }
    QThread::msleep(1000);

    std::vector<std::vector<PlannedClick>> plans;
    std::vector<std::vector<double>> sentMs;
    for (int t = 0; t < trials; ++t) {
        const bool late = t % 2 == 1;
        const std::vector<PlannedClick> plan{{1, 500}, {2, 1000}, {3, late ? 2300 : 1600}};
        std::vector<double> sent;
        clickAt(start);
        QElapsedTimer sinceStart;
        sinceStart.start();
        waitUntil(sinceStart, StopAtMs);
        ::kill(pid, SIGSTOP);
        for (const PlannedClick &click : plan) {
            waitUntil(sinceStart, click.atMs);
            clickAt(boxCentre(click.box));
            sent.push_back(double(sinceStart.nsecsElapsed()) / 1e6);
        }
        waitUntil(sinceStart, ResumeAtMs);
        ::kill(pid, SIGCONT);
        QThread::msleep(900);
        plans.push_back(plan);
        sentMs.push_back(sent);
    }
    clickAt(start); // after the last trial START closes the window
    if (!program.waitForFinished(20'000))
        fail(QStringLiteral("kelvane did not end"));
    programUnderTest = nullptr;

    // What the result file and the event log say.
    QFile result(clusterResultPath(clusterFile));
    QFile log(eventLogPath(clusterResultPath(clusterFile)));
    if (!result.open(QIODevice::ReadOnly) || !log.open(QIODevice::ReadOnly))
        fail(QStringLiteral("no result file or event log"));
    const QStringList resultLines = splitLines(fromWindows1252(result.readAll())).mid(2);
    std::vector<std::vector<std::pair<int, qint64>>> loggedClicks(static_cast<std::size_t>(trials));
    for (const QString &line : splitLines(fromWindows1252(log.readAll()))) {
        const QStringList v = line.split(u',');
        if (v.size() == 8 && v[2] == QLatin1StringView("click") && v[1].toInt() < trials)
            loggedClicks[std::size_t(v[1].toInt())].push_back({v[4].toInt(), v[3].toLongLong()});
    }

    int expected = 0, lost = 0, reordered = 0, counted = 0, wrongEnd = 0;
    std::vector<double> error;
    for (int t = 0; t < trials; ++t) {
        const std::vector<PlannedClick> &plan = plans[std::size_t(t)];
        QStringList due;
        for (const PlannedClick &click : plan) {
            if (click.atMs < LimitMs)
                due.append(QString::number(click.box));
        }
        const QStringList fields = resultLines.value(t).split(u'\t');
        const QStringList order = fields.value(7).split(u' ', Qt::SkipEmptyParts);
        expected += int(due.size());
        for (const QString &box : due)
            lost += order.contains(box) ? 0 : 1;
        reordered += order == due || order.size() != due.size() ? 0 : 1;
        counted += int(order.size());
        const bool found = due.contains(QStringLiteral("3"));
        const double total = leadingNumber(fields.value(5));
        wrongEnd += found == (total < LimitMs / 1000.0) ? 0 : 1;
        const auto &logged = loggedClicks[std::size_t(t)];
        for (std::size_t i = 0; i < logged.size() && i < sentMs[std::size_t(t)].size(); ++i)
            error.push_back(double(logged[i].second) - sentMs[std::size_t(t)][i]);
        std::printf("trial %d: clicks sent %s, result file: %-8s total %-5s log ms",
                    t, qPrintable(QStringLiteral("1@%1 2@%2 3@%3").arg(plan[0].atMs).arg(plan[1].atMs).arg(plan[2].atMs)),
                    qPrintable(order.join(u' ')), qPrintable(fields.value(5).trimmed()));
        for (const auto &[box, ms] : logged)
            std::printf(" %d@%lld", box, qlonglong(ms));
        std::printf("\n");
    }
    std::printf("\n%d trials, process stopped from %d to %d ms of each\n", trials, StopAtMs, ResumeAtMs);
    std::printf("clicks before the limit: %d, recorded: %d, lost: %d, trials reordered: %d, "
                "trials ended the wrong way: %d\n", expected, counted, lost, reordered, wrongEnd);
    std::printf("event log ms minus the moment xdotool returned (after START's xdotool returned)\n");
    printSpreadWithMin("click time error", spreadOf(error));
    return lost == 0 && reordered == 0 && wrongEnd == 0 && counted == expected ? 0 : 1;
}

// Whether anything slow happens on the trial's thread during the first trial of a
// fresh process, against the second trial: the real trial window with the program's
// own pictures and sounds (the folder of this binary), its real sound players, and
// subject clicks stamped 350, 650 and 950 ms into each trial. Reported per trial: how
// long START took to handle, how long until the first box was painted, how long the
// clicks took to handle, and the times the result file recorded for them.
//
// Usage: bench_firsttrial [--evict]
//   --evict first drops the pictures, the sounds and Qt's image and multimedia plugins
//   from the page cache, as after a fresh start of the machine (a cold first run).
//   xvfb-run -s "-screen 0 1280x1024x24" build/bin/bench_firsttrial --evict

#include "BenchTrialSetup.h"

#include "kelvane/options/SettingsStore.h"
#include "kelvane/trial/TrialScreen.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace kelvane;
using namespace kelvane::bench;

namespace {

constexpr quint64 InputClockOriginMs = 55'000;

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Clean pages of these files leave the page cache; the next read goes to the disk.
int evictFiles(const QStringList &paths)
{
    int files = 0;
    for (const QString &path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
        ++files;
    }
    return files;
}

int evict(const QStringList &folders)
{
    QStringList paths;
    for (const QString &folder : folders) {
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths.append(it.next());
    }
    return evictFiles(paths);
}

void sendButton(QWidget *box, QEvent::Type type, qint64 atNs)
{
    const QPointF centre = QRectF(box->rect()).center();
    QMouseEvent event(type, centre, box->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    event.setTimestamp(InputClockOriginMs + quint64(atNs / 1'000'000));
    QApplication::sendEvent(box, &event);
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 processStart = steadyNs();
    QApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    if (QCoreApplication::arguments().contains(QStringLiteral("--evict"))) {
        const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
        std::printf("dropped %d files from the page cache\n",
                    evict({folder + QStringLiteral("/ico"), plugins + QStringLiteral("/imageformats"),
                           plugins + QStringLiteral("/multimedia")})
                        + evictFiles({folder + QStringLiteral("/sound.wav"), folder + QStringLiteral("/click.wav")}));
    }

    QTemporaryDir dir;
    Program program;
    program.ProgramFolder = folder;
    program.IconFolder = folder + QStringLiteral("/ico/");
    program.Cluster = threeBoxCluster(2, QStringLiteral("10"));
    program.ClusterFile = dir.filePath(QStringLiteral("first.box"));
    program.ClusterName = QStringLiteral("first.box");
    writeClusterFile(program.Cluster, program.ClusterFile);
    QSettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    store.write(QStringLiteral("Screen"), QStringLiteral("IconSize"), QStringLiteral("480"));
    NoDialogs dialogs;
    SoundWarnings warnings;
    QtSoundPlayer targetSound(warnings);
    QtSoundPlayer clickSound(warnings);
    PointerCounter pointer;
    TrialScreen screen(program, {dialogs, store, targetSound, clickSound, pointer});
    screen.setEscapeAsks(false); // the Esc that ends the benchmark asks nobody

    QElapsedTimer step;
    step.start();
    screen.Form_Load();
    const double loadMs = double(step.nsecsElapsed()) / 1e6;
    if (!QTest::qWaitForWindowExposed(&screen))
        qFatal("the trial window was never shown");
    std::printf("platform %s; from the process start to the start screen %.1f ms, of which the "
                "preparation (pictures, sounds) %.1f ms\n",
                qPrintable(QGuiApplication::platformName()), double(steadyNs() - processStart) / 1e6, loadMs);
    QTest::qWait(500);

    for (int trial = 0; trial < 2; ++trial) {
        bool painted = false;
        qint64 paintedNs = 0;
        step.restart();
        // START pressed as the subject presses it, an input event with its timestamp.
        const qint64 pressed = steadyNs();
        sendButton(screen.OK, QEvent::MouseButtonPress, pressed);
        sendButton(screen.OK, QEvent::MouseButtonRelease, pressed);
        const double startMs = double(step.nsecsElapsed()) / 1e6;
        const auto connection = QObject::connect(screen.Boxes.at(1), &BoxPicture::painted, &app, [&] {
            if (!painted)
                paintedNs = steadyNs();
            painted = true;
        });
        const qint64 trialStart = screen.Timer1->startNs();
        qint64 longestClickNs = 0; // clicks that leave the trial running
        qint64 endingClickNs = 0;  // the target's, which also writes the trial's end to disk
        for (const auto &[box, atMs] : {std::pair{1, 350}, std::pair{2, 650}, std::pair{3, 950}}) {
            QTimer::singleShot(atMs, &app, [&, box = box, at = trialStart + qint64(atMs) * 1'000'000] {
                const qint64 before = steadyNs();
                sendButton(screen.Boxes.at(box), QEvent::MouseButtonPress, at);
                sendButton(screen.Boxes.at(box), QEvent::MouseButtonRelease, at);
                qint64 &longest = box == 3 ? endingClickNs : longestClickNs;
                longest = qMax(longest, steadyNs() - before);
            });
        }
        if (!QTest::qWaitFor([&] { return screen.OK->isVisible(); }, 5000))
            qFatal("trial %d did not end", trial);
        QObject::disconnect(connection);
        std::printf("trial %d: START handled in %.1f ms, first box painted after %.1f ms, slowest click "
                    "handled in %.1f ms, the target's (with the trial's end written) in %.1f ms, recorded "
                    "clicks%s\n",
                    trial, startMs, painted ? double(paintedNs - pressed) / 1e6 : -1.0,
                    double(longestClickNs) / 1e6, double(endingClickNs) / 1e6,
                    qPrintable(program.Run.TimedClickOrder));
        QTest::qWait(300);
    }
    // What playing a sound costs the thread, once everything is warm.
    std::vector<double> plays;
    for (int i = 0; i < 10; ++i) {
        step.restart();
        clickSound.play();
        plays.push_back(double(step.nsecsElapsed()) / 1e6);
        QTest::qWait(100);
    }
    std::sort(plays.begin(), plays.end());
    std::printf("playing a sound from its start: median %.2f ms, slowest %.2f ms of 10\n", plays[5], plays[9]);
    screen.Form_KeyPress(27);
    return 0;
}

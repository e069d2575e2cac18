// Whether anything slow happens on the trial's thread during the first trial of a
// fresh process, against the second trial: the real trial window with the program's
// own pictures and sounds (the folder of this binary), its real sound players, and
// subject clicks stamped 300, 600 and 900 ms into each trial. Reported per trial: how
// long START took to handle, how long until the first box was painted, the longest
// the event loop stood still between START and the end of the trial, and the times
// the result file recorded for the clicks.
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

// The longest time the event loop went without running a 1 ms timer.
class Watchdog
{
public:
    Watchdog()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            const qint64 now = steadyNs();
            m_longest = qMax(m_longest, now - m_last);
            m_last = now;
        });
    }
    void restart()
    {
        m_last = steadyNs();
        m_longest = 0;
        m_timer.start();
    }
    double longestMs() const { return double(qMax(m_longest, steadyNs() - m_last)) / 1e6; }

private:
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

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

    Watchdog watchdog;
    for (int trial = 0; trial < 2; ++trial) {
        watchdog.restart();
        bool painted = false;
        qint64 paintedNs = 0;
        step.restart();
        const qint64 pressed = steadyNs();
        screen.OK_Click();
        const double startMs = double(step.nsecsElapsed()) / 1e6;
        const auto connection = QObject::connect(screen.Boxes.at(1), &BoxPicture::painted, &app, [&] {
            if (!painted)
                paintedNs = steadyNs();
            painted = true;
        });
        const qint64 trialStart = screen.Timer1->startNs();
        for (const auto &[box, atMs] : {std::pair{1, 300}, std::pair{2, 600}, std::pair{3, 900}}) {
            QTimer::singleShot(atMs, &app, [&screen, box = box, at = trialStart + qint64(atMs) * 1'000'000] {
                sendButton(screen.Boxes.at(box), QEvent::MouseButtonPress, at);
                sendButton(screen.Boxes.at(box), QEvent::MouseButtonRelease, at);
            });
        }
        if (!QTest::qWaitFor([&] { return screen.OK->isVisible(); }, 5000))
            qFatal("trial %d did not end", trial);
        QObject::disconnect(connection);
        std::printf("trial %d: START handled in %.1f ms, first box painted after %.1f ms, event loop "
                    "stood still at most %.1f ms, recorded clicks%s\n",
                    trial, startMs, painted ? double(paintedNs - pressed) / 1e6 : -1.0, watchdog.longestMs(),
                    qPrintable(program.Run.TimedClickOrder));
        QTest::qWait(300);
    }
    screen.Form_KeyPress(27);
    return 0;
}

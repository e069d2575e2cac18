// From a synthetic mouse click on a box to the end of the repaint that shows it open,
// through the real trial window.
//
// Usage: bench_clicktoscreen [clicks=500]

#include "BenchStats.h"

#include "kelvane/Dialogs.h"
#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/trial/TrialScreen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace kelvane;
using namespace kelvane::bench;

namespace {

// Any dialog during the benchmark is a fault of the set-up.
class NoDialogs final : public Dialogs
{
public:
    Answer message(const QString &, const QString &text, MessageIcon, MessageButtons, Answer) override
    {
        qFatal("unexpected message: %s", qPrintable(text));
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> openFile(const FileDialogRequest &) override { return {}; }
    std::optional<QStringList> openFiles(const FileDialogRequest &) override { return {}; }
    std::optional<QString> saveFile(const FileDialogRequest &) override { return {}; }
    std::optional<QString> chooseFolder(const FileDialogRequest &) override { return {}; }
    std::optional<ColourValue> chooseColour(ColourValue) override { return {}; }
};

class Silence final : public SoundPlayer
{
public:
    void open(const QString &) override {}
    void play() override {}
    void close() override {}
};

void writeIcon(const QString &path, const QColor &colour)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(colour);
    image.save(path, "ICO");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int clicks = argc > 1 ? QCoreApplication::arguments().at(1).toInt() : 500;

    QTemporaryDir dir;
    Program program;
    program.ProgramFolder = dir.path();
    program.IconFolder = dir.path() + QStringLiteral("/ico/");
    QDir(dir.path()).mkdir(QStringLiteral("ico"));
    writeIcon(program.iconPath(QStringLiteral("Box1.ico")), Qt::blue);
    writeIcon(program.iconPath(QStringLiteral("EmptyBox1.ico")), Qt::white);
    writeIcon(program.iconPath(QStringLiteral("Content1.ico")), Qt::red);

    // One trial of 20 boxes in a 5 x 4 grid, the last one the target, no time limit.
    constexpr int Boxes = 20;
    TrialSettings &trial = program.Cluster.Trials.front();
    trial.time = QStringLiteral("0");
    trial.CloseAfter = QStringLiteral("1000");
    trial.TargetNumberText = QString::number(Boxes);
    trial.ScreenSize = QStringLiteral("85");
    trial.ChangeColor = 0;
    trial.ChangeForeColor = 16777215;
    for (int k = 1; k <= Boxes; ++k) {
        BoxRecord &box = program.Cluster.box(0, k);
        box.BoxIconFile = QStringLiteral("Box1.ico");
        box.EmptyIconFile = QStringLiteral("EmptyBox1.ico");
        box.ContentFile = QStringLiteral("Content1.ico");
        box.Empty = k % 3 != 0 && k != Boxes;
        box.Left = qint16(500 + (k - 1) % 5 * 1300);
        box.Top = qint16(500 + (k - 1) / 5 * 1600);
    }
    program.ClusterFile = dir.filePath(QStringLiteral("bench.box"));
    program.ClusterName = QStringLiteral("bench.box");
    {
        QFile file(program.ClusterFile);
        if (!file.open(QIODevice::WriteOnly) || file.write("1\r\n") != 3)
            qFatal("cannot write the cluster file");
    }

    QSettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    store.write(QStringLiteral("Screen"), QStringLiteral("IconSize"), QStringLiteral("480"));
    NoDialogs dialogs;
    Silence target;
    Silence click;
    PointerCounter pointer;
    TrialScreen screen(program, {dialogs, store, target, click, pointer});
    screen.setClockDrive(TrialClock::Drive::Manual);
    screen.Form_Load();
    if (!QTest::qWaitForWindowExposed(&screen))
        qFatal("the trial window was never shown");
    screen.OK_Click();
    QTest::qWait(200);

    std::vector<double> times;
    times.reserve(std::size_t(clicks));
    for (int i = 0; i < clicks; ++i) {
        // Every box but the target, in turn, so that each click also closes a box.
        const int k = 1 + i % (Boxes - 1);
        BoxPicture *box = screen.Boxes.at(k);
        bool painted = false;
        const auto connection = QObject::connect(box, &BoxPicture::painted, box, [&] { painted = true; });
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(box, Qt::LeftButton);
        while (!painted && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const qint64 ns = timer.nsecsElapsed();
        QObject::disconnect(connection);
        if (!painted || !screen.boxShownOpen(k))
            qFatal("box %d was not shown open", k);
        times.push_back(double(ns) / 1e6);
    }

    std::printf("%d clicks on a trial of %d boxes, platform \"%s\", screen %d x %d\n", clicks, Boxes,
                qPrintable(QGuiApplication::platformName()), screen.width(), screen.height());
    printSpread("click to repainted box", spreadOf(times));
    return 0;
}

// From a synthetic mouse click on a box to the end of the repaint that shows it open,
// through the real trial window.
//
// Usage: bench_clicktoscreen [clicks=500]

#include "BenchStats.h"
#include "BenchTrialSetup.h"

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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int clicks = argc > 1 ? QCoreApplication::arguments().at(1).toInt() : 500;

    // One trial of 20 boxes, the last one the target, no time limit.
    constexpr int Boxes = 20;
    QTemporaryDir dir;
    Program program;
    setUpOneTrial(dir, program, Boxes, QStringLiteral("0"), QStringLiteral("1000"));

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

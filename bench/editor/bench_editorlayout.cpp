// How long the editor takes to show a layout again after a gesture: every drop and
// every tab change rebuilds the trial's box pictures from the model, loading each
// picture from the icon folder, so this is measured on full trials of 99 boxes.
//
// Usage: bench_editorlayout [moves=300] [tab changes=100]

#include "../trial/BenchStats.h"
#include "../trial/BenchTrialSetup.h"

#include "kelvane/editor/BoxSettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

using namespace kelvane;
using namespace kelvane::bench;

namespace {

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int moves = arguments.size() > 1 ? arguments[1].toInt() : 300;
    const int tabChanges = arguments.size() > 2 ? arguments[2].toInt() : 100;

    QTemporaryDir dir;
    Program program;
    program.ProgramFolder = dir.path();
    program.IconFolder = dir.path() + QStringLiteral("/ico/");
    QDir(dir.path()).mkdir(QStringLiteral("ico"));
    for (int k = 1; k <= 6; ++k) {
        if (k <= 4) {
            writeIcon(program.iconPath(QStringLiteral("Box%1.ico").arg(k)), QColor::fromHsv(k * 40, 200, 150));
            writeIcon(program.iconPath(QStringLiteral("EmptyBox%1.ico").arg(k)), QColor::fromHsv(k * 40, 60, 230));
        }
        writeIcon(program.iconPath(QStringLiteral("Content%1.ico").arg(k)), QColor::fromHsv(k * 50, 255, 255));
    }
    QSettingsStore store(dir.filePath(QStringLiteral("settings.ini")));
    NoDialogs dialogs;
    Silence target;
    Silence click;
    PointerCounter pointer;
    BoxSettings editor(program, {dialogs, store, target, click, pointer});
    editor.Form_Load();
    editor.show();

    // Two trials of 99 boxes on a grid, every third holding an object.
    for (int t = 0; t < 2; ++t) {
        if (t > 0)
            editor.AddLayout_Click();
        for (int k = 0; k < ClusterModel::MaxBoxesPerTrial; ++k) {
            editor.TrialLayout_DragDrop({DragSourceKind::ClosedBoxPicture, k % 4},
                                        {(k % 10) * 650, (k / 10) * 650});
            if (k % 3 == 0)
                editor.Boxes_DragDrop(k + 1, {DragSourceKind::ObjectPicture, k % 6}, {});
        }
    }
    QCoreApplication::processEvents();

    std::vector<double> moveTimes;
    for (int i = 0; i < moves; ++i) {
        QElapsedTimer timer;
        timer.start();
        editor.TrialLayout_DragDrop({DragSourceKind::LayoutBox, 1 + i % 99}, {(i % 20) * 300, 6400});
        QCoreApplication::processEvents();
        moveTimes.push_back(elapsedMs(timer));
    }
    std::vector<double> tabTimes;
    for (int i = 0; i < tabChanges; ++i) {
        QElapsedTimer timer;
        timer.start();
        editor.selectTrial(i % 2);
        QCoreApplication::processEvents();
        tabTimes.push_back(elapsedMs(timer));
    }

    std::printf("two trials of %d boxes, platform \"%s\"\n", editor.TrialLayout->boxCount(),
                qPrintable(QGuiApplication::platformName()));
    printSpread("box moved, layout shown again", spreadOf(moveTimes));
    printSpread("other trial's tab, layout shown", spreadOf(tabTimes));
    program.ClusterSaved = true;
    return 0;
}

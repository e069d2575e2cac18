// The editor and the experiment window together, as the program wires them.

#include "../editor/EditorFixture.h"

#include "kelvane/app/ProgramWindows.h"
#include "kelvane/runexp/RunExp.h"

#include <QAction>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

class ProgramWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void experimentWindowHidesTheEditorUntilItCloses()
    {
        EditorFixture f;
        RunExp experiment(f.program, {f.dialogs, *f.store, f.targetSound, f.clickSound, f.pointer});
        EditorHooks hooks;
        wireExperimentWindow(hooks, experiment);
        f.open(hooks);
        BoxSettings &editor = *f.window;
        QVERIFY(editor.mnuRunExperiment->isEnabled());

        for (int opening = 1; opening <= 2; ++opening) {
            f.placeBox(0, {600, 600});
            f.dialogs.answers = {Answer::No};
            editor.mnuRunExperiment->trigger();
            QVERIFY(experiment.isVisible());
            QVERIFY(!editor.isVisible());
            QCOMPARE(f.program.Cluster.CountBoxes(0), 0);

            // A run leaves its last cluster in the model and names its file.
            f.program.Cluster.Trials.resize(2);
            f.program.Cluster.box(1, 1).BoxIconFile = QStringLiteral("Box1.ico");
            f.program.ClusterFile = f.path(QStringLiteral("listed.box"));
            f.program.ClusterSaved = false;
            QVERIFY(experiment.close());
            QVERIFY(editor.isVisible());
            QCOMPARE(editor.windowTitle(), QStringLiteral("Settings"));
            QCOMPARE(f.program.Cluster.trialCount(), 1);
            QCOMPARE(f.program.Cluster.box(1, 1), BoxRecord{});
            QVERIFY(f.program.ClusterFile.isEmpty());
            QVERIFY(f.program.ClusterSaved);
            QCOMPARE(editor.Trials->count(), 1);
        }
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }
};

QTEST_MAIN(ProgramWindowsTest)
#include "tst_programwindows.moc"

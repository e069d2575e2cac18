// What the editor starts: Run Cluster with the real trial window, and the windows other
// parts of the program provide, through hooks the tests fill.

#include "EditorFixture.h"
#include "TestFiles.h"

#include "kelvane/trial/TrialScreen.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace kelvane;
using namespace kelvane::test;

namespace {

TrialScreen *shownTrialScreen()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<TrialScreen *>(widget); screen && screen->isVisible())
            return screen;
    }
    return nullptr;
}

// Closes any trial window that opens, so a run that should not have started cannot
// hang the test, and remembers that one did.
struct RunWatch
{
    RunWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            if (TrialScreen *screen = shownTrialScreen()) {
                ran = true;
                screen->close();
            }
        });
        timer.start(50);
    }
    QTimer timer;
    bool ran = false;
};

// Trial 1: box 1 empty, box 2 holding Content1.ico (the target); trial 2: box 1 holding
// Content2.ico (the target).
void twoTrials(EditorFixture &f)
{
    f.placeBox(0, {600, 600});
    f.placeBox(1, {3000, 600});
    f.dropOnBox(objectPicture(0), 2);
    f.rightClickBox(2);
    f.window->AddLayout_Click();
    f.placeBox(2, {1500, 4500});
    f.dropOnBox(objectPicture(1), 1);
    f.rightClickBox(1);
}

} // namespace

class EditorRunsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runClusterSavesFirstThenRunsInTheTrialWindow()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        twoTrials(f);
        f.dialogs.savePaths = {f.path(QStringLiteral("pilot"))};
        bool editorHidden = false;
        QTimer::singleShot(0, &w, [&] {
            TrialScreen *screen = shownTrialScreen();
            QVERIFY(screen);
            editorHidden = !w.isVisible();
            screen->OK_Click();      // trial 1
            screen->Boxes_Click(1);
            screen->Boxes_Click(2);  // the target
            screen->OK_Click();      // trial 2
            screen->Boxes_Click(1);
            screen->OK_Click();      // after the last trial: the window closes
        });
        QTest::mouseClick(w.Runtrial, Qt::LeftButton);

        QVERIFY(editorHidden);
        QVERIFY(w.isVisible());
        QVERIFY(!shownTrialScreen());
        QCOMPARE(f.program.ClusterFile, f.path(QStringLiteral("pilot.box")));
        const QByteArray results = readBytes(f.path(QStringLiteral("pilot.bof")));
        const QList<QByteArray> lines = results.split('\n');
        QCOMPARE(lines.size(), 5); // four lines, each ending in CR LF
        QCOMPARE(lines[0], readBytes(f.program.ClusterFile).replace("\r\n", ",") + '\r');
        QVERIFY(lines[2].startsWith(" 0 \tpilot.box\t 2 \t 1 \t 2 \t"));
        QVERIFY(lines[3].startsWith(" 1 \tpilot.box\t 1 \t 1 \t 1 \t"));
        QCOMPARE(f.targetSound.plays(), 2);
        QCOMPARE(f.clickSound.plays(), 1);
        QVERIFY(f.dialogs.unexpected.isEmpty());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Run Cluster"));
        QVERIFY2(f.dialogs.messages[0].text.startsWith(QStringLiteral("Clusters completed: 1 of 1\nTrials completed: 2\n"
                                                                      "Ended: complete.\n")),
                 qPrintable(f.dialogs.messages[0].text));

        // Saved and unchanged: the next run needs no save, but asks before it replaces
        // the first subject's results; No keeps them and runs nothing.
        f.dialogs.answers = {Answer::No};
        w.mnuRunCluster->trigger();
        QCOMPARE(f.dialogs.messages.size(), 2);
        QCOMPARE(f.dialogs.messages[1].text,
                 f.path(QStringLiteral("pilot.bof")) + QStringLiteral(" already exists. Would you like to overwrite it?"));
        QCOMPARE(f.dialogs.messages[1].title, QStringLiteral("Run Cluster"));
        QCOMPARE(f.dialogs.messages[1].buttons, MessageButtons::YesNo);
        QCOMPARE(f.dialogs.messages[1].defaultAnswer, Answer::No);
        QCOMPARE(readBytes(f.path(QStringLiteral("pilot.bof"))), results);

        // Yes runs it; Esc on the start screen asks, and Yes ends it there.
        f.dialogs.answers = {Answer::Yes, Answer::Yes};
        QTimer::singleShot(0, &w, [] {
            if (TrialScreen *screen = shownTrialScreen())
                screen->Form_KeyPress(27);
        });
        w.mnuRunCluster->trigger();
        QCOMPARE(f.dialogs.fileRequests.size(), 1);
        QVERIFY(w.isVisible());
        QCOMPARE(f.dialogs.messages.size(), 5);
        QCOMPARE(f.dialogs.messages[3].text, QStringLiteral("End the session?"));
        QVERIFY2(f.dialogs.messages[4].text.contains(QStringLiteral("Ended: with Esc at trial 0 of pilot.box, before it began;")),
                 qPrintable(f.dialogs.messages[4].text));
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void tryTrialShowsTheSelectedTrialAndWritesNothing()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        twoTrials(f);
        f.trial(1).ChangeColor = 255;
        w.selectTrial(1);
        const QStringList filesBefore = QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const int steps = w.history().count();
        int boxesShown = -1;
        QColor background;
        bool editorHidden = false;
        QTimer::singleShot(0, &w, [&] {
            TrialScreen *screen = shownTrialScreen();
            QVERIFY(screen);
            editorHidden = !w.isVisible();
            screen->OK_Click();
            boxesShown = int(screen->Boxes.size()) - 1;
            background = screen->palette().color(QPalette::Window);
            screen->Boxes_Click(1); // the target
            screen->OK_Click();     // after its end: back to the editor
        });
        w.tryTrialAction->trigger();
        QVERIFY(editorHidden);
        QVERIFY(w.isVisible() && !shownTrialScreen());
        QCOMPARE(boxesShown, 1);
        QCOMPARE(background, QColor(Qt::red));
        QCOMPARE(f.targetSound.plays(), 1);
        // An unsaved cluster is tried as it is: no file is asked for, none appears.
        QVERIFY(f.dialogs.fileRequests.isEmpty());
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), filesBefore);
        QVERIFY(f.program.ClusterFile.isEmpty());
        QCOMPARE(w.history().count(), steps);
        QCOMPARE(w.shownTrial(), 1);

        // Saved, and ended with Esc mid-trial: nothing beside the cluster file either,
        // and no question.
        f.dialogs.savePaths = {f.path(QStringLiteral("tried.box"))};
        QVERIFY(w.SaveCluster());
        QTimer::singleShot(0, &w, [&] {
            TrialScreen *screen = shownTrialScreen();
            QVERIFY(screen);
            screen->OK_Click();
            QTest::keyClick(screen, Qt::Key_Escape);
        });
        f.dialogs.messages.clear();
        w.tryTrialAction->trigger();
        QVERIFY(w.isVisible() && !shownTrialScreen());
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 filesBefore + QStringList{QStringLiteral("tried.box")});
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void runClusterRefusesWhatCannotRun()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        RunWatch watch;
        twoTrials(f);
        w.AddLayout_Click();
        f.placeBox(0, {0, 0});
        w.selectTrial(0);

        // Trial 3 has no target: the Part's message, and trial 3 is shown.
        w.Runtrial_Click();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("No target set"));
        QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("No target set. Please set a target in trial 3."));
        QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(w.Trials->currentIndex(), 2);
        QCOMPARE(w.shownTrial(), 2);

        // Every other problem in one message, showing the first trial it names.
        f.dropOnBox(objectPicture(2), 1);
        f.rightClickBox(1);
        QFile::remove(f.icon(QStringLiteral("Box3.ico")));
        f.trial(2).ScreenSize = QStringLiteral("150");
        w.selectTrial(0);
        f.dialogs.messages.clear();
        w.Runtrial_Click();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Run Cluster"));
        const QString text = f.dialogs.messages[0].text;
        QVERIFY2(text.contains(QStringLiteral("trial 2, box 1: the closed-box picture \"Box3.ico\" is missing")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("trial 3: the screen size \"150\" is more than 100 percent")));
        QCOMPARE(w.shownTrial(), 1);
        QVERIFY(f.dialogs.fileRequests.isEmpty());

        // A save that does not happen runs nothing and opens no other file.
        f.trial(2).ScreenSize = QStringLiteral("85");
        QFile::copy(f.icon(QStringLiteral("Box1.ico")), f.icon(QStringLiteral("Box3.ico")));
        f.dialogs.savePaths = {std::nullopt, f.path(QStringLiteral("missing-folder/c.box"))};
        w.Runtrial_Click();
        w.Runtrial_Click();
        QCOMPARE(f.dialogs.fileRequests.size(), 2);
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("Error"));
        QVERIFY(f.program.ClusterFile.isEmpty());
        QVERIFY(!watch.ran);
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void experimentWindowGetsTheEditorBackAsANewCluster()
    {
        std::function<void()> closed;
        int shown = 0;
        EditorHooks hooks;
        hooks.showExperimentWindow = [&](std::function<void()> whenClosed) {
            ++shown;
            closed = std::move(whenClosed);
        };
        EditorFixture f(hooks);
        BoxSettings &w = *f.window;
        QVERIFY(w.mnuRunExperiment->isEnabled());
        twoTrials(f);

        f.dialogs.answers = {Answer::Cancel};
        w.mnuRunExperiment->trigger();
        QCOMPARE(shown, 0);
        QVERIFY(w.isVisible());
        QCOMPARE(f.program.Cluster.trialCount(), 2);

        f.dialogs.answers = {Answer::No};
        w.mnuRunExperiment->trigger();
        QCOMPARE(shown, 1);
        QVERIFY(!w.isVisible());

        // The run loads its own clusters into the model, then the window closes.
        f.program.Cluster.Trials.resize(3);
        f.program.Cluster.box(2, 1).BoxIconFile = QStringLiteral("Box1.ico");
        f.program.ClusterFile = f.path(QStringLiteral("exp1.box"));
        f.program.ClusterName = f.program.ClusterFile;
        f.program.ClusterSaved = false;
        closed();
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Settings[*]"));
        QCOMPARE(f.program.Cluster.trialCount(), 1);
        QCOMPARE(f.program.Cluster.CountBoxes(0), 0);
        QCOMPARE(f.program.Cluster.box(2, 1), BoxRecord{});
        QVERIFY(f.program.ClusterFile.isEmpty());
        QVERIFY(f.program.ClusterName.isEmpty());
        QVERIFY(f.program.ClusterSaved);
        QCOMPARE(w.Trials->count(), 1);
        QCOMPARE(w.TrialLayout->boxCount(), 0);
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("10"));
        // A save now proposes no earlier file.
        f.placeBox(0, {0, 0});
        f.dropOnBox(objectPicture(0), 1);
        f.rightClickBox(1);
        f.dialogs.savePaths = {std::nullopt};
        w.SaveCluster();
        QVERIFY(f.dialogs.fileRequests.last().proposedName.isEmpty());
        // Where it starts is left to the remembered cluster folder, never the program's.
        QVERIFY(f.dialogs.fileRequests.last().initialFolder.isEmpty());
        QCOMPARE(f.dialogs.fileRequests.last().kind, FolderKind::Clusters);
    }

    void optionsSavedReachTheEditorCancelledDoNot()
    {
        bool save = false;
        std::function<void(SettingsStore &)> dialogChanges;
        SettingsStore *store = nullptr;
        EditorHooks hooks;
        hooks.showOptionsDialog = [&] {
            dialogChanges(*store);
            return save;
        };
        EditorFixture f(hooks);
        store = f.store.get();
        BoxSettings &w = *f.window;
        QVERIFY(w.mnuOptions->isEnabled());
        const auto write = [](SettingsStore &s, const char *section, const char *key, const char *value) {
            s.write(QString::fromLatin1(section), QString::fromLatin1(key), QString::fromLatin1(value));
        };
        dialogChanges = [&](SettingsStore &s) {
            write(s, "Timing", "Time", "30");
            write(s, "Screen", "IconSize", "960");
            write(s, "EmptyBoxIcons", "1", "Box3.ico");
            write(s, "DragBoxIcons", "2", "Content5.ico");
        };

        // Cancelled (whatever the dialog did to the store): nothing changes.
        w.mnuOptions->trigger();
        QCOMPARE(f.trial(0).time, QStringLiteral("10"));
        QCOMPARE(w.Rows->EmptyBox->name(0), QStringLiteral("Box1.ico"));
        QCOMPARE(w.TrialLayout->boxPixels(), 32);
        QVERIFY(f.program.ClusterSaved);

        // Saved, on the untouched new cluster: the new defaults reach trial 1 and the rows.
        save = true;
        w.mnuOptions->trigger();
        QCOMPARE(f.trial(0).time, QStringLiteral("30"));
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("30"));
        QCOMPARE(w.Rows->EmptyBox->name(0), QStringLiteral("Box3.ico"));
        QCOMPARE(w.Rows->DragBox->name(1), QStringLiteral("Content5.ico"));
        QCOMPARE(w.TrialLayout->boxPixels(), 64);

        // Saved while a cluster is being built: its settings and object row stay; the
        // box rows and the size of the box pictures change at once.
        f.placeBox(0, {0, 0});
        QCOMPARE(w.TrialLayout->box(1)->width(), 64);
        // A picture chosen in a row by right click stays unless Options changed it.
        f.dialogs.openPaths = {f.icon(QStringLiteral("Box1.ico"))};
        QTest::mouseClick(w.Rows->EmptyBox->picture(2), Qt::RightButton);
        QCOMPARE(w.Rows->EmptyBox->name(2), QStringLiteral("Box1.ico"));
        w.SSTab1->setCurrentIndex(1);
        w.SSTab1->time->setFocus();
        QTest::keyClick(w.SSTab1->time, Qt::Key_Down);
        QCOMPARE(f.trial(0).time, QStringLiteral("29"));
        dialogChanges = [&](SettingsStore &s) {
            write(s, "Timing", "Time", "45");
            write(s, "Screen", "IconSize", "720");
            write(s, "EmptyBoxIcons", "2", "Box4.ico");
            write(s, "DragBoxIcons", "2", "Content6.ico");
        };
        w.mnuOptions->trigger();
        QCOMPARE(f.trial(0).time, QStringLiteral("29"));
        QCOMPARE(w.Rows->DragBox->name(1), QStringLiteral("Content5.ico"));
        QCOMPARE(w.Rows->EmptyBox->name(1), QStringLiteral("Box4.ico"));
        QCOMPARE(w.Rows->EmptyBox->name(2), QStringLiteral("Box1.ico"));
        QCOMPARE(w.TrialLayout->boxPixels(), 48);
        QCOMPARE(w.TrialLayout->box(1)->width(), 48);
        QCOMPARE(f.program.Pictures.EmptyBoxIconNames[1], QStringLiteral("Box4.ico"));
        QCOMPARE(f.program.Pictures.DragBoxIconNames[1], QStringLiteral("Content6.ico"));
        // The next new cluster starts from them.
        f.dialogs.answers = {Answer::No};
        w.mnuClearCluster->trigger();
        QCOMPARE(f.trial(0).time, QStringLiteral("45"));
        QCOMPARE(w.Rows->DragBox->name(1), QStringLiteral("Content6.ico"));
    }

    void exitAsksTheIconEditorFirst()
    {
        bool allow = false;
        int asked = 0;
        int iconEditorShown = 0;
        EditorHooks hooks;
        hooks.showIconEditor = [&] { ++iconEditorShown; };
        hooks.iconEditorAllowsQuit = [&] {
            ++asked;
            return allow;
        };
        EditorFixture f(hooks);
        BoxSettings &w = *f.window;
        QVERIFY(w.mnuiconEdit->isEnabled());
        QVERIFY(!w.mnuOptions->isEnabled());
        w.mnuiconEdit->trigger();
        QCOMPARE(iconEditorShown, 1);

        f.placeBox(0, {0, 0});
        w.mnuExitKelvane->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(w.isVisible());
        QVERIFY(f.dialogs.messages.isEmpty()); // stopped before the editor's own question

        allow = true;
        f.dialogs.answers = {Answer::No};
        w.mnuExitKelvane->trigger();
        QCOMPARE(asked, 2);
        QVERIFY(!w.isVisible());
        QCOMPARE(f.dialogs.messages.size(), 1);
    }
};

QTEST_MAIN(EditorRunsTest)
#include "tst_editorruns.moc"

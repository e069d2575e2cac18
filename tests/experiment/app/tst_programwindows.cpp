// The editor and the windows it opens (experiment window, options dialog, icon editor),
// wired as the program wires them and driven together.

#include "../editor/EditorFixture.h"

#include "kelvane/Manual.h"
#include "kelvane/app/ProgramWindows.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/iconedit/frmIconEdit.h"
#include "kelvane/options/Options.h"
#include "kelvane/runexp/RunExp.h"
#include "kelvane/widgets/SpinnerField.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace kelvane;
using namespace kelvane::test;

namespace {

void typeInto(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Runs `work` on the options dialog once it is shown modally by `open`.
void withOptionsDialog(const std::function<void()> &open, const std::function<void(Options &)> &work)
{
    bool found = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<Options *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        found = true;
        work(*dialog);
    });
    open();
    QVERIFY(found);
}

} // namespace

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
            QCOMPARE(editor.windowTitle(), QStringLiteral("Settings[*]"));
            QCOMPARE(f.program.Cluster.trialCount(), 1);
            QCOMPARE(f.program.Cluster.box(1, 1), BoxRecord{});
            QVERIFY(f.program.ClusterFile.isEmpty());
            QVERIFY(f.program.ClusterSaved);
            QCOMPARE(editor.Trials->count(), 1);
        }
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    // kelvane FILE.bex: the experiment window takes the editor's place with the file's
    // list; the editor returns, as a new cluster, when it closes.
    void anExperimentFileNamedAtStartOpensInTheEditorsPlace()
    {
        EditorFixture f;
        RunExp experiment(f.program, {f.dialogs, *f.store, f.targetSound, f.clickSound, f.pointer});
        EditorHooks hooks;
        wireExperimentWindow(hooks, experiment);
        f.open(hooks);
        BoxSettings &editor = *f.window;
        const QString path = f.path(QStringLiteral("study.bex"));
        const QStringList entries{f.path(QStringLiteral("A.box")), QStringLiteral("Message: Pauze"),
                                  f.path(QStringLiteral("B.box"))};
        QVERIFY(saveExperimentFile(path, entries));

        openExperimentInEditorsPlace(editor, experiment, path);
        QVERIFY(experiment.isVisible());
        QVERIFY(!editor.isVisible());
        QCOMPARE(experiment.entries(), entries);
        QVERIFY(experiment.windowTitle().contains(QStringLiteral("study.bex")));
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(experiment.close());
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.windowTitle(), QStringLiteral("Settings[*]"));

        // A file that cannot be read is named; the window opens with an empty list.
        openExperimentInEditorsPlace(editor, experiment, f.path(QStringLiteral("gone.bex")));
        QVERIFY(experiment.isVisible());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages.first().text.contains(QStringLiteral("gone.bex")),
                 qPrintable(f.dialogs.messages.first().text));
        QVERIFY(experiment.entries().isEmpty());
        QVERIFY(experiment.close());
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void optionsFromTheMenuReachTheEditorOnlyWhenSaved()
    {
        EditorFixture f;
        ScriptedDialogs optionsDialogs;
        EditorHooks hooks;
        wireOptionsDialog(hooks, *f.store, optionsDialogs, f.program);
        f.open(hooks);
        BoxSettings &editor = *f.window;
        QVERIFY(editor.mnuOptions->isEnabled());

        withOptionsDialog([&] { editor.mnuOptions->trigger(); }, [](Options &dialog) {
            typeInto(dialog.SSTab1->time->field(), QStringLiteral("30"));
            QTest::mouseClick(dialog.cancel, Qt::LeftButton);
        });
        QCOMPARE(editor.SSTab1->time->text(), QStringLiteral("10"));
        QCOMPARE(editor.TrialLayout->boxPixels(), 32);

        withOptionsDialog([&] { editor.mnuOptions->trigger(); }, [](Options &dialog) {
            typeInto(dialog.SSTab1->time->field(), QStringLiteral("30"));
            typeInto(dialog.PixelIcon->field(), QStringLiteral("720"));
            QTest::mouseClick(dialog.save, Qt::LeftButton);
        });
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f.trial(0).time, QStringLiteral("30"));
        QCOMPARE(editor.SSTab1->time->text(), QStringLiteral("30"));
        QCOMPARE(editor.TrialLayout->boxPixels(), 48);
        f.placeBox(0, {0, 0});
        QCOMPARE(editor.TrialLayout->box(1)->width(), 48);
        QVERIFY(optionsDialogs.unexpected.isEmpty());
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void iconEditorIsOneWindowWhoseIconsReachTheEditor()
    {
        EditorFixture f;
        ScriptedDialogs iconDialogs;
        IconEditorWindow icons(f.program, iconDialogs);
        QList<frmIconEdit *> opened;
        connect(&icons, &IconEditorWindow::opened, this, [&](frmIconEdit *window) { opened.append(window); });
        EditorHooks hooks;
        icons.wire(hooks);
        f.open(hooks);
        icons.reportSavedIconsTo(*f.window);
        BoxSettings &editor = *f.window;
        QVERIFY(editor.mnuiconEdit->isEnabled());

        editor.mnuiconEdit->trigger();
        QVERIFY(icons.window());
        QVERIFY(icons.window()->isVisible());
        editor.mnuiconEdit->trigger();
        QCOMPARE(opened.size(), 1);
        frmIconEdit &iconEditor = *icons.window();

        // An icon drawn and saved over a picture of the "Box" row shows there at once.
        const QImage before = editor.Rows->EmptyBox->picture(0)->picture().toImage();
        QTest::mouseClick(iconEditor.cmdNew, Qt::LeftButton);
        iconEditor.mnuEffectsInvert->trigger();
        iconDialogs.savePaths = {f.icon(QStringLiteral("Box1.ico"))};
        iconDialogs.answers = {Answer::Yes}; // it exists: overwrite
        QTest::mouseClick(iconEditor.cmdSave, Qt::LeftButton);
        QVERIFY(!iconEditor.currentSlot().Changed);
        QVERIFY(editor.Rows->EmptyBox->picture(0)->picture().toImage() != before);
        QVERIFY(!editor.Rows->EmptyBox->picture(0)->isMissing());

        // The next picture replacement proposes the icon just saved.
        f.dialogs.openPaths = {std::nullopt};
        QTest::mouseClick(editor.Rows->DragBox->picture(1), Qt::RightButton);
        QCOMPARE(f.dialogs.fileRequests.last().proposedName, f.icon(QStringLiteral("Box1.ico")));
        QCOMPARE(editor.Rows->DragBox->name(1), QStringLiteral("Content2.ico"));

        // Exit asks about the unsaved icon first; Cancel keeps both windows.
        iconEditor.mnuEffectsInvert->trigger();
        f.placeBox(0, {0, 0});
        iconDialogs.answers = {Answer::Cancel};
        editor.mnuExitKelvane->trigger();
        QVERIFY(editor.isVisible());
        QVERIFY(iconEditor.isVisible());
        QCOMPARE(iconDialogs.messages.last().text, QStringLiteral("Save current icon?"));
        QVERIFY(f.dialogs.messages.isEmpty());

        // No to the icon, then the editor's own question.
        iconDialogs.answers = {Answer::No};
        f.dialogs.answers = {Answer::No};
        editor.mnuExitKelvane->trigger();
        QVERIFY(!editor.isVisible());
        QTRY_VERIFY(!icons.window());
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("Save Layout?"));
        QVERIFY(iconDialogs.unexpected.isEmpty());
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void f1OpensTheManualAtEachWindowsPage()
    {
        EditorFixture f;
        QTemporaryDir programFolder;
        QFile::link(QStringLiteral(KELVANE_SOURCE_DIR "/docs"), programFolder.filePath(QStringLiteral("doc")));
        ScriptedDialogs manualDialogs;
        Manual help(manualDialogs, programFolder.path());
        RunExp experiment(f.program, {f.dialogs, *f.store, f.targetSound, f.clickSound, f.pointer});
        ScriptedDialogs sideDialogs;
        IconEditorWindow icons(f.program, sideDialogs);
        EditorHooks hooks;
        wireExperimentWindow(hooks, experiment);
        wireOptionsDialog(hooks, *f.store, sideDialogs, f.program, &help);
        icons.wire(hooks);
        f.open(hooks);
        BoxSettings &editor = *f.window;
        wireManual(help, editor, experiment, icons);
        // F1 reaches the window the researcher works in, the active one.
        const auto pageAfterF1 = [&help](QWidget *window) {
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window))
                return QStringLiteral("window not active");
            QTest::keyClick(window, Qt::Key_F1);
            return help.window() && help.window()->isVisible() ? help.window()->currentPage() : QString();
        };

        // The Help menu stands after the editor's own menus.
        QCOMPARE(editor.menuBar()->actions().last()->text(), QStringLiteral("&Help"));
        QCOMPARE(pageAfterF1(&editor), QStringLiteral("howto/design-clusters.md"));

        QString fromOptions;
        bool ownedByTheDialog = false;
        withOptionsDialog([&] { editor.mnuOptions->trigger(); }, [&](Options &dialog) {
            // The offscreen platform does not make a modal dialog the active window, so
            // its F1 is pressed through the dialog's own action.
            for (QAction *action : dialog.actions()) {
                if (action->shortcut() == QKeySequence(Qt::Key_F1))
                    action->trigger();
            }
            fromOptions = help.window()->currentPage();
            // A modal dialog blocks other windows, so the manual opens as its own.
            ownedByTheDialog = help.window() && help.window()->parentWidget() == &dialog;
            QTest::mouseClick(dialog.cancel, Qt::LeftButton);
        });
        QCOMPARE(fromOptions, QStringLiteral("howto/options-and-icons.md"));
        QVERIFY(ownedByTheDialog);

        editor.mnuiconEdit->trigger();
        QCOMPARE(pageAfterF1(icons.window()), QStringLiteral("howto/options-and-icons.md"));

        editor.mnuRunExperiment->trigger();
        QVERIFY(experiment.isVisible());
        QCOMPARE(pageAfterF1(&experiment), QStringLiteral("howto/run-experiments.md"));
        QVERIFY(manualDialogs.messages.isEmpty());
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }
};

QTEST_MAIN(ProgramWindowsTest)
#include "tst_programwindows.moc"

#include "kelvane/FolderMemory.h"
#include "kelvane/Manual.h"
#include "kelvane/QtDialogs.h"
#include "kelvane/app/CommandLine.h"
#include "kelvane/app/CommandLineRun.h"
#include "kelvane/app/NewStudyCommand.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/app/ProgramWindows.h"
#include "kelvane/app/RunDevices.h"
#include "kelvane/StartPlace.h"
#include "kelvane/editor/BoxSettings.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/runexp/RunExp.h"

#include <QApplication>
#include <QTextStream>

using namespace kelvane;

int main(int argc, char *argv[])
{
    const CommandLine command = parseCommandLine(argumentsOf(argc, argv));
    const StartPlace place = StartPlace::current();
    {
        QTextStream out(stdout);
        QTextStream errors(stderr);
        if (const auto status = answerWithoutWindow(command, windowsPossible(place, command.platformGiven),
                                                    out, errors))
            return *status;
    }

    if (command.action == CommandAction::NewStudy) {
        // No window: Qt's core is enough to read the stored defaults.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Kelvane"));
        QCoreApplication::setOrganizationName(QStringLiteral("Kelvane"));
        Program program;
        QSettingsStore store;
        startProgram(program, store);
        QTextStream out(stdout);
        QTextStream errors(stderr);
        return makeStudyFromCommandLine(command, store, drawnStudySeed(), out, errors);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));

    Program program;
    QStringList problems = setProgramFolders(program, locateProgramFiles());
    QSettingsStore store;

    if (command.action == CommandAction::RunCluster)
        return runClusterFromCommandLine(program, store, command,
                                         problems + startProgram(program, store), place);

    RunDevices devices;
    // Cluster and experiment dialogs start where the researcher last chose such a file.
    const FolderMemory::Read readFolder = [&store](const QString &kind) {
        return store.read(QStringLiteral("Folders"), kind);
    };
    const FolderMemory::Write writeFolder = [&store](const QString &kind, const QString &folder) {
        store.write(QStringLiteral("Folders"), kind, folder);
        QString ignored; // a folder not remembered only costs the researcher a click
        store.commit(&ignored);
    };
    QtDialogs editorDialogs;
    FolderMemory dialogs(editorDialogs, readFolder, writeFolder);
    // The windows the editor opens are handed to it here.
    QtDialogs experimentQtDialogs;
    FolderMemory experimentDialogs(experimentQtDialogs, readFolder, writeFolder);
    RunExp experiment(program, {experimentDialogs, store, devices.targetSound, devices.clickSound, devices.pointer});
    experimentQtDialogs.setParent(&experiment);
    EditorHooks hooks;
    wireExperimentWindow(hooks, experiment);
    // The options dialog is made afresh at each opening, so its messages have no window
    // to belong to; the window system puts them over the active one, the dialog.
    QtDialogs optionsDialogs;
    QtDialogs manualDialogs;
    Manual manual(manualDialogs, QCoreApplication::applicationDirPath());
    wireOptionsDialog(hooks, store, optionsDialogs, program, &manual);
    QtDialogs iconEditorDialogs;
    IconEditorWindow iconEditor(program, iconEditorDialogs);
    QObject::connect(&iconEditor, &IconEditorWindow::opened,
                     [&iconEditorDialogs](frmIconEdit *window) { iconEditorDialogs.setParent(window); });
    iconEditor.wire(hooks);
    BoxSettings editor(program, {dialogs, store, devices.targetSound, devices.clickSound, devices.pointer}, hooks);
    editorDialogs.setParent(&editor);
    manualDialogs.setParent(&editor);
    wireManual(manual, editor, experiment, iconEditor);
    iconEditor.reportSavedIconsTo(editor);
    QObject::connect(&editor, &BoxSettings::programEnded, &app, &QCoreApplication::quit);

    // An experiment file opens the experiment window in the editor's place.
    if (command.kind != FileKind::Experiment)
        editor.show();
    if (!problems.isEmpty())
        dialogs.message(QStringLiteral("Kelvane"), startupProblemText(problems), MessageIcon::Exclamation);
    // The editor's own load reads the store and tells the researcher what it could
    // not use.
    editor.Form_Load();

    switch (command.kind) {
    case FileKind::Experiment:
        openExperimentInEditorsPlace(editor, experiment, command.file);
        break;
    case FileKind::Cluster:
        editor.openClusterFile(command.file);
        break;
    case FileKind::None:
        break;
    }
    return app.exec();
}

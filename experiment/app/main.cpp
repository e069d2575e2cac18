#include "kelvane/QtDialogs.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/app/ProgramWindows.h"
#include "kelvane/editor/BoxSettings.h"
#include "kelvane/iconedit/frmIconEdit.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/runexp/RunExp.h"
#include "kelvane/trial/ClusterRunCommand.h"

#include <QApplication>
#include <QTextStream>

using namespace kelvane;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));

    Program program;
    setProgramFolders(program, QCoreApplication::applicationDirPath());
    QSettingsStore store;
    SoundWarnings soundWarnings;
    QtSoundPlayer targetSound(soundWarnings);
    QtSoundPlayer clickSound(soundWarnings);
    PointerCounter pointer;

    // kelvane --run-cluster FILE.box: a single-cluster run for scripted sessions.
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--run-cluster")); at >= 0) {
        QTextStream errors(stderr);
        if (at + 1 >= arguments.size()) {
            errors << "usage: kelvane --run-cluster FILE.box" << Qt::endl;
            return 2;
        }
        for (const QString &problem : startProgram(program, store))
            errors << problem << Qt::endl;
        QtDialogs dialogs;
        return runClusterCommand(program, {dialogs, store, targetSound, clickSound, pointer},
                                 arguments[at + 1], errors);
    }

    // The editor's own load reads the store and tells the researcher what it could
    // not use.
    QtDialogs dialogs;
    // The windows the editor opens are handed to it here; an entry whose window this
    // build lacks stays disabled.
    QtDialogs experimentDialogs;
    RunExp experiment(program, {experimentDialogs, store, targetSound, clickSound, pointer});
    experimentDialogs.setParent(&experiment);
    EditorHooks hooks;
    wireExperimentWindow(hooks, experiment);
    // The options dialog is made afresh at each opening, so its messages have no window
    // to belong to; the window system puts them over the active one, the dialog.
    QtDialogs optionsDialogs;
    wireOptionsDialog(hooks, store, optionsDialogs, program);
    QtDialogs iconEditorDialogs;
    IconEditorWindow iconEditor(program, iconEditorDialogs);
    QObject::connect(&iconEditor, &IconEditorWindow::opened,
                     [&iconEditorDialogs](frmIconEdit *window) { iconEditorDialogs.setParent(window); });
    iconEditor.wire(hooks);
    BoxSettings editor(program, {dialogs, store, targetSound, clickSound, pointer}, hooks);
    dialogs.setParent(&editor);
    iconEditor.reportSavedIconsTo(editor);
    QObject::connect(&editor, &BoxSettings::programEnded, &app, &QCoreApplication::quit);
    editor.show();
    editor.Form_Load();
    return app.exec();
}

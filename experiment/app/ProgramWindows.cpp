#include "kelvane/app/ProgramWindows.h"

#include "kelvane/editor/BoxSettings.h"
#include "kelvane/iconedit/frmIconEdit.h"
#include "kelvane/Manual.h"
#include "kelvane/ManualPages.h"
#include "kelvane/options/Options.h"
#include "kelvane/runexp/RunExp.h"

#include <QApplication>

#include <memory>

namespace kelvane {

void wireExperimentWindow(EditorHooks &hooks, RunExp &experiment)
{
    hooks.showExperimentWindow = [&experiment](std::function<void()> closed) {
        // One connection per opening, so that a later opening does not tell twice.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(&experiment, &RunExp::closed, &experiment,
                                       [connection, closed = std::move(closed)] {
                                           QObject::disconnect(*connection);
                                           closed();
                                       });
        experiment.show();
        experiment.raise();
        experiment.activateWindow();
    };
}

void openExperimentInEditorsPlace(BoxSettings &editor, RunExp &experiment, const QString &path)
{
    editor.mnuRunExperiment_Click();
    // Read once the window is up, so that a message about the file stands in front of it.
    if (experiment.isVisible())
        experiment.openExperimentFile(path);
}

void wireOptionsDialog(EditorHooks &hooks, SettingsStore &store, Dialogs &dialogs, const Program &program,
                       Manual *manual)
{
    hooks.showOptionsDialog = [&store, &dialogs, &program, help = manual] {
        return showOptions(store, dialogs, program.IconFolder, QApplication::activeWindow(), [help](QWidget &dialog) {
            if (help)
                help->attach(&dialog, manual::OptionsPage);
        });
    };
}

void wireManual(Manual &help, BoxSettings &editor, RunExp &experiment, IconEditorWindow &iconEditor)
{
    help.attach(&editor, manual::DesignPage);
    help.attach(&experiment, manual::ExperimentPage);
    QObject::connect(&iconEditor, &IconEditorWindow::opened, &help,
                     [&help](frmIconEdit *window) { help.attach(window, manual::IconEditorPage); });
}

IconEditorWindow::IconEditorWindow(const Program &program, Dialogs &dialogs)
    : m_program(program)
    , m_dialogs(dialogs)
{
}

IconEditorWindow::~IconEditorWindow()
{
    // A window closed a moment ago may still wait for its deferred delete.
    delete m_window;
}

void IconEditorWindow::wire(EditorHooks &hooks)
{
    hooks.showIconEditor = [this] { show(); };
    hooks.iconEditorAllowsQuit = [this] { return allowsQuit(); };
}

void IconEditorWindow::reportSavedIconsTo(BoxSettings &editor)
{
    connect(this, &IconEditorWindow::iconSaved, &editor, &BoxSettings::iconFileSaved);
}

void IconEditorWindow::show()
{
    const bool made = !m_window;
    showIconEditor(m_window, m_program.IconFolder, m_dialogs);
    if (!made)
        return;
    connect(m_window, &frmIconEdit::iconSaved, this, &IconEditorWindow::iconSaved);
    Q_EMIT opened(m_window);
}

bool IconEditorWindow::allowsQuit()
{
    return !m_window || m_window->closeAskingToSave();
}

} // namespace kelvane

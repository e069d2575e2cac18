#pragma once
// The windows the editor opens without linking them, handed to it as hooks.

#include "kelvane/Dialogs.h"
#include "kelvane/editor/EditorHooks.h"
#include "kelvane/iconedit/frmIconEdit.h"
#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"

#include <QObject>
#include <QPointer>

namespace kelvane {

class BoxSettings;
class Manual;
class RunExp;
class IconEditorWindow;

// F1 and Help > Manual in the editor, the experiment window and the icon editor (once
// it is made), each at its own page.
void wireManual(Manual &help, BoxSettings &editor, RunExp &experiment, IconEditorWindow &iconEditor);

// Run > Experiment shows `experiment`; each time it closes, the editor is told once.
void wireExperimentWindow(EditorHooks &hooks, RunExp &experiment);

// kelvane FILE.bex: the editor gives its place to the experiment window as Run >
// Experiment does, and the window reads `path` (naming it in a message when it cannot).
void openExperimentInEditorsPlace(BoxSettings &editor, RunExp &experiment, const QString &path);

// Options > Options shows the options dialog over the active window; the editor reads
// the store again when it was saved.
// With `manual`, F1 in the dialog opens its page.
void wireOptionsDialog(EditorHooks &hooks, SettingsStore &store, Dialogs &dialogs, const Program &program,
                       Manual *manual = nullptr);

// The one icon editor of the program. Options > Icon Editor makes it or brings the open
// one to the front; the program's Exit asks its own question first.
class IconEditorWindow : public QObject
{
    Q_OBJECT

public:
    IconEditorWindow(const Program &program, Dialogs &dialogs);
    ~IconEditorWindow() override;

    void wire(EditorHooks &hooks);
    // Icons the window saves are offered to `editor` at once.
    void reportSavedIconsTo(BoxSettings &editor);
    // The open window, or null.
    frmIconEdit *window() const { return m_window; }

Q_SIGNALS:
    // A window was made (its dialogs may be placed over it).
    void opened(kelvane::frmIconEdit *window);
    // The window wrote an icon file.
    void iconSaved(const QString &path);

private:
    void show();
    bool allowsQuit();

    const Program &m_program;
    Dialogs &m_dialogs;
    QPointer<frmIconEdit> m_window;
};

} // namespace kelvane

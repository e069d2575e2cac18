#pragma once
// The file steps of the editor's Save Cluster and Open Cluster commands. The editor
// window provides the view; the commands own the questions, checks and file work.

#include "kelvane/Dialogs.h"
#include "kelvane/FileSaving.h"
#include "kelvane/model/Program.h"

#include <QStringList>

namespace kelvane {

// What the commands need of the editor window.
class ClusterEditorView
{
public:
    virtual ~ClusterEditorView() = default;
    virtual int shownTrial() const = 0;
    virtual bool shownLayoutHasBoxes() const = 0;
    virtual void selectTrial(int trial) = 0;
    // The window's caption, once the program's cluster file has been set.
    virtual void setCaption(const QString &caption) = 0;
    virtual QStringList objectRowNames() const = 0;
    // Puts the names into the object row, loading their pictures.
    virtual void setObjectRowNames(const QStringList &names) = 0;
    // The unsaved-changes question; Yes saves. False when the command that asked must
    // stop: the researcher cancelled, or said Yes and the cluster was not saved.
    virtual bool askToSaveChanges() = 0;
    // Clear Cluster once the question has been answered: leaves one trial with the
    // stored defaults and erases the box table.
    virtual void clearClusterWithoutAsking() = 0;
    // Rebuilds trials and layout from the model (selecting the last, then the first trial).
    virtual void showCluster() = 0;
};

inline constexpr QLatin1StringView ClusterFilter{"Kelvane Files (*.box)|*.box"};
inline constexpr QLatin1StringView EditorCaptionPrefix{"Kelvane Settings - "};

// "An unknown error occurred: code N", followed by the reason when there is one.
QString unknownErrorText(const FileError &error);

class ClusterCommands
{
public:
    ClusterCommands(Program &program, Dialogs &dialogs, ClusterEditorView &view)
        : m_program(program), m_dialogs(dialogs), m_view(view) {}

    // True when the cluster was written. A failed write changes nothing and leaves an
    // earlier file of that name as it was. A name typed without extension gets ".box".
    bool SaveCluster();
    // True when a file was read completely. Targets that are not a box holding an
    // object are reported and cleared, and the cluster then counts as changed.
    bool OpenCluster();
    // Open Cluster once its dialog has named `path`: the same reading, checks and reports.
    bool OpenClusterFile(const QString &path);

private:
    FileDialogRequest clusterDialog() const;
    void showError(const FileError &error);

    Program &m_program;
    Dialogs &m_dialogs;
    ClusterEditorView &m_view;
};

} // namespace kelvane

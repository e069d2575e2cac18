#pragma once
// The experiment program's main window, the cluster editor: trials on tabs, the
// selected trial's settings, its layout built by dragging pictures, and the commands
// that save, open and run clusters.

#include "kelvane/editor/DeleteArea.h"
#include "kelvane/editor/EditorDrag.h"
#include "kelvane/editor/EditorHooks.h"
#include "kelvane/editor/LayoutArea.h"
#include "kelvane/editor/MissingPictures.h"
#include "kelvane/editor/PictureRows.h"
#include "kelvane/editor/TargetFrame.h"
#include "kelvane/editor/TrialSettingsPanel.h"
#include "kelvane/editor/undo/EditedCluster.h"
#include "kelvane/model/ClusterCommands.h"
#include "kelvane/model/Program.h"
#include "kelvane/trial/TrialScreen.h"

#include <QMainWindow>
#include <QUndoStack>

class QAction;
class QLabel;
class QPushButton;
class QTabBar;

namespace kelvane {

class BoxSettings : public QMainWindow, public ClusterEditorView, public EditedCluster
{
    Q_OBJECT

public:
    BoxSettings(Program &program, const EditorServices &services, EditorHooks hooks = {},
                QWidget *parent = nullptr);
    ~BoxSettings() override;

    // Window load: the stored settings, an empty cluster of one trial, the picture
    // rows. Problems with stored values and missing pictures are told once.
    void Form_Load();

    // Buttons and menu items.
    void AddLayout_Click();
    void CopyTrial_Click();
    void Runtrial_Click();
    void SaveBoxFile_Click() { SaveCluster(); }
    void OpenBoxFile_Click() { OpenCluster(); }
    void mnuClearCluster_Click() { ClearCluster(); }
    void mnuClearLayout_Click();
    void mnuDeleteTrial_Click() { DeleteTrial(); }
    void mnuExitKelvane_Click() { close(); }
    void mnuRunExperiment_Click();
    void mnuOptions_Click();
    void mnuiconEdit_Click();
    // Shows the selected trial as the subject will see it, and records nothing.
    void tryTrialAction_Click();
    // The selected trial's boxes at places drawn at random, as a generated study has them.
    void randomLayoutAction_Click();
    // The selected trial made into a whole problem: one trial per box, the object in
    // each box once.
    void makeProblemAction_Click();
    // A standard study in a folder, from the New Study dialog.
    void newStudyAction_Click();

    // Trials.
    void Trials_Click(int previousTab);
    void NieuweTab();
    bool VraagSave();
    // False when the question stopped it.
    bool ClearCluster();
    void DeleteTrial();
    void ResetLayout();
    QStringList GetRegistrySettings();
    bool SaveCluster();
    bool OpenCluster();
    // Opens the cluster file `path` as Open Cluster does once its dialog has named it
    // (after the save question when there are changes): for a file named at start-up,
    // once Form_Load has run.
    bool openClusterFile(const QString &path);

    // Layout.
    void TrialLayout_DragDrop(DragSource source, QPoint corner);
    void Boxes_DragDrop(int Index, DragSource source, QPoint corner);
    void Delete_DragDrop(DragSource source);
    void Boxes_MouseUp(int Index, Qt::MouseButton Button);
    void SetTarget(int Index);
    void DeleteBox(int Index);

    // Picture rows.
    void ChangeDragBoxIcon(int Index);
    void ChangeEmptyBox(int Index);
    void ChangeEmptyIcon(int Index);

    // The icon editor wrote `path`: pictures of that name show the new icon at once, and
    // the next picture replacement proposes it.
    void iconFileSaved(const QString &path);

    // What a drag that starts in this window carries with it.
    const QString &dragToken() const { return m_token; }

    // ClusterEditorView
    int shownTrial() const override { return m_shown; }
    bool shownLayoutHasBoxes() const override;
    void selectTrial(int trial) override;
    void setCaption(const QString &caption) override;
    QStringList objectRowNames() const override;
    void setObjectRowNames(const QStringList &names) override;
    bool askToSaveChanges() override { return VraagSave(); }
    void clearClusterWithoutAsking() override;
    void showCluster() override;

    // EditedCluster
    ClusterModel &cluster() override { return m_program.Cluster; }
    QStringList rowNames(DragSourceKind row) const override;
    void setRowNames(DragSourceKind row, const QStringList &names) override;
    void showChangedTrial(int trial) override;

    // Every change to the cluster, for Undo and Redo. The cluster counts as saved while
    // the history stands where it stood at the last save or open.
    QUndoStack &history() { return m_history; }

    QTabBar *Trials = nullptr;
    TrialSettingsPanel *SSTab1 = nullptr;
    TargetFrame *Target = nullptr;
    LayoutArea *TrialLayout = nullptr;
    PictureRows *Rows = nullptr;
    DeleteArea *Delete = nullptr;
    QPushButton *CopyTrial = nullptr;
    QPushButton *AddLayout = nullptr;
    QPushButton *Runtrial = nullptr;
    QPushButton *SaveBoxFile = nullptr;
    QPushButton *OpenBoxFile = nullptr;

    QAction *mnuOpenTrial = nullptr;
    QAction *mnuSaveTrial = nullptr;
    QAction *mnuClearCluster = nullptr;
    QAction *newStudyAction = nullptr;
    QAction *mnuExitKelvane = nullptr;
    QAction *mnuRunExperiment = nullptr;
    QAction *mnuRunCluster = nullptr;
    QAction *mnuClearLayout = nullptr;
    QAction *mnuDeleteTrial = nullptr;
    QAction *mnuAddLayout = nullptr;
    QAction *mnuCopylayout = nullptr;
    QAction *mnuOptions = nullptr;
    QAction *mnuiconEdit = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QAction *tryTrialAction = nullptr;
    QAction *randomLayoutAction = nullptr;
    QAction *makeProblemAction = nullptr;
    // The full path of the cluster file, in the status bar.
    QLabel *clusterFileLabel = nullptr;

Q_SIGNALS:
    // The window was closed for good: the program ends.
    void programEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // BoxSettingsWindow.cpp: the window's parts.
    void buildWindow();
    void buildMenus();
    QWidget *buildButtons();
    void connectParts();

    TrialSettings &shownSettings();
    void showShownTrial();
    void syncTabs();
    void showTabWithoutSelecting(int trial);
    void reloadRows();
    void readPictureLists();
    void applyIconSize();
    void changeRowPicture(DragSourceKind row, int index);
    // After a file command: the history's saved point follows what the command made of
    // the cluster (saved as it is, or read anew and not yet saved).
    void followFileCommand();
    void applyChangedPictures(const PictureNameLists &before, bool objectsToo);
    void refuse(const QString &title, const QString &text);
    void tellProblems(const QStringList &problems);
    void tellMissingPictures();
    bool allTrialsHaveTargets();
    bool clusterCanRun();
    TrialScreenServices runServices() const;
    void experimentWindowClosed();

    Program &m_program;
    EditorServices m_services;
    EditorHooks m_hooks;
    ClusterCommands m_commands;
    QUndoStack m_history;
    QString m_token;
    int m_shown = 0;
    MissingPictureNotice m_missingNotice;
    QSet<QString> m_toldProblems;
    QString m_savedIcon;
};

} // namespace kelvane

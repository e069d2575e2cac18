#pragma once
// Options: the defaults the editor gives to new trials and the pictures of its rows,
// kept in the settings store. Save writes them all and closes, and exec() then gives
// Accepted; Cancel closes leaving the store and the icon folder as they were. The
// dialog knows nothing of the cluster: what the editor does with saved defaults is its
// own business.

#include "kelvane/Dialogs.h"
#include "kelvane/options/DefaultSettings.h"
#include "kelvane/options/PendingPictures.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/widgets/TrialSettingsForm.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QScrollArea;

namespace kelvane {

class PictureRow;
class PictureWidget;
class SpinnerField;

class Options : public QDialog
{
    Q_OBJECT

public:
    // `iconFolder` is where the stored picture names are looked for.
    Options(SettingsStore &store, Dialogs &dialogs, const QString &iconFolder,
            QWidget *parent = nullptr);

    // Fills every field from the store (run when the dialog is made).
    void Form_Load();
    void save_Click();
    void cancel_Click();
    void PixelIcon_Change();
    void DragBox_Click(int index);
    void EmptyBox_Click(int index);
    void EmptyIcon_Click(int index);

    // What Save would store.
    DefaultSettings shownSettings() const;
    // Stored values the dialog could not show as they are, each naming its key; told in
    // one message when the dialog first shows.
    const QStringList &loadProblems() const { return m_loadProblems; }

    TrialSettingsForm *SSTab1 = nullptr;
    SpinnerField *PixelIcon = nullptr;
    PictureWidget *Voorbeeld = nullptr;
    PictureRow *DragBox = nullptr;
    PictureRow *EmptyBox = nullptr;
    PictureRow *EmptyIcon = nullptr;
    QPushButton *save = nullptr;
    QPushButton *cancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Building the window (OptionsWindow.cpp).
    void buildWindow();
    QWidget *picturesColumn();
    PictureRow *pictureRow(QWidget *column, int count, const QString &caption, const QString &role,
                           void (Options::*clicked)(int));

    void replacePicture(PictureRow *row, int index);
    void showPicturesNamed(const QString &name);
    QStringList pictureProblems() const;
    void tellLoadProblems();
    void refuse(const Refusal &refusal);

    SettingsStore &m_store;
    Dialogs &m_dialogs;
    QString m_iconFolder;
    PendingPictures m_pending;
    QScrollArea *m_previewArea = nullptr;
    QStringList m_loadProblems;
    bool m_loadProblemsTold = false;
};

// Shows the dialog modally; true when the researcher saved. `prepare`, when given, is
// handed the dialog before it shows (to give it F1).
bool showOptions(SettingsStore &store, Dialogs &dialogs, const QString &iconFolder, QWidget *parent,
                 const std::function<void(QWidget &)> &prepare = {});

} // namespace kelvane

#pragma once
// File > New Study: the choices of a standard study, made into files in a folder in one
// step. The seed is drawn when the dialog opens and shown, so it can be noted or typed.

#include "kelvane/Dialogs.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/study/StudyOptions.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kelvane {

class NewStudyDialog : public QDialog
{
    Q_OBJECT

public:
    NewStudyDialog(Dialogs &dialogs, const SettingsStore &store, QWidget *parent = nullptr);

    // The choices the fields hold, or why they cannot be used.
    std::optional<StudyOptions> chosenOptions(QString *problem) const;
    // Makes the study; the dialog stays open when it was refused, saying why.
    void accept() override;
    // STUDY.bex once made.
    const QString &madeExperiment() const { return m_made; }

    QLineEdit *folder = nullptr;
    QPushButton *chooseFolder = nullptr;
    QLineEdit *sizes = nullptr;
    QLineEdit *problems = nullptr;
    QSpinBox *practice = nullptr;
    QLineEdit *timeLimit = nullptr;
    QComboBox *language = nullptr;
    QComboBox *order = nullptr;
    QDoubleSpinBox *minDistance = nullptr;
    QLineEdit *seed = nullptr;
    QCheckBox *replace = nullptr;
    QDialogButtonBox *buttons = nullptr;

private:
    void chooseFolder_Click();
    void refuse(const QString &text);

    Dialogs &m_dialogs;
    const SettingsStore &m_store;
    QString m_made;
};

} // namespace kelvane

#pragma once
// SSTab1: the settings of the selected trial on three tabs, "Messages", "Timing" and
// "Screen". Edits go straight into the trial the panel is shown for.

#include "kelvane/Dialogs.h"
#include "kelvane/model/TrialSettings.h"
#include "kelvane/widgets/ColourButton.h"
#include "kelvane/widgets/SpinnerField.h"

#include <QTabWidget>

#include <functional>

class QLineEdit;

namespace kelvane {

class TrialSettingsPanel : public QTabWidget
{
    Q_OBJECT

public:
    explicit TrialSettingsPanel(Dialogs &dialogs, QWidget *parent = nullptr);

    // The trial whose settings are shown, asked afresh at every edit.
    void setTrial(std::function<const TrialSettings &()> trial) { m_trial = std::move(trial); }
    // Shows the trial's settings; nothing counts as edited. A field that already shows
    // its value is left alone, so the researcher typing in it keeps the cursor.
    void showSettings(const TrialSettings &settings);

    QLineEdit *TimeUpMessage = nullptr;
    QLineEdit *StartMessage = nullptr;
    QLineEdit *EndMessage = nullptr;
    SpinnerField *time = nullptr;
    SpinnerField *CloseAfter = nullptr;
    SpinnerField *ScreenSize = nullptr;
    SpinnerField *boxSizeMm = nullptr;
    ColourButton *ChangeColor = nullptr;
    ColourButton *ChangeForeColor = nullptr;

protected:
    // Undo and Redo keys in a field go to the editor's history, not the field's own.
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    // The researcher changed the setting captioned `setting`: `after` is the trial's
    // settings with that change. The panel does not change the trial itself.
    void edited(const QString &setting, const kelvane::TrialSettings &after);

private:
    QWidget *messagesTab();
    QWidget *timingTab();
    QWidget *screenTab(Dialogs &dialogs);
    QLineEdit *messageField(QWidget *tab, const QString &caption, QString TrialSettings::*field);
    SpinnerField *numberField(QWidget *tab, const QString &caption, const QString &unit,
                              QString TrialSettings::*field);
    ColourButton *colourField(QWidget *tab, Dialogs &dialogs, const QString &caption,
                              ColourValue TrialSettings::*field);

    template <typename Value>
    void report(const QString &setting, Value TrialSettings::*field, const Value &value);

    std::function<const TrialSettings &()> m_trial;
};

} // namespace kelvane

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

    // The trial that edits go to, asked afresh at every edit.
    void setTrial(std::function<TrialSettings &()> trial) { m_trial = std::move(trial); }
    // Shows the trial's settings; nothing counts as edited.
    void showSettings(const TrialSettings &settings);

    QLineEdit *TimeUpMessage = nullptr;
    QLineEdit *StartMessage = nullptr;
    QLineEdit *EndMessage = nullptr;
    SpinnerField *time = nullptr;
    SpinnerField *CloseAfter = nullptr;
    SpinnerField *ScreenSize = nullptr;
    ColourButton *ChangeColor = nullptr;
    ColourButton *ChangeForeColor = nullptr;

Q_SIGNALS:
    // The researcher changed a setting of the trial.
    void edited();

private:
    QWidget *messagesTab();
    QWidget *timingTab();
    QWidget *screenTab(Dialogs &dialogs);
    QLineEdit *messageField(QWidget *tab, const QString &caption, QString TrialSettings::*field);
    SpinnerField *numberField(QWidget *tab, const QString &caption, const QString &unit,
                              QString TrialSettings::*field);
    ColourButton *colourField(QWidget *tab, Dialogs &dialogs, const QString &caption,
                              ColourValue TrialSettings::*field);

    std::function<TrialSettings &()> m_trial;
};

} // namespace kelvane

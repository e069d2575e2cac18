#pragma once
// SSTab1: the settings of the selected trial on the trial-settings form. Edits are
// reported as the trial's settings with the change; the panel never changes the trial.

#include "kelvane/Dialogs.h"
#include "kelvane/model/TrialSettings.h"
#include "kelvane/widgets/ColourButton.h"
#include "kelvane/widgets/SpinnerField.h"
#include "kelvane/widgets/TrialSettingsForm.h"

#include <functional>

namespace kelvane {

class TrialSettingsPanel : public TrialSettingsForm
{
    Q_OBJECT

public:
    explicit TrialSettingsPanel(Dialogs &dialogs, QWidget *parent = nullptr);

    // The trial whose settings are shown, asked afresh at every edit.
    void setTrial(std::function<const TrialSettings &()> trial) { m_trial = std::move(trial); }
    // Shows the trial's settings; nothing counts as edited. A field that already shows
    // its value is left alone, so the researcher typing in it keeps the cursor.
    void showSettings(const TrialSettings &settings);

protected:
    // Undo and Redo keys in a field go to the editor's history, not the field's own.
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    // The researcher changed the setting captioned `setting`: `after` is the trial's
    // settings with that change.
    void settingEdited(const QString &setting, const kelvane::TrialSettings &after);

private:
    void report(Field field, const QString &caption);

    std::function<const TrialSettings &()> m_trial;
};

} // namespace kelvane

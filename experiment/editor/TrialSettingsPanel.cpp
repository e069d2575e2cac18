#include "kelvane/editor/TrialSettingsPanel.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace kelvane {

TrialSettingsPanel::TrialSettingsPanel(Dialogs &dialogs, QWidget *parent) : TrialSettingsForm(dialogs, parent)
{
    setAccessibleName(QStringLiteral("Trial settings"));
    // A spinner hands the keys to its field itself, past any filter on the field.
    for (QWidget *field : std::initializer_list<QWidget *>{TimeUpMessage, StartMessage, EndMessage, time,
                                                           CloseAfter, ScreenSize, boxSizeMm})
        field->installEventFilter(this);
    connect(this, &TrialSettingsForm::edited, this, &TrialSettingsPanel::report);
}

bool TrialSettingsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // A field taking these would undo its own typing behind the history's back.
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
            event->ignore();
            return true;
        }
    }
    return TrialSettingsForm::eventFilter(watched, event);
}

void TrialSettingsPanel::report(Field field, const QString &caption)
{
    if (!m_trial)
        return;
    TrialSettings after = m_trial();
    switch (field) {
    case Field::TimeUpMessage: after.TimeUpMessage = TimeUpMessage->text(); break;
    case Field::StartMessage: after.StartMessage = StartMessage->text(); break;
    case Field::EndMessage: after.EndMessage = EndMessage->text(); break;
    case Field::Time: after.time = time->text(); break;
    case Field::CloseAfter: after.CloseAfter = CloseAfter->text(); break;
    case Field::ForeColour: after.ChangeForeColor = ChangeForeColor->colour(); break;
    case Field::BackColour: after.ChangeColor = ChangeColor->colour(); break;
    case Field::ScreenSize: after.ScreenSize = ScreenSize->text(); break;
    case Field::BoxSize: after.BoxSizeMm = boxSizeMm->text(); break;
    }
    Q_EMIT settingEdited(caption, after);
}

void TrialSettingsPanel::showSettings(const TrialSettings &settings)
{
    const auto show = [](auto *field, const QString &text) {
        if (field->text() != text)
            field->setText(text);
    };
    show(TimeUpMessage, settings.TimeUpMessage);
    show(StartMessage, settings.StartMessage);
    show(EndMessage, settings.EndMessage);
    show(time, settings.time);
    show(CloseAfter, settings.CloseAfter);
    show(ScreenSize, settings.ScreenSize);
    show(boxSizeMm, settings.BoxSizeMm);
    ChangeColor->setColour(settings.ChangeColor);
    ChangeForeColor->setColour(settings.ChangeForeColor);
}

} // namespace kelvane

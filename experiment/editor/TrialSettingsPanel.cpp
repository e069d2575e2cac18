#include "kelvane/editor/TrialSettingsPanel.h"

#include "kelvane/options/StoredSettings.h"

#include "kelvane/widgets/StorableText.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QGroupBox *frame(QWidget *tab, const QString &caption)
{
    auto *box = new QGroupBox(caption, tab);
    tab->layout()->addWidget(box);
    return box;
}

QWidget *newTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->setSpacing(6);
    return tab;
}

void endTab(QWidget *tab)
{
    static_cast<QVBoxLayout *>(tab->layout())->addStretch(1);
}

} // namespace

TrialSettingsPanel::TrialSettingsPanel(Dialogs &dialogs, QWidget *parent) : QTabWidget(parent)
{
    setAccessibleName(QStringLiteral("Trial settings"));
    addTab(messagesTab(), QStringLiteral("Messages"));
    addTab(timingTab(), QStringLiteral("Timing"));
    addTab(screenTab(dialogs), QStringLiteral("Screen"));
    // A spinner hands the keys to its field itself, past any filter on the field.
    for (QWidget *field : std::initializer_list<QWidget *>{TimeUpMessage, StartMessage, EndMessage, time,
                                                           CloseAfter, ScreenSize, boxSizeMm})
        field->installEventFilter(this);
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
    return QTabWidget::eventFilter(watched, event);
}

QWidget *TrialSettingsPanel::messagesTab()
{
    QWidget *tab = newTab();
    TimeUpMessage = messageField(tab, QStringLiteral("Message on timeout"), &TrialSettings::TimeUpMessage);
    StartMessage = messageField(tab, QStringLiteral("Start message"), &TrialSettings::StartMessage);
    EndMessage = messageField(tab, QStringLiteral("End message"), &TrialSettings::EndMessage);
    endTab(tab);
    return tab;
}

QWidget *TrialSettingsPanel::timingTab()
{
    QWidget *tab = newTab();
    time = numberField(tab, QStringLiteral("Time for this layout"), QStringLiteral("seconds"),
                       &TrialSettings::time);
    CloseAfter = numberField(tab, QStringLiteral("Close boxes after"), QStringLiteral("seconds"),
                             &TrialSettings::CloseAfter);
    endTab(tab);
    return tab;
}

QWidget *TrialSettingsPanel::screenTab(Dialogs &dialogs)
{
    QWidget *tab = newTab();
    auto *colours = new QWidget(tab);
    auto *row = new QHBoxLayout(colours);
    row->setContentsMargins(0, 0, 0, 0);
    tab->layout()->addWidget(colours);
    ChangeForeColor = colourField(colours, dialogs, QStringLiteral("Foreground Color"),
                                  &TrialSettings::ChangeForeColor);
    ChangeColor = colourField(colours, dialogs, QStringLiteral("Background Color"),
                              &TrialSettings::ChangeColor);
    ScreenSize = numberField(tab, QStringLiteral("Screen Size"), QStringLiteral("percent"),
                             &TrialSettings::ScreenSize);
    boxSizeMm = numberField(tab, QStringLiteral("Box Size"), QStringLiteral("mm"), &TrialSettings::BoxSizeMm);
    boxSizeMm->setToolTip(boxSizeHint());
    endTab(tab);
    return tab;
}

QLineEdit *TrialSettingsPanel::messageField(QWidget *tab, const QString &caption,
                                            QString TrialSettings::*field)
{
    QGroupBox *box = frame(tab, caption);
    auto *edit = new QLineEdit(box);
    edit->setAccessibleName(caption);
    guardStorableText(edit);
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(edit);
    connect(edit, &QLineEdit::textEdited, this,
            [this, caption, field](const QString &text) { report(caption, field, text); });
    return edit;
}

SpinnerField *TrialSettingsPanel::numberField(QWidget *tab, const QString &caption, const QString &unit,
                                              QString TrialSettings::*field)
{
    QGroupBox *box = frame(tab, caption);
    auto *spinner = new SpinnerField(box);
    spinner->setAccessibleName(QStringLiteral("%1 (%2)").arg(caption, unit));
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(spinner);
    layout->addWidget(new QLabel(unit, box));
    layout->addStretch(1);
    connect(spinner, &SpinnerField::edited, this,
            [this, caption, field](const QString &text) { report(caption, field, text); });
    return spinner;
}

ColourButton *TrialSettingsPanel::colourField(QWidget *tab, Dialogs &dialogs, const QString &caption,
                                              ColourValue TrialSettings::*field)
{
    auto *box = new QGroupBox(caption, tab);
    tab->layout()->addWidget(box);
    auto *button = new ColourButton(dialogs, box);
    button->setAccessibleName(caption);
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(new QLabel(QStringLiteral("Click to change:"), box));
    layout->addWidget(button);
    layout->addStretch(1);
    connect(button, &ColourButton::colourChosen, this,
            [this, caption, field](ColourValue colour) { report(caption, field, colour); });
    return button;
}

template <typename Value>
void TrialSettingsPanel::report(const QString &setting, Value TrialSettings::*field, const Value &value)
{
    if (!m_trial)
        return;
    TrialSettings after = m_trial();
    after.*field = value;
    Q_EMIT edited(setting, after);
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

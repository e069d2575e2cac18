#include "kelvane/editor/TrialSettingsPanel.h"

#include "kelvane/widgets/StorableText.h"

#include <QGroupBox>
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
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) {
        if (!m_trial)
            return;
        m_trial().*field = text;
        Q_EMIT edited();
    });
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
    connect(spinner, &SpinnerField::edited, this, [this, field](const QString &text) {
        if (!m_trial)
            return;
        m_trial().*field = text;
        Q_EMIT edited();
    });
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
    connect(button, &ColourButton::colourChosen, this, [this, field](ColourValue colour) {
        if (!m_trial)
            return;
        m_trial().*field = colour;
        Q_EMIT edited();
    });
    return button;
}

void TrialSettingsPanel::showSettings(const TrialSettings &settings)
{
    TimeUpMessage->setText(settings.TimeUpMessage);
    StartMessage->setText(settings.StartMessage);
    EndMessage->setText(settings.EndMessage);
    time->setText(settings.time);
    CloseAfter->setText(settings.CloseAfter);
    ScreenSize->setText(settings.ScreenSize);
    ChangeColor->setColour(settings.ChangeColor);
    ChangeForeColor->setColour(settings.ChangeForeColor);
}

} // namespace kelvane

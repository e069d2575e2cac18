#include "kelvane/widgets/TrialSettingsForm.h"

#include "kelvane/widgets/ColourButton.h"
#include "kelvane/widgets/SpinnerField.h"
#include "kelvane/widgets/StorableText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QGroupBox *frame(QWidget *parent, const QString &caption)
{
    auto *box = new QGroupBox(caption, parent);
    box->setAccessibleName(caption);
    parent->layout()->addWidget(box);
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

TrialSettingsForm::TrialSettingsForm(Dialogs &dialogs, QWidget *parent) : QTabWidget(parent)
{
    addTab(messagesTab(), QStringLiteral("Messages"));
    addTab(timingTab(), QStringLiteral("Timing"));
    m_screenTab = makeScreenTab(dialogs);
    addTab(m_screenTab, QStringLiteral("Screen"));
}

void TrialSettingsForm::setMessageWidth(int characters)
{
    for (QLineEdit *message : {TimeUpMessage, StartMessage, EndMessage})
        message->setMinimumWidth(message->fontMetrics().averageCharWidth() * characters);
}

QWidget *TrialSettingsForm::messagesTab()
{
    QWidget *tab = newTab();
    TimeUpMessage = messageField(tab, QStringLiteral("Message on timeout"), Field::TimeUpMessage);
    StartMessage = messageField(tab, QStringLiteral("Start message"), Field::StartMessage);
    EndMessage = messageField(tab, QStringLiteral("End message"), Field::EndMessage);
    endTab(tab);
    return tab;
}

QWidget *TrialSettingsForm::timingTab()
{
    QWidget *tab = newTab();
    time = numberField(tab, QStringLiteral("Time for this layout"), QStringLiteral("seconds"), Field::Time);
    CloseAfter = numberField(tab, QStringLiteral("Close boxes after"), QStringLiteral("seconds"),
                             Field::CloseAfter);
    endTab(tab);
    return tab;
}

QWidget *TrialSettingsForm::makeScreenTab(Dialogs &dialogs)
{
    QWidget *tab = newTab();
    auto *colours = new QWidget(tab);
    auto *row = new QHBoxLayout(colours);
    row->setContentsMargins(0, 0, 0, 0);
    tab->layout()->addWidget(colours);
    ChangeForeColor = colourField(colours, dialogs, QStringLiteral("Foreground Color"), Field::ForeColour);
    ChangeColor = colourField(colours, dialogs, QStringLiteral("Background Color"), Field::BackColour);
    ScreenSize = numberField(tab, QStringLiteral("Screen Size"), QStringLiteral("percent"), Field::ScreenSize);
    boxSizeMm = numberField(tab, QStringLiteral("Box Size"), QStringLiteral("mm"), Field::BoxSize);
    boxSizeMm->setToolTip(QStringLiteral("Side of each box on the subject's screen, in millimetres, whatever the "
                                         "screen. Empty: the boxes take the icon size."));
    endTab(tab);
    return tab;
}

QLineEdit *TrialSettingsForm::messageField(QWidget *tab, const QString &caption, Field field)
{
    QGroupBox *box = frame(tab, caption);
    auto *edit = new QLineEdit(box);
    edit->setAccessibleName(caption);
    guardStorableText(edit);
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(edit);
    connect(edit, &QLineEdit::textEdited, this, [this, field, caption] { Q_EMIT edited(field, caption); });
    return edit;
}

SpinnerField *TrialSettingsForm::numberField(QWidget *tab, const QString &caption, const QString &unit,
                                             Field field)
{
    SpinnerField *spinner = framedSpinner(tab, caption, unit);
    connect(spinner, &SpinnerField::edited, this, [this, field, caption] { Q_EMIT edited(field, caption); });
    return spinner;
}

ColourButton *TrialSettingsForm::colourField(QWidget *row, Dialogs &dialogs, const QString &caption,
                                             Field field)
{
    QGroupBox *box = frame(row, caption);
    auto *button = new ColourButton(dialogs, box);
    button->setAccessibleName(caption);
    auto *layout = new QHBoxLayout(box);
    auto *label = new QLabel(QStringLiteral("Click to change:"), box);
    label->setBuddy(button);
    layout->addWidget(label);
    layout->addWidget(button);
    layout->addStretch(1);
    connect(button, &ColourButton::colourChosen, this, [this, field, caption] { Q_EMIT edited(field, caption); });
    return button;
}

} // namespace kelvane

#pragma once
// The settings of a trial on three tabs, "Messages", "Timing" and "Screen". The
// editor shows the selected trial's settings in it, the Options dialog the defaults
// new trials get; each reads and writes its fields itself.

#include "kelvane/Dialogs.h"

#include <QTabWidget>

class QLineEdit;

namespace kelvane {

class ColourButton;
class SpinnerField;

class TrialSettingsForm : public QTabWidget
{
    Q_OBJECT

public:
    enum class Field { TimeUpMessage, StartMessage, EndMessage, Time, CloseAfter, ForeColour, BackColour, ScreenSize,
                       BoxSize };

    explicit TrialSettingsForm(Dialogs &dialogs, QWidget *parent = nullptr);

    QWidget *screenTab() const { return m_screenTab; }
    // Widens the message fields to show `characters` average characters.
    void setMessageWidth(int characters);

    QLineEdit *TimeUpMessage = nullptr;
    QLineEdit *StartMessage = nullptr;
    QLineEdit *EndMessage = nullptr;
    SpinnerField *time = nullptr;
    SpinnerField *CloseAfter = nullptr;
    ColourButton *ChangeForeColor = nullptr;
    ColourButton *ChangeColor = nullptr;
    SpinnerField *ScreenSize = nullptr;
    SpinnerField *boxSizeMm = nullptr; // boxes' side in millimetres; empty: the icon size

Q_SIGNALS:
    // The researcher changed `field`, captioned `caption` (typing, a step, a colour
    // chosen); setting a field from code reports nothing.
    void edited(kelvane::TrialSettingsForm::Field field, const QString &caption);

private:
    QWidget *messagesTab();
    QWidget *timingTab();
    QWidget *makeScreenTab(Dialogs &dialogs);
    QLineEdit *messageField(QWidget *tab, const QString &caption, Field field);
    SpinnerField *numberField(QWidget *tab, const QString &caption, const QString &unit, Field field);
    ColourButton *colourField(QWidget *row, Dialogs &dialogs, const QString &caption, Field field);

    QWidget *m_screenTab = nullptr;
};

} // namespace kelvane

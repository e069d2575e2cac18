#pragma once
// A button whose face is the colour it holds; a click lets the researcher choose
// another in the colour dialog.

#include "kelvane/Dialogs.h"

#include <QColor>
#include <QPushButton>

namespace kelvane {

// "#ff0000", for tooltips and screen readers.
QString colourName(ColourValue value);

class ColourButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ColourButton(Dialogs &dialogs, QWidget *parent = nullptr);

    ColourValue colour() const { return m_colour; }
    // Sets the colour without reporting a choice.
    void setColour(ColourValue colour);

    // Shows the colour dialog. A cancelled dialog, or the colour the button already
    // held, changes nothing and reports nothing.
    void choose();

Q_SIGNALS:
    void colourChosen(ColourValue colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Dialogs &m_dialogs;
    ColourValue m_colour = 0;
};

} // namespace kelvane

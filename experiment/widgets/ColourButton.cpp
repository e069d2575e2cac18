#include "kelvane/widgets/ColourButton.h"

#include "kelvane/ColourValueColor.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kelvane {

QString colourName(ColourValue value)
{
    return toQColor(value).name();
}

ColourButton::ColourButton(Dialogs &dialogs, QWidget *parent)
    : QPushButton(parent), m_dialogs(dialogs)
{
    setMinimumSize(64, 28);
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
    setColour(0);
}

void ColourButton::setColour(ColourValue colour)
{
    m_colour = colour;
    setToolTip(QStringLiteral("%1 (%2)").arg(colourName(colour)).arg(colour));
    setAccessibleDescription(colourName(colour));
    update();
}

void ColourButton::choose()
{
    const auto chosen = m_dialogs.chooseColour(m_colour);
    if (!chosen || *chosen == m_colour)
        return;
    setColour(*chosen);
    Q_EMIT colourChosen(*chosen);
}

void ColourButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    const QRect face = rect().adjusted(margin, margin, -margin - 1, -margin - 1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(toQColor(m_colour));
    painter.drawRect(face);
}

} // namespace kelvane

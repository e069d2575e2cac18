#include "kelvane/runexp/UpDownButtons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setAutoRaise(false);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    return button;
}

} // namespace

UpDownButtons::UpDownButtons(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Move Event"));
    up = arrowButton(Qt::UpArrow, QStringLiteral("Move Up"), this);
    down = arrowButton(Qt::DownArrow, QStringLiteral("Move Down"), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, &UpDownButtons::upClicked);
    connect(down, &QToolButton::clicked, this, &UpDownButtons::downClicked);
}

} // namespace kelvane

#include "kelvane/trial/TrialWidgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvane {

BoxPicture::BoxPicture(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void BoxPicture::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void BoxPicture::paintEvent(QPaintEvent *)
{
    {
        QPainter painter(this);
        if (!m_picture.isNull())
            painter.drawPixmap(rect(), m_picture);
    }
    Q_EMIT painted();
}

void BoxPicture::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->timestamp();
}

void BoxPicture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked(m_pressedAt, event->timestamp());
}

Outline::Outline(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Outline::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void Outline::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kelvane

#include "kelvane/trial/TrialWidgets.h"

#include <QMouseEvent>
#include <QTabletEvent>
#include <QTouchEvent>
#include <QPainter>

namespace kelvane {

BoxPicture::BoxPicture(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // Taking the touches keeps the platform from turning them into mouse events here.
    setAttribute(Qt::WA_AcceptTouchEvents);
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

bool BoxPicture::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate: {
        // Every finger that goes down here is a press of its own; one that slides on from
        // elsewhere is not.
        const auto *touch = static_cast<QTouchEvent *>(event);
        for (const QEventPoint &point : touch->points()) {
            if (point.state() == QEventPoint::State::Pressed && rect().contains(point.position().toPoint()))
                Q_EMIT clicked({inputDeviceOf(touch->pointingDevice()), touch->timestamp(), touch->timestamp()});
        }
        event->accept();
        return true;
    }
    case QEvent::TabletPress: {
        const auto *pen = static_cast<QTabletEvent *>(event);
        Q_EMIT clicked({inputDeviceOf(pen->pointingDevice()), pen->timestamp(), pen->timestamp()});
        event->accept();
        return true;
    }
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

void BoxPicture::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->timestamp();
    m_pressMadeFromContact = event->source() != Qt::MouseEventNotSynthesized
                             || inputDeviceOf(event->pointingDevice()) != InputDevice::Mouse;
}

void BoxPicture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked({InputDevice::Mouse, m_pressedAt, event->timestamp(), m_pressMadeFromContact});
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

#include "TimedInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kelvane::test {

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButtons buttons, quint64 at)
{
    const QPointF local = QRectF(widget->rect()).center();
    QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    event.setTimestamp(at);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void sendClick(QWidget *widget, quint64 pressedAt, quint64 releasedAt)
{
    sendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, pressedAt);
    sendMouse(widget, QEvent::MouseButtonRelease, Qt::NoButton, releasedAt);
}

void sendKey(QWidget *widget, int key, quint64 at)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier);
        event.setTimestamp(at);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace kelvane::test

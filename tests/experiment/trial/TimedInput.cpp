#include "TimedInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QWidget>

#include <tuple>

namespace kelvane::test {

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButtons buttons, quint64 at)
{
    const QPointF local = QRectF(widget->rect()).center();
    QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    event.setTimestamp(at);
    QApplication::sendEvent(widget, &event);
}

void sendMadeFromTouch(QWidget *widget, QEvent::Type type, Qt::MouseButtons buttons, quint64 at)
{
    const QPointF local = QRectF(widget->rect()).center();
    QMouseEvent event(type, local, local, widget->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier,
                      Qt::MouseEventSynthesizedByQt, touchScreen());
    event.setTimestamp(at);
    QApplication::sendEvent(widget, &event);
}

// Notes the stamp of the touch events the platform delivers while it lives.
class TouchStamp : public QObject
{
public:
    TouchStamp() { qApp->installEventFilter(this); }
    ~TouchStamp() override { qApp->removeEventFilter(this); }
    quint64 stamp = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate
            || event->type() == QEvent::TouchEnd)
            stamp = static_cast<QInputEvent *>(event)->timestamp();
        return false;
    }
};

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

QPointingDevice *touchScreen()
{
    static QPointingDevice *const device = QTest::createTouchDevice();
    return device;
}

void sendClickMadeFromTouch(QWidget *widget, quint64 pressedAt, quint64 releasedAt)
{
    sendMadeFromTouch(widget, QEvent::MouseButtonPress, Qt::LeftButton, pressedAt);
    sendMadeFromTouch(widget, QEvent::MouseButtonRelease, Qt::NoButton, releasedAt);
}

void sendPenTap(QWidget *widget, quint64 downAt, quint64 upAt)
{
    static const QPointingDevice pen(QStringLiteral("test pen"), 4001, QInputDevice::DeviceType::Stylus,
                                     QPointingDevice::PointerType::Pen,
                                     QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    const QPointF local = QRectF(widget->rect()).center();
    for (const auto &[type, at, pressure] : {std::tuple{QEvent::TabletPress, downAt, 0.6},
                                             std::tuple{QEvent::TabletRelease, upAt, 0.0}}) {
        QTabletEvent event(type, &pen, local, widget->mapToGlobal(local), pressure, 0, 0, 0, 0, 0, Qt::NoModifier,
                           Qt::LeftButton, type == QEvent::TabletPress ? Qt::LeftButton : Qt::NoButton);
        event.setTimestamp(at);
        QApplication::sendEvent(widget, &event);
    }
}

Fingers::Fingers(QWidget *window) : m_sequence(QTest::touchEvent(window, touchScreen(), false)) {}

quint64 Fingers::press(int finger, QWidget *on)
{
    return press(finger, on, on->rect().center());
}

quint64 Fingers::press(int finger, QWidget *on, QPoint at)
{
    m_sequence.press(finger, at, on);
    const quint64 stamp = commit();
    m_down.insert(finger, {on, at});
    return stamp;
}

quint64 Fingers::release(int finger)
{
    const auto [on, at] = m_down.take(finger);
    m_sequence.release(finger, at, on);
    return commit();
}

quint64 Fingers::tap(QWidget *on)
{
    const int finger = 9;
    press(finger, on);
    return release(finger);
}

quint64 Fingers::commit()
{
    for (auto it = m_down.cbegin(); it != m_down.cend(); ++it)
        m_sequence.stationary(it.key());
    TouchStamp stamp;
    m_sequence.commit();
    return stamp.stamp;
}

} // namespace kelvane::test

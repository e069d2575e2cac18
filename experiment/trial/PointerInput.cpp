#include "kelvane/trial/PointerInput.h"

#include <QEvent>
#include <QInputEvent>
#include <QPointingDevice>

#include <algorithm>

namespace kelvane {

InputDevice inputDeviceOf(const QPointingDevice *device)
{
    if (!device)
        return InputDevice::Mouse;
    switch (device->type()) {
    case QInputDevice::DeviceType::TouchScreen:
    case QInputDevice::DeviceType::TouchPad:
        return InputDevice::Touch;
    case QInputDevice::DeviceType::Stylus:
    case QInputDevice::DeviceType::Airbrush:
    case QInputDevice::DeviceType::Puck:
        return InputDevice::Pen;
    default:
        return InputDevice::Mouse;
    }
}

bool touchScreenPresent()
{
    const QList<const QInputDevice *> devices = QInputDevice::devices();
    return std::any_of(devices.cbegin(), devices.cend(), [](const QInputDevice *device) {
        return device->type() == QInputDevice::DeviceType::TouchScreen;
    });
}

void ContactWatch::observe(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TabletPress:
        m_down = true;
        break;
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletRelease:
        m_down = false;
        break;
    default:
        return;
    }
    const quint64 at = static_cast<const QInputEvent *>(event)->timestamp();
    if (at != 0)
        m_lastAt = qMax(m_lastAt.value_or(0), at);
}

bool ContactWatch::echoes(quint64 pressedAt) const
{
    return m_down || (m_lastAt && pressedAt <= *m_lastAt + EchoMs);
}

} // namespace kelvane

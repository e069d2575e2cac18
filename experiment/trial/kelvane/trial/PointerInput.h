#pragma once
// Presses on boxes as the platform delivers them. A touch screen or a pen reaches the
// program twice: as itself, and as the mouse events the platform makes of it for programs
// that know only the mouse. Only the first may count.

#include "kelvane/trial/InputDevice.h"

#include <QtGlobal>

#include <optional>

class QEvent;
class QPointingDevice;

namespace kelvane {

InputDevice inputDeviceOf(const QPointingDevice *device);
// The platform knows a touch screen on this computer.
bool touchScreenPresent();

// A press on a box as its widget saw it. Stamps are milliseconds of the platform's input
// clock (0 where an event carried none).
struct BoxPress
{
    InputDevice device = InputDevice::Mouse;
    quint64 downAt = 0;   // the button, finger or pen went down
    quint64 countsAt = 0; // the click's moment: a mouse's release, a touch's or pen's touch-down
    bool madeFromContact = false; // mouse events the platform made from a touch or a pen
};

// Watches every touch and pen contact in the program, so that a mouse click that echoes
// one is known even where the platform hands it over as a plain mouse event.
class ContactWatch
{
public:
    // Mouse presses up to this long after a contact lifted belong to it.
    static constexpr quint64 EchoMs = 500;

    void observe(const QEvent *event);
    // A mouse press stamped `pressedAt` came while a contact was down or soon after it.
    bool echoes(quint64 pressedAt) const;

private:
    bool m_down = false;
    std::optional<quint64> m_lastAt;
};

} // namespace kelvane

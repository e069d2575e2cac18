#include "kelvane/trial/InputDevice.h"

namespace kelvane {

QString inputDeviceName(InputDevice device)
{
    switch (device) {
    case InputDevice::Mouse: return QStringLiteral("mouse");
    case InputDevice::Touch: return QStringLiteral("touch");
    case InputDevice::Pen: return QStringLiteral("pen");
    }
    return {};
}

} // namespace kelvane

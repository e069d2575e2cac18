#pragma once
// The kinds of pointing device a subject opens boxes with, as the event log and the run's
// summary name them.

#include <QString>

namespace kelvane {

enum class InputDevice { Mouse, Touch, Pen };

// "mouse", "touch", "pen".
QString inputDeviceName(InputDevice device);

} // namespace kelvane

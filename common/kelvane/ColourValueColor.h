#pragma once
// The one conversion from a colour value to the colour the screen draws. Header-only,
// so that the libraries without a screen that hold colour values need no Qt Gui.

#include "kelvane/ColourValue.h"

#include <QColor>

namespace kelvane {

inline QColor toQColor(ColourValue value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace kelvane

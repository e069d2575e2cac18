#pragma once

#include <QtGlobal>

namespace kelvane {

// Colours are 24-bit values with red in the low byte: 255 is red, 16777215 white.
using ColourValue = qint32;

} // namespace kelvane

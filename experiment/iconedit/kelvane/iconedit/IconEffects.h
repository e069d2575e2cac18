#pragma once
// The whole-icon effects. Each maps both planes, so transparency moves with the
// pixels; Invert changes colours only.

#include "kelvane/iconedit/IconImage.h"

namespace kelvane {

IconImage flipHorizontal(const IconImage &icon);  // (x, y) -> (31 - x, y)
IconImage flipVertical(const IconImage &icon);    // (x, y) -> (x, 31 - y)
IconImage rotateLeft(const IconImage &icon);      // (x, y) -> (y, 31 - x)
IconImage rotateRight(const IconImage &icon);     // (x, y) -> (31 - y, x)
// Every colour becomes its complement; the mask stays, so a transparent pixel (black)
// turns white and from then on inverts whatever lies behind the icon.
IconImage invertColours(const IconImage &icon);

} // namespace kelvane

#pragma once
// The two pictures the icon editor carries: the empty icon that New starts from, and
// the picture slot 0 shows when the window opens.

#include "kelvane/iconedit/IconImage.h"

namespace kelvane {

// Fully transparent: every colour pixel black, every mask bit 1.
IconImage blankIcon();
// A spiral notebook with a pencil, in the sixteen standard colours.
IconImage startUpPicture();

} // namespace kelvane

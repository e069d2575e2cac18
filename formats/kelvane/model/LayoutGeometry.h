#pragma once

#include <QtGlobal>

#include <optional>

namespace kelvane {

// The editor's layout area is a 7000 x 7000 twip square; files hold box positions as
// fractions of it so that layouts scale to any trial screen.
inline constexpr int LayoutAreaTwips = 7000;
inline constexpr int TwipsPerPixel = 15;

// Single precision, as the file stores it.
float fractionFromPosition(qint16 position);

// The whole-number part (rounded down) of fraction x 7000, in double precision.
// Nothing when the result does not fit a 16-bit position.
std::optional<qint16> positionFromFraction(double fraction);

} // namespace kelvane

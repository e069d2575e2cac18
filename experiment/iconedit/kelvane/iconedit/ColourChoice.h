#pragma once
// The fixed palette and the colour mixer's bands.

#include "kelvane/iconedit/IconImage.h"

#include <array>
#include <optional>

namespace kelvane {

inline constexpr int PaletteColumns = 16;
inline constexpr int PaletteRows = 3;
extern const std::array<IconColour, PaletteColumns * PaletteRows> PaletteColors;

// The palette index under a point given in palette units (16 wide, 3 high). The
// border itself (0 and the far edges) picks nothing.
std::optional<int> paletteIndexAt(double unitX, double unitY);

inline constexpr int MixerBands = 100;

// Bands 1..100 (index 0..99) blending red-only, red+green, green-only, green+blue and
// blue-only in four segments of 25 bands, each step 1/26 of the way, halves rounded
// to even.
std::array<IconColour, MixerBands> mixerBands(int red, int green, int blue);

} // namespace kelvane

#pragma once
// An icon as the editor holds it: a colour plane and a mask plane of 32 x 32 pixels,
// drawn with the icon rule shown = (background AND mask) XOR colour. Keeping the two
// planes apart (rather than one picture with alpha) is what lets a transparent pixel
// with a colour other than black invert the background, as icons drawn that way do.

#include <QtGlobal>

#include <array>

namespace kelvane {

// 24-bit colour with red in the low byte, as everywhere in the program: 0x00BBGGRR.
using IconColour = quint32;

constexpr IconColour iconRgb(int red, int green, int blue)
{
    return IconColour(red & 0xFF) | (IconColour(green & 0xFF) << 8) | (IconColour(blue & 0xFF) << 16);
}
constexpr int redOf(IconColour colour) { return int(colour & 0xFF); }
constexpr int greenOf(IconColour colour) { return int((colour >> 8) & 0xFF); }
constexpr int blueOf(IconColour colour) { return int((colour >> 16) & 0xFF); }

// The one background every view of the editor draws icons over (light grey).
inline constexpr IconColour ViewBackground = 0xC0C0C0;

struct IconImage
{
    static constexpr int Size = 32;
    static constexpr int PixelCount = Size * Size;

    // Row by row from the top left corner.
    std::array<IconColour, PixelCount> colour{};
    // The mask plane: true where the mask bit is 1 (the background shows through).
    std::array<bool, PixelCount> transparent{};

    // Every colour pixel black, every mask bit 1: draws nothing at all.
    static IconImage blank();

    static constexpr bool inside(int x, int y) { return x >= 0 && x < Size && y >= 0 && y < Size; }
    static constexpr int index(int x, int y) { return y * Size + x; }

    IconColour colourAt(int x, int y) const { return colour[std::size_t(index(x, y))]; }
    bool isTransparent(int x, int y) const { return transparent[std::size_t(index(x, y))]; }
    void setPixel(int x, int y, IconColour value, bool maskBit)
    {
        colour[std::size_t(index(x, y))] = value & 0xFFFFFF;
        transparent[std::size_t(index(x, y))] = maskBit;
    }

    bool operator==(const IconImage &) const = default;
};

// What one pixel shows over `background`.
IconColour composedPixel(const IconImage &icon, int x, int y, IconColour background);

} // namespace kelvane

#include "kelvane/iconedit/IconEffects.h"

namespace kelvane {

namespace {

constexpr int Last = IconImage::Size - 1;

template <typename Target>
IconImage remap(const IconImage &icon, Target target)
{
    IconImage result;
    for (int y = 0; y < IconImage::Size; ++y) {
        for (int x = 0; x < IconImage::Size; ++x) {
            const auto [tx, ty] = target(x, y);
            result.setPixel(tx, ty, icon.colourAt(x, y), icon.isTransparent(x, y));
        }
    }
    return result;
}

struct Point
{
    int x;
    int y;
};

} // namespace

IconImage flipHorizontal(const IconImage &icon)
{
    return remap(icon, [](int x, int y) { return Point{Last - x, y}; });
}

IconImage flipVertical(const IconImage &icon)
{
    return remap(icon, [](int x, int y) { return Point{x, Last - y}; });
}

IconImage rotateLeft(const IconImage &icon)
{
    return remap(icon, [](int x, int y) { return Point{y, Last - x}; });
}

IconImage rotateRight(const IconImage &icon)
{
    return remap(icon, [](int x, int y) { return Point{Last - y, x}; });
}

IconImage invertColours(const IconImage &icon)
{
    IconImage result = icon;
    for (IconColour &c : result.colour)
        c = ~c & 0xFFFFFF;
    return result;
}

} // namespace kelvane

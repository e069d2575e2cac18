#include "kelvane/iconedit/IconImage.h"

namespace kelvane {

IconImage IconImage::blank()
{
    IconImage icon;
    icon.colour.fill(0);
    icon.transparent.fill(true);
    return icon;
}

IconColour composedPixel(const IconImage &icon, int x, int y, IconColour background)
{
    const IconColour mask = icon.isTransparent(x, y) ? 0xFFFFFF : 0;
    return ((background & mask) ^ icon.colourAt(x, y)) & 0xFFFFFF;
}

} // namespace kelvane

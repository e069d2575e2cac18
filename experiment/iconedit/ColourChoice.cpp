#include "kelvane/iconedit/ColourChoice.h"

#include "kelvane/TextNumbers.h"

#include <algorithm>

namespace kelvane {

const std::array<IconColour, PaletteColumns * PaletteRows> PaletteColors = {
    0xFFFFFF, 0xE0E0E0, 0xC0C0FF, 0xC0E0FF, 0xE0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0,
    0xFFC0FF, 0x0000C0, 0x0040C0, 0x00C0C0, 0x00C000, 0xC0C000, 0xC00000, 0xC000C0,
    0xC0C0C0, 0x404040, 0x8080FF, 0x80C0FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080,
    0xFF80FF, 0x000080, 0x004080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,
    0x808080, 0x000000, 0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000,
    0xFF00FF, 0x000040, 0x404080, 0x004040, 0x004000, 0x404000, 0x400000, 0x400040,
};

std::optional<int> paletteIndexAt(double unitX, double unitY)
{
    if (!(unitX > 0 && unitX < PaletteColumns && unitY > 0 && unitY < PaletteRows))
        return std::nullopt;
    return int(unitX) + PaletteColumns * int(unitY);
}

namespace {

struct Components
{
    int red = 0;
    int green = 0;
    int blue = 0;
};

Components brighter(const Components &a, const Components &b)
{
    return {std::max(a.red, b.red), std::max(a.green, b.green), std::max(a.blue, b.blue)};
}

int blend(int from, int to, int step)
{
    // step * (to - from) is a whole number; only the division is in floating point.
    return int(roundHalfEven(double(step * (to - from)) / 26.0 + from));
}

IconColour between(const Components &from, const Components &to, int step)
{
    return iconRgb(blend(from.red, to.red, step), blend(from.green, to.green, step),
                   blend(from.blue, to.blue, step));
}

} // namespace

std::array<IconColour, MixerBands> mixerBands(int red, int green, int blue)
{
    const Components redOnly{red, 0, 0};
    const Components greenOnly{0, green, 0};
    const Components blueOnly{0, 0, blue};
    const Components redGreen = brighter(redOnly, greenOnly);
    const Components greenBlue = brighter(greenOnly, blueOnly);

    std::array<IconColour, MixerBands> bands{};
    for (int band = 1; band <= MixerBands; ++band) {
        IconColour &colour = bands[std::size_t(band - 1)];
        if (band <= 25)
            colour = between(redOnly, redGreen, band - 1);
        else if (band <= 50)
            colour = between(redGreen, greenOnly, band - 25);
        else if (band <= 75)
            colour = between(greenOnly, greenBlue, band - 50);
        else
            colour = between(greenBlue, blueOnly, band - 75);
    }
    return bands;
}

} // namespace kelvane

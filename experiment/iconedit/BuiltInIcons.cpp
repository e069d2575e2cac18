#include "kelvane/iconedit/BuiltInIcons.h"

#include <array>
#include <string_view>

namespace kelvane {

namespace {

// One character per pixel; '.' is transparent.
constexpr std::array<std::string_view, IconImage::Size> Notebook = {
    "................................",
    "......kkkkkkkkkkkkkkkkkkkkkk....",
    "......kwwwrwwwwwwwwwwwwwwwwkd...",
    "....kkkwwwrwwwwwwwwwwwwwwwwkd...",
    "...k..kdwwrwwwwwwwwwwwwwwwwkd...",
    "....kkkwwwrwwwwwwwwwwwwwwwwkd...",
    "......kwwwrwwwwwwwwwwwwwwwwkd...",
    "....kkkwwwrwccccccccccccccwkd...",
    "...k..kdwwrwwwwwwwwwwwwwwwwkd...",
    "....kkkwwwrwwwwwwwwwwwwwwwwkd...",
    "......kwwwrwccccccccccccccwkd...",
    "....kkkwwwrwwwwwwwwwwwwwwwwkd...",
    "...k..kdwwrwwwwwwwwwwwwwwwwkd...",
    "....kkkwwwrwccccccccccccccwkd...",
    "......kwwwrwwwwwwwwwwwwwwwwkd...",
    "....kkkwwwrwwwwwwwwwwwwwwwwkd...",
    "...k..kdwwrwccccccccccccccwkyY..",
    "....kkkwwwrwwwwwwwwwwwwwwwwyY...",
    "......kwwwrwwwwwwwwwwwwwwwyYd...",
    "....kkkwwwrwcccccccccccccyYkd...",
    "...k..kdwwrwwwwwwwwwwwwwyYwkd...",
    "....kkkwwwrwwwwwwwwwwwwyYwwkd...",
    "......kwwwrwccccccccccyYccwkd...",
    "....kkkwwwrwwwwwwwwwwyYwwwwkd...",
    "...k..kdwwrwwwwwwwwwyYwwwwwkd...",
    "....kkkwwwrwcccccccyccccccwkd...",
    "......kwwwrwwwwwwwkwwwwwwwwkd...",
    "......kwwwrwwwwwwwwwwwwwwwwkd...",
    "......kwwwrwwwwwwwwwwwwwwwwkd...",
    "......kkkkkkkkkkkkkkkkkkkkkkd...",
    ".......dddddddddddddddddddddd...",
    "................................",
};

IconColour colourOf(char code)
{
    switch (code) {
    case 'k': return iconRgb(0, 0, 0);
    case 'w': return iconRgb(255, 255, 255);
    case 'd': return iconRgb(128, 128, 128);
    case 'r': return iconRgb(255, 0, 0);
    case 'c': return iconRgb(0, 255, 255);
    case 'y': return iconRgb(255, 255, 0);
    case 'Y': return iconRgb(128, 128, 0);
    default: return 0;
    }
}

} // namespace

IconImage blankIcon()
{
    return IconImage::blank();
}

IconImage startUpPicture()
{
    IconImage icon;
    for (int y = 0; y < IconImage::Size; ++y) {
        for (int x = 0; x < IconImage::Size; ++x) {
            const char code = Notebook[std::size_t(y)][std::size_t(x)];
            icon.setPixel(x, y, colourOf(code), code == '.');
        }
    }
    return icon;
}

} // namespace kelvane

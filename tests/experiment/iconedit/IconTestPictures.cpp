#include "IconTestPictures.h"

namespace kelvane::test {

IconImage iconFrom(const Pattern &pattern)
{
    IconImage icon;
    for (int y = 0; y < IconImage::Size; ++y) {
        for (int x = 0; x < IconImage::Size; ++x) {
            const Pixel pixel = pattern(x, y);
            icon.setPixel(x, y, pixel.colour, pixel.transparent);
        }
    }
    return icon;
}

IconImage mixedIcon()
{
    return iconFrom([](int x, int y) {
        if ((x + 2 * y) % 7 == 0)
            return Pixel{0, true};
        if ((3 * x + y) % 11 == 0)
            return Pixel{iconRgb(x * 8, 255 - y * 8, 77), true};
        return Pixel{iconRgb(x * 7, y * 5, (x * y) % 256), false};
    });
}

QString firstDifference(const IconImage &actual, const IconImage &expected)
{
    for (int y = 0; y < IconImage::Size; ++y) {
        for (int x = 0; x < IconImage::Size; ++x) {
            if (actual.colourAt(x, y) != expected.colourAt(x, y)
                || actual.isTransparent(x, y) != expected.isTransparent(x, y)) {
                return QStringLiteral("(%1, %2): %3 %4, expected %5 %6")
                    .arg(x)
                    .arg(y)
                    .arg(actual.colourAt(x, y), 6, 16, QLatin1Char('0'))
                    .arg(actual.isTransparent(x, y) ? QStringLiteral("transparent") : QStringLiteral("opaque"))
                    .arg(expected.colourAt(x, y), 6, 16, QLatin1Char('0'))
                    .arg(expected.isTransparent(x, y) ? QStringLiteral("transparent") : QStringLiteral("opaque"));
            }
        }
    }
    return {};
}

} // namespace kelvane::test

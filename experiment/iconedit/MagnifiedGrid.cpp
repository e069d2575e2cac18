#include "kelvane/iconedit/MagnifiedGrid.h"

#include <cmath>

namespace kelvane {

std::optional<int> paintedCell(double viewPosition)
{
    if (!(viewPosition >= 0 && viewPosition < MagnifiedSize))
        return std::nullopt;
    return int(viewPosition / CellPixels);
}

QString cellLabel(double viewX, double viewY)
{
    const auto cell = [](double position) { return qint64(std::trunc(position / CellPixels)); };
    return QStringLiteral("X=%1  Y=%2").arg(cell(viewX) + 1).arg(cell(viewY) + 1);
}

QImage gridOverlay(GridStyle style)
{
    QImage overlay(MagnifiedSize, MagnifiedSize, QImage::Format_RGB32);
    overlay.fill(Qt::white);
    const QRgb black = qRgb(0, 0, 0);
    for (int i = 1; i < IconImage::Size; ++i) {
        const int at = i * CellPixels;
        if (style == GridStyle::Solid) {
            for (int along = 0; along < MagnifiedSize; ++along) {
                overlay.setPixel(along, at, black);
                overlay.setPixel(at, along, black);
            }
        } else if (style == GridStyle::Dotted) {
            for (int j = 1; j < IconImage::Size; ++j)
                overlay.setPixel(j * CellPixels, at, black);
        }
    }
    return overlay;
}

QRgb toQRgb(IconColour colour)
{
    return qRgb(redOf(colour), greenOf(colour), blueOf(colour));
}

QImage composedImage(const IconImage &icon, IconColour background)
{
    QImage image(IconImage::Size, IconImage::Size, QImage::Format_RGB32);
    for (int y = 0; y < IconImage::Size; ++y) {
        for (int x = 0; x < IconImage::Size; ++x)
            image.setPixel(x, y, toQRgb(composedPixel(icon, x, y, background)));
    }
    return image;
}

QImage magnify(const QImage &actualSize, const QImage &overlay)
{
    QImage view(MagnifiedSize, MagnifiedSize, QImage::Format_RGB32);
    for (int y = 0; y < MagnifiedSize; ++y) {
        const int row = y / CellPixels;
        for (int x = 0; x < MagnifiedSize; ++x) {
            QRgb shown = actualSize.pixel(x / CellPixels, row);
            if (!overlay.isNull())
                shown &= overlay.pixel(x, y);
            view.setPixel(x, y, shown | 0xFF000000);
        }
    }
    return view;
}

} // namespace kelvane

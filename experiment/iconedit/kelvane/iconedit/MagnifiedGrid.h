#pragma once
// The magnified view's geometry and pictures: every icon pixel is an 8 x 8 block of a
// 256 x 256 view, and the grid is a white overlay with black lines or dots that is
// combined with the blocks by a bitwise AND.

#include "kelvane/iconedit/IconImage.h"

#include <QImage>
#include <QString>

#include <optional>

namespace kelvane {

inline constexpr int CellPixels = 8;
inline constexpr int MagnifiedSize = IconImage::Size * CellPixels; // 256

enum class GridStyle { None, Solid, Dotted };

// The icon column (or row) painted at a view position, or nothing outside the view.
std::optional<int> paintedCell(double viewPosition);

// The cell label "X=1  Y=1". Positions just left of or above the view (down to -8,
// exclusive) still name the first cell, as the label always did.
QString cellLabel(double viewX, double viewY);

// 256 x 256, white, with black lines on the first row and column of every block but
// the first ones (Solid), or a black dot at each such block corner (Dotted).
QImage gridOverlay(GridStyle style);

// The icon at actual size over `background`, 32 x 32 in Format_RGB32.
QImage composedImage(const IconImage &icon, IconColour background);

// Every pixel of `actualSize` (32 x 32) as an 8 x 8 block; then, when `overlay` is
// not null, AND-ed with it.
QImage magnify(const QImage &actualSize, const QImage &overlay);

QRgb toQRgb(IconColour colour);

} // namespace kelvane

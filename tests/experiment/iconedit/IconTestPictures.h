#pragma once
// Icons for the icon editor's tests, drawn from formulas.

#include "kelvane/iconedit/IconImage.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace kelvane::test {

struct Pixel
{
    IconColour colour = 0;
    bool transparent = false;
};

using Pattern = std::function<Pixel(int x, int y)>;

IconImage iconFrom(const Pattern &pattern);

// Every kind of pixel at once: opaque colours, transparent black and transparent
// pixels with a colour (which invert the background).
IconImage mixedIcon();

// The first pixel where the two differ, as text, or empty when they are equal.
QString firstDifference(const IconImage &actual, const IconImage &expected);

} // namespace kelvane::test

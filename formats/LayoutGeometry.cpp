#include "kelvane/model/LayoutGeometry.h"

#include <cmath>
#include <limits>

namespace kelvane {

float fractionFromPosition(qint16 position)
{
    return float(position) / float(LayoutAreaTwips);
}

std::optional<qint16> positionFromFraction(double fraction)
{
    const double position = std::floor(fraction * double(LayoutAreaTwips));
    if (!(position >= std::numeric_limits<qint16>::min() && position <= std::numeric_limits<qint16>::max()))
        return std::nullopt;
    return qint16(position);
}

} // namespace kelvane

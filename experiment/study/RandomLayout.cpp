#include "kelvane/study/RandomLayout.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/model/ClusterModel.h"
#include "kelvane/model/LayoutGeometry.h"

#include <cmath>
#include <numbers>

namespace kelvane {

namespace {

// Tries per box before the layout is begun again, and layouts before giving up. Far
// above what any layout that fits needs; they only end the search for one that cannot.
constexpr int TriesPerBox = 2000;
constexpr int FreshStarts = 50;

// The densest packing of equal discs covers this part of the plane.
constexpr double DensestPacking = std::numbers::pi / (2.0 * std::numbers::sqrt3);

qint64 squaredDistance(QPoint a, QPoint b)
{
    const qint64 dx = a.x() - b.x();
    const qint64 dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

// A cluster file holds a position as a fraction of seven digits, which gives some
// positions back one twip smaller; only positions that come back whole are used.
bool comesBackFromFile(int position)
{
    const QString written = shortNumberForm(fractionFromPosition(qint16(position)));
    return positionFromFraction(leadingNumber(written)) == qint16(position);
}

QString rulesText(int count, const LayoutRules &rules)
{
    return QStringLiteral("%1 boxes of %2 twips do not fit in the %3-twip layout square with their centres "
                          "at least %4 twips apart and %5 twips from its edges")
        .arg(count)
        .arg(rules.boxSize)
        .arg(LayoutAreaTwips)
        .arg(rules.minDistance)
        .arg(rules.margin);
}

} // namespace

LayoutRules LayoutRules::forBoxSize(double iconSizeTwips, double distanceInBoxes)
{
    LayoutRules rules;
    rules.boxSize = int(std::lround(iconSizeTwips));
    rules.margin = rules.boxSize / 2;
    rules.minDistance = int(std::ceil(distanceInBoxes * rules.boxSize));
    return rules;
}

std::optional<QString> impossibleLayout(int count, const LayoutRules &rules)
{
    if (count > ClusterModel::MaxBoxesPerTrial)
        return QStringLiteral("a trial holds at most %1 boxes").arg(ClusterModel::MaxBoxesPerTrial);
    const int span = LayoutAreaTwips - 2 * rules.margin - rules.boxSize; // room for the corners
    if (count > 0 && span < 0)
        return rulesText(count, rules) + QStringLiteral(": not even one box fits");
    if (count < 2)
        return std::nullopt;
    // Discs of half the distance around the centres do not overlap and lie within the
    // centres' square grown by the distance; they cannot cover more of it than the
    // densest packing does.
    const double radius = rules.minDistance / 2.0;
    const double side = span + double(rules.minDistance);
    if (count * std::numbers::pi * radius * radius > DensestPacking * side * side)
        return rulesText(count, rules);
    return std::nullopt;
}

LayoutOutcome randomLayout(StudyRandom &random, int count, const LayoutRules &rules)
{
    if (const auto impossible = impossibleLayout(count, rules))
        return {{}, *impossible + QStringLiteral("; choose fewer boxes or a smaller distance")};
    const int low = rules.margin;
    const int high = LayoutAreaTwips - rules.margin - rules.boxSize;
    const qint64 least = qint64(rules.minDistance) * rules.minDistance;
    for (int start = 0; start < FreshStarts; ++start) {
        std::vector<QPoint> corners;
        int tries = 0;
        while (int(corners.size()) < count && tries < TriesPerBox) {
            ++tries;
            const int left = random.between(low, high);
            const int top = random.between(low, high);
            if (!comesBackFromFile(left) || !comesBackFromFile(top))
                continue;
            const QPoint corner(left, top);
            bool clear = true;
            for (const QPoint &placed : corners)
                clear = clear && squaredDistance(placed, corner) >= least;
            if (!clear)
                continue;
            corners.push_back(corner);
            tries = 0;
        }
        if (int(corners.size()) == count)
            return {corners, {}};
    }
    return {{}, rulesText(count, rules) + QStringLiteral(" (no layout was found in %1 attempts); choose fewer "
                                                         "boxes or a smaller distance")
                                              .arg(FreshStarts)};
}

} // namespace kelvane

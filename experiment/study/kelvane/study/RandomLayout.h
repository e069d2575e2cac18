#pragma once
// Boxes placed at random in the layout square: every box wholly inside it with a margin
// to spare, no two box centres closer than a minimum distance. The same random sequence
// gives the same places.

#include "kelvane/study/StudyRandom.h"

#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

namespace kelvane {

struct LayoutRules
{
    int boxSize = 480;     // twips, the side of a box picture
    int margin = 240;      // twips kept free between the boxes and the square's edges
    int minDistance = 720; // twips, at least, between the centres of any two boxes

    // Margin half a box, centres at least `distanceInBoxes` box widths apart.
    static LayoutRules forBoxSize(double iconSizeTwips, double distanceInBoxes = 1.5);
};

struct LayoutOutcome
{
    std::vector<QPoint> corners; // top-left corners, twips; empty when refused
    QString refusal;             // why the boxes cannot be placed
};

// Places `count` boxes. Every corner is a position a cluster file gives back unchanged,
// so what is checked here is what a subject sees.
LayoutOutcome randomLayout(StudyRandom &random, int count, const LayoutRules &rules);

// Why `count` boxes can never be placed under `rules`, or nothing when they may be.
std::optional<QString> impossibleLayout(int count, const LayoutRules &rules);

} // namespace kelvane

#pragma once
// The one routine that draws a cluster's layout and a subject's searches on it. It paints
// on any QPainter: a PDF page, the search viewer, an image in a test. Callers choose the
// surface and the rectangle; sizes of lines and letters follow the rectangle.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace kelvane::analyzer::report {

// Where the boxes of one trial stood: the top-left corner of box n at index n - 1, as a
// fraction of the layout square's side.
struct TrialLayout
{
    QList<QPointF> boxes;
};

// One click as the scoring coded it.
struct SearchStep
{
    int box = 0;
    bool found = false;         // opened the target
    bool repeat = false;        // the box was opened before in this search
    bool betweenError = false;  // the box held a target an earlier search found
};

// One search: a trial line of the result file.
struct DrawnSearch
{
    int trial = 0;  // the number in the result file
    int boxes = 0;  // "Total boxes" of the line
    int target = 0;
    bool found = false; // false: the time ran out
    QList<SearchStep> steps;
};

// The side of a box in the layout square: the default 32-pixel picture in the
// 7000-twip layout area.
inline constexpr double BoxSide = 480.0 / 7000.0;

// Draws the layout square in `area` (its largest centred square), every box with its
// number beside it, the target filled.
void drawLayout(QPainter &painter, const QRectF &area, const TrialLayout &layout, int target);

// Draws `search` on its layout: numbered steps from click to click, each error marked by
// its kind, a time-out marked. Only the first `stepsShown` clicks are drawn when given.
// Without a layout the search is drawn as a row of box numbers in click order.
void drawSearch(QPainter &painter, const QRectF &area, const std::optional<TrialLayout> &layout,
                const DrawnSearch &search, std::optional<int> stepsShown = std::nullopt);

// The key to the marks drawSearch uses across `area`, in letters `fontPixels` high; what
// does not fit on one line goes on to the next.
void drawLegend(QPainter &painter, const QRectF &area, double fontPixels);

// The largest square centred in `area`.
QRectF centredSquare(const QRectF &area);

} // namespace kelvane::analyzer::report

#include "SearchDrawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kelvane::analyzer::report {

namespace {

// Colour and shape both tell the kinds apart, so a page printed in grey still reads.
enum class Mark { Plain, Found, Repeat, BetweenError, Both };

const QColor PlainColour(64, 64, 64);
const QColor FoundColour(26, 152, 80);
const QColor RepeatColour(230, 97, 1);
const QColor BetweenErrorColour(33, 102, 172);
const QColor BothColour(178, 24, 43);
const QColor TargetFill(254, 224, 139);
const QColor BoxFill(235, 235, 235);
const QColor TimeOutColour(200, 0, 0);

Mark markOf(const SearchStep &step)
{
    if (step.repeat && step.betweenError)
        return Mark::Both;
    if (step.repeat)
        return Mark::Repeat;
    if (step.betweenError)
        return Mark::BetweenError;
    return step.found ? Mark::Found : Mark::Plain;
}

QColor colourOf(Mark mark)
{
    switch (mark) {
    case Mark::Plain: return PlainColour;
    case Mark::Found: return FoundColour;
    case Mark::Repeat: return RepeatColour;
    case Mark::BetweenError: return BetweenErrorColour;
    case Mark::Both: return BothColour;
    }
    return PlainColour;
}

QFont fontOfPixels(double pixels, bool bold = false)
{
    QFont font;
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

// A marker of `radius` around `centre`: a circle for a plain or finding click, a square
// for a repeat, a diamond for a between-search error, a square holding a diamond for both.
void drawMarker(QPainter &painter, const QPointF &centre, double radius, Mark mark)
{
    const QColor colour = colourOf(mark);
    painter.setPen(QPen(colour.darker(130), radius * 0.15));
    painter.setBrush(colour);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPolygonF diamond;
    diamond << QPointF(centre.x(), centre.y() - radius * 1.25) << QPointF(centre.x() + radius * 1.25, centre.y())
            << QPointF(centre.x(), centre.y() + radius * 1.25) << QPointF(centre.x() - radius * 1.25, centre.y());
    switch (mark) {
    case Mark::Plain:
    case Mark::Found:
        painter.drawEllipse(box);
        break;
    case Mark::Repeat:
        painter.drawRect(box);
        break;
    case Mark::BetweenError:
        painter.drawPolygon(diamond);
        break;
    case Mark::Both:
        painter.drawRect(box);
        painter.setPen(QPen(Qt::white, radius * 0.15));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(diamond.translated(0, 0));
        break;
    }
}

void drawMarkerText(QPainter &painter, const QPointF &centre, double radius, const QString &text)
{
    painter.setPen(Qt::white);
    painter.setFont(fontOfPixels(radius * (text.size() > 1 ? 1.05 : 1.3), true));
    painter.drawText(QRectF(centre.x() - 2 * radius, centre.y() - radius, 4 * radius, 2 * radius),
                     Qt::AlignCenter, text);
}

QPointF boxCentre(const QRectF &square, const QPointF &topLeft)
{
    const double side = square.width();
    return {square.left() + (topLeft.x() + BoxSide / 2) * side,
            square.top() + (topLeft.y() + BoxSide / 2) * side};
}

void drawTimeOut(QPainter &painter, const QRectF &square)
{
    const double width = std::max(1.0, square.width() * 0.012);
    painter.setPen(QPen(TimeOutColour, width, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    // Inside the edge: a panel's frame must not reach into its neighbour.
    painter.drawRect(square.adjusted(width, width, -width, -width));
    painter.setFont(fontOfPixels(square.width() * 0.07, true));
    painter.setPen(TimeOutColour);
    painter.drawText(square.adjusted(square.width() * 0.03, square.width() * 0.02, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("time-out"));
}

// Without positions: the boxes opened, in order, as a wrapping row of marked numbers.
void drawSequence(QPainter &painter, const QRectF &square, const DrawnSearch &search, int shown)
{
    const double side = square.width();
    painter.setPen(QPen(Qt::gray, std::max(1.0, side * 0.004)));
    painter.setBrush(Qt::white);
    painter.drawRect(square);
    painter.setPen(Qt::black);
    painter.setFont(fontOfPixels(side * 0.07));
    painter.drawText(square.adjusted(side * 0.04, side * 0.12, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("target %1").arg(search.target));
    const double radius = side * 0.055;
    const double pitch = radius * 3;
    const int perRow = std::max(1, int((side - radius) / pitch));
    for (int i = 0; i < shown; ++i) {
        const QPointF centre(square.left() + radius * 2 + (i % perRow) * pitch,
                             square.top() + side * 0.3 + (i / perRow) * pitch);
        const SearchStep &step = search.steps[i];
        drawMarker(painter, centre, radius, markOf(step));
        drawMarkerText(painter, centre, radius, QString::number(step.box));
    }
}

} // namespace

QRectF centredSquare(const QRectF &area)
{
    const double side = std::min(area.width(), area.height());
    return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

void drawLayout(QPainter &painter, const QRectF &area, const TrialLayout &layout, int target)
{
    const QRectF square = centredSquare(area);
    const double side = square.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::gray, std::max(1.0, side * 0.004)));
    painter.setBrush(Qt::white);
    painter.drawRect(square);
    // A box placed partly outside the layout area is cut at its edge, as the subject's
    // screen cut it.
    painter.setClipRect(square);
    const double boxSide = BoxSide * side;
    // Numbers stay readable in a small panel, where a box is only a few millimetres wide.
    painter.setFont(fontOfPixels(std::max(boxSide * 0.55, side * 0.045)));
    for (qsizetype i = 0; i < layout.boxes.size(); ++i) {
        const QPointF &at = layout.boxes[i];
        const QRectF box(square.left() + at.x() * side, square.top() + at.y() * side, boxSide, boxSide);
        const bool isTarget = i + 1 == target;
        painter.setPen(QPen(Qt::black, std::max(1.0, boxSide * (isTarget ? 0.12 : 0.05))));
        painter.setBrush(isTarget ? TargetFill : BoxFill);
        painter.drawRect(box);
        painter.setPen(Qt::black);
        const double letters = painter.font().pixelSize();
        painter.drawText(QRectF(box.right() + boxSide * 0.08, box.top() - letters * 0.6, letters * 3, letters * 1.3),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(i + 1));
    }
    painter.restore();
}

void drawSearch(QPainter &painter, const QRectF &area, const std::optional<TrialLayout> &layout,
                const DrawnSearch &search, std::optional<int> stepsShown)
{
    const QRectF square = centredSquare(area);
    const int shown = int(std::clamp<qsizetype>(stepsShown.value_or(search.steps.size()), 0, search.steps.size()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (!layout) {
        drawSequence(painter, square, search, shown);
    } else {
        drawLayout(painter, square, *layout, search.target);
        painter.setClipRect(square);
        const double side = square.width();
        const double radius = std::max(side * BoxSide * 0.36, side * 0.032);
        // Where each step's marker sits: at its box, moved round the centre on each
        // further visit, so returns to a box stay readable.
        QList<std::optional<QPointF>> places;
        QList<int> visits(layout->boxes.size() + 1, 0);
        for (int i = 0; i < shown; ++i) {
            const int box = search.steps[i].box;
            if (box < 1 || box > layout->boxes.size()) {
                places << std::nullopt;
                continue;
            }
            const int visit = visits[box]++;
            const double angle = visit * 2.4; // a golden-angle spiral
            const double distance = visit == 0 ? 0 : radius * (1.2 + 0.35 * visit);
            places << boxCentre(square, layout->boxes[box - 1])
                          + QPointF(std::cos(angle) * distance, std::sin(angle) * distance);
        }
        painter.setPen(QPen(QColor(90, 90, 90, 170), std::max(1.0, side * 0.006)));
        for (int i = 1; i < shown; ++i) {
            if (places[i - 1] && places[i])
                painter.drawLine(*places[i - 1], *places[i]);
        }
        for (int i = 0; i < shown; ++i) {
            if (places[i]) {
                drawMarker(painter, *places[i], radius, markOf(search.steps[i]));
                drawMarkerText(painter, *places[i], radius, QString::number(i + 1));
            }
        }
        painter.setClipping(false);
    }
    if (!search.found)
        drawTimeOut(painter, square);
    painter.restore();
}

void drawLegend(QPainter &painter, const QRectF &area, double fontPixels)
{
    struct Entry { std::optional<Mark> mark; QString text; };
    const QList<Entry> entries{{Mark::Plain, QStringLiteral("click (step number)")},
                               {Mark::Found, QStringLiteral("target found")},
                               {Mark::Repeat, QStringLiteral("repeat")},
                               {Mark::BetweenError, QStringLiteral("found target revisited")},
                               {Mark::Both, QStringLiteral("both")},
                               {std::nullopt, QStringLiteral("target box")},
                               {std::nullopt, QStringLiteral("time-out")}};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = fontOfPixels(fontPixels);
    const QFontMetricsF metrics(font);
    const double radius = fontPixels * 0.45;
    const double lineHeight = fontPixels * 1.6;
    double x = area.left();
    double y = area.top() + lineHeight / 2;
    for (const Entry &entry : entries) {
        const double width = radius * 2 + fontPixels * 0.3 + metrics.horizontalAdvance(entry.text);
        // Entries that do not fit go on the next line rather than off the edge.
        if (x > area.left() && x + width > area.right()) {
            x = area.left();
            y += lineHeight;
        }
        const QRectF sample(x, y - radius, radius * 2, radius * 2);
        if (entry.mark) {
            drawMarker(painter, sample.center(), radius, *entry.mark);
        } else if (entry.text == QLatin1StringView("target box")) {
            painter.setPen(QPen(Qt::black, std::max(1.0, fontPixels * 0.12)));
            painter.setBrush(TargetFill);
            painter.drawRect(sample);
        } else {
            painter.setPen(QPen(TimeOutColour, std::max(1.0, fontPixels * 0.12), Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(sample);
        }
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(sample.right() + fontPixels * 0.3, y - lineHeight / 2, width, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, entry.text);
        x += width + fontPixels * 1.2;
    }
    painter.restore();
}

} // namespace kelvane::analyzer::report

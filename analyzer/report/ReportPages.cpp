#include "ReportPages.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kelvane::analyzer::report {

namespace {

constexpr double PointMm = 25.4 / 72;
constexpr int PanelColumns = 5;
const QColor WarningColour(190, 0, 0);
const QColor WithinColour(230, 97, 1);
const QColor BetweenColour(33, 102, 172);
const QColor MedianColour(178, 24, 43);

// Measurements in millimetres from the page's top-left corner.
struct Page
{
    QPainter &painter;
    QRectF area;
    double mm;

    QRectF rect(double x, double y, double w, double h) const
    {
        return {area.left() + x * mm, area.top() + y * mm, w * mm, h * mm};
    }
    double width() const { return area.width() / mm; }
    double height() const { return area.height() / mm; }

    // Writes `text` wrapped within the width `w` from (x, y); returns the height used, in mm.
    double text(double x, double y, double w, const QString &words, double points, bool bold = false,
                const QColor &colour = Qt::black, int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                double maxHeight = 1000) const
    {
        const QFont font = reportFont(points, mm, bold);
        painter.setFont(font);
        painter.setPen(colour);
        const QRectF box = rect(x, y, w, maxHeight);
        const QRectF used = painter.boundingRect(box, flags, words);
        painter.drawText(box, flags, words); // cut at the box's edge, never beyond
        return std::min(used.height(), box.height()) / mm;
    }
};

// 1, 2 or 5 times a power of ten, giving about five steps up to `top`.
double niceStep(double top)
{
    if (top <= 0)
        return 1;
    const double raw = top / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * power)
            return factor * power;
    }
    return 10 * power;
}

QString tickText(double value, double step)
{
    const int decimals = step >= 1 ? 0 : int(std::ceil(-std::log10(step)));
    return QString::number(value, 'f', decimals);
}

// Axes of a plot over `categories` along x; maps values to points.
struct Axes
{
    QRectF plot;
    double top = 1;
    int categories = 1;

    double x(double category) const { return plot.left() + (category + 0.5) * plot.width() / categories; }
    double y(double value) const { return plot.bottom() - value / top * plot.height(); }
    double categoryWidth() const { return plot.width() / categories; }
};

Axes drawAxes(const Page &page, double x, double y, double w, double h, const QString &title,
              const QString &xTitle, const QString &yTitle, const QStringList &labels, double dataTop)
{
    QPainter &painter = page.painter;
    const double step = niceStep(std::max(dataTop, 1.0));
    Axes axes;
    axes.top = std::max(step, std::ceil(dataTop / step) * step);
    axes.categories = std::max<int>(1, int(labels.size()));
    page.text(x, y, w, title, 10, true);
    axes.plot = page.rect(x + 16, y + 8, w - 20, h - 22);

    painter.setPen(QPen(Qt::black, 0.25 * page.mm));
    painter.drawLine(axes.plot.bottomLeft(), axes.plot.topLeft());
    painter.drawLine(axes.plot.bottomLeft(), axes.plot.bottomRight());
    painter.setFont(reportFont(8, page.mm));
    for (double value = 0; value <= axes.top + step / 2; value += step) {
        const double at = axes.y(value);
        painter.setPen(QPen(QColor(220, 220, 220), 0.15 * page.mm));
        painter.drawLine(QPointF(axes.plot.left(), at), QPointF(axes.plot.right(), at));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(axes.plot.left() - 14 * page.mm, at - 2.5 * page.mm, 12.5 * page.mm, 5 * page.mm),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(value, step));
    }
    // Not every category label fits when there are many; every one that is written is whole.
    const double labelWidth = axes.categoryWidth();
    const int every = std::max(1, int(std::ceil(8 * page.mm / labelWidth)));
    for (int i = 0; i < labels.size(); i += every) {
        painter.drawText(QRectF(axes.x(i) - labelWidth * every / 2, axes.plot.bottom() + 1 * page.mm,
                                labelWidth * every, 5 * page.mm),
                         Qt::AlignHCenter | Qt::AlignTop, labels[i]);
    }
    painter.setFont(reportFont(9, page.mm));
    painter.drawText(QRectF(axes.plot.left(), axes.plot.bottom() + 6 * page.mm, axes.plot.width(), 6 * page.mm),
                     Qt::AlignHCenter | Qt::AlignTop, xTitle);
    painter.save();
    painter.translate(axes.plot.left() - 15 * page.mm, axes.plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-axes.plot.height() / 2, -1 * page.mm, axes.plot.height(), 5 * page.mm),
                     Qt::AlignHCenter | Qt::AlignTop, yTitle);
    painter.restore();
    return axes;
}

// A cluster's name without the folders it was written with.
QString shortClusterName(const QString &name)
{
    return name.section(u'/', -1).section(u'\\', -1);
}

void drawBetweenDotPlot(const Page &page, double y, double h, const StudySummary &study)
{
    QStringList labels;
    double top = 0;
    for (qsizetype c = 0; c < study.clusterNames().size(); ++c) {
        labels << shortClusterName(study.clusterNames()[c]);
        for (double value : study.betweenOf(c))
            top = std::max(top, value);
    }
    const Axes axes = drawAxes(page, 0, y, page.width(), h,
                               QStringLiteral("Between-search errors of every subject, by cluster"),
                               QStringLiteral("Cluster"), QStringLiteral("Between-search errors"), labels, top);
    QPainter &painter = page.painter;
    const double radius = 0.8 * page.mm;
    for (int c = 0; c < study.clusterNames().size(); ++c) {
        QList<double> values = study.betweenOf(c);
        std::sort(values.begin(), values.end());
        const double room = axes.categoryWidth() * 0.8;
        for (qsizetype i = 0; i < values.size();) {
            qsizetype same = i;
            while (same < values.size() && values[same] == values[i])
                ++same;
            // Equal values stand side by side, squeezed together when they are many.
            const qsizetype count = same - i;
            const double spacing = std::min(2.2 * radius, room / double(std::max<qsizetype>(1, count)));
            for (qsizetype k = 0; k < count; ++k) {
                const double x = axes.x(c) + (double(k) - double(count - 1) / 2) * spacing;
                painter.setPen(QPen(BetweenColour.darker(140), 0.15 * page.mm));
                painter.setBrush(BetweenColour);
                painter.drawEllipse(QPointF(x, axes.y(values[i])), radius, radius);
            }
            i = same;
        }
        if (!values.isEmpty()) {
            const double at = axes.y(median(values));
            painter.setPen(QPen(MedianColour, 0.6 * page.mm));
            painter.drawLine(QPointF(axes.x(c) - room / 2, at), QPointF(axes.x(c) + room / 2, at));
        }
    }
    painter.setPen(QPen(MedianColour, 0.6 * page.mm));
    const QRectF key = page.rect(page.width() - 40, y + 4.5, 40, 3.5);
    painter.drawLine(QPointF(key.left(), key.center().y()), QPointF(key.left() + 5 * page.mm, key.center().y()));
    page.text(page.width() - 33, y + 4.5, 33, QStringLiteral("median"), 8);
}

// Draws `table` from `y` across the page; returns the height used, in mm.
double drawGridTable(const Page &page, double y, const GridTable &table)
{
    constexpr double RowHeight = 5.5;
    const double start = y;
    y += page.text(0, y, page.width(), table.title, 9, true) + 1.5;
    const double columnWidth = page.width() / std::max<double>(1, double(table.columns.size()));
    QPainter &painter = page.painter;
    const auto drawRow = [&](const QStringList &cells, bool bold, double height) {
        painter.setPen(QPen(Qt::gray, 0.15 * page.mm));
        painter.setBrush(Qt::NoBrush);
        for (qsizetype i = 0; i < table.columns.size(); ++i) {
            painter.drawRect(page.rect(double(i) * columnWidth, y, columnWidth, height));
            page.text(double(i) * columnWidth + 0.6, y + 0.8, columnWidth - 1.2, cells.value(i), 7, bold, Qt::black,
                      Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, height - 1);
        }
        y += height;
    };
    drawRow(table.columns, true, 2 * RowHeight);
    for (const QStringList &row : table.rows)
        drawRow(row, false, RowHeight);
    return y - start;
}

void drawErrorsByBoxes(const Page &page, double y, double h, const StudySummary &study)
{
    QStringList labels;
    double top = 0;
    QList<std::pair<MeanAndError, MeanAndError>> points;
    for (const auto &[boxes, pooled] : study.byBoxCount()) {
        labels << QString::number(boxes);
        const MeanAndError within = meanAndError(pooled.within);
        const MeanAndError between = meanAndError(pooled.between);
        top = std::max({top, within.mean + within.standardError, between.mean + between.standardError});
        points << std::pair{within, between};
    }
    const Axes axes = drawAxes(page, 0, y, page.width(), h,
                               QStringLiteral("Mean errors per cluster by number of boxes (all clusters pooled), "
                                              "with standard-error bars"),
                               QStringLiteral("Number of boxes"), QStringLiteral("Mean errors per cluster"),
                               labels, top);
    QPainter &painter = page.painter;
    const double radius = 1.1 * page.mm;
    const double offset = std::min(axes.categoryWidth() * 0.15, 3 * page.mm);
    for (int i = 0; i < points.size(); ++i) {
        for (const auto &[value, colour, shift] : {std::tuple{points[i].first, WithinColour, -offset},
                                                   std::tuple{points[i].second, BetweenColour, offset}}) {
            const double x = axes.x(i) + shift;
            painter.setPen(QPen(colour, 0.3 * page.mm));
            if (value.count > 1) {
                const double high = axes.y(value.mean + value.standardError);
                const double low = axes.y(std::max(0.0, value.mean - value.standardError));
                painter.drawLine(QPointF(x, high), QPointF(x, low));
                painter.drawLine(QPointF(x - radius, high), QPointF(x + radius, high));
                painter.drawLine(QPointF(x - radius, low), QPointF(x + radius, low));
            }
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(x, axes.y(value.mean)), radius, radius);
        }
    }
    double keyX = page.width() - 80;
    for (const auto &[colour, words] : {std::pair{WithinColour, QStringLiteral("within-search errors")},
                                        std::pair{BetweenColour, QStringLiteral("between-search errors")}}) {
        const QRectF dot = page.rect(keyX, y + 5.2, 2.2, 2.2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(dot);
        page.text(keyX + 3.5, y + 4.5, 36, words, 8);
        keyX += 40;
    }
}

void drawMeasureTable(const Page &page, double y, const MeasureTable &table)
{
    const double columnWidth = page.width() / std::max<double>(1, double(table.names.size()));
    page.text(0, y, page.width(), table.title, 8, true);
    QPainter &painter = page.painter;
    painter.setPen(QPen(Qt::gray, 0.15 * page.mm));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < table.names.size(); ++i) {
        painter.drawRect(page.rect(i * columnWidth, y + 4, columnWidth, 12));
        // A long name that will not wrap is set smaller rather than cut.
        const double room = (columnWidth - 1.6) * page.mm;
        const QStringList words = table.names[i].split(u' ');
        const QString longestWord = *std::max_element(words.cbegin(), words.cend(),
            [](const QString &a, const QString &b) { return a.size() < b.size(); });
        const double wide = QFontMetricsF(reportFont(6.5, page.mm)).horizontalAdvance(longestWord);
        const double points = wide > room ? 6.5 * room / wide : 6.5;
        page.text(i * columnWidth + 0.8, y + 4.5, columnWidth - 1.6, table.names[i], points, false, Qt::black,
                  Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, 6);
        page.text(i * columnWidth + 0.8, y + 10.8, columnWidth - 1.6, table.values.value(i), 9, true, Qt::black,
                  Qt::AlignHCenter | Qt::AlignTop, 5);
    }
}

// `text` ended as a sentence, so that another may follow it.
QString sentence(const QString &text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

QString panelCaption(const DrawnSearch &search)
{
    return QStringLiteral("Trial %1 · target %2 · %3 clicks").arg(search.trial).arg(search.target).arg(search.steps.size());
}

} // namespace

QFont reportFont(double points, double mm, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, int(std::lround(points * PointMm * mm))));
    font.setBold(bold);
    return font;
}

QStringList ClusterPage::mismatches() const
{
    QStringList found;
    if (!layouts || layouts->path.isEmpty() || !layouts->problem.isEmpty())
        return found;
    for (const DrawnSearch &search : searches) {
        const TrialLayout *layout = layouts->trial(search.trial);
        if (!layout) {
            found << QStringLiteral("Box count mismatch: trial %1 is not in %2.").arg(search.trial).arg(layouts->path);
        } else if (layout->boxes.size() != search.boxes) {
            found << QStringLiteral("Box count mismatch: trial %1 has %2 boxes in the result file, %3 in %4.")
                         .arg(search.trial).arg(search.boxes).arg(layout->boxes.size()).arg(layouts->path);
        }
    }
    return found;
}

std::optional<TrialLayout> ClusterPage::layoutOf(const DrawnSearch &search) const
{
    if (!layouts || !layouts->problem.isEmpty())
        return std::nullopt;
    if (const TrialLayout *layout = layouts->trial(search.trial))
        return *layout;
    return std::nullopt;
}

int pagesFor(const ClusterPage &page)
{
    const qsizetype beyond = std::max<qsizetype>(0, page.searches.size() - PanelsOnFirstPage);
    return 1 + int((beyond + PanelsOnFurtherPage - 1) / PanelsOnFurtherPage);
}

void drawStudyPage(QPainter &painter, const QRectF &area, double mm, const StudySummary &study,
                   const GridTable &bySize, const QString &date)
{
    const Page page{painter, area, mm};
    double y = 0;
    y += page.text(0, y, page.width(), QStringLiteral("Kelvane study report"), 16, true) + 2;
    y += page.text(0, y, page.width(),
                   QStringLiteral("%1 %2, %3 %4, written %5")
                       .arg(study.subjects())
                       .arg(study.subjects() == 1 ? QStringLiteral("subject") : QStringLiteral("subjects"))
                       .arg(study.clusterNames().size())
                       .arg(study.clusterNames().size() == 1 ? QStringLiteral("cluster")
                                                             : QStringLiteral("clusters"))
                       .arg(date), 10) + 2;
    y += page.text(0, y, page.width(), QStringLiteral("Files: ") + study.files().join(QStringLiteral(", ")), 7,
                   false, Qt::black, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, 60) + 4;
    if (study.clusterNames().isEmpty()) {
        page.text(0, y, page.width(), QStringLiteral("No clusters to plot."), 10);
        return;
    }
    y += drawGridTable(page, y, bySize) + 4;
    const double plotHeight = std::min(95.0, (page.height() - y) / 2 - 4);
    drawBetweenDotPlot(page, y, plotHeight, study);
    drawErrorsByBoxes(page, y + plotHeight + 6, plotHeight, study);
}

void drawSubjectPage(QPainter &painter, const QRectF &area, double mm, const SubjectPage &subject)
{
    const Page page{painter, area, mm};
    double y = 0;
    y += page.text(0, y, page.width(), QStringLiteral("Subject: ") + subject.subject, 13, true) + 2;
    if (!subject.sessionNote.isEmpty())
        y += page.text(0, y, page.width(), subject.sessionNote, 9, true, WarningColour) + 2;
    y += drawGridTable(page, y, subject.bySize) + 3;
    for (const QString &note : subject.notes)
        y += page.text(0, y, page.width(), note, 8) + 1.5;
}

void drawClusterPage(QPainter &painter, const QRectF &area, double mm, const ClusterPage &cluster, int part)
{
    const Page page{painter, area, mm};
    double y = 0;
    y += page.text(0, y, page.width(), QStringLiteral("Subject: ") + cluster.subject, 13, true) + 1;
    y += page.text(0, y, page.width(),
                   QStringLiteral("Cluster %1: %2%3").arg(cluster.clusterNumber).arg(cluster.clusterName,
                       part > 0 ? QStringLiteral(" (continued)") : QString()), 10) + 2;
    int firstPanel = 0;
    int rows = 4;
    if (part == 0) {
        const double layoutSide = 58;
        double noteY = y;
        const double noteX = layoutSide + 6;
        const double noteWidth = page.width() - noteX;
        if (!cluster.sessionNote.isEmpty())
            noteY += page.text(noteX, noteY, noteWidth, cluster.sessionNote, 9, true, WarningColour) + 2;
        const bool drawn = cluster.layouts && cluster.layouts->problem.isEmpty() && !cluster.layouts->trials.isEmpty();
        if (drawn) {
            noteY += page.text(noteX, noteY, noteWidth, QStringLiteral("Layout from ") + cluster.layouts->path, 8,
                               false, Qt::black, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, 20) + 2;
        } else if (cluster.layouts) {
            noteY += page.text(noteX, noteY, noteWidth,
                               sentence(cluster.layouts->problem)
                                   + QStringLiteral(" The searches are drawn as box numbers in click order."),
                               8, false, WarningColour, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, 30) + 2;
        }
        const QStringList mismatches = cluster.mismatches();
        for (qsizetype i = 0; i < mismatches.size() && noteY < y + layoutSide - 4; ++i)
            noteY += page.text(noteX, noteY, noteWidth, mismatches[i], 8, false, WarningColour,
                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, 12) + 1;
        // The layout as the subject saw it in the first search: no clicks, the target of
        // that trial.
        if (drawn && !cluster.searches.isEmpty()) {
            if (const std::optional<TrialLayout> first = cluster.layoutOf(cluster.searches.first()))
                drawLayout(painter, page.rect(0, y, layoutSide, layoutSide), *first, cluster.searches.first().target);
        } else if (drawn) {
            drawLayout(painter, page.rect(0, y, layoutSide, layoutSide), cluster.layouts->trials.first(), 0);
        }
        y += layoutSide + 2;
        drawLegend(painter, page.rect(0, y, page.width(), 5), 7.5 * PointMm * mm);
        y += 7;
    } else {
        firstPanel = PanelsOnFirstPage + (part - 1) * PanelsOnFurtherPage;
        rows = PanelsOnFurtherPage / PanelColumns;
    }

    const double cellWidth = page.width() / PanelColumns;
    const double cellHeight = cellWidth + 1;
    const int lastPanel = std::min<int>(int(cluster.searches.size()), firstPanel + rows * PanelColumns);
    for (int i = firstPanel; i < lastPanel; ++i) {
        const int cell = i - firstPanel;
        const double x = (cell % PanelColumns) * cellWidth;
        const double top = y + (cell / PanelColumns) * cellHeight;
        const DrawnSearch &search = cluster.searches[i];
        page.text(x, top, cellWidth, panelCaption(search), 6.5, false, Qt::black,
                  Qt::AlignHCenter | Qt::AlignTop, 4);
        drawSearch(painter, page.rect(x + 1, top + 3.5, cellWidth - 2, cellWidth - 4.5), cluster.layoutOf(search), search);
    }
    if (part == 0) {
        double tableY = y + rows * cellHeight + 2;
        for (const MeasureTable &table : cluster.measures) {
            drawMeasureTable(page, tableY, table);
            tableY += 18;
        }
    }
}

} // namespace kelvane::analyzer::report

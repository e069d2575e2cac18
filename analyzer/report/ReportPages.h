#pragma once
// The pages of the study report, drawn on any painter in a rectangle measured in device
// pixels; `mm` says how many of them make a millimetre, so letters and lines keep their
// printed size on every surface.

#include "LayoutFinder.h"
#include "SearchDrawing.h"
#include "StudySummary.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPainter;

namespace kelvane::analyzer::report {

// A small table of measure names over their values.
struct MeasureTable
{
    QString title;
    QStringList names;
    QStringList values;
};

// Everything one subject's page for one cluster shows.
struct ClusterPage
{
    QString subject;
    int clusterNumber = 0; // position in the result file, from 1
    QString clusterName;   // the "Cluster" field
    QString sessionNote;   // set when the subject's session did not end complete
    const ClusterLayouts *layouts = nullptr;
    QList<DrawnSearch> searches;
    QList<MeasureTable> measures;

    // Trials whose "Total boxes" differs from the box count of their layout, named.
    QStringList mismatches() const;
    // The layout a search was made on; nothing when the file or the trial is missing.
    std::optional<TrialLayout> layoutOf(const DrawnSearch &search) const;
};

// A table of rows under a row of column titles.
struct GridTable
{
    QString title;
    QStringList columns;
    QList<QStringList> rows;
};

// The page before a subject's cluster pages: the literature's scores by problem size.
struct SubjectPage
{
    QString subject;
    QString sessionNote; // set when the subject's session did not end complete
    GridTable bySize;    // a row per problem size, then one for all clusters
    QStringList notes;   // the strategy score, clusters left out of the sizes
};

void drawSubjectPage(QPainter &painter, const QRectF &page, double mm, const SubjectPage &subject);

// A cluster with many trials goes on over further pages; this many panels fit.
inline constexpr int PanelsOnFirstPage = 20;
inline constexpr int PanelsOnFurtherPage = 30;
int pagesFor(const ClusterPage &page);

// The study page; `bySize` tabulates the subjects' means by problem size.
void drawStudyPage(QPainter &painter, const QRectF &page, double mm, const StudySummary &study,
                   const GridTable &bySize, const QString &date);

// Draws page `part` (from 0) of the cluster's pages.
void drawClusterPage(QPainter &painter, const QRectF &page, double mm, const ClusterPage &cluster, int part);

// The font of `points` size on a surface of `mm` pixels a millimetre.
QFont reportFont(double points, double mm, bool bold = false);

} // namespace kelvane::analyzer::report

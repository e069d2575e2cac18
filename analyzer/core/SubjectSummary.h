#pragma once
// What a paper reports of one subject: the literature's error counts, the strategy score
// and the latencies, summed over all of a subject's clusters and over those of each
// problem size (number of boxes).

#include "SearchScores.h"

#include <QList>
#include <QString>

#include <optional>

namespace kelvane::analyzer {

// Sums over some clusters; the means are pooled over their trials, not taken over the
// clusters' means, so a cluster of many trials weighs as much as its trials.
struct ErrorTotals
{
    int clusters = 0;
    int trials = 0; // trial lines
    int betweenSearchErrors = 0;
    int withinSearchErrors = 0;
    int doubleErrors = 0;
    int totalErrors = 0;
    int distinctStartBoxes = 0;
    int timeouts = 0;

    void add(const ClusterScore &cluster);
    // Over the trials whose first click has a time.
    std::optional<double> meanFirstResponseS() const;
    // Over the found trials that have a total time.
    std::optional<double> meanSearchTimeS() const;

private:
    double m_firstResponseSum = 0;
    int m_firstResponses = 0;
    double m_searchTimeSum = 0;
    int m_searchTimes = 0;
};

// The clusters of one problem size.
struct LevelTotals
{
    int boxes = 0;
    ErrorTotals totals;
};

struct SubjectSummary
{
    ErrorTotals totals; // every cluster, mixed ones included
    // Sum of distinct start boxes over the clusters of 6 and of 8 boxes; none without such.
    std::optional<int> strategy6And8;
    QList<LevelTotals> levels; // by growing box count
    // Clusters whose trials differ in box count: they belong to no problem size.
    QList<const ClusterScore *> mixedSizes;
};

// Whether a subject's summaries count the practice problems, which the subject did
// before the study proper and which would blur its scores.
enum class PracticeInSummaries { LeftOut, Counted };

// Valid as long as `score` is, which the mixed clusters point into.
SubjectSummary summarizeSubject(const FileScore &score,
                                PracticeInSummaries practice = PracticeInSummaries::LeftOut);

// Names a cluster left out of the problem sizes, for the run's messages.
QString mixedSizeMessage(const FileScore &score, const ClusterScore &cluster);

} // namespace kelvane::analyzer

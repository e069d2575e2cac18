#include "SubjectSummary.h"

#include <map>
#include <set>

namespace kelvane::analyzer {

void ErrorTotals::add(const ClusterScore &cluster)
{
    ++clusters;
    trials += int(cluster.trials.size());
    betweenSearchErrors += cluster.betweenSearchErrors;
    withinSearchErrors += cluster.withinSearchErrors;
    doubleErrors += cluster.doubleErrors;
    totalErrors += cluster.totalErrors;
    distinctStartBoxes += cluster.distinctStartBoxes;
    timeouts += cluster.timeouts;
    for (const TrialScore &trial : cluster.trials) {
        if (const std::optional<double> seconds = trial.firstResponseS()) {
            m_firstResponseSum += *seconds;
            ++m_firstResponses;
        }
        if (trial.found && trial.totalTimeS) {
            m_searchTimeSum += *trial.totalTimeS;
            ++m_searchTimes;
        }
    }
}

std::optional<double> ErrorTotals::meanFirstResponseS() const
{
    return m_firstResponses > 0 ? std::optional(m_firstResponseSum / m_firstResponses) : std::nullopt;
}

std::optional<double> ErrorTotals::meanSearchTimeS() const
{
    return m_searchTimes > 0 ? std::optional(m_searchTimeSum / m_searchTimes) : std::nullopt;
}

SubjectSummary summarizeSubject(const FileScore &score, PracticeInSummaries practice)
{
    SubjectSummary summary;
    std::map<int, ErrorTotals> bySize;
    for (const ClusterScore &cluster : score.clusters) {
        if (practice == PracticeInSummaries::LeftOut && cluster.practice())
            continue;
        summary.totals.add(cluster);
        const std::optional<int> boxes = cluster.sharedBoxes();
        if (!boxes) {
            if (!cluster.trials.isEmpty())
                summary.mixedSizes.append(&cluster);
            continue;
        }
        bySize[*boxes].add(cluster);
        if (*boxes == 6 || *boxes == 8)
            summary.strategy6And8 = summary.strategy6And8.value_or(0) + cluster.distinctStartBoxes;
    }
    for (const auto &[boxes, totals] : bySize)
        summary.levels.append(LevelTotals{boxes, totals});
    return summary;
}

QString mixedSizeMessage(const FileScore &score, const ClusterScore &cluster)
{
    std::set<int> sizes;
    for (const TrialScore &trial : cluster.trials)
        sizes.insert(trial.boxes);
    QStringList counts;
    for (const int boxes : sizes)
        counts.append(QString::number(boxes));
    return QStringLiteral("%1: cluster %2 (%3) has trials of %4 boxes; it belongs to no problem "
                          "size and levels.csv leaves it out")
        .arg(score.path)
        .arg(cluster.number)
        .arg(cluster.name, counts.join(QStringLiteral(", ")));
}

} // namespace kelvane::analyzer

#include "StudySummary.h"

#include <algorithm>
#include <cmath>

namespace kelvane::analyzer::report {

MeanAndError meanAndError(const QList<double> &values)
{
    MeanAndError result;
    result.count = int(values.size());
    if (values.isEmpty())
        return result;
    double sum = 0;
    for (double value : values)
        sum += value;
    result.mean = sum / double(values.size());
    if (values.size() > 1) {
        double squares = 0;
        for (double value : values)
            squares += (value - result.mean) * (value - result.mean);
        const double sd = std::sqrt(squares / double(values.size() - 1));
        result.standardError = sd / std::sqrt(double(values.size()));
    }
    return result;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void StudySummary::addSubject(const QString &file, const SubjectSummary &summary)
{
    m_files << file;
    for (const LevelTotals &level : summary.levels) {
        LevelValues &values = m_levels[level.boxes];
        const ErrorTotals &totals = level.totals;
        values.betweenSearchErrors << double(totals.betweenSearchErrors);
        values.withinSearchErrors << double(totals.withinSearchErrors);
        values.doubleErrors << double(totals.doubleErrors);
        values.totalErrors << double(totals.totalErrors);
        if (const std::optional<double> seconds = totals.meanFirstResponseS())
            values.meanFirstResponseS << *seconds;
        if (const std::optional<double> seconds = totals.meanSearchTimeS())
            values.meanSearchTimeS << *seconds;
    }
}

void StudySummary::addCluster(const QString &name, int boxes, int withinErrors, int betweenErrors)
{
    qsizetype at = m_names.indexOf(name);
    if (at < 0) {
        at = m_names.size();
        m_names << name;
        m_betweenByName.append(QList<double>());
    }
    m_betweenByName[at] << double(betweenErrors);
    ByBoxes &pooled = m_byBoxes[boxes];
    pooled.within << double(withinErrors);
    pooled.between << double(betweenErrors);
}

} // namespace kelvane::analyzer::report

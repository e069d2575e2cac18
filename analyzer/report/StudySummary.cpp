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

void StudySummary::addSubject(const QString &file)
{
    m_files << file;
}

void StudySummary::addCluster(int position, int boxes, int withinErrors, int betweenErrors)
{
    while (m_betweenByPosition.size() < position)
        m_betweenByPosition.append(QList<double>());
    m_betweenByPosition[position - 1] << double(betweenErrors);
    ByBoxes &pooled = m_byBoxes[boxes];
    pooled.within << double(withinErrors);
    pooled.between << double(betweenErrors);
}

} // namespace kelvane::analyzer::report

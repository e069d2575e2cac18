#include "MeasureTexts.h"

#include "TableWriter.h"
#include "kelvane/TextNumbers.h"

namespace kelvane::analyzer {

QStringList measureNamesInTableOrder()
{
    QStringList names;
    for (int m = 0; m < MeasuresPerCluster; ++m)
        names << measureTitle(1, m).mid(1);
    return names;
}

QStringList measureTexts(const ClusterMeasures &cluster, const QLocale &locale)
{
    const auto decimals = [&](const std::optional<double> &value, int places) {
        return value ? fixedDecimals(*value, places, locale) : QString();
    };
    return {QString::number(cluster.trials), QString::number(cluster.boxes),
            decimals(cluster.open, 3), decimals(cluster.wErr, 3), decimals(cluster.bErr, 3),
            decimals(cluster.strategy, 3), decimals(cluster.normalizedLevenshtein, 4)};
}

} // namespace kelvane::analyzer

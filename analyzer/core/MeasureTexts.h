#pragma once
// The seven measures of a cluster as the wide table writes them, for the places that show
// them to a researcher (report pages, the table view), so they read the same everywhere.

#include "Measures.h"

#include <QLocale>
#include <QStringList>

namespace kelvane::analyzer {

// "Trials", "Boxes", "Open", ... in table order, without the cluster number.
QStringList measureNamesInTableOrder();

// The texts of the table's seven columns: whole numbers without the blanks around them,
// the means with the decimals and separator of `locale`, a measure the cluster has none of
// as an empty text.
QStringList measureTexts(const ClusterMeasures &cluster, const QLocale &locale);

} // namespace kelvane::analyzer

#pragma once
// The measures as an SPSS data file: one case per subject, seven numeric variables
// per cluster, system-missing where a subject has fewer clusters than the largest.

#include "Measures.h"

#include "kelvane/formats/FileResult.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kelvane::analyzer {

// "Trials_1", "Boxes_1", ... "NormLev_1": valid variable names for the table's titles.
QString savVariableName(int cluster, int measure);

struct NamedColumns;

// The whole file in memory, or why the library refused to compose it. With `byName`,
// the variables follow its groups, and their labels name the cluster.
FileResult<QByteArray> savBytes(const QList<SubjectResult> &subjects, const NamedColumns *byName = nullptr);

} // namespace kelvane::analyzer

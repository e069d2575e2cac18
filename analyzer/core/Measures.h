#pragma once
// What one result file boils down to: a subject and, per cluster, the seven measures
// that make up the subject's part of the output table.

#include <QList>
#include <QString>

#include <optional>

namespace kelvane::analyzer {

struct ClusterMeasures
{
    int trials = 0;
    int boxes = 0;
    double open = 0;      // mean boxes opened per trial
    double wErr = 0;      // mean returns to a box already opened in the same trial
    double bErr = 0;      // visits to boxes that held the target in an earlier trial
    double strategy = 0;  // searches that began at another box than the search before
    // Mean distance between consecutive click orders; a cluster of one trial has none.
    std::optional<double> normalizedLevenshtein;
};

struct SubjectResult
{
    QString subject;
    QList<ClusterMeasures> clusters;
};

} // namespace kelvane::analyzer

#pragma once
// What one result file boils down to: a subject and, per cluster, the seven measures
// that make up the subject's part of the output table.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::analyzer {

struct ClusterMeasures
{
    // The last trial number plus one: 0 or less when the numbering ends on a negative
    // number, and the cluster then has no trials to take means over.
    int trials = 0;
    int boxes = 0;
    std::optional<double> open; // mean boxes opened per trial
    std::optional<double> wErr; // mean returns to a box already opened in the same trial
    double bErr = 0;            // visits to boxes that held the target in an earlier trial
    double strategy = 0;        // searches that began at another box than the search before
    // Mean distance between consecutive click orders; a cluster of one trial has none.
    std::optional<double> normalizedLevenshtein;
};

struct SubjectResult
{
    QString subject;
    QList<ClusterMeasures> clusters;
    // The "Cluster" field of each cluster's last line, in the order of `clusters`.
    QStringList clusterNames = {};
    // The line of the trial a cut-off run left unfinished at the file's end, which is
    // not analysed; 0 when every trial line is whole.
    int unfinishedTrialLine = 0;
};

} // namespace kelvane::analyzer

#pragma once
// Finds the cluster file behind a result file's "Cluster" field and reads its layouts.
// The field holds the path as the experiment listed it, maybe written on another machine
// with "\" separators, or a bare file name.

#include "SearchDrawing.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <map>

namespace kelvane::analyzer::report {

struct LayoutLookup
{
    QString found;       // the cluster file's path; empty when none was found
    QStringList looked;  // every path tried, in order
};

// Tries the field as written (relative paths from the result file's folder), then its
// file name in the result file's folder, then in each of `clusterFolders` in order.
LayoutLookup findClusterFile(const QString &clusterField, const QString &resultFile,
                             const QStringList &clusterFolders);

// What the report knows of one cluster's layouts.
struct ClusterLayouts
{
    QString path;            // the file read; empty when none was found
    QList<TrialLayout> trials; // by the cluster file's trial index (the result's trial number)
    QString problem;         // why there are no layouts: not found, or damaged

    // The layout of trial `trial`, or nothing when the file lacks it.
    const TrialLayout *trial(int trial) const;
};

// Reads and keeps each cluster file once, so a report over many subjects of the same
// experiment reads every cluster file one time only.
class LayoutCache
{
public:
    explicit LayoutCache(QStringList clusterFolders);

    const ClusterLayouts &layoutsFor(const QString &clusterField, const QString &resultFile);

private:
    QStringList m_folders;
    // By field and result folder; a node map, so pages may keep pointers to its layouts.
    std::map<QString, ClusterLayouts> m_byLookup;
};

// The cluster file at `path`, read: layouts, or the problem that stopped reading.
ClusterLayouts readLayouts(const QString &path);

} // namespace kelvane::analyzer::report

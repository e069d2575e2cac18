#pragma once
// What must hold before a cluster is shown to a subject, checked in one place for the
// run and for the command-line checker.

#include "kelvane/model/ClusterModel.h"

#include <QList>
#include <QStringList>

namespace kelvane {

struct ClusterProblem
{
    int trial = -1; // 0-based; -1 when the problem is not about one trial
    int box = 0;    // box number; 0 when not about one box
    QString text;

    // "trial 2, box 3: ..." with trials numbered as the researcher sees them.
    QString describe() const;
};

// Trials without a target, targets that are not a box holding an object, pictures
// missing from `iconFolder` (closed and empty-box pictures of every box, the object
// picture of boxes that hold one, and the names of `objectRow`), and texts that a
// cluster file cannot store.
QList<ClusterProblem> checkCluster(const ClusterModel &cluster, const QString &iconFolder,
                                   const QStringList &objectRow = {});

} // namespace kelvane

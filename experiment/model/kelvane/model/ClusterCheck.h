#pragma once
// What must hold before a cluster is shown to a subject, checked in one place for the
// run and for the command-line checker.

#include "kelvane/model/ClusterModel.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace kelvane {

struct ClusterProblem
{
    int trial = -1; // 0-based; -1 when the problem is not about one trial
    int box = 0;    // box number; 0 when not about one box
    QString text;

    // "trial 2, box 3: ..." with trials numbered as the researcher sees them.
    QString describe() const;
};

// Trials without a target, targets that are not a box holding an object, screen sizes
// outside 1..100 percent, pictures missing from `iconFolder` (closed and empty-box
// pictures of every box, the object picture of boxes that hold one, and the names of
// `objectRow`), and texts that a cluster file cannot store.
QList<ClusterProblem> checkCluster(const ClusterModel &cluster, const QString &iconFolder,
                                   const QStringList &objectRow = {});

// Why the trial's target cannot be used: none is set, or it is not a box 1..n holding
// an object. Nothing when it can.
std::optional<ClusterProblem> targetProblem(const ClusterModel &cluster, int trial);

// Clears every target that is set but is not a box holding an object (a file edited
// by hand can name any number), and says which were cleared.
QList<ClusterProblem> clearUnusableTargets(ClusterModel &cluster);

} // namespace kelvane

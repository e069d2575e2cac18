#pragma once
// What must hold before a cluster is shown to a subject, checked in one place for the
// run and for the command-line checker.

#include "kelvane/model/ClusterModel.h"
#include "kelvane/model/ClusterProblem.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace kelvane {

// Trials without a target, targets that are not a box holding an object, pictures
// missing from `iconFolder` (closed and empty-box pictures of every box, the object
// picture of boxes that hold one, and the names of `objectRow`), and texts that a
// cluster file cannot store. A missing picture folder is one problem, not one per
// picture; an empty `iconFolder` leaves the pictures unchecked.
QList<ClusterProblem> checkCluster(const ClusterModel &cluster, const QString &iconFolder,
                                   const QStringList &objectRow = {});

// What the trial window will make of values a researcher can type freely, where that is
// unlikely to be what was meant. Problems: a screen size outside 1 to 100 (the layout
// area would have no size or not fit the screen) and a box outside the layout square
// (the subject would never see it). Warnings: a time or close-after text that is not a
// number (no time limit; an opened box closes at the next tick).
QList<ClusterProblem> reviewTrialValues(const ClusterModel &cluster);

// Why the trial's target cannot be used: none is set, or it is not a box 1..n holding
// an object. Nothing when it can.
std::optional<ClusterProblem> targetProblem(const ClusterModel &cluster, int trial);

// Clears every target that is set but is not a box holding an object (a file edited
// by hand can name any number), and says which were cleared.
QList<ClusterProblem> clearUnusableTargets(ClusterModel &cluster);

} // namespace kelvane

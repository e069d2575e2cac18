#pragma once
// The generator's rules applied to a trial built in the editor: its boxes placed anew,
// or the trial made into a whole problem.

#include "kelvane/model/ClusterModel.h"

#include <QPoint>
#include <QStringList>

#include <optional>
#include <vector>

namespace kelvane {

// Boxes 1..corners.size() of the trial go to `corners`; pictures and contents stay.
void moveBoxesTo(ClusterModel &cluster, int trial, const std::vector<QPoint> &corners);

// The object a problem made from the trial hides: that of its target, else that of its
// first box holding one, else the first name of `objectRow`; nothing when none exists.
std::optional<QString> problemObject(const ClusterModel &cluster, int trial, const QStringList &objectRow);

// A cluster of one trial per box with the trial's settings and layout, the object in box
// targets[t] of trial t and every other box empty.
ClusterModel problemFromTrial(const ClusterModel &cluster, int trial, const QString &object,
                              const std::vector<int> &targets);

} // namespace kelvane

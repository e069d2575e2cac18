#pragma once
// A problem: one layout searched as many times as it has boxes, the object hidden in
// every box exactly once, in an order drawn at random.

#include "kelvane/model/ClusterModel.h"
#include "kelvane/study/StudyRandom.h"

#include <vector>

namespace kelvane {

// The box numbers 1..n in an order drawn by Fisher-Yates.
std::vector<int> targetOrder(StudyRandom &random, int n);

// One trial per entry of `targets`, each with `settings` and the boxes of `layout` at
// their places; in trial t only box targets[t] holds `object` and is the target, every
// other box is empty (keeping the name of any object it held before).
ClusterModel problemCluster(const TrialSettings &settings, const std::vector<BoxRecord> &layout,
                            const QString &object, const std::vector<int> &targets);

} // namespace kelvane

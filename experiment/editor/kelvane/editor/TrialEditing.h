#pragma once
// The editor's trial commands on the cluster model, without any window: the window
// shows what these leave behind.

#include "kelvane/model/ClusterModel.h"

#include <optional>

namespace kelvane {

// Add Trial: a new last trial with trial 1's settings, no target and no boxes. Nothing
// when the cluster already holds the most trials.
std::optional<int> addTrial(ClusterModel &cluster);

// Copy Trial: a new last trial with the settings, target and boxes of `source`.
// Nothing when the cluster is full.
std::optional<int> copyTrial(ClusterModel &cluster, int source);

// Delete Trial: the later trials move down one place with their whole box rows, and
// the row freed at the end is cleared. Returns the trial to show in the deleted one's
// place (the new last trial when the last was deleted); nothing for the only trial.
std::optional<int> deleteTrial(ClusterModel &cluster, int trial);

// Clear Trial: the trial keeps its settings but loses its boxes and its target.
void clearTrialLayout(ClusterModel &cluster, int trial);

// Clear Cluster: one trial, no boxes, no target; trial 1 keeps its settings.
void resetToOneEmptyTrial(ClusterModel &cluster);

// One trial without boxes: what a new cluster is until the researcher builds on it.
bool hasNoLayout(const ClusterModel &cluster);

} // namespace kelvane

#include "kelvane/editor/undo/EditedCluster.h"

namespace kelvane {

TrialSnapshot TrialSnapshot::of(const ClusterModel &cluster, int trial)
{
    TrialSnapshot snapshot;
    snapshot.settings = cluster.Trials.at(std::size_t(trial));
    const int count = cluster.CountBoxes(trial);
    snapshot.boxes.reserve(std::size_t(count));
    for (int k = 1; k <= count; ++k)
        snapshot.boxes.push_back(cluster.box(trial, k));
    return snapshot;
}

void TrialSnapshot::restore(ClusterModel &cluster, int trial) const
{
    cluster.Trials.at(std::size_t(trial)) = settings;
    for (int k = 1; k <= ClusterModel::SlotsPerTrial; ++k)
        cluster.box(trial, k) = std::size_t(k) <= boxes.size() ? boxes[std::size_t(k - 1)] : BoxRecord{};
}

ClusterSnapshot ClusterSnapshot::of(const ClusterModel &cluster)
{
    ClusterSnapshot snapshot;
    for (int t = 0; t < cluster.trialCount(); ++t)
        snapshot.trials.push_back(TrialSnapshot::of(cluster, t));
    return snapshot;
}

void ClusterSnapshot::restore(ClusterModel &cluster) const
{
    cluster.eraseBoxTable();
    cluster.Trials.resize(trials.size());
    for (std::size_t t = 0; t < trials.size(); ++t)
        trials[t].restore(cluster, int(t));
}

} // namespace kelvane

#include "kelvane/editor/TrialEditing.h"

namespace kelvane {

namespace {

void copyRow(ClusterModel &cluster, int from, int to)
{
    for (int k = 1; k <= ClusterModel::SlotsPerTrial; ++k) {
        BoxRecord record = cluster.box(from, k);
        record.IsOpen = false;
        cluster.box(to, k) = record;
    }
}

void clearRow(ClusterModel &cluster, int trial)
{
    for (int k = 1; k <= ClusterModel::SlotsPerTrial; ++k)
        cluster.box(trial, k) = BoxRecord{};
}

} // namespace

std::optional<int> addTrial(ClusterModel &cluster)
{
    if (cluster.trialCount() >= ClusterModel::MaxTrials)
        return std::nullopt;
    TrialSettings settings = cluster.Trials.front();
    settings.TargetNumberText.clear();
    cluster.Trials.push_back(settings);
    const int added = cluster.trialCount() - 1;
    clearRow(cluster, added);
    return added;
}

std::optional<int> copyTrial(ClusterModel &cluster, int source)
{
    if (cluster.trialCount() >= ClusterModel::MaxTrials)
        return std::nullopt;
    cluster.Trials.push_back(cluster.Trials.at(std::size_t(source)));
    const int copy = cluster.trialCount() - 1;
    copyRow(cluster, source, copy);
    return copy;
}

std::optional<int> deleteTrial(ClusterModel &cluster, int trial)
{
    const int count = cluster.trialCount();
    if (count <= 1 || trial < 0 || trial >= count)
        return std::nullopt;
    for (int t = trial; t < count - 1; ++t)
        copyRow(cluster, t + 1, t);
    clearRow(cluster, count - 1);
    cluster.Trials.erase(cluster.Trials.begin() + trial);
    return std::min(trial, cluster.trialCount() - 1);
}

void clearTrialLayout(ClusterModel &cluster, int trial)
{
    clearRow(cluster, trial);
    cluster.Trials.at(std::size_t(trial)).TargetNumberText.clear();
}

void resetToOneEmptyTrial(ClusterModel &cluster)
{
    cluster.keepFirstTrialOnly();
    cluster.eraseBoxTable();
    cluster.Trials.front().TargetNumberText.clear();
}

bool hasNoLayout(const ClusterModel &cluster)
{
    return cluster.trialCount() == 1 && cluster.CountBoxes(0) == 0;
}

} // namespace kelvane

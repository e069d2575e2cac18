#include "kelvane/model/ClusterModel.h"

#include <stdexcept>
#include <string>

namespace kelvane {

namespace {

std::size_t slotIndex(int trial, int box)
{
    if (trial < 0 || trial >= ClusterModel::MaxTrials || box < 1 || box > ClusterModel::SlotsPerTrial)
        throw std::out_of_range("box table has no slot " + std::to_string(box) + " in trial "
                                + std::to_string(trial));
    return std::size_t(trial) * ClusterModel::SlotsPerTrial + std::size_t(box - 1);
}

} // namespace

ClusterModel::ClusterModel()
    : Trials(1)
    , m_slots(std::size_t(MaxTrials) * SlotsPerTrial)
{
}

BoxRecord &ClusterModel::box(int trial, int box)
{
    return m_slots[slotIndex(trial, box)];
}

const BoxRecord &ClusterModel::box(int trial, int box) const
{
    return m_slots[slotIndex(trial, box)];
}

int ClusterModel::CountBoxes(int trial) const
{
    for (int k = 1; k <= SlotsPerTrial; ++k) {
        if (box(trial, k).isFree())
            return k - 1;
    }
    return SlotsPerTrial;
}

int ClusterModel::objectCount(int trial) const
{
    const int n = CountBoxes(trial);
    int objects = 0;
    for (int k = 1; k <= n; ++k) {
        if (!box(trial, k).Empty)
            ++objects;
    }
    return objects;
}

void ClusterModel::eraseBoxTable()
{
    std::fill(m_slots.begin(), m_slots.end(), BoxRecord{});
}

void ClusterModel::keepFirstTrialOnly()
{
    Trials.resize(1);
}

} // namespace kelvane

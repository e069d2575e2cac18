#pragma once

#include "kelvane/model/BoxRecord.h"
#include "kelvane/model/TrialSettings.h"

#include <vector>

namespace kelvane {

// The one cluster in memory: its trials' settings and the box table of 101 trials x
// 100 slots. Box numbers run from 1; the boxes of a trial are slots 1..n without gaps.
class ClusterModel
{
public:
    static constexpr int MaxTrials = 101;
    static constexpr int SlotsPerTrial = 100;
    // Counting needs a free slot behind the last box, so a trial holds at most 99.
    static constexpr int MaxBoxesPerTrial = SlotsPerTrial - 1;

    ClusterModel();

    std::vector<TrialSettings> Trials;

    int trialCount() const { return int(Trials.size()); }

    // Slot `box` (1..100) of trial `trial` (0..100); out of range throws std::out_of_range.
    BoxRecord &box(int trial, int box);
    const BoxRecord &box(int trial, int box) const;

    // Number of used slots of the trial: k - 1 for the first free slot k.
    int CountBoxes(int trial) const;
    // Boxes 1..CountBoxes whose Empty is false.
    int objectCount(int trial) const;

    // Clears every slot of every trial.
    void eraseBoxTable();
    // Removes all trials but the first.
    void keepFirstTrialOnly();

    friend bool operator==(const ClusterModel &, const ClusterModel &) = default;

private:
    std::vector<BoxRecord> m_slots; // MaxTrials * SlotsPerTrial
};

} // namespace kelvane

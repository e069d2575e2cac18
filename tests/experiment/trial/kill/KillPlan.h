#pragma once
// What a scripted subject does in a run that a test kills: the cluster it runs and the
// boxes it clicks, both made from one seed, so that the killed program and the test
// that checks its result file agree without talking to each other.

#include "kelvane/model/ClusterModel.h"

#include <QList>
#include <QString>

namespace kelvane::test {

struct PlannedTrial
{
    QList<bool> holdsObject;  // per box, from box 1
    int target = 1;
    bool waitsForTimeUp = false; // clicks `clicks` and then lets the time limit pass
    QList<int> clicks;           // ends with the target unless the trial waits

    int boxes() const { return int(holdsObject.size()); }
    int objects() const { return int(holdsObject.count(true)); }
};

struct KillPlan
{
    static KillPlan fromSeed(quint32 seed);

    // The trials as a cluster with the default pictures; waiting trials have a limit
    // of one second, the others none.
    ClusterModel cluster() const;
    // About how long the run takes from its start screen, in milliseconds.
    int expectedMilliseconds() const;

    QList<PlannedTrial> trials;
};

// The plan of the cluster at `index` of an experiment run from `seed`.
inline quint32 clusterSeed(quint32 seed, int index)
{
    return seed + quint32(index) * 7919u;
}

// One line of the scripted subject's report on standard output: "ready" when the start
// screen shows, "began N" once trial N's first half is written, "ended N" once its
// line is complete; in an experiment, "cluster K" when the start screen of its K-th
// cluster (from 0) shows, by which time every cluster before it is in the subject file.
inline constexpr char ReadyWord[] = "ready";
inline constexpr char ClusterWord[] = "cluster";
inline constexpr char BeganWord[] = "began";
inline constexpr char EndedWord[] = "ended";

} // namespace kelvane::test

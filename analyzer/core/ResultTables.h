#pragma once
// The working tables of one result file as the reader fills them and the measures read
// them: what each trial line contributed, grouped by cluster.

#include "Measures.h"
#include "SearchScores.h"

#include <QByteArrayView>
#include <QString>

#include <span>
#include <vector>

namespace kelvane::analyzer {

// Why a file is refused: the line at fault (0 for the file as a whole) and the reason.
struct Refusal
{
    int line;
    QString problem;
};

// Writes a box number's part of a click string: its hexadecimal digits in upper case
// without leading zeros (3 "3", 12 "C", 17 "11"). Returns the end.
inline char *writeClickDigits(char *out, quint8 box)
{
    constexpr char digits[] = "0123456789ABCDEF";
    if (box >= 16)
        *out++ = digits[box >> 4];
    *out++ = digits[box & 15];
    return out;
}

// One trial slot, filled by one trial line or by none.
struct TrialSlot
{
    int line = 0; // the file line that filled the slot; 0 while none did
    int trialNumber = 0;
    quint8 boxes = 0; // this line's own count; the cluster keeps its last line's
    quint8 target = 0;
    quint8 opened = 0;
    int clickCount = 0;
    int clickTextLength = 0;
    const quint8 *clicks = nullptr;     // the boxes opened, in order
    const char *clickText = nullptr;    // their hexadecimal click string
    // The fields the measures do not read, as the file holds them, for the tidy tables:
    // "Cluster", "Total objects", "Total time", and the rest of the line from
    // "Timed click order" on. They point into the file's bytes.
    QByteArrayView clusterName;
    QByteArrayView objects;
    QByteArrayView totalTime;
    QByteArrayView fromTimedClicks;

    // Positions past the last click hold box 0, "no click".
    quint8 click(int position) const { return position < clickCount ? clicks[position] : 0; }
    QByteArrayView clickString() const { return {clickText, clickTextLength}; }
};

// Trial slots 1..trials of one cluster; the slots after the cluster's lines are empty.
struct ClusterSlots
{
    std::span<const TrialSlot> filled;
    int trials = 0;
    quint8 boxes = 0;

    const TrialSlot &slot(int t) const
    {
        static const TrialSlot empty;
        return t >= 1 && std::size_t(t) <= filled.size() ? filled[std::size_t(t) - 1] : empty;
    }
};

// The seven measures of cluster number `clusterNumber`; a sum that passes its bound or
// a click string too long to compare refuses the file. With `distances`, it also keeps
// there, for the tidy view, the distance of each filled slot after the first to the
// slot before.
ClusterMeasures measureCluster(const ClusterSlots &cluster, int clusterNumber,
                               std::vector<double> *distances = nullptr);

// W of one trial: every click on a box already opened in the trial counts once for
// each earlier opening; an empty position (box 0) ends the trial's clicks.
int repeatsWithin(const TrialSlot &slot);

// The distance of a search to the one before it: the previous order loses its last
// click (the target found), so that a search is compared with the part of the previous
// search that missed. Refuses click strings too long to compare.
double distanceToPrevious(const TrialSlot &current, const TrialSlot &previous);

// The tidy view of a cluster whose seven measures, and the distances they were
// taken from, are already known.
ClusterScore scoreCluster(const ClusterSlots &cluster, int clusterNumber,
                          const ClusterMeasures &measures, std::span<const double> distances);

} // namespace kelvane::analyzer

#pragma once
// The working tables of one result file as the reader fills them and the measures read
// them: what each trial line contributed, grouped by cluster.

#include "Measures.h"

#include <QByteArrayView>
#include <QString>

#include <span>

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
    quint8 target = 0;
    quint8 opened = 0;
    int clickCount = 0;
    int clickTextLength = 0;
    const quint8 *clicks = nullptr;     // the boxes opened, in order
    const char *clickText = nullptr;    // their hexadecimal click string

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
// a click string too long to compare refuses the file.
ClusterMeasures measureCluster(const ClusterSlots &cluster, int clusterNumber);

} // namespace kelvane::analyzer

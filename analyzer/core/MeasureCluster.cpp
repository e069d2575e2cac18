#include "Levenshtein.h"
#include "ResultReader.h"
#include "ResultTables.h"

#include <array>

namespace kelvane::analyzer {

namespace {

[[noreturn, gnu::cold, gnu::noinline]] void refuseCount(int line, int clusterNumber, const char *what)
{
    throw Refusal{line, QStringLiteral("the %1 of cluster %2 passes %3, the largest it can hold")
                            .arg(QLatin1StringView(what))
                            .arg(clusterNumber)
                            .arg(Limit::Accumulator)};
}

void addToCount(int &count, int amount, int line, int clusterNumber, const char *what)
{
    count += amount;
    if (count > Limit::Accumulator)
        refuseCount(line, clusterNumber, what);
}

void checkComparable(const TrialSlot &current, const TrialSlot &previous, QByteArrayView before)
{
    const bool currentTooLong = current.clickTextLength > Limit::DistanceText;
    if (!currentTooLong && before.size() <= Limit::DistanceText)
        return;
    throw Refusal{currentTooLong ? current.line : previous.line,
                  QStringLiteral("the click string of this trial has %1 characters; "
                                 "distances are computed for at most %2")
                      .arg(currentTooLong ? qsizetype(current.clickTextLength) : before.size())
                      .arg(Limit::DistanceText)};
}

// repeatsWithin with a table of zeroes kept by the caller: it is all zero on entry and
// is left so.
int countRepeats(const TrialSlot &slot, std::array<int, 256> &openedBefore)
{
    openedBefore[slot.click(0)] += 1;
    int repeats = 0;
    int k = 1;
    for (; slot.click(k) != 0; ++k) {
        repeats += openedBefore[slot.click(k)];
        openedBefore[slot.click(k)] += 1;
    }
    for (int m = 0; m < k; ++m)
        openedBefore[slot.click(m)] = 0;
    return repeats;
}

} // namespace

ClusterMeasures measureCluster(const ClusterSlots &cluster, int clusterNumber,
                               std::vector<double> *distances)
{
    if (distances)
        distances->clear();
    const int n = cluster.trials;
    int bErr = 0;
    int strategy = 0;
    double distanceSum = 0;
    // How often each box was the target in the slots before the current one.
    std::array<int, 256> earlierTargets{};
    earlierTargets[cluster.slot(1).target] += 1;
    for (int t = 2; t <= n; ++t) {
        const TrialSlot &current = cluster.slot(t);
        const TrialSlot &previous = cluster.slot(t - 1);
        for (int k = 0; k < current.clickCount; ++k) {
            if (current.clicks[k] != 0)
                addToCount(bErr, earlierTargets[current.clicks[k]], current.line, clusterNumber,
                           "B_err count");
        }
        earlierTargets[current.target] += 1;

        if (current.click(0) != previous.click(0))
            ++strategy;

        const double distance = distanceToPrevious(current, previous);
        distanceSum += distance;
        if (distances && std::size_t(t) <= cluster.filled.size())
            distances->push_back(distance);
    }

    int openedSum = 0;
    int repeatSum = 0;
    std::array<int, 256> openedBefore{};
    for (int t = 1; t <= n; ++t) {
        const TrialSlot &slot = cluster.slot(t);
        addToCount(openedSum, slot.opened, slot.line, clusterNumber, "sum of opened boxes");
        addToCount(repeatSum, countRepeats(slot, openedBefore), slot.line, clusterNumber,
                   "sum of within-trial errors");
    }

    ClusterMeasures result;
    result.trials = n;
    result.boxes = cluster.boxes;
    if (n > 0) {
        result.open = double(openedSum) / n;
        result.wErr = double(repeatSum) / n;
    }
    result.bErr = bErr;
    result.strategy = strategy;
    if (n > 1)
        result.normalizedLevenshtein = distanceSum / (n - 1);
    return result;
}

int repeatsWithin(const TrialSlot &slot)
{
    std::array<int, 256> openedBefore{};
    return countRepeats(slot, openedBefore);
}

double distanceToPrevious(const TrialSlot &current, const TrialSlot &previous)
{
    QByteArrayView before = previous.clickString();
    if (!before.isEmpty())
        before.chop(1);
    checkComparable(current, previous, before);
    return levenshtein(current.clickString(), before);
}

} // namespace kelvane::analyzer

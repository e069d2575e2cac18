#include "Levenshtein.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kelvane::analyzer {

namespace {

// For a pattern of at most 64 characters the whole column of the distance table fits
// in two bit masks, one for the rows where the distance rises by one from the row
// above and one for the rows where it falls by one, and one step over the text updates
// every row at once. This is the bit-vector method of Myers (1999) in the form Hyyrö
// gave for the distance between two whole texts: the top row rises by one per text
// character, which is the 1 shifted into the horizontal rises.
int bitParallelDistance(QByteArrayView pattern, QByteArrayView text)
{
    const auto m = std::size_t(pattern.size());
    // The rows where each character occurs in the pattern. The table is cleared again
    // after use, entry by entry, which is far cheaper than clearing all of it per call.
    thread_local std::array<std::uint64_t, 256> occurs{};
    for (std::size_t i = 0; i < m; ++i)
        occurs[static_cast<unsigned char>(pattern[qsizetype(i)])] |= std::uint64_t(1) << i;

    const std::uint64_t last = std::uint64_t(1) << (m - 1);
    std::uint64_t rises = m == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << m) - 1;
    std::uint64_t falls = 0;
    int distance = int(m);
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        const std::uint64_t equal = occurs[code];
        const std::uint64_t verticalCandidates = equal | falls;
        const std::uint64_t diagonalZero = (((equal & rises) + rises) ^ rises) | equal;
        std::uint64_t horizontalRises = falls | ~(diagonalZero | rises);
        std::uint64_t horizontalFalls = rises & diagonalZero;
        if (horizontalRises & last)
            ++distance;
        else if (horizontalFalls & last)
            --distance;
        horizontalRises = (horizontalRises << 1) | 1;
        horizontalFalls <<= 1;
        rises = horizontalFalls | ~(verticalCandidates | horizontalRises);
        falls = horizontalRises & verticalCandidates;
    }
    for (const char c : pattern)
        occurs[static_cast<unsigned char>(c)] = 0;
    return distance;
}

// The plain table, one row at a time, for longer texts.
int tableDistance(QByteArrayView first, QByteArrayView second)
{
    const auto lb = std::size_t(second.size());
    std::vector<int> previous(lb + 1);
    std::vector<int> current(lb + 1);
    for (std::size_t j = 0; j <= lb; ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= first.size(); ++i) {
        current[0] = int(i);
        for (std::size_t j = 1; j <= lb; ++j) {
            const int cost = first[i - 1] == second[qsizetype(j) - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
        }
        std::swap(previous, current);
    }
    return previous[lb];
}

} // namespace

int editDistance(QByteArrayView first, QByteArrayView second)
{
    // What both texts share at their start and end costs nothing.
    while (!first.isEmpty() && !second.isEmpty() && first.front() == second.front()) {
        first = first.sliced(1);
        second = second.sliced(1);
    }
    while (!first.isEmpty() && !second.isEmpty() && first.back() == second.back()) {
        first.chop(1);
        second.chop(1);
    }
    if (first.isEmpty() || second.isEmpty())
        return int(std::max(first.size(), second.size()));
    if (first.size() > second.size())
        std::swap(first, second);
    if (first.size() <= 64)
        return bitParallelDistance(first, second);
    return tableDistance(first, second);
}

double levenshtein(QByteArrayView first, QByteArrayView second)
{
    const qsizetype longer = std::max(first.size(), second.size());
    if (longer == 0)
        return 0.0;
    return double(editDistance(first, second)) / double(longer);
}

} // namespace kelvane::analyzer

#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kelvane::bench {

struct Spread
{
    double min = 0;
    double median = 0;
    double p99 = 0;
    double max = 0;
};

// Nearest-rank percentiles of values in milliseconds.
inline Spread spreadOf(std::vector<double> values)
{
    Spread s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const auto at = [&](double fraction) {
        const auto rank = std::size_t(fraction * double(values.size() - 1) + 0.5);
        return values[std::min(rank, values.size() - 1)];
    };
    s.min = values.front();
    s.median = at(0.5);
    s.p99 = at(0.99);
    s.max = values.back();
    return s;
}

inline void printSpread(const char *label, const Spread &s)
{
    std::printf("  %-34s median %8.3f ms   p99 %8.3f ms   max %8.3f ms\n", label, s.median, s.p99, s.max);
}

inline void printSpreadWithMin(const char *label, const Spread &s)
{
    std::printf("  %-28s min %8.1f   median %8.1f   p99 %8.1f   max %8.1f ms\n", label, s.min, s.median,
                s.p99, s.max);
}

} // namespace kelvane::bench

#include "Levenshtein.h"

#include <algorithm>
#include <vector>

namespace kelvane::analyzer {

double levenshtein(QStringView first, QStringView second)
{
    const qsizetype la = first.size();
    const qsizetype lb = second.size();
    if (la == 0 && lb == 0)
        return 0.0;
    if (la == 0 || lb == 0)
        return 1.0;

    // Only the previous row of the distance table is needed to fill the next one.
    std::vector<int> previous(std::size_t(lb) + 1);
    std::vector<int> current(std::size_t(lb) + 1);
    for (qsizetype j = 0; j <= lb; ++j)
        previous[std::size_t(j)] = int(j);
    for (qsizetype i = 1; i <= la; ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= lb; ++j) {
            const int cost = first[i - 1] == second[j - 1] ? 0 : 1;
            const auto sj = std::size_t(j);
            current[sj] = std::min({previous[sj] + 1, current[sj - 1] + 1, previous[sj - 1] + cost});
        }
        std::swap(previous, current);
    }
    return double(previous[std::size_t(lb)]) / double(std::max(la, lb));
}

} // namespace kelvane::analyzer

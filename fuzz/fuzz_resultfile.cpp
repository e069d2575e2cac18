// Any bytes must be analysed or refused with a reason, never crash; what is analysed
// must fit the table's bounds.

#include "ResultReader.h"

#include "kelvane/Windows1252.h"

#include <cmath>
#include <cstdlib>

using namespace kelvane;
using namespace kelvane::analyzer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fromWindows1252(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const ReadOutcome outcome = readResultText(QStringLiteral("/fuzz/subject.bof"), text);
    if (!outcome.result) {
        if (outcome.problem.problem.isEmpty())
            std::abort();
        return 0;
    }
    if (outcome.result->clusters.size() > Limit::Clusters)
        std::abort();
    for (const ClusterMeasures &c : outcome.result->clusters) {
        if (c.trials > Limit::Trials || c.trials <= Limit::TrialNumberLow)
            std::abort();
        // Means exist exactly for clusters that have trials, and are numbers.
        if (c.open.has_value() != (c.trials > 0) || c.wErr.has_value() != (c.trials > 0))
            std::abort();
        if ((c.open && !std::isfinite(*c.open)) || (c.wErr && !std::isfinite(*c.wErr)))
            std::abort();
        if (c.normalizedLevenshtein && !(*c.normalizedLevenshtein >= 0 && *c.normalizedLevenshtein <= 1))
            std::abort();
    }
    return 0;
}

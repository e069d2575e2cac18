// Any bytes must be analysed or refused with a reason, never crash. What is analysed
// must fit the table's bounds and must make a whole table row and an SPSS data file.

#include "ResultReader.h"
#include "SavWriter.h"
#include "TableWriter.h"

#include "kelvane/Windows1252.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace kelvane;
using namespace kelvane::analyzer;

namespace {

void checkMeasures(const SubjectResult &result)
{
    if (result.clusters.size() > Limit::Clusters)
        std::abort();
    for (const ClusterMeasures &c : result.clusters) {
        if (c.trials > Limit::Trials || c.trials <= Limit::TrialNumberLow)
            std::abort();
        // Means exist exactly for clusters that have trials, and are numbers.
        if (c.open.has_value() != (c.trials > 0) || c.wErr.has_value() != (c.trials > 0))
            std::abort();
        if ((c.open && !std::isfinite(*c.open)) || (c.wErr && !std::isfinite(*c.wErr))
            || !std::isfinite(c.bErr) || !std::isfinite(c.strategy))
            std::abort();
        if (c.normalizedLevenshtein && !(*c.normalizedLevenshtein >= 0 && *c.normalizedLevenshtein <= 1))
            std::abort();
    }
}

// The subject's row: name and cluster count, then seven values per cluster, each
// followed by a TAB, and CR CR LF at the end.
void checkTableRow(const SubjectResult &result)
{
    TableWriter table(false, QLocale(QLocale::Dutch));
    table.add(result);
    const QByteArray &row = table.bytes();
    if (!row.endsWith("\t\r\r\n") || row.count('\t') != 2 + MeasuresPerCluster * result.clusters.size()
        || row.count('\n') != 1)
        std::abort();
}

void checkSpssData(const SubjectResult &result)
{
    QByteArray bytes;
    QString problem;
    if (!savBytes({result}, &bytes, &problem) || !bytes.startsWith("$FL2"))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fromWindows1252(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const ReadOutcome outcome = readResultText(QStringLiteral("/fuzz/Ren\u00e9e.bof"), text);
    if (!outcome.result) {
        if (outcome.problem.problem.isEmpty())
            std::abort();
        return 0;
    }
    checkMeasures(*outcome.result);
    checkTableRow(*outcome.result);
    checkSpssData(*outcome.result);
    return 0;
}

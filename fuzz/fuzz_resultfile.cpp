// Any bytes must be analysed or refused with a reason, never crash. What is analysed
// must fit the table's bounds and must make a whole table row and an SPSS data file,
// and its click-by-click scores must agree with the measures and make tidy rows. The
// same bytes read as an event log must not crash either.

#include "EventLogTimes.h"
#include "ResultReader.h"
#include "SavWriter.h"
#include "TableWriter.h"
#include "TidyTables.h"


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
    const FileResult<QByteArray> bytes = savBytes({result});
    if (!bytes || !bytes->startsWith("$FL2"))
        std::abort();
}

void checkScores(const SubjectResult &result, const FileScore &score)
{
    if (score.clusters.size() != result.clusters.size())
        std::abort();
    for (qsizetype c = 0; c < score.clusters.size(); ++c) {
        const ClusterScore &cluster = score.clusters[c];
        const ClusterMeasures &m = result.clusters[c];
        if (cluster.number != c + 1 || cluster.measures.trials != m.trials || cluster.measures.bErr != m.bErr
            || cluster.trials.isEmpty())
            std::abort();
        int timeouts = 0;
        for (const TrialScore &trial : cluster.trials) {
            int previous = 0;
            for (const ClickScore &click : trial.clicks) {
                if (click.position <= previous || click.box < 1 || click.box > Limit::BoxValue)
                    std::abort();
                previous = click.position;
            }
            if (trial.repeats > trial.clicks.size() || trial.doubles > trial.repeats
                || trial.doubles > trial.earlierTargetVisits)
                std::abort();
            if (trial.distance && !(*trial.distance >= 0 && *trial.distance <= 1))
                std::abort();
            timeouts += !trial.found;
        }
        if (cluster.timeouts != timeouts || cluster.totalErrors > cluster.withinSearchErrors + cluster.betweenSearchErrors)
            std::abort();
    }
    TidyTables tables;
    tables.add(score);
    for (std::size_t t = 0; t < tidyTables().size(); ++t) {
        if (!tables.text(t).endsWith("\r\n"))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    FileScore score;
    ResultReader reader;
    const ReadOutcome outcome = reader.readBytes(QStringLiteral("/fuzz/Ren\u00e9e.bof"), bytes, &score);
    if (!outcome) {
        if (outcome.error().reason.isEmpty())
            std::abort();
        return 0;
    }
    addEventLogTimes(score, QStringLiteral("/fuzz/Ren\u00e9e.events.csv"), bytes);
    checkScores(*outcome, score);
    checkMeasures(*outcome);
    checkTableRow(*outcome);
    checkSpssData(*outcome);
    return 0;
}

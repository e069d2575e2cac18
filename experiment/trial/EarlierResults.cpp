#include "kelvane/trial/EarlierResults.h"

#include "kelvane/FileSaving.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/CsvRecords.h"
#include "kelvane/formats/EventLogFile.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/formats/ResultLines.h"
#include "kelvane/trial/ResultFile.h"

#include <QDir>
#include <QFile>

namespace kelvane {

namespace {

// The experiment line is the log's second line, after the titles.
bool logOpensWithExperimentLine(const QString &logPath)
{
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return false;
    QByteArray head = log.readLine();
    head += log.readLine();
    CsvRecordReader reader(head);
    QList<QByteArray> values;
    return reader.next(&values) && reader.next(&values) && values.value(EventColumn) == "experiment";
}

bool everyTrialLineNames(const QString &resultPath, const QString &listedName)
{
    QByteArray bytes;
    if (!readWholeFile(resultPath, &bytes, nullptr))
        return false;
    const QStringList lines = fromWindows1252(bytes).split(u'\n');
    for (qsizetype i = ResultHeaderLines; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        if (line.split(u'\t').value(ClusterField) != listedName)
            return false;
    }
    return true;
}

} // namespace

bool isExperimentWorkingCopy(const QString &resultPath, const QString &listedName)
{
    return logOpensWithExperimentLine(eventLogPath(resultPath)) && everyTrialLineNames(resultPath, listedName);
}

QStringList resultsAnExperimentWouldReplace(const QStringList &entries)
{
    QStringList files;
    for (const QString &entry : entries) {
        if (isMessageEntry(entry))
            continue;
        const QString result = clusterResultPath(entry);
        if (files.contains(result) || !holdsTrialLines(result) || isExperimentWorkingCopy(result, entry))
            continue;
        files.append(result);
    }
    return files;
}

QString earlierResultsQuestion(const QStringList &files)
{
    QStringList shown;
    for (const QString &file : files)
        shown.append(QStringLiteral("  ") + QDir::toNativeSeparators(file));
    return QStringLiteral("This run would replace the trials in:\n%1\n"
                          "They were not recorded by an experiment run, so they may be a subject's only "
                          "record (Run Cluster writes its results there too).\n\n"
                          "Replace them? No keeps them, and the run does not start.")
        .arg(shown.join(u'\n'));
}

} // namespace kelvane

#include "kelvane/trial/ResultFile.h"

#include "kelvane/Windows1252.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/formats/ResultLines.h"

namespace kelvane {

QString runResultPath(const Program &program)
{
    return program.Run.ResultFile.isEmpty() ? clusterResultPath(program.ClusterFile) : program.Run.ResultFile;
}

bool writeFirstHalf(const Program &program, int trial, FileError *error)
{
    const ClusterModel &cluster = program.Cluster;
    const QString line = firstHalfOfTrialLine(trial, program.ClusterName, cluster.CountBoxes(trial),
                                              cluster.objectCount(trial),
                                              qint64(program.Run.TargetBox));
    const QString path = runResultPath(program);
    if (trial > 0)
        return appendDurably(path, toWindows1252(line), error);

    // Replaced in one step: a run whose first write fails leaves the earlier run's
    // results as they were, and a run killed at that moment leaves one or the other.
    QByteArray clusterBytes;
    if (!readWholeFile(program.ClusterFile, &clusterBytes, error))
        return false;
    const QString head = clusterCopyLine(fromWindows1252(clusterBytes)) + resultTitleLine();
    return replaceDurably(path, toWindows1252(head + line), error);
}

bool writeSecondHalf(const Program &program, const QStringList &clicks, FileError *error)
{
    const RunState &run = program.Run;
    const QString line = secondHalfOfTrialLine(run.TrialClock, run.OpenedCount, run.ClickOrder,
                                               run.TimedClickOrder, withinTrialRepeats(clicks));
    return appendDurably(runResultPath(program), toWindows1252(line), error);
}

bool holdsTrialLines(const QString &resultPath)
{
    QByteArray bytes;
    if (!readWholeFile(resultPath, &bytes, nullptr))
        return false;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            return true;
    }
    return false;
}

bool appendClusterToSubject(const QString &clusterResult, const QString &subjectResult,
                            FileError *error)
{
    QByteArray bytes;
    if (!readWholeFile(clusterResult, &bytes, error))
        return false;
    QByteArray lines;
    int skipped = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break; // an unfinished trial
        QByteArrayView line(bytes.constData() + start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (skipped < 2) {
            ++skipped;
        } else {
            lines += line;
            lines += "\r\n";
        }
        start = end + 1;
    }
    return appendDurably(subjectResult, lines, error);
}

} // namespace kelvane

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

} // namespace kelvane

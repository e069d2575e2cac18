#include "kelvane/trial/RunSequencing.h"

#include "kelvane/FileSaving.h"
#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/OpenFile.h"
#include "kelvane/trial/ResultLines.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace kelvane {

bool isMessageEntry(const QString &entry)
{
    return entry.startsWith(MessageEntryPrefix);
}

QString messageOfEntry(const QString &entry)
{
    return entry.mid(MessageEntryPrefix.size());
}

QString subjectResultPath(const QString &subjectName)
{
    return subjectName + QLatin1StringView(".bof");
}

QStringList checkClusterForRun(const Program &program)
{
    QStringList problems;
    const QString file = QDir::toNativeSeparators(program.ClusterFile);
    if (program.ClusterFile.isEmpty()) {
        problems.append(QStringLiteral("The cluster has not been saved to a file, so its results "
                                       "have nowhere to go."));
        return problems;
    }
    // A cluster file that itself ends in "bof" would be overwritten by its own results.
    if (QFileInfo(clusterResultPath(program.ClusterFile)) == QFileInfo(program.ClusterFile))
        problems.append(QStringLiteral("%1: the results would overwrite the cluster file itself; "
                                       "cluster files must end in \".box\"")
                            .arg(file));
    const QFileInfo result(clusterResultPath(program.ClusterFile));
    FileError unwritable;
    if (!result.absoluteDir().exists())
        problems.append(QStringLiteral("%1: the folder %2 for its results does not exist")
                            .arg(file, QDir::toNativeSeparators(result.absolutePath())));
    else if (!probeWritable(result.filePath(), &unwritable))
        problems.append(QStringLiteral("%1: its results cannot be written to %2: %3")
                            .arg(file, QDir::toNativeSeparators(result.filePath()), unwritable.reason));
    for (const ClusterProblem &problem : checkCluster(program.Cluster, program.IconFolder))
        problems.append(file + QStringLiteral(": ") + problem.describe());
    return problems;
}

QStringList checkExperimentForRun(const QStringList &entries, const QString &iconFolder,
                                  const QString &subjectResult)
{
    QStringList problems;
    // A scratch program, so that checking leaves the cluster in memory untouched.
    auto scratch = std::make_unique<Program>();
    scratch->IconFolder = iconFolder;
    for (const QString &entry : entries) {
        if (isMessageEntry(entry))
            continue;
        FileError error;
        if (!OpenFile(*scratch, entry, &error)) {
            problems.append(error.description);
            continue;
        }
        problems += checkClusterForRun(*scratch);
    }
    FileError error;
    if (!appendDurably(subjectResult, QByteArray(), &error))
        problems.append(error.description);
    return problems;
}

} // namespace kelvane

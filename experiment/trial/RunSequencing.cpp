#include "kelvane/trial/RunSequencing.h"

#include "kelvane/Dialogs.h"
#include "kelvane/FileSaving.h"
#include "kelvane/formats/EventLogFile.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/OpenFile.h"
#include "kelvane/trial/ResultFile.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace kelvane {

namespace {

// QFileInfo's own comparison takes any two files that do not exist for the same file.
bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo x(a);
    const QFileInfo y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return QDir::cleanPath(x.absoluteFilePath()) == QDir::cleanPath(y.absoluteFilePath());
}

} // namespace

QString ExperimentSource::subjectResultFile() const
{
    return subjectResultPath(subjectName());
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
    if (sameFile(runResultPath(program), program.ClusterFile))
        problems.append(QStringLiteral("%1: the results would overwrite the cluster file itself; "
                                       "cluster files must end in \".box\"")
                            .arg(file));
    const QFileInfo result(runResultPath(program));
    FileError unwritable;
    if (!result.absoluteDir().exists())
        problems.append(QStringLiteral("%1: the folder %2 for its results does not exist")
                            .arg(file, QDir::toNativeSeparators(result.absolutePath())));
    else if (!canCreateOrAppend(result.filePath(), &unwritable)
             || !canCreateOrAppend(eventLogPath(result.filePath()), &unwritable))
        problems.append(QStringLiteral("%1: its results cannot be written: %2").arg(file, unwritable.description));
    for (const ClusterProblem &problem : checkCluster(program.Cluster, program.IconFolder))
        problems.append(file + QStringLiteral(": ") + problem.describe());
    return problems;
}

QString missingClusterProblem(const QString &entry, const QStringList &experimentFolders)
{
    QString problem = QStringLiteral("%1: the cluster file does not exist").arg(entry);
    // A study folder moved as a whole, or an experiment written on another computer
    // (C:\study\c1.box), still has its clusters beside the experiment file. The
    // researcher decides whether that is the file meant; nothing is swapped silently.
    for (const QString &folder : experimentFolders) {
        const QString beside = QDir(folder).filePath(fileTitle(entry));
        if (QFileInfo(beside).isFile()) {
            problem += QStringLiteral(" (a file of that name lies beside the experiment file: %1)")
                           .arg(QDir::toNativeSeparators(beside));
            break;
        }
    }
    return problem;
}

QStringList checkExperimentForRun(const QStringList &entries, const QString &iconFolder,
                                  const QString &subjectResult, const QStringList &experimentFolders)
{
    QStringList problems;
    // A scratch program, so that checking leaves the cluster in memory untouched.
    auto scratch = std::make_unique<Program>();
    scratch->IconFolder = iconFolder;
    bool anyCluster = false;
    for (const QString &entry : entries) {
        if (isMessageEntry(entry))
            continue;
        anyCluster = true;
        if (!QFileInfo::exists(entry)) {
            problems.append(missingClusterProblem(entry, experimentFolders));
            continue;
        }
        FileError error;
        if (!OpenFile(*scratch, entry, &error)) {
            problems.append(error.description);
            continue;
        }
        problems += checkClusterForRun(*scratch);
        // The subject file would be emptied when the run starts and then appended to
        // itself when this cluster ends.
        if (!subjectResult.isEmpty() && sameFile(clusterResultPath(entry), subjectResult))
            problems.append(QStringLiteral("%1: the subject file would be this cluster's own result file %2; "
                                           "choose another subject name or results folder")
                                .arg(entry, QDir::toNativeSeparators(subjectResult)));
    }
    if (!anyCluster)
        problems.prepend(QStringLiteral("No cluster is listed in the experiment."));
    // The subject's event log is checked with the subject file: a leftover that cannot
    // be replaced, a folder of that name or a name too long for the file system would
    // otherwise only show once the subject is under way.
    FileError error;
    if (!subjectResult.isEmpty() && !canCreateOrAppend(subjectResult, &error))
        problems.append(error.description);
    if (!subjectResult.isEmpty() && !canCreateOrAppend(eventLogPath(subjectResult), &error))
        problems.append(error.description);
    return problems;
}

} // namespace kelvane

#include "kelvane/check/ExperimentFileCheck.h"

#include "kelvane/check/ClusterFileCheck.h"
#include "kelvane/runexp/ExperimentFile.h"
#include "kelvane/trial/RunSequencing.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QSet>

namespace kelvane {

bool isExperimentFilePath(const QString &path)
{
    return path.endsWith(QLatin1StringView(".bex"), Qt::CaseInsensitive);
}

ExperimentFileReport checkExperimentFile(const QString &path, const QString &iconFolder)
{
    ExperimentFileReport report;
    report.path = path;
    const ExperimentFileContent content = readExperimentFile(path);
    if (content.problem) {
        report.problems.append(content.problem->description);
        return report;
    }
    report.entries = content.entries;
    const QStringList besideFolders{QFileInfo(path).absolutePath()};
    QSet<QString> checked;
    for (const QString &entry : report.entries) {
        if (isMessageEntry(entry))
            continue;
        ++report.clusterCount;
        // A cluster listed twice runs twice but has the same problems.
        if (checked.contains(entry))
            continue;
        checked.insert(entry);
        if (!QFileInfo::exists(entry)) {
            report.problems.append(missingClusterProblem(entry, besideFolders));
            continue;
        }
        for (const QString &problem : checkClusterFile(entry, iconFolder).problems)
            report.problems.append(entry + QStringLiteral(": ") + problem);
    }
    if (report.clusterCount == 0)
        report.problems.prepend(QStringLiteral("No cluster is listed in the experiment."));
    return report;
}

QJsonObject reportToJson(const ExperimentFileReport &report)
{
    return QJsonObject{
        {QStringLiteral("file"), report.path},
        {QStringLiteral("ok"), report.problems.isEmpty()},
        {QStringLiteral("problems"), QJsonArray::fromStringList(report.problems)},
        {QStringLiteral("entries"), QJsonArray::fromStringList(report.entries)},
    };
}

} // namespace kelvane

#include "kelvane/check/ExperimentFileCheck.h"

#include "kelvane/check/ClusterFileCheck.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/trial/EarlierResults.h"
#include "kelvane/trial/RunSequencing.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace kelvane {

namespace {

Finding aboutListedCluster(const QString &entry, const Finding &finding)
{
    const QString place = finding.line > 0 ? QStringLiteral("%1:%2").arg(entry).arg(finding.line) : entry;
    return {finding.severity, 0, place + QStringLiteral(": ") + finding.text};
}

} // namespace

QString ExperimentFileReport::summary() const
{
    return counted(int(entries.size()), QStringLiteral("entry"), QStringLiteral("entries")) + QStringLiteral(", ")
           + counted(clusterCount, QStringLiteral("cluster"), QStringLiteral("clusters"));
}

bool isExperimentFilePath(const QString &path)
{
    return path.endsWith(QLatin1StringView(".bex"), Qt::CaseInsensitive);
}

ExperimentFileReport checkExperimentFile(const QString &path, const QString &iconFolder)
{
    ExperimentFileReport report;
    report.path = path;
    const FileResult<QStringList> content = readExperimentFile(path);
    if (!content) {
        const FileError &problem = content.error();
        const QString text = problem.reason.isEmpty() ? problem.description
                             : problem.line > 0       ? problem.reason
                                                      : QStringLiteral("cannot be read: ") + problem.reason;
        report.findings.append({Severity::Problem, problem.line, text});
        return report;
    }
    report.entries = *content;
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
            report.findings.append({Severity::Problem, 0, missingClusterProblem(entry, besideFolders)});
            continue;
        }
        for (const Finding &finding : checkClusterFile(entry, iconFolder).findings)
            report.findings.append(aboutListedCluster(entry, finding));
    }
    for (const QString &result : resultsAnExperimentWouldReplace(report.entries))
        report.findings.append({Severity::Warning, 0,
                                QStringLiteral("%1 holds trials that no experiment run recorded; a run of this "
                                               "experiment asks before replacing them")
                                    .arg(QDir::toNativeSeparators(result))});
    if (report.clusterCount == 0)
        report.findings.prepend({Severity::Problem, 0, QStringLiteral("No cluster is listed in the experiment.")});
    return report;
}

QJsonObject reportToJson(const ExperimentFileReport &report, bool passes)
{
    return QJsonObject{
        {QStringLiteral("file"), report.path},
        {QStringLiteral("ok"), passes},
        {QStringLiteral("problems"), findingTexts(report.findings, Severity::Problem)},
        {QStringLiteral("warnings"), findingTexts(report.findings, Severity::Warning)},
        {QStringLiteral("entries"), QJsonArray::fromStringList(report.entries)},
    };
}

} // namespace kelvane

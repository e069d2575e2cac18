#include "kelvane/check/ClusterFileCheck.h"

#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/ClusterFileWriter.h"

#include <QJsonArray>

namespace kelvane {

ClusterFileReport checkClusterFile(const QString &path, const QString &iconFolder)
{
    ClusterFileReport report;
    report.path = path;
    report.content = readClusterFile(path, ObjectRow::Read);
    if (report.content.problem) {
        report.problems.append(report.content.problem->description);
        return report;
    }
    report.readCompletely = true;
    for (const ClusterProblem &problem : checkCluster(report.content.cluster, iconFolder,
                                                      report.content.objectRow))
        report.problems.append(problem.describe());
    return report;
}

QJsonObject reportToJson(const ClusterFileReport &report)
{
    const ClusterModel &cluster = report.content.cluster;
    QJsonArray trials;
    if (report.readCompletely) {
        for (int t = 0; t < cluster.trialCount(); ++t) {
            const TrialSettings &s = cluster.Trials[std::size_t(t)];
            QJsonArray boxes;
            for (int k = 1; k <= cluster.CountBoxes(t); ++k) {
                const BoxRecord &b = cluster.box(t, k);
                boxes.append(QJsonObject{
                    {QStringLiteral("BoxIconFile"), b.BoxIconFile},
                    {QStringLiteral("EmptyIconFile"), b.EmptyIconFile},
                    {QStringLiteral("ContentFile"), b.ContentFile},
                    {QStringLiteral("Empty"), b.Empty},
                    {QStringLiteral("Left"), b.Left},
                    {QStringLiteral("Top"), b.Top},
                });
            }
            trials.append(QJsonObject{
                {QStringLiteral("time"), s.time},
                {QStringLiteral("TimeUpMessage"), s.TimeUpMessage},
                {QStringLiteral("TargetNumberText"), s.TargetNumberText},
                {QStringLiteral("StartMessage"), s.StartMessage},
                {QStringLiteral("EndMessage"), s.EndMessage},
                {QStringLiteral("CloseAfter"), s.CloseAfter},
                {QStringLiteral("ChangeColor"), s.ChangeColor},
                {QStringLiteral("ChangeForeColor"), s.ChangeForeColor},
                {QStringLiteral("ScreenSize"), s.ScreenSize},
                {QStringLiteral("boxes"), boxes},
            });
        }
    }
    return QJsonObject{
        {QStringLiteral("file"), report.path},
        {QStringLiteral("ok"), report.problems.isEmpty()},
        {QStringLiteral("problems"), QJsonArray::fromStringList(report.problems)},
        {QStringLiteral("trials"), trials},
        {QStringLiteral("objectRow"), QJsonArray::fromStringList(report.content.objectRow)},
    };
}

bool rewriteClusterFile(const ClusterFileReport &report, const QString &target, FileError *error)
{
    if (!report.readCompletely) {
        *error = {ErrorCode::InputPastEndOfFile,
                  QStringLiteral("%1 was not read completely, so it is not rewritten").arg(report.path)};
        return false;
    }
    const ClusterModel &cluster = report.content.cluster;
    if (const auto problem = findUnwritableText(cluster, report.content.objectRow)) {
        *error = {ErrorCode::TypeMismatch, *problem};
        return false;
    }
    return saveWholeFile(target, clusterFileBytes(cluster, report.content.objectRow), error);
}

} // namespace kelvane

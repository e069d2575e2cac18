#include "kelvane/check/ClusterFileCheck.h"

#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/ClusterFileWriter.h"

#include <QJsonArray>

#include <algorithm>

namespace kelvane {

namespace {

bool readingLostSomething(const ClusterFileContent &content)
{
    return std::any_of(content.notes.cbegin(), content.notes.cend(),
                       [](const ClusterProblem &note) { return note.severity == Severity::Problem; });
}

} // namespace

QString ClusterFileReport::summary() const
{
    const ClusterModel &cluster = content.cluster;
    int boxes = 0;
    for (int t = 0; t < cluster.trialCount(); ++t)
        boxes += cluster.CountBoxes(t);
    return counted(cluster.trialCount(), QStringLiteral("trial"), QStringLiteral("trials")) + QStringLiteral(", ")
           + counted(boxes, QStringLiteral("box"), QStringLiteral("boxes"));
}

ClusterFileReport checkClusterFile(const QString &path, const QString &iconFolder)
{
    ClusterFileReport report;
    report.path = path;
    report.content = readClusterFile(path, ObjectRow::Read);
    for (const ClusterProblem &note : report.content.notes)
        report.findings.append(toFinding(note));
    if (report.content.problem)
        return report;
    report.readCompletely = true;
    const ClusterModel &cluster = report.content.cluster;
    for (const ClusterProblem &problem : checkCluster(cluster, iconFolder, report.content.objectRow))
        report.findings.append(toFinding(problem));
    for (const ClusterProblem &problem : reviewTrialValues(cluster))
        report.findings.append(toFinding(problem));
    return report;
}

QJsonObject reportToJson(const ClusterFileReport &report, bool passes)
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
        {QStringLiteral("ok"), passes},
        {QStringLiteral("problems"), findingTexts(report.findings, Severity::Problem)},
        {QStringLiteral("warnings"), findingTexts(report.findings, Severity::Warning)},
        {QStringLiteral("trials"), trials},
        {QStringLiteral("objectRow"), QJsonArray::fromStringList(report.content.objectRow)},
    };
}

bool rewriteClusterFile(const ClusterFileReport &report, const QString &target, FileError *error)
{
    if (!report.readCompletely) {
        *error = {ErrorCode::InputPastEndOfFile,
                  QStringLiteral("the file was not read completely")};
        return false;
    }
    if (readingLostSomething(report.content)) {
        *error = {ErrorCode::TypeMismatch,
                  QStringLiteral("reading lost part of what the file says (see its problems)")};
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

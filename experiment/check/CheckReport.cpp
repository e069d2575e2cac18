#include "kelvane/check/CheckReport.h"

#include <algorithm>

namespace kelvane {

namespace {

QString severityWord(Severity severity)
{
    return severity == Severity::Problem ? QStringLiteral("problem") : QStringLiteral("warning");
}

} // namespace

QString counted(int count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

Finding toFinding(const ClusterProblem &problem)
{
    return {problem.severity, problem.line, problem.describe()};
}

QString findingLine(const QString &path, const Finding &finding)
{
    const QString place = finding.line > 0 ? QStringLiteral("%1:%2").arg(path).arg(finding.line) : path;
    return QStringLiteral("%1: %2: %3").arg(place, severityWord(finding.severity), finding.text);
}

QJsonArray findingTexts(const QList<Finding> &findings, Severity severity)
{
    QJsonArray texts;
    for (const Finding &finding : findings) {
        if (finding.severity == severity)
            texts.append(finding.line > 0 ? QStringLiteral("line %1: %2").arg(finding.line).arg(finding.text)
                                          : finding.text);
    }
    return texts;
}

CheckReport::CheckReport(QTextStream &out, bool strict)
    : m_out(out), m_strict(strict)
{
}

bool CheckReport::counts(const Finding &finding) const
{
    return finding.severity == Severity::Problem || m_strict;
}

bool CheckReport::judge(const QList<Finding> &findings)
{
    const bool passes = std::none_of(findings.cbegin(), findings.cend(),
                                     [this](const Finding &finding) { return counts(finding); });
    m_failed = m_failed || !passes;
    return passes;
}

bool CheckReport::addFile(const QString &path, const QList<Finding> &findings, const QString &summary)
{
    int warnings = 0;
    for (const Finding &finding : findings) {
        m_out << findingLine(path, finding) << '\n';
        if (finding.severity == Severity::Warning)
            ++warnings;
    }
    const bool passes = judge(findings);
    if (passes) {
        m_out << path << ": ok (" << summary << ')';
        if (warnings > 0)
            m_out << ", " << counted(warnings, QStringLiteral("warning"), QStringLiteral("warnings"));
        m_out << '\n';
    }
    m_out.flush();
    return passes;
}

void CheckReport::addGeneral(const Finding &finding)
{
    m_out << QStringLiteral("kelvane-check: %1: %2").arg(severityWord(finding.severity), finding.text) << '\n';
    m_out.flush();
    m_failed = m_failed || counts(finding);
}

void CheckReport::addNote(const QString &path, const QString &text)
{
    m_out << path << ": " << text << '\n';
    m_out.flush();
}

} // namespace kelvane

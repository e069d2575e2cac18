#include "AnalysisRun.h"

#include "EventLogTimes.h"
#include "SavWriter.h"

#include "kelvane/FileSaving.h"

namespace kelvane::analyzer {

AnalysisRun::AnalysisRun(OutputKind kind, bool includeTitles, const QLocale &locale)
    : m_kind(kind), m_table(includeTitles, locale)
{
}

bool AnalysisRun::add(const QString &path)
{
    ReadOutcome outcome = m_reader.read(path, m_tidy ? &m_score : nullptr);
    if (!outcome.result) {
        m_skipped.append(outcome.problem);
        return false;
    }
    ++m_analysed;
    m_analysedPaths.append(path);
    m_subjects.append(*outcome.result);
    if (m_tidy) {
        addEventLogTimes(m_score);
        m_warnings.append(m_score.logProblems);
        m_tidy->add(m_score);
    }
    if (m_kind == OutputKind::SpssData)
        return true;
    const bool hadUnmappable = !m_table.unmappableSubject().isEmpty();
    m_table.add(*outcome.result);
    if (!hadUnmappable && !m_table.unmappableSubject().isEmpty()) {
        m_warnings.append(QStringLiteral("%1: the subject name \"%2\" holds characters that a "
                                         "Windows-1252 table cannot hold; they were written as \"?\"")
                              .arg(path, m_table.unmappableSubject()));
    }
    return true;
}

bool AnalysisRun::save(const QString &path, QString *problem)
{
    QByteArray bytes;
    if (m_kind == OutputKind::SpssData) {
        QString why;
        if (!savBytes(m_subjects, &bytes, &why)) {
            *problem = QStringLiteral("%1 was not written: %2").arg(path, why);
            return false;
        }
    } else {
        bytes = m_table.bytes();
    }
    FileError error;
    if (!saveWholeFile(path, bytes, &error)) {
        *problem = error.description;
        return false;
    }
    return true;
}

bool AnalysisRun::saveTidy(const QString &folder, QString *problem)
{
    return m_tidy && m_tidy->save(folder, problem);
}

QString AnalysisRun::skippedReport() const
{
    QStringList lines;
    for (const ReadProblem &problem : m_skipped)
        lines.append(problem.message());
    return lines.join(u'\n');
}

} // namespace kelvane::analyzer

#include "AnalysisRun.h"

#include "EventLogTimes.h"
#include "SavWriter.h"
#include "SubjectSummary.h"

#include "kelvane/FileSaving.h"
#include "kelvane/Windows1252.h"

namespace kelvane::analyzer {

namespace {

QString unmappableWarning(const QString &path, const QString &subject)
{
    return QStringLiteral("%1: the subject name \"%2\" holds characters that a Windows-1252 table "
                          "cannot hold; they were written as \"?\"")
        .arg(path, subject);
}

bool fitsCodePage(const QString &text)
{
    QChar unmappable;
    toWindows1252(text, &unmappable);
    return unmappable.isNull();
}

} // namespace

AnalysisRun::AnalysisRun(OutputKind kind, bool includeTitles, const QLocale &locale, ClusterLayout layout)
    : m_kind(kind), m_layout(layout), m_includeTitles(includeTitles), m_locale(locale),
      m_table(includeTitles, locale)
{
}

bool AnalysisRun::add(const QString &path)
{
    // The click-by-click scores cost more than the measures: they are taken only for
    // the tidy tables.
    ReadOutcome outcome = m_reader.read(path, m_tidy ? &m_score : nullptr);
    if (!outcome) {
        m_skipped.append(outcome.error());
        return false;
    }
    ++m_analysed;
    if (outcome->unfinishedTrialLine > 0) {
        m_warnings.append(QStringLiteral("%1, line %2: the last trial did not finish (the run was cut off); "
                                         "the trials before it are analysed")
                              .arg(path)
                              .arg(outcome->unfinishedTrialLine));
    }
    if (m_tidy)
        addToTidy();
    if (m_layout == ClusterLayout::ByPosition)
        m_positionNames.add(path, *outcome);
    if (m_kind == OutputKind::TabDelimited && m_layout == ClusterLayout::ByPosition) {
        const bool hadUnmappable = !m_table.unmappableSubject().isEmpty();
        m_table.add(*outcome);
        if (!hadUnmappable && !m_table.unmappableSubject().isEmpty())
            m_warnings.append(unmappableWarning(path, m_table.unmappableSubject()));
    } else if (m_kind == OutputKind::TabDelimited && !m_namedUnmappable
               && !fitsCodePage(outcome->subject)) {
        m_namedUnmappable = true;
        m_warnings.append(unmappableWarning(path, outcome->subject));
    }
    if (holdsResults()) {
        m_analysedPaths.append(path);
        m_subjects.append(std::move(*outcome));
    }
    return true;
}

void AnalysisRun::addToTidy()
{
    addEventLogTimes(m_score);
    m_warnings.append(m_score.logProblems);
    for (const ClusterScore &cluster : std::as_const(m_score.clusters)) {
        if (!cluster.sharedBoxes())
            m_warnings.append(mixedSizeMessage(m_score, cluster));
    }
    m_tidy->add(m_score, m_practice);
}

// The table by name is laid out once every file is in, as a name's group follows the
// order in which the names first appear over all files.
TableWriter AnalysisRun::tableByName() const
{
    const NamedColumns columns = columnsByName(m_subjects);
    TableWriter table(m_includeTitles, m_locale);
    table.nameColumns(columns.labels);
    for (qsizetype s = 0; s < m_subjects.size(); ++s)
        table.add(m_subjects[s], columns.clusterAt[s]);
    return table;
}

FileResult<void> AnalysisRun::save(const QString &path)
{
    FileError error;
    if (m_kind == OutputKind::SpssData) {
        const std::optional<NamedColumns> byName = m_layout == ClusterLayout::ByName
                                                       ? std::optional(columnsByName(m_subjects))
                                                       : std::nullopt;
        const FileResult<QByteArray> bytes = savBytes(m_subjects, byName ? &*byName : nullptr);
        if (!bytes) {
            const FileError &refused = bytes.error();
            return FileError{refused.code, QStringLiteral("%1 was not written: %2").arg(path, refused.reason),
                             refused.reason};
        }
        if (!saveWholeFile(path, *bytes, &error))
            return error;
        return {};
    }
    // The titles and the rows go to the file one after the other: a table of many
    // files is never copied whole.
    const std::optional<TableWriter> byName = m_layout == ClusterLayout::ByName ? std::optional(tableByName())
                                                                                : std::nullopt;
    const TableWriter &table = byName ? *byName : m_table;
    WholeFileWriter file(path);
    file.write(table.titleRow());
    file.write(table.rows());
    if (!file.commit(&error))
        return error;
    return {};
}

FileResult<void> AnalysisRun::saveTidy(const QString &folder)
{
    QString problem = QStringLiteral("no tidy tables were asked for");
    if (!m_tidy || !m_tidy->save(folder, &problem))
        return FileError{ErrorCode::PathFileAccessError, problem, problem};
    return {};
}

QString AnalysisRun::skippedReport() const
{
    QStringList lines;
    for (const FileError &problem : m_skipped)
        lines.append(problem.description);
    return lines.join(u'\n');
}

} // namespace kelvane::analyzer

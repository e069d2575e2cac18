#pragma once
// One compute run over a list of result files, shared by the window and the command
// line so that both write the same output for the same files.

#include "ClusterColumns.h"
#include "ResultReader.h"
#include "TableWriter.h"
#include "TidyTables.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::analyzer {

enum class OutputKind { TabDelimited, SpssData };

// How the wide table lines the clusters up: by their position in each file, or by name.
enum class ClusterLayout { ByPosition, ByName };

class AnalysisRun
{
public:
    AnalysisRun(OutputKind kind, bool includeTitles, const QLocale &locale,
                ClusterLayout layout = ClusterLayout::ByPosition);

    // From now on every file added also goes into the tidy tables, with the event log
    // beside it read for click times. Given the folder, the tables go to their files as
    // the files are read, instead of being held until saveTidy().
    void alsoTidy() { m_tidy.emplace(); }
    void alsoTidy(const QString &folder) { m_tidy.emplace(folder); }

    // levels.csv and subjects.csv count the practice clusters too.
    void countPractice() { m_practice = PracticeInSummaries::Counted; }

    // Keeps every file's row for results(), which a run otherwise holds only where its
    // output needs them.
    void keepResults() { m_keepResults = true; }

    // Reads one file and adds its row; a file that cannot be analysed is skipped and
    // remembered with the reason. Returns false when it was skipped.
    bool add(const QString &path);

    int analysedCount() const { return m_analysed; }
    // The rows of the files analysed, and those files, in the order added; only after
    // keepResults().
    const QList<SubjectResult> &results() const { return m_subjects; }
    const QStringList &analysedPaths() const { return m_analysedPaths; }
    const QList<FileError> &skipped() const { return m_skipped; }
    // Things written but worth knowing, such as characters the table cannot hold.
    const QStringList &warnings() const { return m_warnings; }
    // Set when files hold different clusters at one position of a table laid out by
    // position, naming the first such position.
    const QString &positionWarning() const { return m_positionNames.warning(); }

    // The complete output, replacing any earlier file at `path` in one step. On
    // failure nothing is left behind and `problem` names the path.
    FileResult<void> save(const QString &path);

    // The tidy tables into `folder` (created if needed; the one given to alsoTidy(),
    // when it was given one); false with `problem` filled when a file could not be
    // written. Only after alsoTidy().
    FileResult<void> saveTidy(const QString &folder);

    // The skipped files, one per line, for the message shown at the end of a run.
    QString skippedReport() const;

private:
    bool holdsResults() const
    {
        return m_keepResults || m_kind == OutputKind::SpssData || m_layout == ClusterLayout::ByName;
    }
    void addToTidy();
    TableWriter tableByName() const;

    OutputKind m_kind;
    ClusterLayout m_layout;
    bool m_includeTitles;
    QLocale m_locale;
    bool m_keepResults = false;
    PracticeInSummaries m_practice = PracticeInSummaries::LeftOut;
    bool m_namedUnmappable = false; // the warning of a table by name was given
    ResultReader m_reader;
    TableWriter m_table;
    std::optional<TidyTables> m_tidy;
    FileScore m_score; // kept from file to file, as the reader's tables are
    PositionNames m_positionNames;
    QList<SubjectResult> m_subjects;
    QStringList m_analysedPaths;
    QList<FileError> m_skipped;
    QStringList m_warnings;
    int m_analysed = 0;
};

} // namespace kelvane::analyzer

#pragma once
// The rows of the tidy tables: the column tables of the five files and how one scored
// result file becomes their rows (UTF-8, RFC 4180, "." as the decimal point whatever the
// locale, an empty field for a missing value). Where the rows go is TidyTables' part.

#include "SearchScores.h"
#include "SubjectSummary.h"

#include <QByteArray>

#include <array>
#include <span>

namespace kelvane::analyzer {

struct TidyColumn
{
    const char *name;
    const char *type; // a Table Schema type: "string", "integer" or "number"
    const char *description;
};

struct TidyTable
{
    const char *name; // the resource's name; the file is name + ".csv"
    const char *description;
    std::span<const TidyColumn> columns;
};

enum TidyTableIndex { ClicksTable, TrialsTable, ClustersTable, LevelsTable, SubjectsTable, TidyTableCount };

// clicks, trials, clusters, levels and subjects, in the order of TidyTableIndex.
std::span<const TidyTable> tidyTables();

// The title row of `table`, CR LF included.
QByteArray tidyTitleRow(const TidyTable &table);

using TidyTexts = std::array<QByteArray, TidyTableCount>;

// Appends the rows of one scored result file to the five tables' texts; `practice` says
// whether levels and subjects count the practice clusters.
void appendTidyRows(const FileScore &score, TidyTexts &tables,
                    PracticeInSummaries practice = PracticeInSummaries::LeftOut);

} // namespace kelvane::analyzer

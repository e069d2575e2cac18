#pragma once
// The tidy tables: clicks.csv, trials.csv and clusters.csv (UTF-8, RFC 4180, "." as the
// decimal point whatever the locale, an empty field for a missing value) and the
// datapackage.json that describes every column, so that statistics packages and data
// validators read them without guessing.

#include "SearchScores.h"

#include <QByteArray>
#include <QString>

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

// clicks, trials and clusters, in that order.
std::span<const TidyTable> tidyTables();

// The Tabular Data Package descriptor of the three files.
QByteArray dataPackageDescriptor();

class TidyTables
{
public:
    TidyTables();

    // Adds the file's rows to the three tables.
    void add(const FileScore &score);

    // The text of table `index` of tidyTables(), title row included.
    const QByteArray &text(std::size_t index) const { return m_text[index]; }

    // Writes the three files and the descriptor into `folder`, each replaced whole.
    // On failure `problem` names the file and why; files written before it stay.
    bool save(const QString &folder, QString *problem) const;

private:
    QByteArray m_text[3];
};

} // namespace kelvane::analyzer

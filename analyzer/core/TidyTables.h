#pragma once
// The tidy tables: clicks.csv, trials.csv and clusters.csv (UTF-8, RFC 4180, "." as the
// decimal point whatever the locale, an empty field for a missing value) and the
// datapackage.json that describes every column, so that statistics packages and data
// validators read them without guessing.

#include "SearchScores.h"

#include "kelvane/FileSaving.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>
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
    // The tables are held whole until save().
    TidyTables();
    // The rows go to the three files in `folder` (created if needed) as they come, so
    // that only a little of each table is ever held; save() puts the files in place.
    explicit TidyTables(const QString &folder);
    ~TidyTables();

    // Adds the file's rows to the three tables.
    void add(const FileScore &score);

    // The text of table `index` of tidyTables(), title row included; only when the
    // tables are held whole.
    const QByteArray &text(std::size_t index) const { return m_text[index]; }

    // Writes the three files and the descriptor into `folder`, each replaced whole (the
    // folder given to the constructor, when there was one). On failure `problem` names
    // the file and why; files written before it stay.
    bool save(const QString &folder, QString *problem);

private:
    bool openFolder(const QString &folder, QString *problem);
    void passOnFullTables();

    QByteArray m_text[3];
    std::array<std::unique_ptr<WholeFileWriter>, 3> m_files; // when streaming
    QString m_folder;
    QString m_folderProblem;
};

} // namespace kelvane::analyzer

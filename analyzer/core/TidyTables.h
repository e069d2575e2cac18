#pragma once
// Where the tidy tables go: clicks.csv, trials.csv, clusters.csv, levels.csv and
// subjects.csv (their rows are TidyRows' part) and the datapackage.json that describes
// every column, so that statistics packages and data validators read them without
// guessing.

#include "SearchScores.h"
#include "TidyRows.h"

#include "kelvane/FileSaving.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

namespace kelvane::analyzer {

// The Tabular Data Package descriptor of the five files.
QByteArray dataPackageDescriptor();

class TidyTables
{
public:
    // The tables are held whole until save().
    TidyTables();
    // The rows go to the five files in `folder` (created if needed) as they come, so
    // that only a little of each table is ever held; save() puts the files in place.
    explicit TidyTables(const QString &folder);
    ~TidyTables();

    // Adds the file's rows to the five tables.
    void add(const FileScore &score, PracticeInSummaries practice = PracticeInSummaries::LeftOut);

    // The text of table `index` of tidyTables(), title row included; only when the
    // tables are held whole.
    const QByteArray &text(std::size_t index) const { return m_text[index]; }

    // Writes the five files and the descriptor into `folder`, each replaced whole (the
    // folder given to the constructor, when there was one). On failure `problem` names
    // the file and why; files written before it stay.
    bool save(const QString &folder, QString *problem);

private:
    bool openFolder(const QString &folder, QString *problem);
    void passOnFullTables();

    TidyTexts m_text;
    std::array<std::unique_ptr<WholeFileWriter>, TidyTableCount> m_files; // when streaming
    QString m_folder;
    QString m_folderProblem;
};

} // namespace kelvane::analyzer

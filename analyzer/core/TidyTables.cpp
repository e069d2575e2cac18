#include "TidyTables.h"

#include "kelvane/FileSaving.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kelvane::analyzer {

namespace {

// Rows are passed on to the files in pieces of about this size.
constexpr qsizetype PassOnBytes = qsizetype(1) << 20;

} // namespace

QByteArray dataPackageDescriptor()
{
    QJsonArray resources;
    for (const TidyTable &table : tidyTables()) {
        QJsonArray fields;
        for (const TidyColumn &column : table.columns) {
            fields.append(QJsonObject{{QStringLiteral("name"), QLatin1StringView(column.name)},
                                      {QStringLiteral("type"), QLatin1StringView(column.type)},
                                      {QStringLiteral("description"), QLatin1StringView(column.description)}});
        }
        const QJsonObject schema{{QStringLiteral("fields"), fields},
                                 {QStringLiteral("missingValues"), QJsonArray{QString()}}};
        const QJsonObject dialect{{QStringLiteral("delimiter"), QStringLiteral(",")},
                                  {QStringLiteral("doubleQuote"), true},
                                  {QStringLiteral("quoteChar"), QStringLiteral("\"")},
                                  {QStringLiteral("lineTerminator"), QStringLiteral("\r\n")},
                                  {QStringLiteral("header"), true}};
        const QString name = QLatin1StringView(table.name);
        resources.append(QJsonObject{{QStringLiteral("name"), name},
                                     {QStringLiteral("path"), name + QStringLiteral(".csv")},
                                     {QStringLiteral("profile"), QStringLiteral("tabular-data-resource")},
                                     {QStringLiteral("description"), QLatin1StringView(table.description)},
                                     {QStringLiteral("format"), QStringLiteral("csv")},
                                     {QStringLiteral("mediatype"), QStringLiteral("text/csv")},
                                     {QStringLiteral("encoding"), QStringLiteral("utf-8")},
                                     {QStringLiteral("dialect"), dialect},
                                     {QStringLiteral("schema"), schema}});
    }
    const QJsonObject package{
        {QStringLiteral("name"), QStringLiteral("kelvane-tidy-tables")},
        {QStringLiteral("title"), QStringLiteral("Kelvane searches, click by click")},
        {QStringLiteral("profile"), QStringLiteral("tabular-data-package")},
        {QStringLiteral("resources"), resources}};
    return QJsonDocument(package).toJson(QJsonDocument::Indented);
}

TidyTables::TidyTables()
{
    for (std::size_t t = 0; t < TidyTableCount; ++t)
        m_text[t] = tidyTitleRow(tidyTables()[t]);
}

TidyTables::TidyTables(const QString &folder) : TidyTables()
{
    m_folder = folder;
    if (!openFolder(folder, &m_folderProblem))
        return;
    const QDir dir(folder);
    for (std::size_t t = 0; t < TidyTableCount; ++t) {
        m_files[t] = std::make_unique<WholeFileWriter>(
            dir.filePath(QLatin1StringView(tidyTables()[t].name) + QStringLiteral(".csv")));
        m_text[t].reserve(2 * PassOnBytes);
    }
}

TidyTables::~TidyTables() = default;

bool TidyTables::openFolder(const QString &folder, QString *problem)
{
    if (const QFileInfo info(folder); info.exists() && !info.isDir()) {
        *problem = QStringLiteral("The tidy tables were not written: %1 is a file, not a folder").arg(folder);
        return false;
    }
    if (!QDir(folder).mkpath(QStringLiteral("."))) {
        *problem = QStringLiteral("The tidy tables were not written: the folder %1 could not be created")
                       .arg(folder);
        return false;
    }
    return true;
}

// The rows gathered so far go to the files once there are enough of them to make a
// write worth its call; the buffers keep their room for the next rows.
void TidyTables::passOnFullTables()
{
    for (std::size_t t = 0; t < TidyTableCount; ++t) {
        if (m_files[t] && m_text[t].size() >= PassOnBytes) {
            m_files[t]->write(m_text[t]);
            m_text[t].resize(0);
        }
    }
}

void TidyTables::add(const FileScore &score, PracticeInSummaries practice)
{
    appendTidyRows(score, m_text, practice);
    passOnFullTables();
}

bool TidyTables::save(const QString &folder, QString *problem)
{
    const bool streaming = !m_folder.isNull();
    if (streaming && !m_folderProblem.isEmpty()) {
        *problem = m_folderProblem;
        return false;
    }
    if (!streaming && !openFolder(folder, problem))
        return false;
    const QDir dir(streaming ? m_folder : folder);
    FileError error;
    for (std::size_t t = 0; t < TidyTableCount; ++t) {
        bool saved = false;
        if (streaming) {
            m_files[t]->write(m_text[t]);
            m_text[t].resize(0);
            saved = m_files[t]->commit(&error);
            m_files[t].reset();
        } else {
            const QString path = dir.filePath(QLatin1StringView(tidyTables()[t].name) + QStringLiteral(".csv"));
            saved = saveWholeFile(path, m_text[t], &error);
        }
        if (!saved) {
            *problem = error.description;
            return false;
        }
    }
    if (!saveWholeFile(dir.filePath(QStringLiteral("datapackage.json")), dataPackageDescriptor(), &error)) {
        *problem = error.description;
        return false;
    }
    return true;
}

} // namespace kelvane::analyzer

#include "kelvane/orders/OrderFiles.h"

#include "kelvane/CsvText.h"
#include "kelvane/Dialogs.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/ExperimentFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <optional>

namespace kelvane {

namespace {

const QLatin1StringView ExperimentSuffix(".bex");

struct PlannedFile
{
    QString path;
    QByteArray bytes;
    std::optional<QByteArray> earlier; // what to put back when the set fails
};

// Puts back what the set had replaced, newest first. Best effort: the researcher is told
// about the failure that started it either way.
void putBack(const QList<PlannedFile> &written)
{
    for (auto file = written.crbegin(); file != written.crend(); ++file) {
        FileError ignored;
        if (file->earlier)
            saveWholeFile(file->path, *file->earlier, &ignored);
        else
            QFile::remove(file->path);
    }
}

} // namespace

int subjectRowCount(int orderCount)
{
    if (orderCount <= 0)
        return 0;
    const int rounds = (SubjectRowsAtLeast + orderCount - 1) / orderCount;
    return rounds * orderCount;
}

int orderOfSubject(int subject, int orderCount)
{
    return (subject - 1) % orderCount + 1;
}

OrderFileNames::OrderFileNames(const QString &chosenFile)
    : m_stem(chosenFile.endsWith(ExperimentSuffix, Qt::CaseInsensitive) ? chosenFile.chopped(ExperimentSuffix.size())
                                                                        : chosenFile)
{
}

QString OrderFileNames::experimentFile(int order) const
{
    return m_stem + u'-' + QString::number(order) + ExperimentSuffix;
}

QString OrderFileNames::tableFile() const
{
    return m_stem + QStringLiteral("-orders.csv");
}

QStringList OrderFileNames::existingFiles() const
{
    const QFileInfo stem(m_stem);
    const QDir folder = stem.dir();
    const QRegularExpression numbered(u'^' + QRegularExpression::escape(stem.fileName())
                                      + QStringLiteral("-([1-9][0-9]*)\\.bex$"));
    std::map<qint64, QString> byNumber;
    for (const QString &name : folder.entryList({stem.fileName() + QStringLiteral("-*.bex")}, QDir::Files)) {
        const QRegularExpressionMatch match = numbered.match(name);
        if (match.hasMatch())
            byNumber.emplace(match.captured(1).toLongLong(), experimentFile(match.captured(1).toInt()));
    }
    QStringList files;
    for (const auto &[number, path] : byNumber)
        files.append(path);
    if (QFileInfo::exists(tableFile()))
        files.append(tableFile());
    return files;
}

QString orderTableText(const QList<BlockOrder> &orders, const QStringList &labels, const QStringList &fileNames)
{
    QStringList title{QStringLiteral("subject"), QStringLiteral("order"), QStringLiteral("file")};
    for (qsizetype position = 1; position <= labels.size(); ++position)
        title.append(QStringLiteral("cluster %1").arg(position));
    QString text = title.join(u',') + lineEnd;
    const int orderCount = int(orders.size());
    for (int subject = 1; subject <= subjectRowCount(orderCount); ++subject) {
        const int order = orderOfSubject(subject, orderCount);
        QStringList row{QString::number(subject), QString::number(order), csvValue(fileNames.at(order - 1))};
        for (const int block : orders.at(order - 1))
            row.append(csvValue(labels.at(block)));
        text += row.join(u',') + lineEnd;
    }
    return text;
}

OrderSetSaved saveOrderSet(const OrderFileNames &names, const ExperimentBlocks &blocks,
                           const QList<BlockOrder> &orders)
{
    OrderSetSaved result;
    QList<PlannedFile> planned;
    QStringList fileNames;
    for (qsizetype i = 0; i < orders.size(); ++i) {
        const QString path = names.experimentFile(int(i) + 1);
        const QStringList entries = entriesInOrder(blocks, orders.at(i));
        for (const QString &entry : entries) {
            if (const auto why = unwritableEntry(entry)) {
                result.error = {ErrorCode::TypeMismatch,
                                QStringLiteral("%1 was not written: the entry %2 cannot be stored: %3")
                                    .arg(path, entry, *why)};
                return result;
            }
        }
        planned.append({path, experimentFileBytes(entries), std::nullopt});
        fileNames.append(fileTitle(path));
    }
    const QString table = orderTableText(orders, clusterLabels(blocks), fileNames);
    QChar unmappable;
    planned.append({names.tableFile(), toWindows1252(table, &unmappable), std::nullopt});
    if (!unmappable.isNull()) {
        result.error = {ErrorCode::TypeMismatch,
                        QStringLiteral("%1 was not written: the character %2 cannot be stored in it")
                            .arg(names.tableFile(), unmappable)};
        return result;
    }

    // Everything that would have to be put back is read before anything is written.
    for (PlannedFile &file : planned) {
        if (!QFileInfo::exists(file.path))
            continue;
        QByteArray earlier;
        if (!readWholeFile(file.path, &earlier, &result.error))
            return result;
        file.earlier = earlier;
    }

    QList<PlannedFile> written;
    for (const PlannedFile &file : planned) {
        if (!saveWholeFile(file.path, file.bytes, &result.error)) {
            putBack(written);
            return result;
        }
        written.append(file);
    }
    result.saved = true;

    const QRegularExpression numbered(QStringLiteral("-([1-9][0-9]*)\\.bex$"));
    for (const QString &path : names.existingFiles()) {
        const QRegularExpressionMatch match = numbered.match(path);
        if (!match.hasMatch() || match.captured(1).toLongLong() <= orders.size())
            continue;
        (QFile::remove(path) ? result.staleRemoved : result.staleKept).append(path);
    }
    return result;
}

} // namespace kelvane

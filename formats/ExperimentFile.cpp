#include "kelvane/formats/ExperimentFile.h"

#include "kelvane/ValueReader.h"
#include "kelvane/Windows1252.h"

namespace kelvane {

namespace {

FileError lineProblem(const QString &path, int line, const QString &what)
{
    const QString reason = what + QStringLiteral("; nothing was taken from the file");
    return {ErrorCode::TypeMismatch, QStringLiteral("%1, line %2: %3").arg(path).arg(line).arg(reason), reason, line};
}

} // namespace

bool isMessageEntry(const QString &entry)
{
    return entry.startsWith(MessageEntryPrefix);
}

QString messageOfEntry(const QString &entry)
{
    return entry.mid(MessageEntryPrefix.size());
}

FileResult<QStringList> readExperimentBytes(QByteArrayView bytes, const QString &path)
{
    QStringList entries;
    ValueReader reader(fromWindows1252(bytes));
    while (const std::optional<Value> value = reader.next()) {
        std::optional<QString> fault;
        if (value->unclosed)
            fault = QStringLiteral("the entry's closing double quote is missing");
        else if (!value->skipped.isEmpty())
            fault = QStringLiteral("text follows the entry's closing double quote: %1").arg(value->skipped);
        else if (value->text.contains(u'"'))
            fault = QStringLiteral("the entry %1 holds a double quote").arg(value->text);
        if (fault)
            return lineProblem(path, value->line, *fault);
        if (!value->text.isEmpty())
            entries.append(value->text);
    }
    return entries;
}

FileResult<QStringList> readExperimentFile(const QString &path)
{
    QByteArray bytes;
    FileError error;
    if (!readWholeFile(path, &bytes, &error))
        return error;
    return readExperimentBytes(bytes, path);
}

std::optional<QString> unwritableEntry(const QString &entry)
{
    if (entry.isEmpty())
        return QStringLiteral("it is empty");
    if (entry.contains(u'"'))
        return QStringLiteral("it holds a double quote (\"), which an experiment file cannot store");
    QChar missing;
    toWindows1252(entry, &missing);
    if (!missing.isNull())
        return QStringLiteral("it holds the character %1, which an experiment file (Windows-1252 text) "
                              "cannot store")
            .arg(missing);
    return std::nullopt;
}

QByteArray experimentFileBytes(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries)
        text += u'"' + entry + u'"' + lineEnd;
    return toWindows1252(text);
}

FileResult<void> saveExperimentFile(const QString &path, const QStringList &entries)
{
    for (const QString &entry : entries) {
        if (const auto why = unwritableEntry(entry)) {
            return FileError{ErrorCode::TypeMismatch,
                             QStringLiteral("%1 was not written: the entry %2 cannot be stored: %3")
                                 .arg(path, entry, *why)};
        }
    }
    FileError error;
    if (!saveWholeFile(path, experimentFileBytes(entries), &error))
        return error;
    return {};
}

} // namespace kelvane

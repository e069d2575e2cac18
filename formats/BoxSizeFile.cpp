#include "kelvane/formats/BoxSizeFile.h"

#include "kelvane/CsvText.h"
#include "kelvane/FileSaving.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/CsvRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kelvane {

namespace {

const QLatin1StringView TitleLine("trial,box_mm");

FileError damaged(const QString &path, int line, const QString &reason)
{
    return {ErrorCode::TypeMismatch,
            QStringLiteral("%1, line %2: %3").arg(QDir::toNativeSeparators(path)).arg(line).arg(reason), reason,
            line};
}

} // namespace

QString boxSizeFilePath(const QString &clusterPath)
{
    const QFileInfo info(clusterPath);
    return QDir(info.path()).filePath(info.completeBaseName() + QLatin1StringView(".sizes.csv"));
}

QByteArray boxSizeFileBytes(const ClusterModel &cluster)
{
    QString text;
    for (int t = 0; t < cluster.trialCount(); ++t) {
        const QString &size = cluster.Trials[std::size_t(t)].BoxSizeMm;
        if (!size.isEmpty())
            text += QString::number(t) + u',' + csvValue(size) + lineEnd;
    }
    if (text.isEmpty())
        return {};
    return toWindows1252(QString(TitleLine) + lineEnd + text);
}

FileResult<void> saveBoxSizes(const QString &clusterPath, const ClusterModel &cluster)
{
    const QString path = boxSizeFilePath(clusterPath);
    const QByteArray bytes = boxSizeFileBytes(cluster);
    FileError error;
    if (!bytes.isEmpty())
        return saveWholeFile(path, bytes, &error) ? FileResult<void>() : FileResult<void>(error);
    QFile earlier(path);
    if (!earlier.exists() || earlier.remove())
        return {};
    return FileError{ErrorCode::PermissionDenied,
                     QStringLiteral("Could not remove %1: %2").arg(QDir::toNativeSeparators(path), earlier.errorString()),
                     earlier.errorString()};
}

FileResult<void> readBoxSizes(const QString &clusterPath, ClusterModel &cluster)
{
    for (TrialSettings &trial : cluster.Trials)
        trial.BoxSizeMm.clear();
    const QString path = boxSizeFilePath(clusterPath);
    if (!QFileInfo::exists(path))
        return {};
    QByteArray bytes;
    FileError error;
    if (!readWholeFile(path, &bytes, &error))
        return error;
    CsvRecordReader records(bytes);
    QList<QByteArray> values;
    std::vector<QString> sizes(cluster.Trials.size());
    for (int lineNumber = 1; records.next(&values); ++lineNumber) {
        if (lineNumber == 1) {
            if (values != QList<QByteArray>{"trial", "box_mm"})
                return damaged(path, lineNumber, QStringLiteral("the first line is not \"%1\"").arg(TitleLine));
            continue;
        }
        if (values == QList<QByteArray>{QByteArray()})
            continue;
        bool isNumber = false;
        const int trial = values.size() == 2 ? values[0].toInt(&isNumber) : 0;
        if (!isNumber)
            return damaged(path, lineNumber, QStringLiteral("not a trial number, a comma and a size"));
        if (trial < 0 || trial >= cluster.trialCount())
            return damaged(path, lineNumber, QStringLiteral("the cluster has no trial %1").arg(trial));
        sizes[std::size_t(trial)] = fromWindows1252(values[1]);
    }
    for (std::size_t t = 0; t < sizes.size(); ++t)
        cluster.Trials[t].BoxSizeMm = sizes[t];
    return {};
}

} // namespace kelvane

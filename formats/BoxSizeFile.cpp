#include "kelvane/formats/BoxSizeFile.h"

#include "kelvane/CsvText.h"
#include "kelvane/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kelvane {

namespace {

const QLatin1StringView TitleLine("trial,box_mm");

// A value as csvValue writes it: quoted, with its quotes doubled, or plain.
std::optional<QString> csvField(QStringView text)
{
    if (!text.startsWith(u'"'))
        return text.contains(u'"') ? std::nullopt : std::optional<QString>(text.toString());
    if (text.size() < 2 || !text.endsWith(u'"'))
        return std::nullopt;
    QString inner = text.sliced(1, text.size() - 2).toString();
    if (inner.count(u'"') % 2 != 0)
        return std::nullopt;
    return inner.replace(QLatin1StringView("\"\""), QLatin1StringView("\""));
}

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

bool saveBoxSizes(const QString &clusterPath, const ClusterModel &cluster, FileError *error)
{
    const QString path = boxSizeFilePath(clusterPath);
    const QByteArray bytes = boxSizeFileBytes(cluster);
    if (!bytes.isEmpty())
        return saveWholeFile(path, bytes, error);
    QFile earlier(path);
    if (!earlier.exists() || earlier.remove())
        return true;
    if (error)
        *error = {ErrorCode::PermissionDenied,
                  QStringLiteral("Could not remove %1: %2").arg(QDir::toNativeSeparators(path), earlier.errorString()),
                  earlier.errorString()};
    return false;
}

bool readBoxSizes(const QString &clusterPath, ClusterModel &cluster, FileError *error)
{
    for (TrialSettings &trial : cluster.Trials)
        trial.BoxSizeMm.clear();
    const QString path = boxSizeFilePath(clusterPath);
    if (!QFileInfo::exists(path))
        return true;
    QByteArray bytes;
    if (!readWholeFile(path, &bytes, error))
        return false;
    const QStringList lines = splitLines(fromWindows1252(bytes));
    std::vector<QString> sizes(cluster.Trials.size());
    std::optional<FileError> problem;
    for (qsizetype i = 0; i < lines.size() && !problem; ++i) {
        const QString &line = lines[i];
        const int lineNumber = int(i) + 1;
        if (i == 0) {
            if (line != TitleLine)
                problem = damaged(path, lineNumber, QStringLiteral("the first line is not \"%1\"").arg(TitleLine));
            continue;
        }
        if (line.isEmpty())
            continue;
        const qsizetype comma = line.indexOf(u',');
        bool isNumber = false;
        const int trial = comma > 0 ? line.first(comma).toInt(&isNumber) : 0;
        const std::optional<QString> size = comma > 0 ? csvField(QStringView(line).sliced(comma + 1)) : std::nullopt;
        if (!isNumber || !size)
            problem = damaged(path, lineNumber, QStringLiteral("not a trial number, a comma and a size"));
        else if (trial < 0 || trial >= cluster.trialCount())
            problem = damaged(path, lineNumber, QStringLiteral("the cluster has no trial %1").arg(trial));
        else
            sizes[std::size_t(trial)] = *size;
    }
    if (problem) {
        if (error)
            *error = *problem;
        return false;
    }
    for (std::size_t t = 0; t < sizes.size(); ++t)
        cluster.Trials[t].BoxSizeMm = sizes[t];
    return true;
}

} // namespace kelvane

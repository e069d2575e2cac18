#include "kelvane/formats/ResultFileNames.h"

#include "kelvane/Dialogs.h"

#include <QDir>

namespace kelvane {

QString withoutResultSuffix(const QString &path)
{
    return path.endsWith(ResultSuffix, Qt::CaseInsensitive) ? path.chopped(ResultSuffix.size()) : path;
}

QString clusterResultPath(const QString &clusterFile)
{
    return clusterFile.chopped(qMin<qsizetype>(3, clusterFile.size())) + QLatin1StringView("bof");
}

QString subjectResultPath(const QString &subjectName)
{
    return subjectName + ResultSuffix;
}

QString subjectResultFile(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(subjectResultPath(name));
}

std::optional<QString> subjectOfResultFile(const QString &path)
{
    const QString subject = withoutResultSuffix(fileTitle(path));
    if (subject.isEmpty())
        return std::nullopt;
    return subject;
}

} // namespace kelvane

#include "FileList.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane::analyzer {

QStringList fileListFromSelection(const QStringList &paths)
{
    if (paths.size() <= 1)
        return paths;
    // The dialog picks several files from one folder; a name relative to the first
    // file's folder keeps any other folder reachable all the same.
    const QDir folder = QFileInfo(paths.first()).absoluteDir();
    QStringList entries{QDir::toNativeSeparators(folder.path())};
    for (const QString &path : paths)
        entries.append(QDir::toNativeSeparators(folder.relativeFilePath(path)));
    return entries;
}

QStringList filesToAnalyse(const QStringList &fileList)
{
    if (fileList.size() <= 1)
        return fileList;
    QString folder = fileList.first();
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    QStringList paths;
    for (qsizetype i = 1; i < fileList.size(); ++i)
        paths.append(folder + fileList[i]);
    return paths;
}

} // namespace kelvane::analyzer

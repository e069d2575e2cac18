#include "kelvane/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef KELVANE_DATA_FROM_BINARY
#define KELVANE_DATA_FROM_BINARY "../share/kelvane"
#endif

namespace kelvane {

namespace {

QString withSeparator(const QString &folder)
{
    return QDir::cleanPath(folder) + u'/';
}

} // namespace

QString installedDataFolder(const QString &binaryFolder)
{
    return QDir::cleanPath(binaryFolder + u'/' + QStringLiteral(KELVANE_DATA_FROM_BINARY));
}

ProgramFiles locateProgramFiles(const QString &binaryFolder, const QString &userDataFolder)
{
    ProgramFiles files;
    const QString binary = QDir::cleanPath(binaryFolder);
    const QString data = installedDataFolder(binary);
    // The build tree wins: a program built in place must not pick up an installed copy's
    // pictures just because a share/kelvane happens to sit above it.
    if (!QFileInfo(binary + QStringLiteral("/ico")).isDir()
        && QFileInfo(data + QStringLiteral("/ico")).isDir()) {
        files.installed = true;
        files.programFolder = data;
        files.shippedIcons = withSeparator(data + QStringLiteral("/ico"));
        files.iconFolder = withSeparator(userDataFolder + QStringLiteral("/ico"));
        return files;
    }
    files.programFolder = binary;
    files.iconFolder = withSeparator(binary + QStringLiteral("/ico"));
    return files;
}

ProgramFiles locateProgramFiles()
{
    // Named here rather than taken from the application's name, so that kelvane and
    // kelvane-check agree on it.
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             + QStringLiteral("/kelvane");
    return locateProgramFiles(QCoreApplication::applicationDirPath(), userData);
}

QStringList copyMissingPictures(const QString &shippedFolder, const QString &iconFolder)
{
    QStringList problems;
    if (!QDir().mkpath(iconFolder)) {
        problems.append(QStringLiteral("The picture folder %1 could not be created.")
                            .arg(QDir::toNativeSeparators(iconFolder)));
        return problems;
    }
    const QDir shipped(shippedFolder);
    const QStringList names = shipped.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString target = QDir(iconFolder).filePath(name);
        if (QFileInfo::exists(target))
            continue;
        QFile source(shipped.filePath(name));
        if (!source.copy(target)) {
            problems.append(QStringLiteral("The default picture %1 could not be copied to %2: %3")
                                .arg(name, QDir::toNativeSeparators(iconFolder), source.errorString()));
            continue;
        }
        // Installed pictures may be read-only; the researcher's copies must be editable.
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                          | QFile::ReadOther);
    }
    return problems;
}

} // namespace kelvane

#include "kelvane/FileSaving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvane {

namespace {

int codeForErrno(int number)
{
    switch (number) {
    case ENOENT: return ErrorCode::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return ErrorCode::PermissionDenied;
    case ENOSPC:
    case EDQUOT: return ErrorCode::DiskFull;
    default: return ErrorCode::PathFileAccessError;
    }
}

FileError errnoError(const QString &verb, const QString &path, int number)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(number));
    return {codeForErrno(number), QStringLiteral("Could not %1 %2: %3").arg(verb, path, reason), reason};
}

void setError(FileError *error, FileError value)
{
    if (error)
        *error = std::move(value);
}

bool writeAll(int fd, const QByteArray &content)
{
    const char *data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool writeDurably(const QString &path, const QByteArray &content, int openFlags, FileError *error)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), openFlags | O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        setError(error, errnoError(QStringLiteral("open"), path, errno));
        return false;
    }
    if (!writeAll(fd, content) || ::fsync(fd) != 0) {
        const int number = errno;
        ::close(fd);
        setError(error, errnoError(QStringLiteral("write"), path, number));
        return false;
    }
    if (::close(fd) != 0) {
        setError(error, errnoError(QStringLiteral("write"), path, errno));
        return false;
    }
    return true;
}

// Why a whole-file save could not begin. QSaveFile reports the failure of the temporary
// file it writes first, which need not be the reason: /proc takes no new files ("No such
// file or directory") while what stops a save to /proc/version is that the file itself
// may not be written. The file and its folder are asked first, changing nothing.
FileError whyNotCreated(const QString &path)
{
    FileError error;
    if (!canCreateOrAppend(path, &error))
        return error;
    const QString folder = QFileInfo(path).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return errnoError(QStringLiteral("create"), path, errno);
    return {ErrorCode::PermissionDenied,
            QStringLiteral("Could not create %1: no new file can be made in the folder %2, and a "
                           "save writes one there first")
                .arg(path, QDir::toNativeSeparators(folder))};
}

} // namespace

bool saveWholeFile(const QString &path, const QByteArray &content, FileError *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, whyNotCreated(path));
        return false;
    }
    if (file.write(content) != content.size()) {
        setError(error, {ErrorCode::DiskFull,
                         QStringLiteral("Could not write %1: %2").arg(path, file.errorString())});
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, {ErrorCode::PathFileAccessError,
                         QStringLiteral("Could not write %1: %2").arg(path, file.errorString())});
        return false;
    }
    return true;
}

bool appendDurably(const QString &path, const QByteArray &content, FileError *error)
{
    return writeDurably(path, content, O_APPEND, error);
}

bool replaceDurably(const QString &path, const QByteArray &content, FileError *error)
{
    return writeDurably(path, content, O_TRUNC, error);
}

bool canCreateOrAppend(const QString &path, FileError *error)
{
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile()) {
            setError(error, {ErrorCode::PathFileAccessError,
                             QStringLiteral("Could not write %1: it is not a file").arg(path)});
            return false;
        }
        // Opening without O_CREAT or O_TRUNC asks the file system itself (permissions,
        // an immutable or read-only file) and leaves the file as it is.
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0) {
            setError(error, errnoError(QStringLiteral("write"), path, errno));
            return false;
        }
        ::close(fd);
        return true;
    }
    const QString folder = info.absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir()) {
        setError(error, {ErrorCode::PathNotFound,
                         QStringLiteral("Could not create %1: the folder %2 does not exist")
                             .arg(path, QDir::toNativeSeparators(folder))});
        return false;
    }
    const QByteArray nativeFolder = QFile::encodeName(folder);
    if (::access(nativeFolder.constData(), W_OK | X_OK) != 0) {
        setError(error, errnoError(QStringLiteral("create"), path, errno));
        return false;
    }
    const long nameMax = ::pathconf(nativeFolder.constData(), _PC_NAME_MAX);
    if (QFile::encodeName(info.fileName()).size() > (nameMax > 0 ? nameMax : NAME_MAX)) {
        setError(error, errnoError(QStringLiteral("create"), path, ENAMETOOLONG));
        return false;
    }
    return true;
}

bool readWholeFile(const QString &path, QByteArray *content, FileError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const int code = file.exists() ? ErrorCode::PermissionDenied : ErrorCode::FileNotFound;
        setError(error, {code, QStringLiteral("Could not open %1: %2").arg(path, file.errorString()),
                         file.errorString()});
        return false;
    }
    *content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, {ErrorCode::PathFileAccessError,
                         QStringLiteral("Could not read %1: %2").arg(path, file.errorString()),
                         file.errorString()});
        return false;
    }
    return true;
}

} // namespace kelvane

#include "kelvane/FileSaving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <utility>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvane {

namespace {

SyncFunction &syncFunction()
{
    static SyncFunction function;
    return function;
}

// Devices, pipes and sockets cannot be synced and say so; that is not a failure.
int syncFile(int fd, const QString &path)
{
    const int result = syncFunction() ? syncFunction()(fd, path) : ::fsync(fd);
    const int number = errno;
    if (result != 0 && (number == EINVAL || number == EROFS)) {
        struct stat status;
        if (::fstat(fd, &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))
            return 0;
    }
    errno = number;
    return result;
}

int codeForErrno(int number)
{
    switch (number) {
    case ENOENT:
    case ENOTDIR: return ErrorCode::PathNotFound;
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

bool writeAll(int fd, QByteArrayView content)
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

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// Appends, or with O_TRUNC writes into a device or pipe. What a failed append left in
// a regular file is cut off again, so the file ends where it ended before.
bool writeDurably(const QString &path, const QByteArray &content, int openFlags, FileError *error)
{
    const int fd = ::open(nativePath(path).constData(), openFlags | O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        setError(error, errnoError(QStringLiteral("open"), path, errno));
        return false;
    }
    struct stat before;
    const bool regular = ::fstat(fd, &before) == 0 && S_ISREG(before.st_mode);
    if (!writeAll(fd, content) || syncFile(fd, path) != 0) {
        const int number = errno;
        if (regular && (openFlags & O_APPEND) && ::ftruncate(fd, before.st_size) == 0)
            syncFile(fd, path);
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

// After a rename the file's new name lives in its folder, which needs syncing too.
bool syncFolderOf(const QString &path, FileError *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    const int fd = ::open(nativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, errnoError(QStringLiteral("write"), path, errno));
        return false;
    }
    const bool synced = syncFile(fd, folder) == 0;
    const int number = errno;
    ::close(fd);
    if (!synced)
        setError(error, errnoError(QStringLiteral("write"), path, number));
    return synced;
}

bool isSpecialFile(const QString &path)
{
    struct stat status;
    return ::stat(nativePath(path).constData(), &status) == 0 && !S_ISREG(status.st_mode)
           && !S_ISDIR(status.st_mode);
}

// The first folder on the way to `folder` that exists, and whether it is a folder.
bool nearestExistingIsFolder(QString folder)
{
    while (!QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            return true;
        folder = parent;
    }
    return QFileInfo(folder).isDir();
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

WholeFileWriter::WholeFileWriter(const QString &path, bool inPlaceWhenFolderIsShut) : m_path(path)
{
    // Replacing /dev/full or a named pipe by a regular file would report a save that
    // never reached its reader, and remove the device. A pipe nobody reads fails at
    // once instead of waiting for a reader.
    if (isSpecialFile(path)) {
        m_deviceFd = ::open(nativePath(path).constData(),
                            O_TRUNC | O_NONBLOCK | O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (m_deviceFd < 0)
            fail(errnoError(QStringLiteral("open"), path, errno));
        return;
    }
    m_file = std::make_unique<QSaveFile>(path);
    m_file->setDirectWriteFallback(inPlaceWhenFolderIsShut);
    if (!m_file->open(QIODevice::WriteOnly))
        fail(whyNotCreated(path));
}

WholeFileWriter::~WholeFileWriter()
{
    if (m_deviceFd >= 0)
        ::close(m_deviceFd);
    if (m_file)
        m_file->cancelWriting();
}

void WholeFileWriter::fail(FileError error)
{
    m_failed = true;
    m_error = std::move(error);
    if (m_file)
        m_file->cancelWriting();
}

bool WholeFileWriter::write(QByteArrayView bytes)
{
    if (m_failed)
        return false;
    if (m_deviceFd >= 0) {
        if (!writeAll(m_deviceFd, bytes))
            fail(errnoError(QStringLiteral("write"), m_path, errno));
    } else if (m_file->write(bytes.data(), bytes.size()) != bytes.size() || !startWriteBack(bytes.size())) {
        fail({ErrorCode::DiskFull, QStringLiteral("Could not write %1: %2").arg(m_path, m_file->errorString())});
    }
    return !m_failed;
}

// A large file is made durable by the fsync in commit(), which would otherwise wait for
// every byte at the end. The disk is set to work on what was written so far, while the
// rest is still being made; nothing waits here, and commit() keeps its guarantee.
// False when the bytes buffered so far could not be written.
bool WholeFileWriter::startWriteBack(qsizetype written)
{
#ifdef SYNC_FILE_RANGE_WRITE
    constexpr qint64 WriteBackStep = qint64(4) << 20;
    m_notWrittenBack += written;
    if (m_notWrittenBack < WriteBackStep)
        return true;
    if (!m_file->flush())
        return false;
    m_notWrittenBack = 0;
    ::sync_file_range(m_file->handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)written;
#endif
    return true;
}

bool WholeFileWriter::commit(FileError *error)
{
    if (!m_failed && m_deviceFd >= 0) {
        const int fd = std::exchange(m_deviceFd, -1);
        if (syncFile(fd, m_path) != 0) {
            fail(errnoError(QStringLiteral("write"), m_path, errno));
            ::close(fd);
        } else if (::close(fd) != 0) {
            fail(errnoError(QStringLiteral("write"), m_path, errno));
        }
    } else if (!m_failed) {
        if (!m_file->flush())
            fail({ErrorCode::DiskFull, QStringLiteral("Could not write %1: %2").arg(m_path, m_file->errorString())});
        else if (syncFile(m_file->handle(), m_path) != 0)
            fail(errnoError(QStringLiteral("write"), m_path, errno));
        else if (!m_file->commit())
            fail({ErrorCode::PathFileAccessError,
                  QStringLiteral("Could not write %1: %2").arg(m_path, m_file->errorString())});
        else if (FileError folderError; !syncFolderOf(m_path, &folderError))
            fail(std::move(folderError));
    }
    if (m_failed)
        setError(error, m_error);
    return !m_failed;
}

void setSyncFunction(SyncFunction function)
{
    syncFunction() = std::move(function);
}

bool saveWholeFile(const QString &path, const QByteArray &content, FileError *error)
{
    WholeFileWriter file(path);
    file.write(content);
    return file.commit(error);
}

bool appendDurably(const QString &path, const QByteArray &content, FileError *error)
{
    return writeDurably(path, content, O_APPEND, error);
}

bool replaceDurably(const QString &path, const QByteArray &content, FileError *error)
{
    WholeFileWriter file(path, true);
    file.write(content);
    return file.commit(error);
}

FileError whyCannotReplace(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return errnoError(QStringLiteral("create"), path, nearestExistingIsFolder(folder) ? ENOENT : ENOTDIR);

    if (QFileInfo::exists(path)) {
        const int fd = ::open(nativePath(path).constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return errnoError(QStringLiteral("write"), path, errno);
        ::close(fd);
    }

    // A scratch file beside it: can the folder take a new file, and the disk its bytes?
    QByteArray probe = nativePath(folder + QStringLiteral("/.kelvane-probe-XXXXXX"));
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return errnoError(QStringLiteral("create"), path, errno);
    const bool written = writeAll(fd, QByteArray(4096, '\0')) && ::fsync(fd) == 0;
    const int number = errno;
    ::close(fd);
    ::unlink(probe.constData());
    if (!written)
        return errnoError(QStringLiteral("write"), path, number);
    return {ErrorCode::PathFileAccessError,
            QStringLiteral("Could not write %1, although the folder takes new files").arg(path)};
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

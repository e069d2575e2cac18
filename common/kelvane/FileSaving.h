#pragma once

#include <QByteArray>
#include <QString>

#include <QByteArrayView>

#include <functional>
#include <memory>

class QSaveFile;

namespace kelvane {

// Why a file operation failed, readable by a researcher, naming the path.
struct FileError
{
    int code = 0;          // one of the ErrorCode numbers below
    QString description;   // e.g. "Could not write /data/a.box: No space left on device"
    // Why, without the file's name or the line: the system's words ("No space left on
    // device") or what reading found; for reports that name the file themselves.
    QString reason = {};
    int line = 0;          // 1-based line of the file the problem is about; 0 when none
};

// Error codes are stable numbers: messages show them ("An unknown error occurred: code
// 53"), so a researcher can report one and find it here, whatever the message's wording.
namespace ErrorCode {
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
} // namespace ErrorCode

// Replaces the whole file at once: either the new content is complete on disk, its name
// synced into the folder, or the earlier file is left untouched. Returns false and fills
// `error` on failure. A path that names a device or a pipe is written into, never
// replaced.
bool saveWholeFile(const QString &path, const QByteArray &content, FileError *error);

// A whole-file save whose content is handed over in pieces, so that it never has to be
// held at once: the pieces go to a temporary file beside the path, and commit() puts the
// file in place exactly as saveWholeFile does. The first failure is kept and every later
// step is skipped; commit() then reports it, and the earlier file stays untouched. A
// writer dropped without commit() leaves nothing behind.
class WholeFileWriter
{
public:
    // With `inPlaceWhenFolderIsShut`, a file in a folder that takes no new files is
    // written into directly (see replaceDurably).
    explicit WholeFileWriter(const QString &path, bool inPlaceWhenFolderIsShut = false);
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter &) = delete;
    WholeFileWriter &operator=(const WholeFileWriter &) = delete;

    // False once anything has failed.
    bool write(QByteArrayView bytes);
    bool commit(FileError *error);

private:
    void fail(FileError error);
    bool startWriteBack(qsizetype written);

    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    qint64 m_notWrittenBack = 0;
    int m_deviceFd = -1; // a device or pipe is written into, never replaced
    bool m_failed = false;
    FileError m_error;
};

// Appends to the file (creating it) and forces the bytes to disk before returning, so
// that a program killed a moment later has lost nothing that was appended. An append
// that fails is taken back whole: the file never ends in half of it.
bool appendDurably(const QString &path, const QByteArray &content, FileError *error);

// Replaces the file by `content` as saveWholeFile does. Where the folder takes no new
// files but the file itself may be written (a researcher's read-only folder), it is
// written into directly instead: the file must be writable where it was before.
bool replaceDurably(const QString &path, const QByteArray &content, FileError *error);

// Why a file cannot be written at `path`, found by trying without changing anything
// there: a folder on the way missing or being a file, a folder that takes no new files,
// a file that refuses writes, a full disk. For stores that only say that they failed.
FileError whyCannotReplace(const QString &path);

// Every durable write and whole-file save forces its bytes to disk through one sync
// function: fsync(2), unless a test has put its own in place to see which files are
// synced, and when, or to make syncing fail. It gets the open file and the path the
// bytes are meant for, and returns 0 or -1 with errno set, as fsync does. An empty
// function puts fsync back.
using SyncFunction = std::function<int(int fd, const QString &path)>;
void setSyncFunction(SyncFunction function);

// Whether the file could be created, or opened to append to when it exists, without
// creating it or changing a byte of it: the folder exists and takes new files, the
// name fits, and an existing path is a file this user may write.
bool canCreateOrAppend(const QString &path, FileError *error);

// Reads the whole file.
bool readWholeFile(const QString &path, QByteArray *content, FileError *error);

} // namespace kelvane

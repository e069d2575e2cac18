#pragma once

#include <QByteArray>
#include <QString>

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

// Replaces the whole file at once: either the new content is complete on disk or the
// earlier file is left untouched. Returns false and fills `error` on failure.
bool saveWholeFile(const QString &path, const QByteArray &content, FileError *error);

// Appends to the file (creating it) and forces the bytes to disk before returning, so
// that a program killed a moment later has lost nothing that was appended.
bool appendDurably(const QString &path, const QByteArray &content, FileError *error);

// Creates or empties the file, writes `content` and forces it to disk.
bool replaceDurably(const QString &path, const QByteArray &content, FileError *error);

// Whether the file could be created, or opened to append to when it exists, without
// creating it or changing a byte of it: the folder exists and takes new files, the
// name fits, and an existing path is a file this user may write.
bool canCreateOrAppend(const QString &path, FileError *error);

// Reads the whole file.
bool readWholeFile(const QString &path, QByteArray *content, FileError *error);

} // namespace kelvane

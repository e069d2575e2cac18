#pragma once
// The experiment file (.bex): the event list, one entry per line, each between double
// quotes and followed by CR LF; no header, no count, nothing after the last line end.

#include "kelvane/FileSaving.h"
#include "kelvane/formats/FileResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane {

inline constexpr QLatin1StringView ExperimentFilter{"Kelvane Experiment Files (*.bex)|*.bex"};

// An entry is a cluster file's path, or a message shown to the subject between clusters:
// "Message:" followed by the message.
inline constexpr QLatin1StringView MessageEntryPrefix{"Message:"};

bool isMessageEntry(const QString &entry);
// The message of a message entry: everything after the prefix, leading blanks kept.
QString messageOfEntry(const QString &entry);

// Reads the entries from a file's bytes; `path` only names the file in problems. Items
// are separated by commas or line ends and blanks around unquoted items are dropped, as
// in cluster files. Empty items are skipped. A quote that never closes, text after a
// closing quote, or a double quote inside an unquoted item refuses the file, naming the
// line: each would turn an entry into something else. Any bytes give either entries
// that `experimentFileBytes` writes back to read the same, or a problem. A file with a
// problem gives no entries at all, so that a damaged file adds nothing to a list rather
// than entries that run as something else.
FileResult<QStringList> readExperimentBytes(QByteArrayView bytes, const QString &path);

FileResult<QStringList> readExperimentFile(const QString &path);

// Why `entry` cannot be written so that it reads back as itself ("it holds a double
// quote"), or nothing when it can.
std::optional<QString> unwritableEntry(const QString &entry);

// The file's bytes. Every entry must be writable (see unwritableEntry).
QByteArray experimentFileBytes(const QStringList &entries);

// Replaces the file in one step: an earlier file stays whole if writing fails. Refuses
// entries that cannot be written, naming the first.
FileResult<void> saveExperimentFile(const QString &path, const QStringList &entries);

} // namespace kelvane

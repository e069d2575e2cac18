#pragma once

#include "kelvane/FileSaving.h"
#include "kelvane/model/ClusterModel.h"

#include <QStringList>

#include <optional>

namespace kelvane {

struct ClusterFileContent
{
    ClusterModel cluster;        // what was read, also when reading stopped at a problem
    QStringList objectRow;       // the object picture names at the end, when asked for
    std::optional<FileError> problem; // why reading stopped, naming trial, box and value
};

enum class ObjectRow { Read, Ignore };

// Reads a cluster file's text. Values may be spread over lines; a file that breaks the
// table's limits (101 trials, 99 boxes a trial) stops with a problem saying so.
ClusterFileContent readClusterText(const QString &text, ObjectRow objectRow);

// Reads the file at `path` (Windows-1252). Problems name the file.
ClusterFileContent readClusterFile(const QString &path, ObjectRow objectRow);

} // namespace kelvane

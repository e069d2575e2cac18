#pragma once

#include "kelvane/FileSaving.h"
#include "kelvane/model/ClusterModel.h"
#include "kelvane/model/ClusterProblem.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace kelvane {

struct ClusterFileContent
{
    ClusterModel cluster;        // what was read, also when reading stopped at a problem
    QStringList objectRow;       // the object picture names at the end, when asked for
    std::optional<FileError> problem; // why reading stopped, naming file, line, trial, box and value
    // What reading came across, in file order, each with its line: values in a form other
    // than the one the writer uses and how they were read (warnings); values whose
    // meaning reading loses (problems); and, last, where reading stopped (a problem).
    QList<ClusterProblem> notes;
};

enum class ObjectRow { Read, Ignore };

// Reads a cluster file's text with the input rule: values may be spread over lines,
// texts quoted or not, numbers in any form the leading-number rule reads, colours in
// any form the text-to-number conversion takes. A file that breaks the table's limits
// (101 trials, 99 boxes a trial) stops with a problem saying so.
ClusterFileContent readClusterText(const QString &text, ObjectRow objectRow);

// Reads the file at `path` (Windows-1252). `problem` names the file; the notes do not.
ClusterFileContent readClusterFile(const QString &path, ObjectRow objectRow);

} // namespace kelvane

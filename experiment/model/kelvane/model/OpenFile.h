#pragma once

#include "kelvane/FileSaving.h"
#include "kelvane/model/Program.h"

namespace kelvane {

// Replaces the cluster model by the cluster file at `Bestand`, without dialog and
// without touching the editor's picture rows; ClusterFile and ClusterName become
// `Bestand` exactly as passed. On failure the model holds what was read, the two
// names are unchanged, and `error` says why (naming the file, trial and value).
bool OpenFile(Program &program, const QString &Bestand, FileError *error);

} // namespace kelvane

#pragma once
// Writing the result files. Each write opens the file, appends, forces the bytes to
// disk and closes it again, so that whatever a subject has done is on disk before the
// next event, and a killed program loses at most the half-line being written.

#include "kelvane/FileSaving.h"
#include "kelvane/formats/ResultFileTrials.h"
#include "kelvane/model/Program.h"

#include <QStringList>

namespace kelvane {

// The result file of the cluster being run: the one the run was given, else the one
// beside the cluster file.
QString runResultPath(const Program &program);

// The start of a trial's line. Trial 0 first creates (or empties) the cluster result
// file and writes the copy of the cluster file and the titles.
bool writeFirstHalf(const Program &program, int trial, FileError *error);

// The end of the current trial's line, with the within-trial repeats of `clicks`.
bool writeSecondHalf(const Program &program, const QStringList &clicks, FileError *error);

} // namespace kelvane

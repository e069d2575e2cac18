#pragma once
// The trial lines of a result file as whole files handle them: whether a file holds any,
// and a cluster's lines carried over into the subject's file when the cluster ends.

#include "kelvane/formats/FileResult.h"

#include <QString>

namespace kelvane {

// Whether a result file holds any trial's line (or half-line) after its two header
// lines: the results of an earlier run that a new run would replace. False for a file
// that does not exist or cannot be read.
bool holdsTrialLines(const QString &resultPath);

// Appends the trial lines of a cluster result file (all lines after the first two) to
// the subject result file. A last line without line end is a trial that never ended
// and is left out: the subject file holds complete trials only.
FileResult<void> appendClusterToSubject(const QString &clusterResult, const QString &subjectResult);

} // namespace kelvane

#pragma once
// `kelvane --run-cluster FILE.box`: a single-cluster run of a cluster file, started
// from a script without the editor.

#include "kelvane/trial/TrialScreen.h"

#include <QTextStream>

namespace kelvane {

// Reads the file into the model as a single-cluster run wants it (the file's name
// without folder in the "Cluster" column) and says what keeps it from running: the
// file cannot be read, or the checks a run makes before the start screen fail. Empty
// when it can run.
QStringList prepareClusterRun(Program &program, const QString &path);

// Reads the file, runs it as the editor's Run Cluster does (its result file beside it)
// and returns the exit status: 0 when the run ended (with its last START or with Esc),
// 1 when the file could not be read, the cluster could not be run, or its results could
// not be written. Problems go to `errors` as well as to `services.dialogs`.
int runClusterCommand(Program &program, const TrialScreenServices &services, const QString &path,
                      QTextStream &errors, TrialClock::Drive drive = TrialClock::Drive::Timer);

} // namespace kelvane

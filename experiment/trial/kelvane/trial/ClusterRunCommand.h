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
QStringList prepareClusterRun(Program &program, const QString &path, const QString &output = {});

// Where a command-line run's results go and whether it may replace earlier ones.
struct ClusterRunOptions
{
    QString output;       // the result file; empty: FILE.bof beside the cluster file
    bool replace = false; // an earlier run's results may be replaced
    // Esc asks before it ends the run; a run whose messages nobody sees ends on Esc at
    // once, since a question nobody sees would keep it going.
    bool escapeAsks = true;
};

// Reads the file, runs it as the editor's Run Cluster does and returns the exit status:
// 0 when the run ended (with its last START or with Esc), 1 when the file could not be
// read, the cluster could not be run, its result file holds an earlier run's trials and
// `replace` was not given, or its results could not be written. Problems go to
// `errors` as well as to `services.dialogs`, and so does the summary at the end.
int runClusterCommand(Program &program, const TrialScreenServices &services, const QString &path,
                      QTextStream &errors, TrialClock::Drive drive = TrialClock::Drive::Timer,
                      const ClusterRunOptions &options = {});

} // namespace kelvane

#pragma once
// What the researcher is told when a run cannot start or has to stop: one title per
// kind of run and one lead line per kind of trouble, the details below it, so that
// every such message of the program reads the same way, in a box and on stderr alike.

#include "kelvane/Dialogs.h"

#include <QString>
#include <QStringList>

namespace kelvane {

enum class RunTrouble {
    CannotStart,       // found before the subject sees anything
    ResultsNotWritten, // a result file failed during the run
    ClusterUnreadable, // a listed cluster could not be read during an experiment run
};

// "Run Cluster" or "Run Experiment", after the command that started the run.
QString runMessageTitle(bool wholeExperiment);

// The lead line, then one line per detail.
QString runMessageText(RunTrouble trouble, bool wholeExperiment, const QStringList &details);

// Shows the message with the critical-error icon.
void showRunMessage(Dialogs &dialogs, RunTrouble trouble, bool wholeExperiment, const QStringList &details);

} // namespace kelvane

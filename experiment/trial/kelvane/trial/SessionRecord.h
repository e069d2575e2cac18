#pragma once
// What a run did, kept as it happens, for the researcher's word at its end and for the
// event log's last line: who ran, how far they came, how it ended, which files were
// written and which of them failed.

#include "kelvane/Dialogs.h"

#include <QString>
#include <QStringList>

namespace kelvane {

enum class SessionEnd { Complete, Esc, Failed };

struct SessionRecord
{
    bool wholeExperiment = false;
    QString subject;           // an experiment's subject name
    QString experimentFile;    // the experiment file the list came from; empty when unsaved
    int clustersListed = 0;
    int clustersCompleted = 0;
    int trialsCompleted = 0;   // trials whose result line is complete
    SessionEnd end = SessionEnd::Complete;
    // Where a run that did not complete stopped: the cluster's place among the listed
    // clusters (from 1), its name as the result file's Cluster column has it, and the
    // first of its trials that was not finished (numbered from 0, as in the result file).
    int stoppedInCluster = 0;
    QString stoppedClusterName;
    int stoppedAtTrial = 0;
    int stoppedClusterTrials = 0;
    // Stopped on a start or end screen: the trial named had not begun.
    bool stoppedBeforeTrialBegan = false;
    QStringList filesWritten;  // in the order they were first written
    QStringList stopProblems;  // the file problem that stopped the run
    QStringList logProblems;   // event log writes that failed while the run went on

    void noteFileWritten(const QString &path);
};

// The event log's last line: "CLUSTER,TRIAL,session,,,HOW,," with cluster and trial
// empty for a complete run, HOW one of complete, esc, failed.
QString sessionLogLine(const SessionRecord &session);

// The summary's title and text.
QString sessionSummaryTitle(const SessionRecord &session);
QString sessionSummaryText(const SessionRecord &session);
void showSessionSummary(Dialogs &dialogs, const SessionRecord &session);

} // namespace kelvane

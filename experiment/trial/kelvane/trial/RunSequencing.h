#pragma once
// The decisions of a run that need no window: what an event-list entry is, where the
// subject's results go, and what must hold before a subject sees anything.

#include "kelvane/model/Program.h"

#include <QString>
#include <QStringList>

namespace kelvane {

// What an experiment run reads from the experiment window: its event list and the
// subject's name, both read again each time they are needed.
class ExperimentSource
{
public:
    virtual ~ExperimentSource() = default;
    // Cluster file paths and message entries ("Message:" followed by the message).
    virtual QStringList entries() const = 0;
    virtual QString subjectName() const = 0;
    // Where the subject's lines go: by default the name followed by ".bof".
    virtual QString subjectResultFile() const;
    // The experiment file whose list is run, as it was opened; empty when the list is not
    // exactly a file's (composed by hand, or changed since).
    virtual QString experimentFile() const { return {}; }
};

// Why the cluster in the model cannot be run, one line per problem, each naming the
// cluster file, the trial and the problem. Empty when it can run. Its result file and
// event log are tried too, so that a subject never starts a run whose clicks cannot be
// recorded; nothing is created, and an existing file is left as it is until the first
// trial starts.
QStringList checkClusterForRun(const Program &program);

// The same for every cluster of an event list, reading each listed file, and for the
// subject result file, which must be creatable (it is not created or touched here) and
// must not be the result file of a listed cluster. A list without any cluster is a
// problem. An empty `subjectResult` leaves the subject file unchecked. A listed file
// that does not exist is looked for by name in `experimentFolders` (the folders of the
// experiment files it came from), and a file found there is named in the problem.
QStringList checkExperimentForRun(const QStringList &entries, const QString &iconFolder,
                                  const QString &subjectResult,
                                  const QStringList &experimentFolders = {});

// "PATH: the cluster file does not exist", with the file of that name in one of
// `experimentFolders` when there is one.
QString missingClusterProblem(const QString &entry, const QStringList &experimentFolders);

} // namespace kelvane

#pragma once
// Where the event log's lines go during a run: the log beside the cluster's result
// file and, in an experiment, the log beside the subject's. Lines are written as they
// happen, durably, without the trial's thread waiting for the disk.

#include "kelvane/formats/EventLogFile.h"
#include "kelvane/trial/BackgroundWriter.h"

namespace kelvane {

class EventLog
{
public:
    // Creates or empties the cluster's log with its title line; lines go there from
    // now on. Called when the cluster's first trial starts, as for its result file.
    void startClusterLog(const QString &path);
    void stopClusterLog() { m_cluster.clear(); }
    bool clusterLogStarted() const { return !m_cluster.isEmpty(); }
    // An experiment's lines also go to the subject's log, created or emptied here.
    void startSubjectLog(const QString &path);
    void stopSubjectLog() { m_subject.clear(); }

    void add(const QString &clusterName, const TrialEvent &event);
    // The run's last line, to the subject's log in an experiment, else to the cluster's.
    void addSessionLine(const QString &line);
    // A line about the whole run, for the subject's log only.
    void addSubjectLine(const QString &line);
    // A line about the run, for the cluster's log only.
    void addClusterLine(const QString &line);

    void waitUntilWritten() { m_writer.waitUntilWritten(); }
    std::optional<FileError> failure() const { return m_writer.failure(); }
    QList<FileError> failures() const { return m_writer.failures(); }

private:
    BackgroundWriter m_writer;
    QString m_cluster;
    QString m_subject;
};

} // namespace kelvane

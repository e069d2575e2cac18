#pragma once
// Millisecond times of clicks from the event log the experiment program writes beside
// each result file ("anna.bof" and "anna.events.csv"), and how the logged run ended.

#include "SearchScores.h"

#include <QByteArrayView>
#include <QString>

namespace kelvane::analyzer {

// Gives each click of `score` its `ms` from the log beside score.path, and takes the
// session's end. The n-th line of a (cluster name, trial) pair in the result file goes
// with the n-th `start` of that pair in the log, its k-th click with the k-th `click`
// after that start. A trial the log lacks, or logs with another number of clicks, keeps
// no times and is named in score.logProblems. Without a log nothing changes.
void addEventLogTimes(FileScore &score);

// The same with the log's bytes at hand; `logPath` is named in problems.
void addEventLogTimes(FileScore &score, const QString &logPath, QByteArrayView logBytes);

} // namespace kelvane::analyzer

#pragma once
// Which cluster result files an experiment run would empty although they hold a
// subject's only record. An experiment run leaves two signs on the copies it makes
// beside each cluster: its event log opens with an `experiment` line, and its trial
// lines name the cluster as the experiment's list does (a full path), where Run Cluster
// names it by its bare file name. A copy with both signs is the experiment's own
// working copy, whose trials are already in a subject file; anything else with trial
// lines is a result no one may lose by surprise.

#include <QString>
#include <QStringList>

namespace kelvane {

// Whether `resultPath` holds trial lines that an experiment run made when it ran the
// cluster listed as `listedName`.
bool isExperimentWorkingCopy(const QString &resultPath, const QString &listedName);

// The result files of the listed clusters that hold trial lines and are not an
// experiment's working copy, each once, in list order.
QStringList resultsAnExperimentWouldReplace(const QStringList &entries);

// The question's text: the files, one a line, and what each answer does.
QString earlierResultsQuestion(const QStringList &files);

} // namespace kelvane

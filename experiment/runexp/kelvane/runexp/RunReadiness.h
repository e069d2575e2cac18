#pragma once
// Everything that must hold before a subject sees an experiment, found in one pass and
// without touching any file, so that a refused run has destroyed nothing.

#include <QString>
#include <QStringList>

namespace kelvane {

struct RunRequest
{
    QStringList entries;
    QString subjectName;          // empty: the subject file is not checked
    QString resultsFolder;
    QString programFolder;        // where the two sounds lie
    QString iconFolder;
    QStringList experimentFolders; // folders of the experiment files the list came from
};

struct RunReadiness
{
    QStringList problems;   // any of these refuses the run
    QStringList warnings;   // the run can go on; the researcher should know
    bool subjectNameRefused = false;
    QString subjectFile;    // empty when no usable name was given
    bool subjectFileExists = false;
    // Listed clusters' result files whose trials the run would replace and that are not
    // an experiment's working copy: the researcher is asked before they go.
    QStringList earlierResults;

    bool canRun() const { return problems.isEmpty(); }
};

RunReadiness checkRunReadiness(const RunRequest &request);

} // namespace kelvane

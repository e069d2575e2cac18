#pragma once
// The command-line checker's work on a cluster file: read it, list what is wrong with
// it or odd about it, describe what was read, and write it back in the canonical form.

#include "kelvane/FileSaving.h"
#include "kelvane/check/CheckReport.h"
#include "kelvane/model/ClusterFileReader.h"

#include <QJsonObject>
#include <QList>

namespace kelvane {

struct ClusterFileReport
{
    QString path;
    ClusterFileContent content;
    bool readCompletely = false;
    // What reading came across (with lines), then what keeps the cluster from running,
    // then what the trial window would make of its values.
    QList<Finding> findings;

    // "2 trials, 3 boxes"
    QString summary() const;
};

// An empty `iconFolder` leaves the pictures unchecked.
ClusterFileReport checkClusterFile(const QString &path, const QString &iconFolder);

// The model as read: trials with their nine settings and boxes with their six stored
// fields, the object-row names, the problems and the warnings. `passes` is the verdict
// (warnings count under --strict).
QJsonObject reportToJson(const ClusterFileReport &report, bool passes);

// Writes what was read in the canonical one-line form. Refuses a file that was not read
// completely, whose reading lost part of what it says, or that holds texts a cluster
// file cannot store; values read from another form are written in the canonical one.
bool rewriteClusterFile(const ClusterFileReport &report, const QString &target, FileError *error);

} // namespace kelvane

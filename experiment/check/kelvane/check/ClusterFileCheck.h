#pragma once
// The command-line checker's work: read a cluster file, list what is wrong with it,
// describe what was read, and write it back in the canonical form.

#include "kelvane/FileSaving.h"
#include "kelvane/model/ClusterFileReader.h"

#include <QJsonObject>
#include <QStringList>

namespace kelvane {

struct ClusterFileReport
{
    QString path;
    ClusterFileContent content;
    bool readCompletely = false;
    QStringList problems; // each names the trial and box where it is about one
};

ClusterFileReport checkClusterFile(const QString &path, const QString &iconFolder);

// The model as read: trials with their nine settings and boxes with their six stored
// fields, the object-row names, and the problems.
QJsonObject reportToJson(const ClusterFileReport &report);

// Writes what was read in the canonical one-line form. Refuses a file that was not read
// completely or holds texts a cluster file cannot store.
bool rewriteClusterFile(const ClusterFileReport &report, const QString &target, FileError *error);

} // namespace kelvane

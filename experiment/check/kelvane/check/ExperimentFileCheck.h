#pragma once
// The command-line checker's work for an experiment file: read it as the experiment
// window would, then check every cluster it lists as the checker checks a cluster file.

#include "kelvane/check/CheckReport.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

namespace kelvane {

struct ExperimentFileReport
{
    QString path;
    QStringList entries;      // as read; empty when the file was refused
    int clusterCount = 0;     // cluster entries, repeats included
    // About the file itself (with its line), then about each listed cluster, whose path
    // leads the text (with the cluster file's line where there is one).
    QList<Finding> findings;

    // "3 entries, 2 clusters"
    QString summary() const;
};

bool isExperimentFilePath(const QString &path);

ExperimentFileReport checkExperimentFile(const QString &path, const QString &iconFolder);

// `passes` is the verdict (warnings count under --strict).
QJsonObject reportToJson(const ExperimentFileReport &report, bool passes);

} // namespace kelvane

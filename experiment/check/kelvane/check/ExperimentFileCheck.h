#pragma once
// The command-line checker's work for an experiment file: read it as the experiment
// window would, then check every cluster it lists as the checker checks a cluster file.

#include <QJsonObject>
#include <QStringList>

namespace kelvane {

struct ExperimentFileReport
{
    QString path;
    QStringList entries;      // as read; empty when the file was refused
    int clusterCount = 0;     // cluster entries, repeats included
    QStringList problems;     // each names the listed cluster file it is about, if any
};

bool isExperimentFilePath(const QString &path);

ExperimentFileReport checkExperimentFile(const QString &path, const QString &iconFolder);

QJsonObject reportToJson(const ExperimentFileReport &report);

} // namespace kelvane

#pragma once
// The experiment program's program-wide state, made once in main and handed by
// reference to every window. Tests make their own.

#include "kelvane/model/ClusterModel.h"

#include <QString>

#include <array>

namespace kelvane {

// Picture names from the settings store: objects, closed boxes, opened empty boxes.
// Positions 0..5, 0..3 and 0..3 are filled; the lists have room for 11.
struct PictureNameLists
{
    static constexpr int Size = 11;
    static constexpr int ObjectCount = 6;
    static constexpr int BoxCount = 4;
    std::array<QString, Size> DragBoxIconNames;
    std::array<QString, Size> EmptyBoxIconNames;
    std::array<QString, Size> EmptyIconNames;
};

// What the trial window and the run sequencing share while a run is in progress.
struct RunState
{
    qint16 CurrentTrial = -1;  // trial on screen; -1 before the first of a cluster
    double TimeLimit = 0;      // seconds, set only when the trial has a limit
    double TrialClock = 0;     // seconds elapsed in the trial, 0.1 per tick
    double OpenClock = 0;      // seconds since a box was last opened or closed by the clock
    qint16 OpenBoxIndex = 0;   // box last opened; 0 = none
    bool ClicksAccepted = false;
    qint16 OpenedCount = 0;
    QString ClickOrder;        // " 3 5 3"
    QString TimedClickOrder;   // " 3@ 1.2 5@ 2.5"
    double TargetBox = 0;
    bool WholeExperiment = false;
    bool ClusterDone = false;
    QString ClusterMessageText;
    // Where a single-cluster run's results go when the researcher named the file;
    // empty: beside the cluster file.
    QString ResultFile;
};

struct Program
{
    ClusterModel Cluster;
    QString ClusterFile;       // full path of the cluster file last opened or saved
    QString ClusterName;       // the cluster's name in result files
    bool ClusterSaved = true;  // the model equals the file on disk
    QString ProgramFolder;     // the program's own folder, without trailing separator
    QString IconFolder;        // ProgramFolder + "/ico/", or the researcher's own once installed
    PictureNameLists Pictures;
    RunState Run;

    // Full path of a bare picture name.
    QString iconPath(const QString &name) const { return IconFolder + name; }
};

} // namespace kelvane

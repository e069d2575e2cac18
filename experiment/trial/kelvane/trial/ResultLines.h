#pragma once
// The text of result files. The analyzer and the researchers' own scripts split these
// lines at TABs and read the numbers in fixed forms, so every blank matters.

#include "kelvane/model/Program.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane {

// "Trial" TAB "Cluster" TAB ... "Within Error" CR LF.
QString resultTitleLine();

// Fields 1 to 5, each followed by a TAB, no line end.
QString firstHalfOfTrialLine(int trial, const QString &clusterName, int boxes, int objects,
                             qint64 target);

// Fields 6 to 10: TABs after 6 to 9, CR LF after 10.
QString secondHalfOfTrialLine(double totalTime, int opened, const QString &clickOrder,
                              const QString &timedClickOrder, const QString &withinRepeats);

// " 3@ 1.2": a blank, the box number, "@" and the trial clock rounded to hundredths.
QString timedClick(int box, double trialClock);

// A blank and the box for every opening that is followed later by another opening of
// the same box: the clicks 3, 5, 3, 7, 5, 3 give " 3 5 3".
QString withinTrialRepeats(const QStringList &clicks);

// Line 1 of a cluster result file: every value of the cluster file, as the value
// reader takes it, written back followed by a comma, then CR LF.
QString clusterCopyLine(const QString &clusterFileText);

// The cluster file's path with its last three characters replaced by "bof".
QString clusterResultPath(const QString &clusterFile);

// The result file of the cluster being run: the one the run was given, else the one
// beside the cluster file.
QString runResultPath(const Program &program);

} // namespace kelvane

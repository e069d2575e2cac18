#pragma once
// What a result file says click by click: every trial line of every cluster with its
// clicks coded as errors the way the spatial working-memory literature scores them,
// beside the seven measures of the wide table. Filled from the same parse as the wide
// row (ResultReader::read), never by a parser of its own.

#include "Measures.h"

#include "kelvane/formats/FileResult.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::analyzer {

struct ClickScore
{
    int position = 0; // in the click order, from 1
    int box = 0;
    std::optional<double> timeS; // from the "Timed click order"
    std::optional<qint64> ms;    // from the event log beside the result file
    bool found = false;          // the box held this trial's target
    bool repeat = false;         // the box was opened before in this trial
    bool earlierTarget = false;  // the box held the target of an earlier trial of the cluster
    // A between-search error: the box held a target that an earlier trial of the cluster
    // found, and it is not this trial's target. A timed-out trial's target was never seen,
    // and the click that finds the target is never an error.
    bool betweenError = false;
    bool doubleError() const { return repeat && betweenError; }
    bool error() const { return repeat || betweenError; }
};

// One trial line. Box 0 in the click order (two blanks in a row) is no click: it has no
// ClickScore, and the positions after it keep their place in the order.
struct TrialScore
{
    int line = 0;  // of the file, from 1
    int trial = 0; // the number in the "Trial" field
    QString clusterName;
    int boxes = 0;
    int objects = 0;
    int target = 0;
    std::optional<double> totalTimeS;
    int opened = 0;
    QList<ClickScore> clicks;

    bool found = false;           // the last click opened the target
    std::optional<int> firstBox;  // none without clicks
    int repeats = 0;
    int earlierTargetVisits = 0;
    int betweenErrors = 0;
    int doubles = 0;
    int wErr = 0;                      // the wide table's W of this trial
    std::optional<double> distance;    // to the slot before; none in the first slot

    // Seconds to the first click: the event log's, else the "Timed click order"'s; none
    // without a click or a time for it.
    std::optional<double> firstResponseS() const;
};

struct ClusterScore
{
    int number = 0; // position in the file, from 1, as the wide table counts
    QString name;   // the "Cluster" field of its last line
    ClusterMeasures measures;
    QList<TrialScore> trials; // in file order; gaps in the numbering have none

    int withinSearchErrors = 0;
    int betweenSearchErrors = 0;
    int doubleErrors = 0;
    int totalErrors = 0; // clicks that are a repeat or a between-search error, each once
    int distinctStartBoxes = 0;
    int timeouts = 0;    // trials whose target was not found
    std::optional<double> meanSearchTimeS; // over the found trials that have a time

    // The box count every trial line shares; none when they differ.
    std::optional<int> sharedBoxes() const;
    // A practice problem: its cluster file's name starts with "practice", in any case.
    bool practice() const;
    // Over the trials whose first click has a time; taken when asked, as the event log's
    // times come in after the scoring.
    std::optional<double> meanFirstResponseS() const;
};

struct FileScore
{
    QString path;
    QString subject;
    QList<ClusterScore> clusters;
    // How the run in the event log ended ("complete", "esc", "failed"); empty without
    // a log or a session line in it.
    QString session;
    // Trials whose event log times could not be taken, and why, naming the file and
    // trial; the scores stand without those times.
    QStringList logProblems;
};

// Reads the result file at `path` and, when one lies beside it, its event log; or why
// the file cannot be analysed.
FileResult<FileScore> scoreResultFile(const QString &path);

} // namespace kelvane::analyzer

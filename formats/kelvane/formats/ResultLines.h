#pragma once
// The text of result files. The analyzer and the researchers' own scripts split these
// lines at TABs and read the numbers in fixed forms, so every blank matters.

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <array>

namespace kelvane {

// A result file's first line is the copy of the cluster file (a cluster result file) or
// the date, time and name (a subject file); its second holds the column titles.
inline constexpr int ResultHeaderLines = 2;

// Where each value stands in a trial line, counting from 0.
enum ResultField {
    TrialField,
    ClusterField,
    BoxesField,
    ObjectsField,
    TargetField,
    TimeField,
    OpenedField,
    ClickOrderField,
    TimedClickOrderField,
    WithinErrorField,
    ResultFieldCount
};

inline constexpr std::array<QLatin1StringView, ResultFieldCount> ResultColumnTitles{
    QLatin1StringView("Trial"),        QLatin1StringView("Cluster"),
    QLatin1StringView("Total boxes"),  QLatin1StringView("Total objects"),
    QLatin1StringView("Target"),       QLatin1StringView("Total time"),
    QLatin1StringView("Total opened"), QLatin1StringView("Click order"),
    QLatin1StringView("Timed click order"), QLatin1StringView("Within Error")};

// "Trial" TAB "Cluster" TAB ... "Within Error" CR LF.
QString resultTitleLine();

// A trial line is written in two halves, the first when the trial starts: a run cut off
// during a trial leaves the file ending in these fields, each followed by a TAB, with
// no line end.
inline constexpr int FirstHalfFields = TimeField;

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

} // namespace kelvane

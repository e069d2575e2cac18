#pragma once
// The event log, `name.events.csv` beside each result file: one line per thing that
// happened in a trial, timed in milliseconds from the trial's start. The result file
// keeps its 0.1 s times; this file is for reaction-time analyses. The experiment
// program writes it and the analyzer reads it back.

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kelvane {

// Pause: the researcher pressed Esc and chose to go on; the trial's time stood still
// from `ms` until the subject could click again.
enum class TrialEventKind { Start, Click, Close, Found, TimeUp, Esc, Pause };

struct TrialEvent
{
    TrialEventKind kind = TrialEventKind::Start;
    int trial = 0;
    qint64 ms = 0;                 // since the trial's start
    int box = 0;                   // 0: the event concerns no box
    QString holds;                 // clicks: the object's picture, or "empty"
    std::optional<qint64> pressMs; // clicks: when the button went down
    double clock = 0;              // the trial clock, in 0.1 s steps, as the result file has it
    QString input;                 // clicks: what made it, "mouse", "touch" or "pen"
};

// Where each value stands in a line, counting from 0. A column added later goes last,
// so that readers of older logs find every earlier column where it was.
enum EventLogColumn {
    ClusterColumn,
    TrialColumn,
    EventColumn,
    MsColumn,
    BoxColumn,
    HoldsColumn,
    PressMsColumn,
    ClockColumn,
    InputColumn,
    EventLogColumnCount
};

inline constexpr std::array<QLatin1StringView, EventLogColumnCount> EventLogColumnTitles{
    QLatin1StringView("cluster"), QLatin1StringView("trial"), QLatin1StringView("event"),
    QLatin1StringView("ms"),      QLatin1StringView("box"),   QLatin1StringView("holds"),
    QLatin1StringView("press_ms"), QLatin1StringView("clock"), QLatin1StringView("input")};

// The `event` column's word for each kind ("start", "click", ..., "pause").
QString eventName(TrialEventKind kind);
// The words of the lines that concern the run rather than a trial.
inline constexpr QLatin1StringView SessionEventName{"session"};
inline constexpr QLatin1StringView ExperimentEventName{"experiment"};

// "cluster,trial,event,ms,box,holds,press_ms,clock,input" CR LF.
QString eventLogTitleLine();

// One line, CR LF at the end. A value holding a comma, a double quote or a line end is
// put between double quotes with its quotes doubled, so that spreadsheet programs and
// statistics packages read it as one value.
QString eventLogLine(const QString &clusterName, const TrialEvent &event);

// A run's last line: where it stopped (cluster and trial, both empty for a run that
// completed) and how it ended, in the `holds` column; the other columns stay empty.
QString sessionEventLine(const QString &clusterName, std::optional<int> trial, const QString &how);

// The line that opens a subject's log after the title: the experiment file that was run
// in the cluster field, "experiment" as the event, every other field empty.
QString experimentLogLine(const QString &experimentFile);

// "cluster1.bof" gives "cluster1.events.csv"; "anna.bof" and "anna.BOF" give
// "anna.events.csv".
QString eventLogPath(const QString &resultPath);

// What the log says a box held: the object's picture name, or "empty".
QString boxHolds(bool empty, const QString &contentFile);

// A log is read with CsvRecordReader (kelvane/formats/CsvRecords.h).

} // namespace kelvane

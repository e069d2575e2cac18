#include "EventLogTimes.h"

#include "kelvane/FileSaving.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/CsvRecords.h"
#include "kelvane/formats/EventLogFile.h"

#include <QFileInfo>
#include <QHash>

namespace kelvane::analyzer {

namespace {

struct LoggedTrial
{
    QList<qint64> clickMs;
    QStringList clickInputs;
    bool damaged = false; // a click line of it could not be read
};

using TrialKey = QPair<QString, int>;

struct LoggedRun
{
    QHash<TrialKey, QList<LoggedTrial>> trials; // per pair, one entry per start
    QString session;
};

LoggedRun readLog(QByteArrayView bytes)
{
    LoggedRun run;
    const QByteArray session = QByteArray(SessionEventName.data(), SessionEventName.size());
    const QByteArray start = eventName(TrialEventKind::Start).toLatin1();
    const QByteArray click = eventName(TrialEventKind::Click).toLatin1();
    CsvRecordReader records(bytes);
    QList<QByteArray> values;
    records.next(&values); // the title line
    while (records.next(&values)) {
        if (values.size() <= MsColumn)
            continue;
        const QByteArray &event = values[EventColumn];
        if (event == session) {
            run.session = fromWindows1252(values.value(HoldsColumn));
            continue;
        }
        if (event != start && event != click)
            continue;
        bool trialRead = false;
        const int trial = values[TrialColumn].toInt(&trialRead);
        if (!trialRead)
            continue;
        QList<LoggedTrial> &starts = run.trials[{fromWindows1252(values[ClusterColumn]), trial}];
        if (event == start) {
            starts.append(LoggedTrial{});
            continue;
        }
        if (starts.isEmpty())
            continue;
        bool msRead = false;
        const qint64 ms = values[MsColumn].toLongLong(&msRead);
        if (msRead) {
            starts.last().clickMs.append(ms);
            starts.last().clickInputs.append(fromWindows1252(values.value(InputColumn)));
        }
        else
            starts.last().damaged = true;
    }
    return run;
}

QString trialProblem(const FileScore &score, const TrialScore &trial, const QString &problem)
{
    return QStringLiteral("%1, line %2 (cluster %3, trial %4): %5")
        .arg(score.path)
        .arg(trial.line)
        .arg(trial.clusterName)
        .arg(trial.trial)
        .arg(problem);
}

} // namespace

void addEventLogTimes(FileScore &score)
{
    const QString logPath = eventLogPath(score.path);
    if (!QFileInfo::exists(logPath))
        return;
    QByteArray bytes;
    FileError error;
    if (!readWholeFile(logPath, &bytes, &error)) {
        score.logProblems.append(QStringLiteral("%1: the event log could not be read, so the "
                                                "clicks have no milliseconds: %2")
                                     .arg(logPath, error.reason.isEmpty() ? error.description
                                                                          : error.reason));
        return;
    }
    addEventLogTimes(score, logPath, bytes);
}

void addEventLogTimes(FileScore &score, const QString &logPath, QByteArrayView logBytes)
{
    const LoggedRun run = readLog(logBytes);
    score.session = run.session;
    const QString logName = QFileInfo(logPath).fileName();

    QHash<TrialKey, int> linesSoFar;
    QStringList problems;
    int trialCount = 0;
    for (ClusterScore &cluster : score.clusters) {
        for (TrialScore &trial : cluster.trials) {
            ++trialCount;
            const TrialKey key{trial.clusterName, trial.trial};
            const int nth = linesSoFar[key]++;
            const QList<LoggedTrial> starts = run.trials.value(key);
            if (nth >= starts.size()) {
                problems.append(trialProblem(
                    score, trial, QStringLiteral("%1 does not log this trial; its clicks have no "
                                                 "milliseconds").arg(logName)));
                continue;
            }
            const LoggedTrial &logged = starts[nth];
            if (logged.damaged) {
                problems.append(trialProblem(
                    score, trial, QStringLiteral("%1 has a click of this trial without a number "
                                                 "of milliseconds; its clicks have none")
                                      .arg(logName)));
                continue;
            }
            // The log has a line for every accepted click, box 0 of a hand-edited click
            // order included in neither.
            int lastPosition = 0;
            for (const ClickScore &click : std::as_const(trial.clicks))
                lastPosition = click.position;
            if (logged.clickMs.size() != trial.clicks.size() || lastPosition != trial.clicks.size()) {
                problems.append(trialProblem(
                    score, trial, QStringLiteral("%1 logs %2 clicks, the result file %3; its "
                                                 "clicks have no milliseconds")
                                      .arg(logName)
                                      .arg(logged.clickMs.size())
                                      .arg(lastPosition)));
                continue;
            }
            for (qsizetype k = 0; k < trial.clicks.size(); ++k) {
                trial.clicks[k].ms = logged.clickMs[k];
                trial.clicks[k].input = logged.clickInputs[k];
            }
        }
    }
    if (trialCount > 1 && problems.size() == trialCount) {
        score.logProblems.append(QStringLiteral("%1: the event log %2 matches none of the %3 "
                                                "trials; no click has milliseconds")
                                     .arg(score.path, logName)
                                     .arg(trialCount));
        return;
    }
    score.logProblems.append(problems);
}

} // namespace kelvane::analyzer

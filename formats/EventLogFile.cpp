#include "kelvane/formats/EventLogFile.h"

#include "kelvane/CsvText.h"
#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/ResultFileNames.h"

namespace kelvane {

namespace {

// One line of the log from its values, each as one CSV field, in column order.
QString logLine(const std::array<QString, EventLogColumnCount> &values)
{
    QString line;
    for (const QString &value : values) {
        if (&value != &values.front())
            line += u',';
        line += csvValue(value);
    }
    return line + lineEnd;
}

} // namespace

QString eventName(TrialEventKind kind)
{
    switch (kind) {
    case TrialEventKind::Start: return QStringLiteral("start");
    case TrialEventKind::Click: return QStringLiteral("click");
    case TrialEventKind::Close: return QStringLiteral("close");
    case TrialEventKind::Found: return QStringLiteral("found");
    case TrialEventKind::TimeUp: return QStringLiteral("timeup");
    case TrialEventKind::Esc: return QStringLiteral("esc");
    case TrialEventKind::Pause: return QStringLiteral("pause");
    }
    return {};
}

QString eventLogTitleLine()
{
    std::array<QString, EventLogColumnCount> titles;
    for (int column = 0; column < EventLogColumnCount; ++column)
        titles[column] = EventLogColumnTitles[column];
    return logLine(titles);
}

QString eventLogLine(const QString &clusterName, const TrialEvent &event)
{
    std::array<QString, EventLogColumnCount> values;
    values[ClusterColumn] = clusterName;
    values[TrialColumn] = QString::number(event.trial);
    values[EventColumn] = eventName(event.kind);
    values[MsColumn] = QString::number(event.ms);
    if (event.box > 0)
        values[BoxColumn] = QString::number(event.box);
    values[HoldsColumn] = event.holds;
    if (event.pressMs)
        values[PressMsColumn] = QString::number(*event.pressMs);
    // The result file's form of the time, without its leading blank.
    values[ClockColumn] = shortNumberForm(roundHalfEven(event.clock, 2)).trimmed();
    values[InputColumn] = event.input;
    return logLine(values);
}

QString sessionEventLine(const QString &clusterName, std::optional<int> trial, const QString &how)
{
    std::array<QString, EventLogColumnCount> values;
    values[ClusterColumn] = clusterName;
    if (trial)
        values[TrialColumn] = QString::number(*trial);
    values[EventColumn] = SessionEventName;
    values[HoldsColumn] = how;
    return logLine(values);
}

QString experimentLogLine(const QString &experimentFile)
{
    std::array<QString, EventLogColumnCount> values;
    values[ClusterColumn] = experimentFile;
    values[EventColumn] = ExperimentEventName;
    return logLine(values);
}

QString eventLogPath(const QString &resultPath)
{
    return withoutResultSuffix(resultPath) + QLatin1StringView(".events.csv");
}

QString boxHolds(bool empty, const QString &contentFile)
{
    return empty ? QStringLiteral("empty") : contentFile;
}

} // namespace kelvane

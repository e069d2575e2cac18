#include "kelvane/trial/EventLogLines.h"

#include "kelvane/CsvText.h"
#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"

namespace kelvane {

namespace {

QString kindName(TrialEventKind kind)
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

} // namespace

QString eventLogTitleLine()
{
    return QStringLiteral("cluster,trial,event,ms,box,holds,press_ms,clock") + lineEnd;
}

QString eventLogLine(const QString &clusterName, const TrialEvent &event)
{
    const QString box = event.box > 0 ? QString::number(event.box) : QString();
    const QString press = event.pressMs ? QString::number(*event.pressMs) : QString();
    // The result file's form of the time, without its leading blank.
    const QString clock = shortNumberForm(roundHalfEven(event.clock, 2)).trimmed();
    return csvValue(clusterName) + u',' + QString::number(event.trial) + u',' + kindName(event.kind)
           + u',' + QString::number(event.ms) + u',' + box + u',' + csvValue(event.holds) + u','
           + press + u',' + clock + lineEnd;
}

QString sessionEventLine(const QString &clusterName, std::optional<int> trial, const QString &how)
{
    const QString trialText = trial ? QString::number(*trial) : QString();
    return csvValue(clusterName) + u',' + trialText + QStringLiteral(",session,,,") + csvValue(how)
           + QStringLiteral(",,") + lineEnd;
}

QString experimentLogLine(const QString &experimentFile)
{
    return csvValue(experimentFile) + QStringLiteral(",,experiment,,,,,") + lineEnd;
}

QString eventLogPath(const QString &resultPath)
{
    const QLatin1StringView resultSuffix(".bof");
    const QString stem = resultPath.endsWith(resultSuffix) ? resultPath.chopped(resultSuffix.size())
                                                           : resultPath;
    return stem + QLatin1StringView(".events.csv");
}

QString boxHolds(bool empty, const QString &contentFile)
{
    return empty ? QStringLiteral("empty") : contentFile;
}

} // namespace kelvane

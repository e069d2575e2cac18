#include "kelvane/trial/SessionRecord.h"

#include "kelvane/formats/EventLogFile.h"
#include "kelvane/trial/RunMessages.h"

#include <QDir>

namespace kelvane {

namespace {

QString endWord(SessionEnd end)
{
    switch (end) {
    case SessionEnd::Complete: return QStringLiteral("complete");
    case SessionEnd::Esc: return QStringLiteral("esc");
    case SessionEnd::Failed: return QStringLiteral("failed");
    }
    return {};
}

QString whereItStopped(const SessionRecord &session)
{
    QString where;
    if (!session.stoppedBeforeTrialBegan)
        where = QStringLiteral("trial %1 of %2").arg(session.stoppedAtTrial).arg(session.stoppedClusterName);
    else if (session.stoppedAtTrial < session.stoppedClusterTrials)
        where = QStringLiteral("trial %1 of %2, before it began").arg(session.stoppedAtTrial).arg(session.stoppedClusterName);
    else
        where = QStringLiteral("the end of %1, after its last trial").arg(session.stoppedClusterName);
    if (session.wholeExperiment)
        where += QStringLiteral(" (cluster %1 of %2)").arg(session.stoppedInCluster).arg(session.clustersListed);
    return where;
}

QString howItEnded(const SessionRecord &session)
{
    switch (session.end) {
    case SessionEnd::Complete:
        return QStringLiteral("Ended: complete.");
    case SessionEnd::Esc:
        return QStringLiteral("Ended: with Esc at %1; trials are numbered from 0, as in the result file.")
            .arg(whereItStopped(session));
    case SessionEnd::Failed:
        return QStringLiteral("Ended: stopped by a file problem at %1: %2")
            .arg(whereItStopped(session), session.stopProblems.join(QStringLiteral("; ")));
    }
    return {};
}

} // namespace

void SessionRecord::noteFileWritten(const QString &path)
{
    if (!filesWritten.contains(path))
        filesWritten.append(path);
}

QString sessionLogLine(const SessionRecord &session)
{
    if (session.end == SessionEnd::Complete)
        return sessionEventLine({}, std::nullopt, endWord(session.end));
    return sessionEventLine(session.stoppedClusterName, session.stoppedAtTrial, endWord(session.end));
}

QString sessionSummaryTitle(const SessionRecord &session)
{
    return runMessageTitle(session.wholeExperiment);
}

QString sessionSummaryText(const SessionRecord &session)
{
    QStringList lines;
    if (session.wholeExperiment) {
        lines.append(QStringLiteral("Subject: %1").arg(session.subject));
        lines.append(session.experimentFile.isEmpty()
                         ? QStringLiteral("Experiment file: none (the list was not saved as it ran)")
                         : QStringLiteral("Experiment file: %1").arg(QDir::toNativeSeparators(session.experimentFile)));
    }
    lines.append(QStringLiteral("Clusters completed: %1 of %2").arg(session.clustersCompleted).arg(session.clustersListed));
    lines.append(QStringLiteral("Trials completed: %1").arg(session.trialsCompleted));
    lines.append(howItEnded(session));
    lines.append(QStringLiteral("Files written:"));
    for (const QString &file : session.filesWritten)
        lines.append(QStringLiteral("  ") + QDir::toNativeSeparators(file));
    if (!session.logProblems.isEmpty()) {
        lines.append(QStringLiteral("The event log could not be written (the result files are complete):"));
        for (const QString &problem : session.logProblems)
            lines.append(QStringLiteral("  ") + problem);
    }
    return lines.join(u'\n');
}

void showSessionSummary(Dialogs &dialogs, const SessionRecord &session)
{
    const bool troubled = session.end == SessionEnd::Failed || !session.logProblems.isEmpty();
    dialogs.message(sessionSummaryTitle(session), sessionSummaryText(session),
                    troubled ? MessageIcon::Exclamation : MessageIcon::Information);
}

} // namespace kelvane

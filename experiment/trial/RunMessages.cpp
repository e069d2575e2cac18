#include "kelvane/trial/RunMessages.h"

namespace kelvane {

namespace {

QString leadLine(RunTrouble trouble, bool wholeExperiment)
{
    switch (trouble) {
    case RunTrouble::CannotStart:
        return wholeExperiment ? QStringLiteral("The experiment cannot be run:")
                               : QStringLiteral("The cluster cannot be run:");
    case RunTrouble::ResultsNotWritten:
        return QStringLiteral("The run has stopped because its results cannot be recorded:");
    case RunTrouble::ClusterUnreadable:
        return QStringLiteral("The run has stopped because a cluster of the experiment cannot be read:");
    }
    return {};
}

} // namespace

QString runMessageTitle(bool wholeExperiment)
{
    return wholeExperiment ? QStringLiteral("Run Experiment") : QStringLiteral("Run Cluster");
}

QString runMessageText(RunTrouble trouble, bool wholeExperiment, const QStringList &details)
{
    QStringList lines{leadLine(trouble, wholeExperiment)};
    lines += details;
    return lines.join(u'\n');
}

void showRunMessage(Dialogs &dialogs, RunTrouble trouble, bool wholeExperiment, const QStringList &details)
{
    dialogs.message(runMessageTitle(wholeExperiment), runMessageText(trouble, wholeExperiment, details),
                    MessageIcon::Critical);
}

} // namespace kelvane

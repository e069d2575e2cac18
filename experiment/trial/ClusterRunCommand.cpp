#include "kelvane/trial/ClusterRunCommand.h"

#include "kelvane/model/OpenFile.h"
#include "kelvane/trial/ResultFile.h"
#include "kelvane/trial/RunMessages.h"

#include <QDir>

namespace kelvane {

QStringList prepareClusterRun(Program &program, const QString &path, const QString &output)
{
    FileError error;
    if (!OpenFile(program, path, &error))
        return {error.description};
    program.ClusterName = fileTitle(path);
    program.ClusterSaved = true;
    program.Run.WholeExperiment = false;
    program.Run.ClusterMessageText.clear();
    program.Run.ResultFile = output;
    return checkClusterForRun(program);
}

int runClusterCommand(Program &program, const TrialScreenServices &services, const QString &path,
                      QTextStream &errors, TrialClock::Drive drive, const ClusterRunOptions &options)
{
    QStringList problems = prepareClusterRun(program, path, options.output);
    const QString result = runResultPath(program);
    if (problems.isEmpty() && !options.replace && holdsTrialLines(result))
        problems.append(QStringLiteral("%1 holds the results of an earlier run; give --replace to replace "
                                       "them, or --output to name another result file")
                            .arg(QDir::toNativeSeparators(result)));
    if (!problems.isEmpty()) {
        errors << runMessageText(RunTrouble::CannotStart, false, problems) << Qt::endl;
        showRunMessage(services.dialogs, RunTrouble::CannotStart, false, problems);
        return 1;
    }

    TrialScreen screen(program, services);
    screen.setClockDrive(drive);
    screen.setEscapeAsks(options.escapeAsks);
    const RunEnd end = screen.runModal();
    if (end != RunEnd::Refused) {
        errors << sessionSummaryText(screen.session()) << Qt::endl;
        showSessionSummary(services.dialogs, screen.session());
    }
    if (end == RunEnd::Completed || end == RunEnd::Escaped)
        return 0;
    // The trial window has shown its own message; stderr gets the same words.
    const RunTrouble trouble = end == RunEnd::Refused ? RunTrouble::CannotStart : RunTrouble::ResultsNotWritten;
    errors << runMessageText(trouble, false, screen.problems()) << Qt::endl;
    return 1;
}

} // namespace kelvane

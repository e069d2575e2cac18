#include "kelvane/trial/ClusterRunCommand.h"

#include "kelvane/model/OpenFile.h"
#include "kelvane/trial/RunMessages.h"

namespace kelvane {

QStringList prepareClusterRun(Program &program, const QString &path)
{
    FileError error;
    if (!OpenFile(program, path, &error))
        return {error.description};
    program.ClusterName = fileTitle(path);
    program.ClusterSaved = true;
    program.Run.WholeExperiment = false;
    program.Run.ClusterMessageText.clear();
    return checkClusterForRun(program);
}

int runClusterCommand(Program &program, const TrialScreenServices &services, const QString &path,
                      QTextStream &errors, TrialClock::Drive drive)
{
    const QStringList problems = prepareClusterRun(program, path);
    if (!problems.isEmpty()) {
        errors << runMessageText(RunTrouble::CannotStart, false, problems) << Qt::endl;
        showRunMessage(services.dialogs, RunTrouble::CannotStart, false, problems);
        return 1;
    }

    TrialScreen screen(program, services);
    screen.setClockDrive(drive);
    const RunEnd end = screen.runModal();
    if (end == RunEnd::Completed || end == RunEnd::Escaped)
        return 0;
    // The trial window has shown its own message; stderr gets the same words.
    const RunTrouble trouble = end == RunEnd::Refused ? RunTrouble::CannotStart : RunTrouble::ResultsNotWritten;
    errors << runMessageText(trouble, false, screen.problems()) << Qt::endl;
    return 1;
}

} // namespace kelvane

#include "kelvane/trial/ClusterRunCommand.h"

#include "kelvane/model/OpenFile.h"

namespace kelvane {

int runClusterCommand(Program &program, const TrialScreenServices &services, const QString &path,
                      QTextStream &errors, TrialClock::Drive drive)
{
    FileError error;
    if (!OpenFile(program, path, &error)) {
        errors << error.description << Qt::endl;
        services.dialogs.message(QStringLiteral("Run Cluster"), error.description, MessageIcon::Critical);
        return 1;
    }
    program.ClusterName = fileTitle(path);
    program.ClusterSaved = true;
    program.Run.WholeExperiment = false;
    program.Run.ClusterMessageText.clear();

    TrialScreen screen(program, services);
    screen.setClockDrive(drive);
    const RunEnd end = screen.runModal();
    if (end == RunEnd::Completed || end == RunEnd::Escaped)
        return 0;
    for (const QString &problem : screen.problems())
        errors << problem << Qt::endl;
    return 1;
}

} // namespace kelvane

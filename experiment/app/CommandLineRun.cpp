#include "kelvane/app/CommandLineRun.h"

#include "kelvane/QtDialogs.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/app/RunDevices.h"
#include "kelvane/app/SilentDialogs.h"
#include "kelvane/trial/ClusterRunCommand.h"
#include "kelvane/trial/RunMessages.h"

#include <QGuiApplication>
#include <QTextStream>

namespace kelvane {

int runClusterFromCommandLine(Program &program, const SettingsStore &store, const CommandLine &command,
                              const QStringList &startupProblems, const StartPlace &place)
{
    const QString &path = command.file;
    QTextStream errors(stderr);
    if (!startupProblems.isEmpty())
        errors << startupProblemText(startupProblems) << Qt::endl;

    const QString platform = QGuiApplication::platformName();
    if (!platformShowsWindows(platform)) {
        // Nobody could see the start screen, let alone press START; say what else is
        // wrong with the cluster while at it.
        QStringList problems = prepareClusterRun(program, path, command.output);
        problems.append(QStringLiteral("there is no screen to show the trial on: the \"%1\" platform "
                                       "shows windows to nobody")
                            .arg(platform));
        errors << runMessageText(RunTrouble::CannotStart, false, problems) << Qt::endl;
        return 1;
    }

    QtDialogs shown;
    SilentDialogs silent;
    const bool seen = personAtDesktop(place, platform);
    Dialogs &dialogs = seen ? static_cast<Dialogs &>(shown) : silent;
    RunDevices devices;
    return runClusterCommand(program, {dialogs, store, devices.targetSound, devices.clickSound, devices.pointer},
                             path, errors, TrialClock::Drive::Timer, {command.output, command.replace, seen});
}

} // namespace kelvane

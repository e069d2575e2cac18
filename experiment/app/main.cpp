#include "kelvane/QtDialogs.h"
#include "kelvane/app/CommandLine.h"
#include "kelvane/app/CommandLineRun.h"
#include "kelvane/app/DefaultsWindow.h"
#include "kelvane/app/NamedFileOpening.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/app/RunDevices.h"
#include "kelvane/app/StartPlace.h"
#include "kelvane/options/StoredSettings.h"

#include <QApplication>
#include <QTextStream>

using namespace kelvane;

int main(int argc, char *argv[])
{
    const CommandLine command = parseCommandLine(argumentsOf(argc, argv));
    const StartPlace place = StartPlace::current();
    {
        QTextStream out(stdout);
        QTextStream errors(stderr);
        if (const auto status = answerWithoutWindow(command, windowsPossible(place, command.platformGiven),
                                                    out, errors))
            return *status;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));

    Program program;
    QStringList problems = setProgramFolders(program, locateProgramFiles());
    QSettingsStore store;
    problems += startProgram(program, store);

    if (command.action == CommandAction::RunCluster)
        return runClusterFromCommandLine(program, store, command.file, problems, place);

    DefaultsWindow window(program, readIconSize(store));
    QtDialogs dialogs(&window);
    RunDevices devices;
    // An experiment file opens the experiment window in the main window's place.
    if (command.kind != FileKind::Experiment)
        window.show();
    if (!problems.isEmpty())
        dialogs.message(QStringLiteral("Kelvane"), startupProblemText(problems), MessageIcon::Exclamation);

    switch (command.kind) {
    case FileKind::Experiment:
        openExperimentWindow(program,
                             {dialogs, store, devices.targetSound, devices.clickSound, devices.pointer},
                             command.file, &window);
        break;
    case FileKind::Cluster:
        openClusterInEditor(command.file);
        break;
    case FileKind::None:
        break;
    }
    return app.exec();
}

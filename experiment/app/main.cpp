#include "kelvane/QtDialogs.h"
#include "kelvane/app/CommandLine.h"
#include "kelvane/app/CommandLineRun.h"
#include "kelvane/app/DefaultsWindow.h"
#include "kelvane/app/ProgramStart.h"
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
    setProgramFolders(program, QCoreApplication::applicationDirPath());
    QSettingsStore store;
    const QStringList problems = startProgram(program, store);

    if (command.action == CommandAction::RunCluster)
        return runClusterFromCommandLine(program, store, command.file, problems, place);

    DefaultsWindow window(program, readIconSize(store));
    QtDialogs dialogs(&window);
    window.show();
    if (!problems.isEmpty())
        dialogs.message(QStringLiteral("Kelvane"), startupProblemText(problems), MessageIcon::Exclamation);

    // The file named on the command line (command.file, of kind command.kind) goes to
    // the window for its kind: the cluster editor opens a .box, the experiment window
    // a .bex. Until those windows exist it is only acknowledged.
    if (command.kind != FileKind::None)
        QTextStream(stderr) << notYetOpenedText(command) << Qt::endl;
    return app.exec();
}

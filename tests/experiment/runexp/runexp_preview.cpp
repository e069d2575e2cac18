// Shows the experiment window on its own, with the real dialogs, sounds and settings
// store, for trying it by hand until the editor's "Experiment" menu opens it:
//
//     build/bin/runexp_preview [FILE.bex]
//
// It runs from the build's bin folder, beside the default pictures and sounds.

#include "kelvane/QtDialogs.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/runexp/RunExp.h"

#include <QApplication>

using namespace kelvane;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));

    Program program;
    setProgramFolders(program, QCoreApplication::applicationDirPath());
    QSettingsStore store;
    startProgram(program, store);

    QtDialogs dialogs;
    SoundWarnings soundWarnings;
    QtSoundPlayer targetSound(soundWarnings);
    QtSoundPlayer clickSound(soundWarnings);
    PointerCounter pointer;
    RunExp window(program, {dialogs, store, targetSound, clickSound, pointer});
    dialogs.setParent(&window);
    QObject::connect(&window, &RunExp::closed, &app, &QApplication::quit);
    window.show();
    if (argc > 1)
        window.openExperimentFile(QString::fromLocal8Bit(argv[1]));
    return app.exec();
}

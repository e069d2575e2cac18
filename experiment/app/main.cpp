#include "kelvane/QtDialogs.h"
#include "kelvane/app/DefaultsWindow.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/trial/ClusterRunCommand.h"

#include <QApplication>
#include <QTextStream>

using namespace kelvane;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));

    Program program;
    QStringList problems = setProgramFolders(program, locateProgramFiles());
    QSettingsStore store;
    problems += startProgram(program, store);

    // kelvane --run-cluster FILE.box: a single-cluster run for scripted sessions.
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--run-cluster")); at >= 0) {
        QTextStream errors(stderr);
        if (at + 1 >= arguments.size()) {
            errors << "usage: kelvane --run-cluster FILE.box" << Qt::endl;
            return 2;
        }
        for (const QString &problem : problems)
            errors << problem << Qt::endl;
        QtDialogs dialogs;
        SoundWarnings soundWarnings;
        QtSoundPlayer targetSound(soundWarnings);
        QtSoundPlayer clickSound(soundWarnings);
        PointerCounter pointer;
        return runClusterCommand(program, {dialogs, store, targetSound, clickSound, pointer},
                                 arguments[at + 1], errors);
    }

    DefaultsWindow window(program, readIconSize(store));
    QtDialogs dialogs(&window);
    window.show();
    if (!problems.isEmpty())
        dialogs.message(QStringLiteral("Kelvane"), problems.join(u'\n'), MessageIcon::Exclamation);
    return app.exec();
}

#include "kelvane/QtDialogs.h"
#include "kelvane/app/DefaultsWindow.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/options/StoredSettings.h"

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
    const QStringList problems = startProgram(program, store);

    DefaultsWindow window(program, readIconSize(store));
    QtDialogs dialogs(&window);
    window.show();
    if (!problems.isEmpty())
        dialogs.message(QStringLiteral("Kelvane"), problems.join(u'\n'), MessageIcon::Exclamation);
    return app.exec();
}

#include "frmMain.h"

#include "kelvane/FolderMemory.h"
#include "kelvane/Manual.h"
#include "kelvane/ManualPages.h"
#include "kelvane/QtDialogs.h"
#include "kelvane/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane Analyzer"));
    QApplication::setApplicationVersion(QLatin1StringView(kelvane::Version));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The Kelvane Analyzer window: choose result files (.bof) and write one table of "
                       "measures for them. Files named here are chosen when the window opens."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("result files to choose"),
                                 QStringLiteral("[FILE.bof...]"));
    parser.process(application);

    kelvane::QtDialogs shown;
    // Result files and tables are looked for where the researcher last found them.
    QSettings settings(QStringLiteral("Kelvane"), QStringLiteral("Kelvane Analyzer"));
    const auto folderKey = [](const QString &kind) { return QStringLiteral("Folders/") + kind; };
    kelvane::FolderMemory dialogs(
        shown, [&](const QString &kind) { return settings.value(folderKey(kind)).toString(); },
        [&](const QString &kind, const QString &folder) { settings.setValue(folderKey(kind), folder); });
    kelvane::analyzer::frmMain window(dialogs);
    shown.setParent(&window);
    kelvane::Manual manual(dialogs, QCoreApplication::applicationDirPath());
    manual.attach(&window, kelvane::manual::AnalysePage);
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty())
        window.chooseFiles(files);
    window.show();
    return QApplication::exec();
}

#include "frmMain.h"

#include "kelvane/FolderMemory.h"
#include "kelvane/Manual.h"
#include "kelvane/ManualPages.h"
#include "kelvane/QtDialogs.h"
#include "kelvane/Version.h"

#include "kelvane/StartPlace.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QTextStream>

namespace {

void nameProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kelvane Analyzer"));
    QCoreApplication::setApplicationVersion(QLatin1StringView(kelvane::Version));
}

void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("The Kelvane Analyzer window: choose result files (.bof) and write one table of "
                       "measures for them. Files named here are chosen when the window opens."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("result files to choose"),
                                 QStringLiteral("[FILE.bof...]"));
}

bool givenAnyOf(int argc, char *argv[], std::initializer_list<const char *> words)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *word : words) {
            if (qstrcmp(argv[i], word) == 0)
                return true;
        }
    }
    return false;
}

// Help, the version, a mistyped option and the news that no window can open need no
// window system; without a display Qt would only abort with a message of its own.
int answerWithoutWindow(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    nameProgram();
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(application); // help, the version and mistakes end the program here
    QTextStream(stderr) << "kelvane-analyzer: " << kelvane::noDisplayText() << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool textOnly = givenAnyOf(argc, argv, {"-h", "-?", "--help", "--help-all", "-v", "--version"});
    // Qt's own -platform chooses where windows go, as QT_QPA_PLATFORM does.
    const bool platformOption = givenAnyOf(argc, argv, {"-platform", "--platform"});
    if (textOnly || !kelvane::windowsPossible(kelvane::StartPlace::current(), platformOption))
        return answerWithoutWindow(argc, argv);

    QApplication application(argc, argv);
    nameProgram();
    QCommandLineParser parser;
    describeCommandLine(parser);
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

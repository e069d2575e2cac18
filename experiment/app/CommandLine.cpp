#include "kelvane/app/CommandLine.h"

#include "kelvane/Version.h"

#include <QCommandLineParser>

namespace kelvane {

namespace {

// Qt reads these itself when the application object is made; they are accepted here
// so that they are not taken for mistakes. Single-dash words, as Qt spells them.
const char *const QtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "name", "title", "icon", "style", "stylesheet",
};
const char *const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

QCommandLineOption hidden(QCommandLineOption option)
{
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

CommandLine asking(CommandAction action)
{
    CommandLine command;
    command.action = action;
    return command;
}

CommandLine usageError(const QString &text)
{
    CommandLine command = asking(CommandAction::UsageError);
    command.error = text;
    return command;
}

} // namespace

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

FileKind fileKindOf(const QString &path)
{
    if (path.endsWith(QLatin1StringView(".box"), Qt::CaseInsensitive))
        return FileKind::Cluster;
    if (path.endsWith(QLatin1StringView(".bex"), Qt::CaseInsensitive))
        return FileKind::Experiment;
    return FileKind::None;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption runCluster(QStringLiteral("run-cluster"), QString(), QStringLiteral("FILE.box"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("FILE.bof"));
    const QCommandLineOption replace(QStringLiteral("replace"));
    parser.addOptions({help, version, runCluster, output, replace});
    for (const char *name : QtOptionsWithValue)
        parser.addOption(hidden(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"))));
    for (const char *name : QtFlags)
        parser.addOption(hidden(QCommandLineOption(QString::fromLatin1(name))));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        return asking(CommandAction::Help);
    if (parser.isSet(version))
        return asking(CommandAction::Version);

    CommandLine command;
    command.platformGiven = parser.isSet(QStringLiteral("platform"));
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(runCluster)) {
        const QStringList runs = parser.values(runCluster);
        if (runs.size() > 1 || !files.isEmpty())
            return usageError(QStringLiteral("--run-cluster runs one cluster file and takes no other file"));
        if (parser.values(output).size() > 1)
            return usageError(QStringLiteral("--output names one result file"));
        command.action = CommandAction::RunCluster;
        command.file = runs.front();
        command.output = parser.value(output);
        command.replace = parser.isSet(replace);
        return command;
    }
    if (parser.isSet(output) || parser.isSet(replace))
        return usageError(QStringLiteral("--output and --replace go with --run-cluster"));
    if (files.size() > 1)
        return usageError(QStringLiteral("one file at a time, please: %1 were given").arg(files.size()));
    if (files.size() == 1) {
        command.file = files.front();
        command.kind = fileKindOf(command.file);
        if (command.kind == FileKind::None)
            return usageError(QStringLiteral("%1 is neither a cluster file (.box) nor an experiment file (.bex)")
                                  .arg(command.file));
    }
    return command;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: kelvane [FILE.box | FILE.bex]\n"
        "       kelvane --run-cluster FILE.box [--output FILE.bof] [--replace]\n"
        "       kelvane --help | --version\n"
        "\n"
        "The Kelvane experiment program: design clusters of trials (.box) and experiments\n"
        "(.bex), and run subjects through them.\n"
        "\n"
        "  FILE.box                 open the cluster in the cluster editor\n"
        "  FILE.bex                 open the experiment in the experiment window\n"
        "  --run-cluster FILE.box   run the cluster for a subject at once, without the editor;\n"
        "                           its results go to FILE.bof beside it, its event log to\n"
        "                           FILE.events.csv\n"
        "  --output FILE.bof        with --run-cluster: write the results to FILE.bof instead,\n"
        "                           the event log beside it\n"
        "  --replace                with --run-cluster: replace a result file that holds an\n"
        "                           earlier run's trials (without it such a run is refused)\n"
        "  -h, --help               print this text and exit\n"
        "  --version                print the version and exit\n"
        "\n"
        "Qt's own options (-platform NAME, -style NAME, ...) are passed on to Qt.\n"
        "\n"
        "Esc asks before it ends a run (at once when kelvane shows no message boxes, see\n"
        "below). At the end a summary of the run (trials completed,\n"
        "how it ended, the files written) is printed on stderr.\n"
        "\n"
        "Exit status of --run-cluster: 0 when the run ended (after its last trial or with\n"
        "Esc), 1 when it could not start (also when it would replace an earlier run's\n"
        "results without --replace) or its results could not be written; 2 for a\n"
        "usage error. What keeps a run from starting is printed on stderr; a message box\n"
        "shows it as well only when kelvane was started from the desktop rather than from\n"
        "a terminal or a script.\n");
}

QString versionText()
{
    return QStringLiteral("kelvane ") + QLatin1StringView(Version);
}

std::optional<int> answerWithoutWindow(const CommandLine &command, bool windowsPossible,
                                       QTextStream &out, QTextStream &errors)
{
    switch (command.action) {
    case CommandAction::Help:
        out << usageText();
        return 0;
    case CommandAction::Version:
        out << versionText() << '\n';
        return 0;
    case CommandAction::UsageError:
        errors << "kelvane: " << command.error << "\nTry 'kelvane --help'.\n";
        return 2;
    case CommandAction::OpenWindow:
    case CommandAction::RunCluster:
        break;
    }
    if (!windowsPossible) {
        errors << "kelvane: there is no display to open a window on (neither DISPLAY nor "
                  "WAYLAND_DISPLAY is set)\n";
        return 1;
    }
    return std::nullopt;
}

} // namespace kelvane

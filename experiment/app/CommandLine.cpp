#include "kelvane/app/CommandLine.h"

#include "kelvane/StartPlace.h"
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

const char *const StudyOptionNames[] = {"seed", "sizes", "problems", "practice", "time-limit",
                                        "language", "order", "min-distance"};

// The study's choices from the options given; those not given keep their defaults.
CommandLine newStudyCommand(const QCommandLineParser &parser, const QString &folder)
{
    CommandLine command = asking(CommandAction::NewStudy);
    command.file = folder;
    command.replace = parser.isSet(QStringLiteral("replace"));
    StudyOptions &study = command.study;
    for (const char *name : StudyOptionNames) {
        if (parser.values(QString::fromLatin1(name)).size() > 1)
            return usageError(QStringLiteral("--%1 is given more than once").arg(QLatin1StringView(name)));
    }
    const auto value = [&parser](const char *name) { return parser.value(QString::fromLatin1(name)); };
    const auto given = [&parser](const char *name) { return parser.isSet(QString::fromLatin1(name)); };
    if (given("seed")) {
        bool ok = false;
        study.seed = value("seed").toULongLong(&ok);
        if (!ok)
            return usageError(QStringLiteral("--seed takes a whole number from 0 to 18446744073709551615"));
        command.seedGiven = true;
    }
    if (given("sizes")) {
        const auto sizes = numberList(value("sizes"));
        if (!sizes)
            return usageError(QStringLiteral("--sizes takes box counts separated by commas, as 3,4,6,8"));
        study.sizes = *sizes;
    }
    if (given("problems")) {
        const auto counts = numberList(value("problems"));
        if (!counts)
            return usageError(QStringLiteral("--problems takes one count, or one for each size, as 4,4,4,4"));
        study.problems = *counts;
    }
    // One count serves every size; without --problems every size gets the default count.
    if (study.problems.size() == 1 || !given("problems"))
        study.problems.assign(study.sizes.size(), study.problems.front());
    if (given("practice")) {
        bool ok = false;
        study.practiceBoxes = value("practice").toInt(&ok);
        if (!ok)
            return usageError(QStringLiteral("--practice takes the practice problem's box count, or 0 for none"));
    }
    if (given("time-limit"))
        study.timeLimit = value("time-limit");
    if (given("language")) {
        const auto language = languageNamed(value("language"));
        if (!language)
            return usageError(QStringLiteral("--language takes en or nl"));
        study.language = *language;
    }
    if (given("order")) {
        const auto order = orderNamed(value("order"));
        if (!order)
            return usageError(QStringLiteral("--order takes increasing or shuffled"));
        study.order = *order;
    }
    if (given("min-distance")) {
        bool ok = false;
        study.minDistance = value("min-distance").toDouble(&ok);
        if (!ok)
            return usageError(QStringLiteral("--min-distance takes a number of box widths, as 1.5"));
    }
    if (const auto invalid = invalidStudyOptions(study))
        return usageError(*invalid);
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
    const QCommandLineOption newStudy(QStringLiteral("new-study"), QString(), QStringLiteral("DIR"));
    parser.addOption(newStudy);
    for (const char *name : StudyOptionNames)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
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
        if (runs.size() > 1 || !files.isEmpty() || parser.isSet(newStudy))
            return usageError(QStringLiteral("--run-cluster runs one cluster file and takes no other file"));
        if (parser.values(output).size() > 1)
            return usageError(QStringLiteral("--output names one result file"));
        command.action = CommandAction::RunCluster;
        command.file = runs.front();
        command.output = parser.value(output);
        command.replace = parser.isSet(replace);
        return command;
    }
    if (parser.isSet(newStudy)) {
        if (parser.values(newStudy).size() > 1 || !files.isEmpty() || parser.isSet(output))
            return usageError(QStringLiteral("--new-study makes one study folder and takes no other file"));
        return newStudyCommand(parser, parser.value(newStudy));
    }
    for (const char *name : StudyOptionNames) {
        if (parser.isSet(QString::fromLatin1(name)))
            return usageError(QStringLiteral("--%1 goes with --new-study").arg(QLatin1StringView(name)));
    }
    if (parser.isSet(output) || parser.isSet(replace))
        return usageError(QStringLiteral("--output goes with --run-cluster, --replace with --run-cluster or "
                                         "--new-study"));
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
        "       kelvane --new-study DIR [--seed N] [--sizes 3,4,6,8] [--problems 4,4,4,4]\n"
        "                   [--practice 3] [--time-limit S] [--language en|nl]\n"
        "                   [--order increasing|shuffled] [--min-distance 1.5] [--replace]\n"
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
        "  --new-study DIR          make a standard study in DIR without a window: a practice\n"
        "                           problem, then problems of each size, one cluster file\n"
        "                           each, listed in DIR/STUDY.bex after an instruction\n"
        "  --seed N                 the layouts' seed (drawn and printed when not given)\n"
        "  --sizes LIST             box counts of the problems (default 3,4,6,8)\n"
        "  --problems LIST          problems of each size, one count for all (default 4)\n"
        "  --practice N             boxes of the practice problem, 0 for none (default 3)\n"
        "  --time-limit S           seconds a search may take (default no limit)\n"
        "  --language en|nl         language of the messages (default en)\n"
        "  --order increasing|shuffled  by size, or rounds of one problem of each size in\n"
        "                           random order (default increasing)\n"
        "  --min-distance W         box centres at least W box widths apart (default 1.5)\n"
        "  --replace                with --new-study: replace the files of a study in DIR\n"
        "                           (without it a folder holding .box or .bex files is refused);\n"
        "                           with --run-cluster, see below\n"
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
    case CommandAction::NewStudy:
        return std::nullopt; // made without any window
    case CommandAction::OpenWindow:
    case CommandAction::RunCluster:
        break;
    }
    if (!windowsPossible) {
        errors << "kelvane: " << noDisplayText() << '\n';
        return 1;
    }
    return std::nullopt;
}

} // namespace kelvane

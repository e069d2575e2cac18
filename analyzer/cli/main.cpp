// kelvane-analyze: the analyzer's compute-and-save without the window, for sets of
// result files too large to pick in a dialog and for scripts.

#include "AnalysisRun.h"
#include "kelvane/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

using namespace kelvane::analyzer;

namespace {

enum ExitStatus { Success = 0, FilesSkipped = 1, Failed = 2 };

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvane-analyze"));
    QCoreApplication::setApplicationVersion(QLatin1StringView(kelvane::Version));
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Analyses Kelvane result files (.bof) and writes one row of measures per file, in "
        "the order given, as the Kelvane Analyzer window does. With --tidy it also, or "
        "instead, writes a row per click, per trial and per cluster."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noHeader(QStringLiteral("no-header"),
                                      QStringLiteral("Leave out the row of variable names."));
    const QCommandLineOption sav(QStringLiteral("sav"),
                                 QStringLiteral("Write an SPSS data file instead of the "
                                                "tab-delimited table."));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The file to write."), QStringLiteral("OUT"));
    const QCommandLineOption tidy(QStringLiteral("tidy"),
                                  QStringLiteral("Write clicks.csv, trials.csv, clusters.csv and "
                                                 "datapackage.json into the folder DIR."),
                                  QStringLiteral("DIR"));
    parser.addOption(noHeader);
    parser.addOption(sav);
    parser.addOption(output);
    parser.addOption(tidy);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Result files."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "kelvane-analyze: " << parser.errorText() << '\n' << parser.helpText();
        return Failed;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(Success);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const bool wide = parser.isSet(output) && !parser.value(output).isEmpty();
    const bool tidyTables = parser.isSet(tidy) && !parser.value(tidy).isEmpty();
    if (!wide && !tidyTables) {
        err << "kelvane-analyze: no output; give a file with -o OUT or a folder with --tidy DIR\n"
            << parser.helpText();
        return Failed;
    }

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        err << "kelvane-analyze: no result files given\n" << parser.helpText();
        return Failed;
    }

    AnalysisRun run(parser.isSet(sav) ? OutputKind::SpssData : OutputKind::TabDelimited,
                    !parser.isSet(noHeader), QLocale::system());
    if (tidyTables)
        run.alsoTidy(parser.value(tidy));
    for (const QString &path : files)
        run.add(path);

    for (const ReadProblem &problem : run.skipped())
        err << "kelvane-analyze: skipped " << problem.message() << '\n';
    for (const QString &warning : run.warnings())
        err << "kelvane-analyze: " << warning << '\n';

    QString problem;
    if (wide && !run.save(parser.value(output), &problem)) {
        err << "kelvane-analyze: " << problem << '\n';
        return Failed;
    }
    if (tidyTables && !run.saveTidy(parser.value(tidy), &problem)) {
        err << "kelvane-analyze: " << problem << '\n';
        return Failed;
    }
    return run.skipped().isEmpty() ? Success : FilesSkipped;
}

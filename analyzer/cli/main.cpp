// kelvane-analyze: the analyzer's compute-and-save without the window, for sets of
// result files too large to pick in a dialog and for scripts.

#include "AnalysisRun.h"
#include "ReportLoader.h"
#include "kelvane/Version.h"

#include <QCommandLineParser>
#include <QDate>
#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace kelvane::analyzer;

namespace {

enum ExitStatus { Success = 0, FilesSkipped = 1, Failed = 2 };

bool asksForReport(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--report", 8) == 0)
            return true;
    }
    return false;
}

// Drawing a report's text needs fonts, which come with a GUI application that the
// report's library makes; every other run stays a plain Qt Core program.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[],
                                                  const kelvane::analyzer::report::LoadedReport &report)
{
    if (report.makeApplication)
        return std::unique_ptr<QCoreApplication>(report.makeApplication(argc, argv));
    return std::make_unique<QCoreApplication>(argc, argv);
}

// The exit status of the report alone.
ExitStatus writeReport(const kelvane::analyzer::report::LoadedReport &report, const QString &pdfPath,
                       const QStringList &files, const QStringList &clusterFolders,
                       kelvane::analyzer::PracticeInSummaries practice, QTextStream &err)
{
    if (!report.problem.isEmpty()) {
        err << "kelvane-analyze: no report: " << report.problem << '\n';
        return Failed;
    }
    kelvane::analyzer::report::ReportOutcome outcome;
    report.write({pdfPath, files, clusterFolders, QLocale::system(), QDate::currentDate().toString(Qt::ISODate),
                  practice},
                 outcome);
    for (const QString &note : outcome.notes)
        err << "kelvane-analyze: report: " << note << '\n';
    if (!outcome.problem.isEmpty()) {
        err << "kelvane-analyze: " << outcome.problem << '\n';
        return Failed;
    }
    return outcome.leftOut > 0 ? FilesSkipped : Success;
}

} // namespace

int main(int argc, char *argv[])
{
    const kelvane::analyzer::report::LoadedReport loadedReport =
        asksForReport(argc, argv) ? kelvane::analyzer::report::loadReport() : kelvane::analyzer::report::LoadedReport{};
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv, loadedReport);
    QCoreApplication::setApplicationName(QStringLiteral("kelvane-analyze"));
    QCoreApplication::setApplicationVersion(QLatin1StringView(kelvane::Version));
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Analyses Kelvane result files (.bof) and writes one row of measures per file, in "
        "the order given, as the Kelvane Analyzer window does. With --tidy it also, or "
        "instead, writes a row per click, per trial and per cluster; with --report it draws "
        "every search on its cluster's layout in a PDF."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noHeader(QStringLiteral("no-header"),
                                      QStringLiteral("Leave out the row of variable names."));
    const QCommandLineOption sav(QStringLiteral("sav"),
                                 QStringLiteral("Write an SPSS data file instead of the "
                                                "tab-delimited table."));
    const QCommandLineOption byName(QStringLiteral("by-name"),
                                    QStringLiteral("Lay the table out by cluster name instead of by position in "
                                                   "each file: one group of columns per cluster name, in the order "
                                                   "the names first appear; a subject without that cluster has "
                                                   "empty cells."));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The file to write."), QStringLiteral("OUT"));
    const QCommandLineOption tidy(QStringLiteral("tidy"),
                                  QStringLiteral("Write clicks.csv, trials.csv, clusters.csv, levels.csv, subjects.csv and "
                                                 "datapackage.json into the folder DIR."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Write a PDF report with every search drawn on its "
                                                   "cluster's layout."),
                                    QStringLiteral("OUT.pdf"));
    const QCommandLineOption clusters(QStringLiteral("clusters"),
                                      QStringLiteral("A folder where the report also looks for cluster "
                                                     "files (repeatable; searched in the order given)."),
                                      QStringLiteral("DIR"));
    const QCommandLineOption includePractice(
        QStringLiteral("include-practice"),
        QStringLiteral("Count the practice clusters (whose file name starts with \"practice\") in levels.csv "
                       "and subjects.csv of --tidy and in the scores of --report too; without it they are left "
                       "out there."));
    parser.addOption(noHeader);
    parser.addOption(includePractice);
    parser.addOption(sav);
    parser.addOption(byName);
    parser.addOption(output);
    parser.addOption(tidy);
    parser.addOption(report);
    parser.addOption(clusters);
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
    const bool wantsReport = parser.isSet(report) && !parser.value(report).isEmpty();
    if (!wide && !tidyTables && !wantsReport) {
        err << "kelvane-analyze: no output; give a file with -o OUT, a folder with --tidy DIR or a "
               "report with --report OUT.pdf\n"
            << parser.helpText();
        return Failed;
    }

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        err << "kelvane-analyze: no result files given\n" << parser.helpText();
        return Failed;
    }

    const auto practice = parser.isSet(includePractice) ? kelvane::analyzer::PracticeInSummaries::Counted
                                                        : kelvane::analyzer::PracticeInSummaries::LeftOut;
    const ExitStatus reported =
        wantsReport ? writeReport(loadedReport, parser.value(report), files, parser.values(clusters), practice, err) : Success;
    if (reported == Failed || (!wide && !tidyTables))
        return reported;

    AnalysisRun run(parser.isSet(sav) ? OutputKind::SpssData : OutputKind::TabDelimited,
                    !parser.isSet(noHeader), QLocale::system(),
                    parser.isSet(byName) ? ClusterLayout::ByName : ClusterLayout::ByPosition);
    if (tidyTables)
        run.alsoTidy(parser.value(tidy));
    if (parser.isSet(includePractice))
        run.countPractice();
    for (const QString &path : files)
        run.add(path);

    for (const kelvane::FileError &problem : run.skipped())
        err << "kelvane-analyze: skipped " << problem.description << '\n';
    for (const QString &warning : run.warnings())
        err << "kelvane-analyze: " << warning << '\n';
    if (wide && !run.positionWarning().isEmpty())
        err << "kelvane-analyze: " << run.positionWarning() << '\n';

    if (wide) {
        if (const auto saved = run.save(parser.value(output)); !saved) {
            err << "kelvane-analyze: " << saved.error().description << '\n';
            return Failed;
        }
    }
    if (tidyTables) {
        if (const auto saved = run.saveTidy(parser.value(tidy)); !saved) {
            err << "kelvane-analyze: " << saved.error().description << '\n';
            return Failed;
        }
    }
    return run.skipped().isEmpty() ? Success : FilesSkipped;
}

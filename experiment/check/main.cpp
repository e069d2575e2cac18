// kelvane-check FILE.box|FILE.bex...: reports what will go wrong when each cluster file,
// and each experiment file with the clusters it lists, is read and run; exit status 0
// only when no file has problems (or, with --strict, warnings). --json prints what was
// read; --rewrite OUT writes the one cluster file given back in the canonical form;
// --orders prints the counterbalanced orders of the one experiment file given.

#include "kelvane/ProgramFiles.h"
#include "kelvane/Version.h"
#include "kelvane/check/CheckReport.h"
#include "kelvane/check/ClusterFileCheck.h"
#include "kelvane/check/ExperimentFileCheck.h"
#include "kelvane/check/OrdersListing.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

using namespace kelvane;

namespace {

int usageError(const QString &text)
{
    QTextStream(stderr) << "kelvane-check: " << text << "\nTry 'kelvane-check --help'.\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvane-check"));
    QCoreApplication::setApplicationVersion(QLatin1StringView(Version));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Checks Kelvane cluster files (.box) and experiment files (.bex): what keeps them from being "
        "read or run (problems) and what is odd but read in a known way (warnings). The report goes "
        "to standard output."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print what was read as JSON."));
    const QCommandLineOption strict(QStringLiteral("strict"),
                                    QStringLiteral("Count warnings as problems for the exit status."));
    const QCommandLineOption rewrite(QStringLiteral("rewrite"),
                                     QStringLiteral("Write the (one) cluster file back in the canonical form to OUT."),
                                     QStringLiteral("OUT"));
    const QCommandLineOption icons(QStringLiteral("icons"),
                                   QStringLiteral("Folder with the pictures (default: the pictures kelvane uses)."),
                                   QStringLiteral("DIR"));
    const QCommandLineOption orders(
        QStringLiteral("orders"),
        QStringLiteral("Print the orders of the clusters that Orders... in the experiment window would make for "
                       "the (one) experiment file, one line per order: its number, then the clusters, TAB-"
                       "separated. Nothing is checked or written."));
    const QCommandLineOption scheme(
        QStringLiteral("scheme"),
        QStringLiteral("With --orders: balanced (a balanced Latin square, the default), all (every order, up to "
                       "720) or listed (the list as it is)."),
        QStringLiteral("SCHEME"), QStringLiteral("balanced"));
    parser.addOptions({json, strict, rewrite, icons, orders, scheme});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Cluster and experiment files to check."),
                                 QStringLiteral("FILE.box|FILE.bex..."));
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(QStringLiteral("no file given"));
    if (parser.isSet(rewrite) && (files.size() != 1 || isExperimentFilePath(files.first())))
        return usageError(QStringLiteral("--rewrite takes exactly one cluster file"));

    if (parser.isSet(scheme) && !parser.isSet(orders))
        return usageError(QStringLiteral("--scheme goes with --orders"));
    QTextStream out(stdout);
    if (parser.isSet(orders)) {
        if (files.size() != 1 || !isExperimentFilePath(files.first()) || parser.isSet(rewrite) || parser.isSet(json))
            return usageError(QStringLiteral("--orders takes exactly one experiment file (.bex)"));
        const std::optional<OrderScheme> chosen = schemeFromName(parser.value(scheme));
        if (!chosen)
            return usageError(QStringLiteral("unknown scheme %1: use balanced, all or listed").arg(parser.value(scheme)));
        const OrdersListing listing = listOrders(files.first(), *chosen);
        if (!listing.problem.isEmpty()) {
            QTextStream(stderr) << "kelvane-check: " << listing.problem << '\n';
            return 1;
        }
        out << listing.text;
        return 0;
    }
    CheckReport report(out, parser.isSet(strict));
    QString iconFolder = parser.value(icons);
    if (!parser.isSet(icons)) {
        // Before kelvane's first start the researcher's own picture folder does not
        // exist yet; kelvane fills it from the shipped pictures then.
        const ProgramFiles program = locateProgramFiles();
        iconFolder = program.installed && !QFileInfo::exists(program.iconFolder) ? program.shippedIcons
                                                                                  : program.iconFolder;
    }
    iconFolder = QDir::cleanPath(iconFolder) + u'/';
    // Said once here rather than once per picture of every file; JSON keeps it per file.
    if (!parser.isSet(json) && !QFileInfo(iconFolder).isDir()) {
        report.addGeneral({Severity::Problem, 0,
                           QStringLiteral("the picture folder %1 does not exist, so no picture is checked")
                               .arg(QDir::toNativeSeparators(iconFolder))});
        iconFolder.clear();
    }

    QJsonArray reports;
    for (const QString &file : files) {
        if (isExperimentFilePath(file)) {
            const ExperimentFileReport checked = checkExperimentFile(file, iconFolder);
            if (parser.isSet(json))
                reports.append(reportToJson(checked, report.judge(checked.findings)));
            else
                report.addFile(file, checked.findings, checked.summary());
            continue;
        }
        ClusterFileReport checked = checkClusterFile(file, iconFolder);
        bool rewritten = false;
        if (parser.isSet(rewrite)) {
            FileError error;
            rewritten = rewriteClusterFile(checked, parser.value(rewrite), &error);
            if (!rewritten)
                checked.findings.append({Severity::Problem, 0, QStringLiteral("not rewritten: ") + error.description});
        }
        if (parser.isSet(json)) {
            reports.append(reportToJson(checked, report.judge(checked.findings)));
            continue;
        }
        report.addFile(file, checked.findings, checked.summary());
        if (rewritten)
            report.addNote(file, QStringLiteral("written to ") + parser.value(rewrite));
    }
    if (parser.isSet(json))
        out << QString::fromUtf8(QJsonDocument(reports).toJson());
    return report.exitStatus();
}

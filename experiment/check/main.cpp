// kelvane-check FILE.box|FILE.bex...: reports every problem of each cluster file, and of
// each experiment file and the clusters it lists; exit status 0 only when all is well.
// --json prints what was read; --rewrite OUT writes the one cluster file given back in
// the canonical form.

#include "kelvane/check/ClusterFileCheck.h"
#include "kelvane/check/ExperimentFileCheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

using namespace kelvane;

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvane-check"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Checks Kelvane cluster files (.box) and experiment files (.bex)."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print what was read as JSON."));
    const QCommandLineOption rewrite(QStringLiteral("rewrite"),
                                     QStringLiteral("Write the (one) file back in the canonical form to OUT."),
                                     QStringLiteral("OUT"));
    const QCommandLineOption icons(QStringLiteral("icons"),
                                   QStringLiteral("Folder with the pictures (default: ico beside the program)."),
                                   QStringLiteral("DIR"));
    parser.addOptions({json, rewrite, icons});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Cluster and experiment files to check."),
                                 QStringLiteral("FILE.box|FILE.bex..."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        print(stderr, QStringLiteral("kelvane-check: no cluster file given (see --help)"));
        return 2;
    }
    if (parser.isSet(rewrite) && (files.size() != 1 || isExperimentFilePath(files.first()))) {
        print(stderr, QStringLiteral("kelvane-check: --rewrite takes exactly one cluster file"));
        return 2;
    }
    QString iconFolder = parser.isSet(icons) ? parser.value(icons)
                                             : QCoreApplication::applicationDirPath() + QStringLiteral("/ico");
    iconFolder = QDir::cleanPath(iconFolder) + u'/';

    bool allWell = true;
    QJsonArray reports;
    for (const QString &file : files) {
        if (isExperimentFilePath(file)) {
            const ExperimentFileReport report = checkExperimentFile(file, iconFolder);
            allWell = allWell && report.problems.isEmpty();
            if (parser.isSet(json)) {
                reports.append(reportToJson(report));
                continue;
            }
            if (report.problems.isEmpty())
                print(stdout, QStringLiteral("%1: ok (%2 entries, %3 clusters)")
                                  .arg(file).arg(report.entries.size()).arg(report.clusterCount));
            for (const QString &problem : report.problems)
                print(stdout, QStringLiteral("%1: %2").arg(file, problem));
            continue;
        }
        const ClusterFileReport report = checkClusterFile(file, iconFolder);
        allWell = allWell && report.problems.isEmpty();
        if (parser.isSet(rewrite)) {
            FileError error;
            if (!rewriteClusterFile(report, parser.value(rewrite), &error)) {
                print(stderr, QStringLiteral("kelvane-check: not rewritten: %1").arg(error.description));
                return 1;
            }
            print(stderr, QStringLiteral("%1: written to %2").arg(file, parser.value(rewrite)));
        }
        if (parser.isSet(json)) {
            reports.append(reportToJson(report));
            continue;
        }
        if (report.problems.isEmpty()) {
            const ClusterModel &cluster = report.content.cluster;
            int boxes = 0;
            for (int t = 0; t < cluster.trialCount(); ++t)
                boxes += cluster.CountBoxes(t);
            print(stdout, QStringLiteral("%1: ok (%2 trials, %3 boxes)").arg(file).arg(cluster.trialCount()).arg(boxes));
        }
        for (const QString &problem : report.problems)
            print(stdout, QStringLiteral("%1: %2").arg(file, problem));

    }
    if (parser.isSet(json))
        std::fputs(QJsonDocument(reports).toJson().constData(), stdout);
    return allWell ? 0 : 1;
}

// Time, size and memory of kelvane-analyze --report: writes a study (by default 200
// subjects, 5 clusters of 20 trials each) and the five cluster files its result files
// name, then draws the report for growing numbers of subjects, so that memory which grows
// with the subjects shows up beside the time.
//
//   bench_report [SUBJECTS] [CLUSTERS] [TRIALS]
//
// Peak memory is the child's maximum resident set, as /usr/bin/time -v reports it.

#include "Study.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace kelvane::bench;

namespace {

// Twelve boxes on a grid, enough for every box number the study's searches use.
QByteArray gridCluster(int trials)
{
    QByteArray text = QByteArray::number(trials) + "\r\n";
    for (int t = 0; t < trials; ++t) {
        text += "\"10\",\"Time is up.\",\"1\",\"Start\",\"Next\",\"2\",\" 0\",\" 16777215\",\"85\",\" 12\",";
        for (int b = 0; b < 12; ++b) {
            const QByteArray left = QByteArray::number(0.08 + 0.22 * (b % 4), 'f', 2);
            const QByteArray top = QByteArray::number(0.1 + 0.3 * (b / 4), 'f', 2);
            text += "\"Box1.ico\",\"EmptyBox1.ico\",\"Content1.ico\",#FALSE#,\" " + left + "\",\" " + top + "\",";
        }
    }
    return text + "\"Content1.ico\",\"Content2.ico\",\"Content3.ico\",\"Content4.ico\",\"Content5.ico\",\"Content6.ico\",";
}

struct Run
{
    double seconds = 0;
    double peakMegabytes = 0;
    qint64 bytes = 0;
    bool ok = false;
};

Run drawReport(const QString &pdf, const QString &clusters, const QStringList &files)
{
    std::vector<QByteArray> argumentBytes{KELVANE_ANALYZE_PROGRAM, "--report", QFile::encodeName(pdf),
                                          "--clusters", QFile::encodeName(clusters)};
    for (const QString &path : files)
        argumentBytes.push_back(QFile::encodeName(path));
    std::vector<char *> arguments;
    for (QByteArray &argument : argumentBytes)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    Run run;
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, arguments[0], nullptr, nullptr, arguments.data(), environ) != 0)
        return run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    run.bytes = QFileInfo(pdf).size();
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    StudyShape shape;
    shape.files = arguments.size() > 1 ? arguments[1].toInt() : 200;
    shape.clusters = arguments.size() > 2 ? arguments[2].toInt() : 5;
    shape.trials = arguments.size() > 3 ? arguments[3].toInt() : 20;

    QTemporaryDir folder;
    const QString clusters = folder.filePath(QStringLiteral("clusters"));
    if (!folder.isValid() || !QDir().mkpath(clusters))
        return 2;
    QStringList paths;
    writeStudy(folder.path(), shape, &paths);
    for (int c = 1; c <= shape.clusters; ++c) {
        QFile file(QDir(clusters).filePath(QStringLiteral("cluster%1.box").arg(c)));
        if (!file.open(QIODevice::WriteOnly) || file.write(gridCluster(shape.trials)) < 0)
            return 2;
    }

    std::printf("report of %d clusters x %d trials per subject\n", shape.clusters, shape.trials);
    std::printf("%9s %7s %10s %10s %12s\n", "subjects", "pages", "time (s)", "size (MB)", "peak (MB)");
    for (int subjects : {shape.files / 4, shape.files / 2, shape.files}) {
        if (subjects < 1)
            continue;
        const QString pdf = folder.filePath(QStringLiteral("report-%1.pdf").arg(subjects));
        const Run run = drawReport(pdf, clusters, paths.first(subjects));
        if (!run.ok) {
            std::fprintf(stderr, "kelvane-analyze --report failed for %d subjects\n", subjects);
            return 1;
        }
        std::printf("%9d %7d %10.2f %10.2f %12.1f\n", subjects, 1 + subjects * shape.clusters, run.seconds,
                    double(run.bytes) / 1e6, run.peakMegabytes);
    }
    return 0;
}

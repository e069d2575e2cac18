// Throughput of kelvane-analyze: writes a study's worth of result files (by default
// 2,000 subjects, 5 clusters of 20 trials each) into a temporary folder, runs the
// command line program on all of them once, and reports files/s, MB/s and the
// child's peak memory.
//
//   bench_analyzer [--sav] [FILES] [CLUSTERS] [TRIALS]

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

// One trial as a subject might search it: boxes opened in a wandering order, now and
// then a box opened again, until the target turns up.
QByteArray trialLine(QRandomGenerator &random, int trial, const QByteArray &cluster, int boxes)
{
    const int target = 1 + int(random.bounded(boxes));
    QList<int> clicks;
    QList<int> unopened;
    for (int b = 1; b <= boxes; ++b)
        unopened.append(b);
    while (true) {
        int box;
        if (!clicks.isEmpty() && random.bounded(5) == 0)
            box = clicks[random.bounded(int(clicks.size()))];
        else
            box = unopened.takeAt(random.bounded(int(unopened.size())));
        clicks.append(box);
        if (box == target)
            break;
    }
    QByteArray order;
    QByteArray timed;
    double clock = 0;
    for (const int box : clicks) {
        clock += 0.4 + random.bounded(1.5);
        order += ' ' + QByteArray::number(box);
        timed += ' ' + QByteArray::number(box) + "@ " + QByteArray::number(clock, 'f', 2);
    }
    QByteArray repeats;
    for (qsizetype i = 0; i < clicks.size(); ++i) {
        if (clicks.indexOf(clicks[i], i + 1) > 0)
            repeats += ' ' + QByteArray::number(clicks[i]);
    }
    return ' ' + QByteArray::number(trial) + " \t" + cluster + "\t " + QByteArray::number(boxes)
           + " \t " + QByteArray::number(boxes - 1) + " \t " + QByteArray::number(target) + " \t "
           + QByteArray::number(clock, 'f', 2) + "\t " + QByteArray::number(clicks.size()) + " \t"
           + order + '\t' + timed + '\t' + repeats + "\r\n";
}

qint64 writeStudy(const QString &folder, int files, int clusters, int trials, QStringList *paths)
{
    QRandomGenerator random(20261207);
    qint64 bytes = 0;
    for (int f = 0; f < files; ++f) {
        QByteArray text = "\"07-12-2026\",\"09:00:00\",\"subject\"\r\n"
                          "Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\t"
                          "Total opened\tClick order\tTimed click order\tWithin Error\r\n";
        for (int c = 0; c < clusters; ++c) {
            const QByteArray cluster = "C:\\study\\cluster" + QByteArray::number(c + 1) + ".box";
            const int boxes = 4 + int(random.bounded(9));
            for (int t = 0; t < trials; ++t)
                text += trialLine(random, t, cluster, boxes);
        }
        const QString path = QDir(folder).filePath(QStringLiteral("s%1.bof").arg(f + 1, 4, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(2);
        }
        bytes += text.size();
        paths->append(path);
    }
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    const bool sav = arguments.removeAll(QStringLiteral("--sav")) > 0;
    const int files = arguments.size() > 1 ? arguments[1].toInt() : 2000;
    const int clusters = arguments.size() > 2 ? arguments[2].toInt() : 5;
    const int trials = arguments.size() > 3 ? arguments[3].toInt() : 20;

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 2;
    }
    QStringList paths;
    const qint64 bytes = writeStudy(folder.path(), files, clusters, trials, &paths);
    const QString output = folder.filePath(sav ? QStringLiteral("measures.sav")
                                               : QStringLiteral("measures.dat"));

    std::vector<QByteArray> argumentBytes{QByteArray(KELVANE_ANALYZE_PROGRAM), "-o",
                                          QFile::encodeName(output)};
    if (sav)
        argumentBytes.push_back("--sav");
    for (const QString &path : paths)
        argumentBytes.push_back(QFile::encodeName(path));
    std::vector<char *> childArguments;
    for (QByteArray &argument : argumentBytes)
        childArguments.push_back(argument.data());
    childArguments.push_back(nullptr);

    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, KELVANE_ANALYZE_PROGRAM, nullptr, nullptr, childArguments.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", KELVANE_ANALYZE_PROGRAM);
        return 2;
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "kelvane-analyze failed (status %d)\n", status);
        return 1;
    }

    std::printf("files: %d (%d clusters x %d trials), %.2f MB of result files, output %s\n", files,
                clusters, trials, double(bytes) / 1e6, sav ? "SPSS data file" : "tab-delimited table");
    std::printf("time: %.3f s\n", seconds);
    std::printf("throughput: %.0f files/s, %.2f MB/s\n", files / seconds, double(bytes) / 1e6 / seconds);
    std::printf("peak memory of kelvane-analyze: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}

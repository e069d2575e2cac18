// Throughput and memory of kelvane-analyze: writes a study's worth of result files
// (by default 2,000 subjects, 5 clusters of 20 trials each) into a temporary folder and
// runs the command line program on all of them at once, several times. With --against
// another build of the program runs in turn with this one (one run of each, then the
// other way round), both are reported, and their outputs are compared. With --tidy
// this build runs in turn with and without also writing the tidy tables, and the
// ratio of the two is reported.
//
//   bench_analyzer [--sav] [--tidy] [--runs N] [--against PROGRAM] [--folder DIR] [FILES] [CLUSTERS] [TRIALS]
//
// --folder keeps the study in DIR (created if needed) instead of a temporary folder.

#include "Study.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace kelvane::bench;

namespace {

struct Program
{
    QByteArray path;
    QString output;
    QString tidyFolder; // also writes the tidy tables there when set
    std::vector<double> seconds;    // wall time
    std::vector<double> cpuSeconds; // user and system time, less disturbed by a busy machine
    double peakMegabytes = 0;
};

struct RunOptions
{
    bool sav = false;
    bool tidy = false;
    int runs = 7;
    QString against;
    QString folder;
    StudyShape shape;
};

bool takeOption(QStringList &arguments, const QString &name, QString *value)
{
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || at + 1 >= arguments.size())
        return false;
    *value = arguments[at + 1];
    arguments.remove(at, 2);
    return true;
}

RunOptions optionsFrom(QStringList arguments)
{
    RunOptions options;
    options.sav = arguments.removeAll(QStringLiteral("--sav")) > 0;
    options.tidy = arguments.removeAll(QStringLiteral("--tidy")) > 0;
    QString runs;
    if (takeOption(arguments, QStringLiteral("--runs"), &runs))
        options.runs = std::max(1, runs.toInt());
    takeOption(arguments, QStringLiteral("--against"), &options.against);
    takeOption(arguments, QStringLiteral("--folder"), &options.folder);
    if (arguments.size() > 1)
        options.shape.files = arguments[1].toInt();
    if (arguments.size() > 2)
        options.shape.clusters = arguments[2].toInt();
    if (arguments.size() > 3)
        options.shape.trials = arguments[3].toInt();
    return options;
}

// One run of the program over every file; false when it could not start or failed.
bool runOnce(Program &program, const QStringList &files, bool sav)
{
    std::vector<QByteArray> argumentBytes{program.path, "-o", QFile::encodeName(program.output)};
    if (sav)
        argumentBytes.push_back("--sav");
    if (!program.tidyFolder.isEmpty()) {
        argumentBytes.push_back("--tidy");
        argumentBytes.push_back(QFile::encodeName(program.tidyFolder));
    }
    for (const QString &path : files)
        argumentBytes.push_back(QFile::encodeName(path));
    std::vector<char *> childArguments;
    for (QByteArray &argument : argumentBytes)
        childArguments.push_back(argument.data());
    childArguments.push_back(nullptr);

    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, program.path.constData(), nullptr, nullptr, childArguments.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.path.constData());
        return false;
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    program.seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    const auto toSeconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    program.cpuSeconds.push_back(toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime));
    program.peakMegabytes = std::max(program.peakMegabytes, double(usage.ru_maxrss) / 1024.0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.path.constData(), status);
        return false;
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

void report(const char *label, const Program &program, int files, qint64 bytes)
{
    const auto [fastest, slowest] = std::minmax_element(program.seconds.begin(), program.seconds.end());
    const double middle = median(program.seconds);
    std::printf("%s: %s\n", label, program.path.constData());
    std::printf("  time: min %.3f s, median %.3f s, max %.3f s (%zu runs)\n", *fastest, middle,
                *slowest, program.seconds.size());
    std::printf("  processor time (user + system): min %.3f s, median %.3f s\n",
                *std::min_element(program.cpuSeconds.begin(), program.cpuSeconds.end()),
                median(program.cpuSeconds));
    std::printf("  throughput at the median: %.0f files/s, %.1f MB/s\n", files / middle,
                double(bytes) / 1e6 / middle);
    std::printf("  peak memory: %.1f MB\n", program.peakMegabytes);
}

// The SPSS data file's header stamps the creation date and time (17 bytes from offset
// 104); everything else must agree.
bool sameOutput(const QString &first, const QString &second, bool sav)
{
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return false;
    QByteArray x = a.readAll();
    QByteArray y = b.readAll();
    if (sav && x.size() > 121 && y.size() > 121) {
        x.remove(104, 17);
        y.remove(104, 17);
    }
    return x == y;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const RunOptions options = optionsFrom(QCoreApplication::arguments());

    QTemporaryDir temporary;
    QString folder = options.folder;
    if (folder.isEmpty()) {
        if (!temporary.isValid()) {
            std::fprintf(stderr, "no temporary folder\n");
            return 2;
        }
        folder = temporary.path();
    } else if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 2;
    }
    QStringList paths;
    const qint64 bytes = writeStudy(folder, options.shape, &paths);
    const QString extension = options.sav ? QStringLiteral(".sav") : QStringLiteral(".dat");

    std::vector<Program> programs{{QByteArray(KELVANE_ANALYZE_PROGRAM),
                                   QDir(folder).filePath(QStringLiteral("measures") + extension), {}, {}, {}, 0}};
    if (options.tidy) {
        programs.push_back({QByteArray(KELVANE_ANALYZE_PROGRAM),
                            QDir(folder).filePath(QStringLiteral("measures-with-tidy") + extension),
                            QDir(folder).filePath(QStringLiteral("tidy")), {}, {}, 0});
    } else if (!options.against.isEmpty()) {
        programs.push_back({QFile::encodeName(options.against),
                            QDir(folder).filePath(QStringLiteral("measures-against") + extension), {}, {}, {}, 0});
    }

    // One warm-up run of each brings the program and the files into the cache.
    for (Program &program : programs) {
        if (!runOnce(program, paths, options.sav))
            return 1;
        program.seconds.clear();
        program.cpuSeconds.clear();
    }
    for (int run = 0; run < options.runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Program &program = programs[run % 2 ? programs.size() - 1 - i : i];
            if (!runOnce(program, paths, options.sav))
                return 1;
        }
    }

    std::printf("files: %d (%d clusters x %d trials), %.2f MB of result files, output %s\n",
                options.shape.files, options.shape.clusters, options.shape.trials,
                double(bytes) / 1e6, options.sav ? "SPSS data file" : "tab-delimited table");
    report("this build", programs[0], options.shape.files, bytes);
    if (options.tidy) {
        report("this build, also writing the tidy tables", programs[1], options.shape.files, bytes);
        qint64 tidyBytes = 0;
        for (const QFileInfo &file : QDir(programs[1].tidyFolder).entryInfoList(QDir::Files))
            tidyBytes += file.size();
        std::printf("tidy tables: %.1f MB; time with them / without: %.2f (median), %.2f (processor)\n",
                    double(tidyBytes) / 1e6, median(programs[1].seconds) / median(programs[0].seconds),
                    median(programs[1].cpuSeconds) / median(programs[0].cpuSeconds));
        // The wide table is the same with or without them.
        const bool same = sameOutput(programs[0].output, programs[1].output, options.sav);
        std::printf("wide outputs: %s\n", same ? "byte-identical" : "DIFFERENT");
        return same ? 0 : 1;
    }
    if (programs.size() > 1) {
        report("against", programs[1], options.shape.files, bytes);
        const bool same = sameOutput(programs[0].output, programs[1].output, options.sav);
        std::printf("outputs: %s\n", same ? "byte-identical" : "DIFFERENT");
        if (!same)
            return 1;
    }
    return 0;
}

#include "ReportLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <filesystem>
#include <system_error>

#ifndef KELVANE_REPORT_FROM_BINARY
#define KELVANE_REPORT_FROM_BINARY "../lib/kelvane"
#endif

namespace kelvane::analyzer::report {

namespace {

const QString LibraryFile = QStringLiteral("kelvane-analyze-report.so");

// Known before any application object exists, which the library itself may make.
QString runningBinaryFolder()
{
    std::error_code error;
    const std::filesystem::path binary = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? QDir::currentPath() : QString::fromStdString(binary.parent_path().string());
}

} // namespace

QStringList reportLibraryPaths(const QString &binaryFolder)
{
    const QDir folder(binaryFolder);
    return {folder.filePath(LibraryFile),
            QDir::cleanPath(folder.filePath(QLatin1StringView(KELVANE_REPORT_FROM_BINARY) + u'/' + LibraryFile))};
}

LoadedReport loadReport()
{
    const QStringList paths = reportLibraryPaths(runningBinaryFolder());
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary library(path);
        LoadedReport loaded;
        loaded.makeApplication = reinterpret_cast<MakeReportApplication>(library.resolve(MakeReportApplicationName));
        loaded.write = reinterpret_cast<WriteReportCall>(library.resolve(WriteReportName));
        if (!loaded.makeApplication || !loaded.write)
            loaded.problem = QStringLiteral("the report library %1 cannot be used: %2").arg(path, library.errorString());
        return loaded;
    }
    LoadedReport missing;
    missing.problem = QStringLiteral("the report library is missing (looked for %1)").arg(paths.join(QStringLiteral(", ")));
    return missing;
}

} // namespace kelvane::analyzer::report

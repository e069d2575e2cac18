#pragma once
// Finds the report's library beside the program (a build) or in the library folder
// (an install) and loads it.

#include "ReportModule.h"

#include <QString>

namespace kelvane::analyzer::report {

struct LoadedReport
{
    MakeReportApplication makeApplication = nullptr;
    WriteReportCall write = nullptr;
    QString problem; // why the library could not be used, naming it; empty when loaded
};

// The library's paths to try, in order, for a program in `binaryFolder`.
QStringList reportLibraryPaths(const QString &binaryFolder);

// Loads the library for the running program. The library stays loaded.
LoadedReport loadReport();

} // namespace kelvane::analyzer::report

#pragma once
// The study report as a library that the command line loads only when a report is asked
// for, so that every other run starts without Qt Gui and the window system. The library
// answers two calls, found by these names.

#include "ReportWriter.h"

#include <QString>

class QCoreApplication;

namespace kelvane::analyzer::report {

// Makes the application a report is drawn in: a GUI application, for its fonts, on the
// offscreen platform unless the caller chose one.
using MakeReportApplication = QCoreApplication *(*)(int &argc, char **argv);
// Writes the report as writeReport does.
using WriteReportCall = void (*)(const ReportRequest &request, ReportOutcome &outcome);

inline constexpr char MakeReportApplicationName[] = "kelvaneMakeReportApplication";
inline constexpr char WriteReportName[] = "kelvaneWriteReport";

} // namespace kelvane::analyzer::report

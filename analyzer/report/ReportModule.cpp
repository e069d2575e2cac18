#include "ReportModule.h"

#include <QGuiApplication>

using namespace kelvane::analyzer::report;

extern "C" Q_DECL_EXPORT QCoreApplication *kelvaneMakeReportApplication(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

extern "C" Q_DECL_EXPORT void kelvaneWriteReport(const ReportRequest &request, ReportOutcome &outcome)
{
    outcome = writeReport(request);
}

// Both calls must keep the types the command line expects.
static_assert(std::is_same_v<decltype(&kelvaneMakeReportApplication), MakeReportApplication>);
static_assert(std::is_same_v<decltype(&kelvaneWriteReport), WriteReportCall>);

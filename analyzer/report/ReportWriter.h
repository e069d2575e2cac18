#pragma once
// The study report: one PDF, A4 portrait, a study page and then, per subject, a page of
// the subject's scores by problem size and the pages of each cluster with every search
// drawn on its layout.

#include "SubjectSummary.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace kelvane::analyzer::report {

struct ReportRequest
{
    QString pdfPath;
    QStringList resultFiles;    // in the order their pages come
    QStringList clusterFolders; // where else to look for cluster files, in order
    QLocale locale;             // of the measures' decimal separator, as in the table
    QString date;               // printed on the study page
    // Whether the scores by size and subject count the practice clusters.
    PracticeInSummaries practice = PracticeInSummaries::LeftOut;
};

struct ReportOutcome
{
    int pages = 0;
    int subjects = 0;
    int leftOut = 0; // result files that could not be read
    // Result files left out and why, event logs that did not match; the report stands.
    QStringList notes;
    QString problem; // why no report was written, naming the file
};

// Writes the report; on failure nothing is left at pdfPath. Every file is read twice,
// once for the study page and once for its own pages, so that no more than one subject is
// held at a time whatever the number of subjects.
ReportOutcome writeReport(const ReportRequest &request);

} // namespace kelvane::analyzer::report

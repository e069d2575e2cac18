#pragma once
// From a scored result file to what its report pages draw.

#include "ReportPages.h"
#include "SearchScores.h"
#include "SubjectSummary.h"

#include <QLocale>

namespace kelvane::analyzer::report {

DrawnSearch drawnSearch(const TrialScore &trial);

// The page of cluster `cluster` of `file`, its layouts taken from `layouts`.
ClusterPage clusterPage(const FileScore &file, const ClusterScore &cluster, LayoutCache &layouts,
                        const QLocale &locale);

// The page of the literature's scores of `file` by problem size; a practice cluster left
// out of them is named in a note.
SubjectPage subjectPage(const FileScore &file, const QLocale &locale,
                        PracticeInSummaries practice = PracticeInSummaries::LeftOut);

// What the study page needs of one subject.
void addToStudy(StudySummary &study, const FileScore &file,
                PracticeInSummaries practice = PracticeInSummaries::LeftOut);

// The study page's table: per problem size, the subjects' means with their standard errors.
GridTable studyTableBySize(const StudySummary &study, const QLocale &locale);

// The note on every page of a subject whose logged session did not end complete; empty
// when it did, or when no log says how it ended.
QString sessionNote(const FileScore &file);

} // namespace kelvane::analyzer::report

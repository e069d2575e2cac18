#pragma once
// The checker's output, one place for every kind of file it checks, so that all of them
// read alike: one line per finding, the file named once at its start, the line where
// reading found it, and whether it is a problem or a warning.

#include "kelvane/model/ClusterProblem.h"

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QTextStream>

namespace kelvane {

struct Finding
{
    Severity severity = Severity::Problem;
    int line = 0;  // 1-based line in the file; 0 when not about one line
    QString text;  // names the trial and box where it is about one
};

// A cluster problem as a finding: its trial and box lead the text.
Finding toFinding(const ClusterProblem &problem);

// "1 trial", "3 trials": a count for the summaries.
QString counted(int count, const QString &one, const QString &many);

// "FILE:LINE: problem: TEXT", "FILE: warning: TEXT".
QString findingLine(const QString &path, const Finding &finding);

// The findings of one severity for JSON output: "line 2: TEXT" or "TEXT".
QJsonArray findingTexts(const QList<Finding> &findings, Severity severity);

class CheckReport
{
public:
    // With `strict`, warnings count as problems for the exit status.
    CheckReport(QTextStream &out, bool strict);

    // The findings about one file, then "FILE: ok (SUMMARY)" when it passes; `summary`
    // says what the file holds ("2 trials, 3 boxes"). Returns whether it passes.
    bool addFile(const QString &path, const QList<Finding> &findings, const QString &summary);
    // A finding that is not about one file (a missing picture folder).
    void addGeneral(const Finding &finding);
    // A line of information about a file: "FILE: TEXT".
    void addNote(const QString &path, const QString &text);

    // Whether a file with these findings passes; a file that does not fails the run.
    // addFile does this itself; for output in another form (JSON).
    bool judge(const QList<Finding> &findings);

    bool counts(const Finding &finding) const;
    // 0 when every file passed, 1 otherwise.
    int exitStatus() const { return m_failed ? 1 : 0; }

private:
    QTextStream &m_out;
    bool m_strict;
    bool m_failed = false;
};

} // namespace kelvane

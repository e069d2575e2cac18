#pragma once
// Reads result files and computes the measures of each of their clusters.

#include "FileBytes.h"
#include "Measures.h"
#include "SearchScores.h"

#include "kelvane/formats/FileResult.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

namespace kelvane::analyzer {

// The bounds of the analysis: files beyond them are refused, not truncated.
namespace Limit {
inline constexpr int DataLines = 255;
inline constexpr int Clusters = 255;
inline constexpr int Trials = 255;
inline constexpr int ClickItems = 256;
inline constexpr int BoxValue = 255;        // box counts, targets, clicks, opened counts
inline constexpr int DistanceText = 255;    // click strings compared for distances
inline constexpr int Accumulator = 32767;   // sums and counts per cluster
inline constexpr int TrialNumberLow = -32768;
inline constexpr int TrialNumberHigh = 32767;
} // namespace Limit

// A result file's measures, or why the file cannot be analysed: the error's description
// names the file and the line ("/data/s1.bof, line 7: ..."), its reason says what is
// wrong without them, and its line is 0 when no single line is at fault.
using ReadOutcome = FileResult<SubjectResult>;

// The error for `problem` found at `line` (0: none) of the result file at `path`.
FileError readProblem(const QString &path, int line, const QString &problem);

// Reads one result file after another. The file's bytes and the working tables are
// kept from one file to the next, so a run over many files allocates them once.
class ResultReader
{
public:
    ResultReader();
    ~ResultReader();
    ResultReader(const ResultReader &) = delete;
    ResultReader &operator=(const ResultReader &) = delete;

    // Reads the result file at `path` (Windows-1252, CR LF or LF line ends). With
    // `score`, the same parse also fills its clusters and trials, click by click.
    ReadOutcome read(const QString &path, FileScore *score = nullptr);

    // The same for a file's bytes already in memory; `path` gives the subject name and
    // is named in problems.
    ReadOutcome readBytes(const QString &path, QByteArrayView bytes, FileScore *score = nullptr);

private:
    struct Tables;
    SubjectResult analyse(const QString &subject, QByteArrayView bytes, FileScore *score);

    std::unique_ptr<Tables> m_tables;
    FileBytes m_file;
};

// Reads the result file at `path` with a reader of its own.
ReadOutcome LeesFile(const QString &path);

// The same for a file's text already in memory, as decoded from Windows-1252.
ReadOutcome readResultText(const QString &path, QStringView text);

} // namespace kelvane::analyzer

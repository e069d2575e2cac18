#pragma once

#include <QString>

namespace kelvane {

// A problem keeps a cluster from doing what its file says; a warning marks something
// odd that is still read and run in a known way.
enum class Severity { Problem, Warning };

// Something found in a cluster or its file, placed as precisely as it is known.
struct ClusterProblem
{
    int trial = -1; // 0-based; -1 when the problem is not about one trial
    int box = 0;    // box number; 0 when not about one box
    QString text;
    Severity severity = Severity::Problem;
    int line = 0;   // 1-based line of the file where reading found it; 0 when not known

    // "trial 2, box 3: ..." with trials numbered as the researcher sees them.
    QString describe() const;
};

} // namespace kelvane

#pragma once
// A study's worth of result files as the experiment program writes them: random but
// plausible searches, the same files for the same seed.

#include <QString>
#include <QStringList>

namespace kelvane::bench {

struct StudyShape
{
    int files = 2000;
    int clusters = 5;
    int trials = 20;
};

// Writes s0001.bof, s0002.bof, ... into `folder`; returns the bytes written and fills
// `paths` in order. Exits the program when a file cannot be written.
qint64 writeStudy(const QString &folder, const StudyShape &shape, QStringList *paths);

} // namespace kelvane::bench

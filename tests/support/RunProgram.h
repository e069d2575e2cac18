#pragma once

#include <QString>
#include <QStringList>

namespace kelvane::test {

struct ProgramRun
{
    int status = -1; // exit code; -1 when the program crashed or did not finish in time
    QString out;
    QString err;
};

// Runs one of our command-line programs to the end.
ProgramRun runProgram(const QString &program, const QStringList &arguments);

} // namespace kelvane::test

#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace kelvane::test {

struct ProgramRun
{
    int status = -1; // exit code; -1 when the program crashed or did not finish in time
    QString out;
    QString err;
};

struct RunOptions
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString workingDirectory; // the test's own when empty
    int timeoutMs = 60000;    // a program still running then is killed (status -1)
};

// Runs one of our command-line programs to the end. Its standard input is a pipe that
// is closed at once, as for a program started from a script.
ProgramRun runProgram(const QString &program, const QStringList &arguments, const RunOptions &options = {});

} // namespace kelvane::test

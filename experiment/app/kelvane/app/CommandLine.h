#pragma once
// What kelvane's command line asks for. It is read before any window can exist, so that
// --help, --version and a mistyped option are answered on a machine without a display.

#include "kelvane/study/StudyOptions.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace kelvane {

enum class CommandAction {
    OpenWindow, // the usual start, with or without a file to open
    RunCluster, // --run-cluster FILE.box
    NewStudy,   // --new-study DIR
    Help,
    Version,
    UsageError,
};

enum class FileKind { None, Cluster, Experiment };

struct CommandLine
{
    CommandAction action = CommandAction::OpenWindow;
    QString file;                 // to open (OpenWindow, may be empty) or to run (RunCluster)
    FileKind kind = FileKind::None; // of the file to open
    QString error;                // what is wrong, for UsageError
    bool platformGiven = false;   // Qt's -platform option chose where windows go
    QString output;               // RunCluster: --output FILE.bof
    bool replace = false;         // RunCluster, NewStudy: --replace
    StudyOptions study;           // NewStudy; `file` is the folder
    bool seedGiven = false;       // NewStudy: --seed; otherwise one is drawn
};

// The arguments as main received them.
QStringList argumentsOf(int argc, char *argv[]);

// `arguments` begins with the program's own name. Qt's own options (-platform NAME,
// -style NAME, -reverse, ...) are accepted and left to Qt.
CommandLine parseCommandLine(const QStringList &arguments);

// A cluster file ends in ".box", an experiment file in ".bex", in any case.
FileKind fileKindOf(const QString &path);

QString usageText();
QString versionText();

// Answers what needs no window: help and version on `out`, a usage error on `errors`
// (status 2), and a start without anywhere to show a window (status 1). Nothing when
// the program should go on and open its window.
std::optional<int> answerWithoutWindow(const CommandLine &command, bool windowsPossible,
                                       QTextStream &out, QTextStream &errors);

} // namespace kelvane

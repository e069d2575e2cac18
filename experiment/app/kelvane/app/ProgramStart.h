#pragma once

#include "kelvane/ProgramFiles.h"
#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"

#include <QStringList>

namespace kelvane {

// ProgramFolder is `folder`; pictures are looked for in its "ico" folder.
void setProgramFolders(Program &program, const QString &folder);

// The folders found for the running program. Once installed, the researcher's own
// picture folder gets every shipped picture it lacks; returns what could not be copied.
QStringList setProgramFolders(Program &program, const ProgramFiles &files);

// What the program does before its first window shows: the first trial gets the
// editor's initial values, the store its first-run values if it is new, and then the
// stored defaults are applied. Returns stored values that could not be used.
QStringList startProgram(Program &program, SettingsStore &store);

// The message about those values: a lead line, then one line each.
QString startupProblemText(const QStringList &problems);

} // namespace kelvane

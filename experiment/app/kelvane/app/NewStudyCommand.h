#pragma once

#include "kelvane/app/CommandLine.h"
#include "kelvane/options/SettingsStore.h"

#include <QTextStream>

namespace kelvane {

// kelvane --new-study DIR: makes the study with the stored defaults' look, says on `out`
// what was written and how to make it again, or on `errors` why nothing was. The seed
// is `command.study.seed` when given, `drawnSeed` otherwise. Returns the exit status.
int makeStudyFromCommandLine(const CommandLine &command, const SettingsStore &store, quint64 drawnSeed,
                             QTextStream &out, QTextStream &errors);

} // namespace kelvane

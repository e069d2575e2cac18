#pragma once

#include "kelvane/app/CommandLine.h"
#include "kelvane/StartPlace.h"
#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"

#include <QStringList>

namespace kelvane {

// kelvane --run-cluster FILE.box in a real session: Qt's sounds and pointer, message
// boxes only for a person at the desktop, and no run at all on a platform whose
// windows nobody sees. `startupProblems` are the stored settings that could not be
// used. Returns the exit status.
int runClusterFromCommandLine(Program &program, const SettingsStore &store, const CommandLine &command,
                              const QStringList &startupProblems, const StartPlace &place);

} // namespace kelvane

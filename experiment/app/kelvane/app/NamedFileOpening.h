#pragma once
// Where a file named on kelvane's command line goes once the program has started.

#include "kelvane/model/Program.h"
#include "kelvane/runexp/ExperimentLaunch.h"

#include <QString>

class QWidget;

namespace kelvane {

class RunExp;

// Opens the experiment window with the experiment file at `path` in place of
// `mainWindow`, which is hidden and shows again when the experiment window closes, as
// when the experiment window is opened from the main window. A file that cannot be read
// is named in a message and leaves the window open with an empty list. The window
// belongs to `mainWindow` and may be shown again (it starts afresh each time).
RunExp *openExperimentWindow(Program &program, const RunExpServices &services, const QString &path,
                             QWidget *mainWindow);

// Hands the cluster file at `path` to the cluster editor. Until kelvane's main window
// is the editor, the file is not opened and stderr says so.
void openClusterInEditor(const QString &path);

} // namespace kelvane

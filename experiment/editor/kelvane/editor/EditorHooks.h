#pragma once
// What the editor needs from the rest of the program: the services of a run, and the
// windows other parts of the program provide. The editor links none of those windows;
// the program start fills the hooks, and an empty hook leaves its menu entry disabled.

#include "kelvane/Dialogs.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/trial/PointerCounter.h"
#include "kelvane/trial/SoundPlayer.h"

#include <functional>

namespace kelvane {

struct EditorServices
{
    Dialogs &dialogs;
    SettingsStore &store;
    SoundPlayer &targetSound;
    SoundPlayer &clickSound;
    PointerCounter &pointer;
};

struct EditorHooks
{
    // Shows the experiment window without waiting for it. It calls `closed` once it has
    // closed, from its close handling (so that the program does not end while no window
    // is shown), and the editor shows itself again.
    std::function<void(std::function<void()> closed)> showExperimentWindow;
    // Shows the options dialog modally; true when the researcher saved.
    std::function<bool()> showOptionsDialog;
    // Shows the icon editor without waiting for it.
    std::function<void()> showIconEditor;
    // Asks the icon editor whether the program may end (it asks about its own unsaved
    // icon); false stops the program from ending.
    std::function<bool()> iconEditorAllowsQuit;
};

} // namespace kelvane

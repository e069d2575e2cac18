#pragma once
// The windows the editor opens without linking them, handed to it as hooks.

#include "kelvane/editor/EditorHooks.h"

namespace kelvane {

class RunExp;

// Run > Experiment shows `experiment`; each time it closes, the editor is told once.
void wireExperimentWindow(EditorHooks &hooks, RunExp &experiment);

} // namespace kelvane

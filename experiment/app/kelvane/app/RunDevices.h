#pragma once
// Qt's sounds and the real pointer, as every window that starts a run is given them.

#include "kelvane/trial/PointerCounter.h"
#include "kelvane/trial/SoundPlayer.h"

namespace kelvane {

struct RunDevices
{
    SoundWarnings soundWarnings;
    QtSoundPlayer targetSound{soundWarnings};
    QtSoundPlayer clickSound{soundWarnings};
    PointerCounter pointer;
};

} // namespace kelvane

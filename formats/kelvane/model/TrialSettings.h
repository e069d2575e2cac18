#pragma once

#include "kelvane/Dialogs.h"

#include <QString>

namespace kelvane {

// The nine settings of a trial. All but the colours are free text as the researcher
// typed it; the trial window takes numbers from them with the leading-number rule.
struct TrialSettings
{
    QString time;             // time allowed, seconds
    QString TimeUpMessage;
    QString TargetNumberText; // number of the target box, or empty when none is set
    QString StartMessage;
    QString EndMessage;
    QString CloseAfter;       // seconds after which an opened box closes
    ColourValue ChangeColor = 0;            // background
    ColourValue ChangeForeColor = 16777215; // foreground
    QString ScreenSize;       // side of the layout area, percent of the screen height
    // Side of each box on the subject's screen in millimetres; empty or no positive number:
    // the icon size. Kept beside the cluster file (BoxSizeFile.h), not in it.
    QString BoxSizeMm;

    friend bool operator==(const TrialSettings &, const TrialSettings &) = default;
};

} // namespace kelvane

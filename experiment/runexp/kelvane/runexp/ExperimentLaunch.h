#pragma once
// Run: from the checks to the end of the trial window, in the order that leaves every
// file untouched until the run is certain to start.

#include "kelvane/Dialogs.h"
#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/runexp/RunReadiness.h"
#include "kelvane/trial/PointerCounter.h"
#include "kelvane/trial/RunSequencing.h"
#include "kelvane/trial/SoundPlayer.h"
#include "kelvane/trial/TrialClock.h"
#include "kelvane/trial/TrialScreen.h"

#include <QDateTime>
#include <QLocale>

#include <functional>

class QWidget;

namespace kelvane {

// What the experiment window is given by whoever opens it.
struct RunExpServices
{
    Dialogs &dialogs;
    SettingsStore &store;
    SoundPlayer &targetSound;
    SoundPlayer &clickSound;
    PointerCounter &pointer;
};

// Test seams: the date and time of the subject file's first line, the locale whose
// short date and time forms it uses, and how the trial clock is driven.
struct LaunchSettings
{
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    QLocale locale = QLocale::system();
    TrialClock::Drive drive = TrialClock::Drive::Timer;
};

enum class LaunchOutcome {
    NothingListed,    // an empty list: nothing happens
    SubjectNeeded,    // no usable subject name; the researcher was told
    Refused,          // problems were shown; nothing was touched
    KeptEarlierFile,  // No to the subject file's overwrite question
    Cancelled,        // Cancel to the subject file's overwrite question
    KeptClusterResults, // No to replacing cluster results no experiment run made
    HeadNotWritten,   // the subject file could not be written; the run did not start
    Ran,              // the trial window ran and has closed
};

// Hides the pointer while it lives, when asked to, and restores exactly what it hid.
class PointerHold
{
public:
    PointerHold(PointerCounter &pointer, bool hide);
    ~PointerHold();
    PointerHold(const PointerHold &) = delete;
    PointerHold &operator=(const PointerHold &) = delete;

private:
    PointerCounter &m_pointer;
    int m_before;
};

// The Run button's work. `source` is what the trial window reads the list and the
// subject from; `runEnd` receives how the trial window ended when it ran.
LaunchOutcome launchExperiment(Program &program, const RunExpServices &services, ExperimentSource &source,
                               const RunRequest &request, bool hideMouse, const LaunchSettings &settings,
                               QWidget *researcherWindow, RunEnd *runEnd);

// "The experiment cannot be run:" and the problems, then any warnings, for one message.
QString readinessText(const RunReadiness &readiness);

} // namespace kelvane

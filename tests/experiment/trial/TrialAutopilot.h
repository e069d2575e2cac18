#pragma once
// Plays a run to its end from inside the trial window's own event loop, as a quick
// subject would: presses START when it shows and clicks the target of every running
// trial, unless `escapeNow` says to press Esc instead. Records what each cluster's
// start screen shows as its message.

#include "kelvane/trial/TrialScreen.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace kelvane::test {

class TrialAutopilot : public QObject
{
public:
    // `screen` finds the window to drive; it may give none while no run is shown.
    TrialAutopilot(Program &program, std::function<TrialScreen *()> screen);

    // The trial window that is shown, wherever it was made.
    static TrialScreen *shownTrialScreen();

    std::function<bool()> escapeNow = [] { return false; };
    QStringList startScreenMessages;

private:
    void step();
    static void clickNow(TrialScreen &screen, QWidget *widget);

    Program &m_program;
    std::function<TrialScreen *()> m_screen;
    QTimer m_timer;
};

} // namespace kelvane::test

#pragma once
// What a click and a clock tick do to the run state, apart from the window: which box
// closes, which opens, what is recorded, and whether the trial ends. The window shows
// the outcome and does the sounds and the writing.

#include "kelvane/model/Program.h"

#include <QStringList>

#include <optional>

namespace kelvane {

struct ClickOutcome
{
    bool accepted = false;    // false: nothing happened and nothing was recorded
    int closeBox = 0;         // box to show closed again; 0 = none
    int openBox = 0;          // box to show open
    bool showsObject = false; // the opened box shows its object, not the empty-box picture
    bool targetFound = false; // the trial has ended
};

struct TickOutcome
{
    std::optional<double> progressValue; // set when the trial has a time limit
    int closeBox = 0;                    // box to show closed again; 0 = none
    bool timeUp = false;                 // the trial has ended
};

class TrialBookkeeping
{
public:
    explicit TrialBookkeeping(Program &program) : m_program(program) {}

    // The state part of preparing trial `trial`: no box open, clock at 0, the time
    // limit, and (with boxes) the target.
    void prepare(int trial, bool withBoxes);
    // Start of a trial, before its first half-line is written.
    void startCounting();
    // Start of a trial, after its first half-line is written.
    void acceptClicks();

    // A click on box `index` that happened `atTicks` whole ticks into the trial. Its
    // time in the record is the clock after that many ticks, even when more ticks have
    // been counted by the time it is handled.
    ClickOutcome click(int index, qint64 atTicks);
    TickOutcome tick();
    qint64 ticks() const { return m_ticks; }   // ticks counted in the current trial

    // The opened-box list ("Clicks"): every opened box, as decimal text, in order.
    const QStringList &clicks() const { return m_clicks; }
    void clearClicks() { m_clicks.clear(); }

    double timeLimitSetting() const;   // the current trial's time limit; <= 0: none
    double closeAfterSetting() const;

private:
    const TrialSettings &settings() const;

    Program &m_program;
    QStringList m_clicks;
    qint64 m_ticks = 0;
};

} // namespace kelvane

#include "kelvane/trial/TrialBookkeeping.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/formats/ResultLines.h"
#include "kelvane/trial/TrialTime.h"

namespace kelvane {

const TrialSettings &TrialBookkeeping::settings() const
{
    const int trial = qMax<int>(0, m_program.Run.CurrentTrial);
    return m_program.Cluster.Trials.at(std::size_t(trial));
}

double TrialBookkeeping::timeLimitSetting() const
{
    return leadingNumber(settings().time);
}

double TrialBookkeeping::closeAfterSetting() const
{
    return leadingNumber(settings().CloseAfter);
}

void TrialBookkeeping::prepare(int trial, bool withBoxes)
{
    RunState &run = m_program.Run;
    const TrialSettings &s = m_program.Cluster.Trials.at(std::size_t(trial));
    run.OpenBoxIndex = 0;
    run.TrialClock = 0;
    m_ticks = 0;
    const double limit = leadingNumber(s.time);
    if (limit > 0)
        run.TimeLimit = limit;
    if (withBoxes) {
        // A box left open at the end of an earlier run of this cluster starts closed.
        for (int k = 1; k <= m_program.Cluster.CountBoxes(trial); ++k)
            m_program.Cluster.box(trial, k).IsOpen = false;
        run.TargetBox = leadingNumber(s.TargetNumberText);
    }
}

void TrialBookkeeping::startCounting()
{
    m_program.Run.OpenedCount = 0;
}

void TrialBookkeeping::acceptClicks()
{
    RunState &run = m_program.Run;
    run.TimedClickOrder.clear();
    run.ClickOrder.clear();
    run.ClicksAccepted = true;
}

ClickOutcome TrialBookkeeping::click(int index, qint64 atTicks)
{
    RunState &run = m_program.Run;
    ClickOutcome out;
    if (!run.ClicksAccepted)
        return out;
    const int trial = run.CurrentTrial;
    if (index < 1 || index > m_program.Cluster.CountBoxes(trial))
        return out;
    BoxRecord &clicked = m_program.Cluster.box(trial, index);
    if (run.OpenBoxIndex != 0 && run.OpenBoxIndex == index && clicked.IsOpen)
        return out;

    out.accepted = true;
    if (run.OpenBoxIndex != 0) {
        m_program.Cluster.box(trial, run.OpenBoxIndex).IsOpen = false;
        out.closeBox = run.OpenBoxIndex;
    }
    out.openBox = index;
    out.showsObject = !clicked.Empty;
    clicked.IsOpen = true;

    const double clickClock = clockAfterTicks(atTicks);
    const QString number = QString::number(index);
    m_clicks.append(number);
    run.ClickOrder += u' ' + number;
    run.TimedClickOrder += timedClick(index, clickClock);
    ++run.OpenedCount;

    if (index == run.TargetBox) {
        run.ClicksAccepted = false;
        // The trial ended when the target was opened, not when that was handled.
        run.TrialClock = clickClock;
        out.targetFound = true;
    }
    run.OpenBoxIndex = qint16(index);
    // Ticks already counted past the click have run on the newly opened box.
    run.OpenClock = clockAfterTicks(qMax<qint64>(0, m_ticks - atTicks));
    return out;
}

TickOutcome TrialBookkeeping::tick()
{
    RunState &run = m_program.Run;
    TickOutcome out;
    const bool hasLimit = timeLimitSetting() > 0;
    if (hasLimit)
        out.progressValue = run.TrialClock;
    ++m_ticks;
    run.TrialClock = run.TrialClock + 0.1;
    run.OpenClock = run.OpenClock + 0.1;
    if (run.OpenClock > closeAfterSetting()) {
        if (run.OpenBoxIndex != 0) {
            BoxRecord &open = m_program.Cluster.box(run.CurrentTrial, run.OpenBoxIndex);
            // Only a box that is shown open needs showing closed again.
            if (open.IsOpen)
                out.closeBox = run.OpenBoxIndex;
            open.IsOpen = false;
        }
        run.OpenClock = 0;
    }
    if (hasLimit && run.TrialClock > run.TimeLimit) {
        run.ClicksAccepted = false;
        out.timeUp = true;
    }
    return out;
}

} // namespace kelvane

#include "TrialAutopilot.h"

#include "TimedInput.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace kelvane::test {

TrialAutopilot::TrialAutopilot(Program &program, std::function<TrialScreen *()> screen)
    : m_program(program), m_screen(std::move(screen))
{
    connect(&m_timer, &QTimer::timeout, this, &TrialAutopilot::step);
    m_timer.start(1);
}

TrialScreen *TrialAutopilot::shownTrialScreen()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<TrialScreen *>(widget); screen && screen->isVisible())
            return screen;
    }
    return nullptr;
}

void TrialAutopilot::step()
{
    TrialScreen *shown = m_screen();
    if (!shown || !shown->isVisible())
        return;
    TrialScreen &screen = *shown;
    const RunState &run = m_program.Run;
    if (screen.OK->isVisible()) {
        if (run.CurrentTrial == -1)
            startScreenMessages.append(screen.ClusterMessage->isVisible() ? screen.ClusterMessage->text()
                                                                          : QStringLiteral("(none)"));
        clickNow(screen, screen.OK);
    } else if (run.ClicksAccepted) {
        if (escapeNow())
            QTest::keyClick(&screen, Qt::Key_Escape);
        else
            clickNow(screen, screen.Boxes.at(int(run.TargetBox)));
    }
}

// A click stamped, as the platform would, with the moment it is made on the window's clock.
void TrialAutopilot::clickNow(TrialScreen &screen, QWidget *widget)
{
    const quint64 now = inputStamp(screen.timeSource().nowNs());
    sendClick(widget, now, now);
}

} // namespace kelvane::test

#include "TrialAutopilot.h"

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
        QTest::mouseClick(screen.OK, Qt::LeftButton);
    } else if (run.ClicksAccepted) {
        if (escapeNow())
            QTest::keyClick(&screen, Qt::Key_Escape);
        else
            QTest::mouseClick(screen.Boxes.at(int(run.TargetBox)), Qt::LeftButton);
    }
}

} // namespace kelvane::test

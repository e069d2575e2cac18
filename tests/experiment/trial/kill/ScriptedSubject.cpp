// kelvane --run-cluster with a scripted subject in place of a person: the same start-up
// and the same run as the program's, with clicks and START presses played from a plan
// into the real widgets. A test kills it at random moments and checks what the run has
// left on disk.
//
//   kelvane-scripted-subject CLUSTER.box SEED SETTINGS.ini
//
// Reports its progress on standard output (see KillPlan.h), each line as soon as it
// holds, so that a killer knows what must be on disk already.

#include "KillPlan.h"

#include "../RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"

#include "kelvane/app/ProgramStart.h"
#include "kelvane/trial/ClusterRunCommand.h"

#include <QApplication>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace kelvane;
using namespace kelvane::test;

namespace {

void report(const char *word, int trial = -1)
{
    if (trial < 0)
        std::printf("%s\n", word);
    else
        std::printf("%s %d\n", word, trial);
    std::fflush(stdout);
}

class ScriptedSubject : public QObject
{
public:
    ScriptedSubject(const Program &program, KillPlan plan)
        : m_program(program), m_plan(std::move(plan))
    {
        connect(&m_timer, &QTimer::timeout, this, &ScriptedSubject::step);
        m_timer.start(2);
    }

private:
    static TrialScreen *shownScreen()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *screen = qobject_cast<TrialScreen *>(widget); screen && screen->isVisible())
                return screen;
        }
        return nullptr;
    }

    void step()
    {
        TrialScreen *screen = shownScreen();
        if (!screen)
            return;
        const RunState &run = m_program.Run;
        const int trial = run.CurrentTrial;
        if (screen->OK->isVisible()) {
            // START shows only once the line of the trial before is complete.
            if (trial < 0)
                report(ReadyWord);
            else if (!m_ended.contains(trial))
                report(EndedWord, trial);
            m_ended.insert(trial);
            QTest::mouseClick(screen->OK, Qt::LeftButton);
            m_next = 0;
            return;
        }
        if (!run.ClicksAccepted || trial < 0 || trial >= m_plan.trials.size())
            return;
        if (m_next == 0 && !m_began.contains(trial)) {
            report(BeganWord, trial);
            m_began.insert(trial);
        }
        const QList<int> &clicks = m_plan.trials[trial].clicks;
        if (m_next < clicks.size())
            QTest::mouseClick(screen->Boxes.at(clicks[m_next++]), Qt::LeftButton);
    }

    const Program &m_program;
    KillPlan m_plan;
    QTimer m_timer;
    QSet<int> m_began;
    QSet<int> m_ended;
    qsizetype m_next = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: kelvane-scripted-subject CLUSTER.box SEED SETTINGS.ini\n");
        return 2;
    }
    Program program;
    setProgramFolders(program, QCoreApplication::applicationDirPath());
    QSettingsStore store(arguments[3]);
    startProgram(program, store);

    ScriptedDialogs dialogs;
    RecordingSoundPlayer targetSound;
    RecordingSoundPlayer clickSound;
    PointerCounter pointer;
    ScriptedSubject subject(program, KillPlan::fromSeed(arguments[2].toUInt()));
    QTextStream errors(stderr);
    return runClusterCommand(program, {dialogs, store, targetSound, clickSound, pointer}, arguments[1],
                             errors);
}

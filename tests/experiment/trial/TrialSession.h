#pragma once
// A trial window with recording doubles around it, over a temporary program folder,
// driven on a manual clock: the test moves time, hands the clock its timeouts and
// sends input stamped on the platform's input clock.

#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TrialFixture.h"

#include "kelvane/trial/TrialScreen.h"

namespace kelvane::test {

class FixedExperiment final : public ExperimentSource
{
public:
    QStringList entries() const override { return list; }
    QString subjectName() const override { return subject; }
    QString experimentFile() const override { return file; }
    QStringList list;
    QString subject;
    QString file;
};

struct Session
{
    Session();
    ~Session();

    // Input stamped with the time it happens: now, or `ms` into the running trial.
    quint64 stampNow();
    quint64 stampInTrial(qint64 ms);
    void clickBox(int k);
    void clickBoxAt(int k, qint64 pressedMs, qint64 releasedMs);
    void pressStart();
    // Time passes; nothing is handled (a busy thread, a stopped process).
    void stall(qint64 ms);
    // Ticks the clock as its timer would, as long as it is enabled; returns the ticks.
    int ticks(int n);

    QByteArray resultBytes() const;
    QByteArray resultHead() const;
    Program &program() { return folder.program; }

    TrialFolder folder;
    ScriptedDialogs dialogs;
    RecordingSoundPlayer targetSound;
    RecordingSoundPlayer clickSound;
    PointerCounter pointer;
    FixedExperiment experiment;
    TrialScreen screen{folder.program, {dialogs, *folder.store, targetSound, clickSound, pointer, &experiment}};
};

} // namespace kelvane::test

// kelvane --run-cluster, or the experiment window's Run, with a scripted subject in
// place of a person: the same start-up and the same run as the program's, with clicks
// and START presses played from a plan into the real widgets. A test kills it at random
// moments and checks what the run has left on disk.
//
//   kelvane-scripted-subject CLUSTER.box SEED SETTINGS.ini
//   kelvane-scripted-subject --experiment SUBJECT FOLDER SEED SETTINGS.ini ENTRY...
//
// An experiment's subject file is FOLDER/SUBJECT.bof; an entry is a cluster file, whose
// plan comes from clusterSeed(SEED, its place among the clusters), or a message.
//
// Reports its progress on standard output (see KillPlan.h), each line as soon as it
// holds, so that a killer knows what must be on disk already.

#include "KillPlan.h"

#include "../RecordingSoundPlayer.h"
#include "../TimedInput.h"
#include "ScriptedDialogs.h"

#include "kelvane/app/ProgramStart.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/runexp/ExperimentLaunch.h"
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

void report(const char *word, int number = -1)
{
    if (number < 0)
        std::printf("%s\n", word);
    else
        std::printf("%s %d\n", word, number);
    std::fflush(stdout);
}

// An experiment as the experiment window would hand it to the run.
class ListedExperiment final : public ExperimentSource
{
public:
    ListedExperiment(QStringList entries, QString subject, QString file)
        : m_entries(std::move(entries)), m_subject(std::move(subject)), m_file(std::move(file))
    {
    }
    QStringList entries() const override { return m_entries; }
    QString subjectName() const override { return m_subject; }
    QString subjectResultFile() const override { return m_file; }

private:
    QStringList m_entries;
    QString m_subject;
    QString m_file;
};

class ScriptedSubject : public QObject
{
public:
    // One plan per cluster file, in the order they run.
    ScriptedSubject(const Program &program, QStringList clusterFiles, QList<KillPlan> plans)
        : m_program(program), m_clusterFiles(std::move(clusterFiles)), m_plans(std::move(plans))
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

    // Stamped, as the platform stamps a click, with the moment it is made: the trial
    // times clicks by their stamps.
    static void click(TrialScreen &screen, QWidget *widget)
    {
        const quint64 now = inputStamp(screen.timeSource().nowNs());
        sendClick(widget, now, now);
    }

    void step()
    {
        TrialScreen *screen = shownScreen();
        if (!screen)
            return;
        const int cluster = int(m_clusterFiles.indexOf(m_program.ClusterFile));
        if (cluster < 0)
            return;
        if (cluster != m_cluster) {
            m_cluster = cluster;
            m_began.clear();
            m_ended.clear();
            m_next = 0;
            report(ClusterWord, cluster);
        }
        const KillPlan &plan = m_plans[cluster];
        const RunState &run = m_program.Run;
        const int trial = run.CurrentTrial;
        if (screen->OK->isVisible()) {
            // START shows only once the line of the trial before is complete.
            if (trial < 0)
                report(ReadyWord);
            else if (!m_ended.contains(trial))
                report(EndedWord, trial);
            m_ended.insert(trial);
            click(*screen, screen->OK);
            m_next = 0;
            return;
        }
        if (!run.ClicksAccepted || trial < 0 || trial >= plan.trials.size())
            return;
        if (m_next == 0 && !m_began.contains(trial)) {
            report(BeganWord, trial);
            m_began.insert(trial);
            m_firstClickNs = screen->timeSource().nowNs() + FirstClickDelayNs;
        }
        // A click stamped in the millisecond the trial began may count as made before
        // it; no subject is that quick.
        if (screen->timeSource().nowNs() < m_firstClickNs)
            return;
        const QList<int> &clicks = plan.trials[trial].clicks;
        if (m_next < clicks.size())
            click(*screen, screen->Boxes.at(clicks[m_next++]));
    }

    const Program &m_program;
    QStringList m_clusterFiles;
    QList<KillPlan> m_plans;
    int m_cluster = -1;
    QTimer m_timer;
    QSet<int> m_began;
    QSet<int> m_ended;
    qsizetype m_next = 0;
    qint64 m_firstClickNs = 0;
    static constexpr qint64 FirstClickDelayNs = 5'000'000;
};

// The subject clicks the boxes and waits for the time limits its plan names, so it runs
// only a cluster made from the same seed: in any other it would click boxes that the
// trial window does not show, or wait for a time limit that never comes. Why
// `clusterFile` is not the plan's cluster, or nothing when it is.
std::optional<QString> planMismatch(const QString &clusterFile, const KillPlan &plan)
{
    const ClusterFileContent content = readClusterFile(clusterFile, ObjectRow::Ignore);
    if (content.problem)
        return content.problem->description;
    const ClusterModel planned = plan.cluster();
    const ClusterModel &read = content.cluster;
    if (read.trialCount() != planned.trialCount())
        return QStringLiteral("%1 has %2 trials, the plan %3")
            .arg(clusterFile)
            .arg(read.trialCount())
            .arg(planned.trialCount());
    for (int t = 0; t < planned.trialCount(); ++t) {
        const TrialSettings &a = read.Trials[std::size_t(t)];
        const TrialSettings &b = planned.Trials[std::size_t(t)];
        if (read.CountBoxes(t) != planned.CountBoxes(t) || a.TargetNumberText != b.TargetNumberText
            || a.time != b.time)
            return QStringLiteral("%1, trial %2: its boxes, target or time limit differ from the plan's")
                .arg(clusterFile)
                .arg(t);
    }
    return std::nullopt;
}

bool refuseOtherClusters(const QStringList &clusterFiles, const QList<KillPlan> &plans, quint32 seed)
{
    for (qsizetype i = 0; i < clusterFiles.size(); ++i) {
        if (const auto why = planMismatch(clusterFiles[i], plans[i])) {
            std::fprintf(stderr, "kelvane-scripted-subject: %s; only a cluster made from seed %u can be run\n",
                         qPrintable(*why), seed);
            return true;
        }
    }
    return false;
}

// The experiment window's Run for `entries`, with its overwrite question answered Yes.
int runExperiment(Program &program, const RunExpServices &services, const QStringList &arguments)
{
    const QString subject = arguments[2];
    const QString folder = arguments[3];
    const QStringList entries = arguments.mid(6);
    QStringList clusters;
    QList<KillPlan> plans;
    for (const QString &entry : entries) {
        if (isMessageEntry(entry))
            continue;
        plans.append(KillPlan::fromSeed(clusterSeed(arguments[4].toUInt(), int(clusters.size()))));
        clusters.append(entry);
    }
    if (refuseOtherClusters(clusters, plans, arguments[4].toUInt()))
        return 2;
    ScriptedSubject scripted(program, clusters, plans);
    ListedExperiment source(entries, subject, subjectResultFile(folder, subject));
    RunRequest request;
    request.entries = entries;
    request.subjectName = subject;
    request.resultsFolder = folder;
    request.programFolder = program.ProgramFolder;
    request.iconFolder = program.IconFolder;
    static_cast<ScriptedDialogs &>(services.dialogs).answers.push_back(Answer::Yes);
    RunEnd end = RunEnd::Running;
    const LaunchOutcome outcome =
        launchExperiment(program, services, source, request, false, LaunchSettings{}, nullptr, &end);
    return outcome == LaunchOutcome::Ran && end == RunEnd::Completed ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const bool experiment = arguments.value(1) == QStringLiteral("--experiment");
    if (experiment ? arguments.size() < 7 : arguments.size() != 4) {
        std::fprintf(stderr, "usage: kelvane-scripted-subject CLUSTER.box SEED SETTINGS.ini\n"
                             "       kelvane-scripted-subject --experiment SUBJECT FOLDER SEED SETTINGS.ini ENTRY...\n");
        return 2;
    }
    Program program;
    setProgramFolders(program, QCoreApplication::applicationDirPath());
    QSettingsStore store(arguments[experiment ? 5 : 3]);
    startProgram(program, store);

    ScriptedDialogs dialogs;
    RecordingSoundPlayer targetSound;
    RecordingSoundPlayer clickSound;
    PointerCounter pointer;
    if (experiment)
        return runExperiment(program, {dialogs, store, targetSound, clickSound, pointer}, arguments);

    const KillPlan plan = KillPlan::fromSeed(arguments[2].toUInt());
    if (refuseOtherClusters({arguments[1]}, {plan}, arguments[2].toUInt()))
        return 2;
    ScriptedSubject subject(program, {arguments[1]}, {plan});
    QTextStream errors(stderr);
    // An earlier run's results are there on purpose: the kill must leave them or the new ones.
    return runClusterCommand(program, {dialogs, store, targetSound, clickSound, pointer}, arguments[1],
                             errors, TrialClock::Drive::Timer, {.output = {}, .replace = true});
}

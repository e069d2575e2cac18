#pragma once
// The subject's window: one trial of a cluster at a time, full screen, and the run
// through a cluster or a whole experiment.

#include "kelvane/Dialogs.h"
#include "kelvane/FileSaving.h"
#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/trial/EventLog.h"
#include "kelvane/trial/PointerCounter.h"
#include "kelvane/trial/PointerInput.h"
#include "kelvane/trial/PointerShownDialogs.h"
#include "kelvane/trial/RunMessages.h"
#include "kelvane/trial/RunSequencing.h"
#include "kelvane/trial/SessionRecord.h"
#include "kelvane/trial/SoundPlayer.h"
#include "kelvane/trial/TrialBookkeeping.h"
#include "kelvane/trial/TrialClock.h"
#include "kelvane/trial/TrialTime.h"
#include "kelvane/trial/TrialWidgets.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class QEventLoop;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kelvane {

struct TrialScreenServices
{
    Dialogs &dialogs;
    const SettingsStore &store;
    SoundPlayer &targetSound;   // MMControl1: the target was found
    SoundPlayer &clickSound;    // MMControl2: any other box was opened
    PointerCounter &pointer;
    ExperimentSource *experiment = nullptr; // needed for an experiment run
};

enum class RunEnd {
    Running,
    Completed,       // the last trial (or the last listed cluster) was closed with START
    Escaped,         // Esc, or the window closed another way
    Refused,         // the run did not start: problems were shown to the researcher
    FileFailed,      // a result file could not be written, or a listed cluster file read; the run stopped
};

class TrialScreen : public QWidget
{
    Q_OBJECT

public:
    // The window covers the screen that `researcherWindow` is on (the primary screen
    // without one).
    TrialScreen(Program &program, const TrialScreenServices &services,
                QWidget *researcherWindow = nullptr);
    ~TrialScreen() override;

    // Shows the window modally and returns when it has closed: a single-cluster run,
    // or with WholeExperiment the whole experiment.
    RunEnd runModal();
    // Shows trial `trial` of the cluster in memory as the subject will see it, from its
    // start screen to the START after its end, and returns when the window has closed
    // (at that START or on Esc). Records nothing: no result file, no event log.
    RunEnd tryTrialModal(int trial);
    RunEnd runEnd() const { return m_runEnd; }
    // What kept the run from starting or stopped it, one line each.
    const QStringList &problems() const { return m_problems; }
    // What the run did, complete once runModal has returned from a run that started.
    const SessionRecord &session() const { return m_session; }
    // Esc asks the researcher before it ends a run; a run that records nothing may
    // end at once instead.
    void setEscapeAsks(bool asks) { m_escapeAsks = asks; }

    // Tests tick the clock themselves, on a time source that stands still until they
    // move it (`timeSource().advanceMs`); the timestamps of the input events they send
    // are read against the same time.
    void setClockDrive(TrialClock::Drive drive);
    // Tests stand in for the physical size the platform reports of the subject's screen:
    // its logical pixels per inch, or none.
    void setPixelsPerInch(std::optional<double> pixelsPerInch) { m_pixelsPerInch = pixelsPerInch; }
    TimeSource &timeSource() { return m_time; }

    void Form_Load();
    void Voorbereiding();
    void PresentLayout(int trial, bool withBoxes);
    void Beginnen(int trial);
    void OK_Click();
    // A click on box Index that happens now. Clicks of the subject arrive with their
    // own time through boxClicked.
    void Boxes_Click(int Index);
    // The clock's tick; the time it reports is not used, every tick is 0.1 s.
    void Timer1_Timer(qint32 Milliseconds = 100);
    void Form_KeyPress(int KeyAscii);
    bool SchrijfFile();
    void HeelExp();

    // The progress bar's range and value in seconds (the bar itself holds whole
    // milliseconds).
    double progressValue() const { return m_progressValue; }
    double progressMaximum() const { return m_progressMaximum; }
    bool boxShownOpen(int index) const;

    // The window's parts, named as the researchers know them.
    QWidget *TrialLayout = nullptr;
    Outline *Rand = nullptr;
    QList<BoxPicture *> Boxes;   // element 0 is the template: never shown
    Outline *Targetframe = nullptr;
    BoxPicture *TargetIcon = nullptr;
    QLabel *Boodschap = nullptr;
    QLabel *ClusterMessage = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QPushButton *OK = nullptr;
    TrialClock *Timer1 = nullptr;

Q_SIGNALS:
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Every input event of the program tells when the platform's input clock stood where.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The one place that decides what a press on a box is: a click, or the echo of one.
    void boxPressed(int index, const BoxPress &press);
    // The click itself, placed at `atNs` on the monotonic clock.
    void clickAt(int index, qint64 atNs, std::optional<qint64> pressedNs, InputDevice device);
    void escapeAt(qint64 atNs);
    // When an input event stamped `eventMs` happened: its own time where the platform
    // gave one, otherwise the moment it is handled.
    qint64 happenedAt(quint64 eventMs) const;
    qint64 trialMs(qint64 atNs) const;
    void log(TrialEventKind kind, qint64 ms, int box = 0, std::optional<qint64> pressMs = {},
             std::optional<InputDevice> input = {});
    // Asks whether to end the run, with the trial's time standing still meanwhile.
    bool researcherEndsRun(qint64 escNs);
    void noteWhereItStopped();
    // The event log's last line and the summary's facts, once the run is over.
    void finishSession();
    void showOnResearchersScreen();
    void removeBoxes();
    void setTargetShown(bool shown);
    void setProgress(double value);
    void showClosed(int index);
    void showOpen(int index, bool showsObject);
    void endTrial(const QString &message);
    void recordingFailed(const FileError &error);
    void fileFailed(RunTrouble trouble, const FileError &error);
    void stopRun(RunEnd why);
    void waitForCluster();
    bool appendClusterLines();
    void loadClusterPictures();
    // The boxes' side in twips for a trial: its size in millimetres where it has one and
    // the screen reports its physical size, the icon size otherwise.
    double iconSizeFor(const TrialSettings &settings) const;
    // Says once, before the run starts, that sizes in millimetres cannot be kept here.
    void tellWhenMillimetresCannotBeKept(bool clustersHaveSizes);
    QPixmap picture(const QString &name);

    Program &m_program;
    TrialScreenServices m_services;
    PointerShownDialogs m_dialogs;
    QRect m_screen;
    std::optional<double> m_pixelsPerInch;
    TrialBookkeeping m_trial;
    TimeSource m_time = TimeSource::steady();
    InputEventClock m_inputClock;
    ContactWatch m_contacts;
    std::unique_ptr<TrialClock> m_clock;
    TrialClock::Drive m_clockDrive = TrialClock::Drive::Timer;
    EventLog m_log;
    QHash<QString, QPixmap> m_pictures;
    double m_progressValue = 0;
    double m_progressMaximum = 0;
    RunEnd m_runEnd = RunEnd::Running;
    QStringList m_problems;
    SessionRecord m_session;
    bool m_escapeAsks = true;
    bool m_trialFinished = true;        // the last trial started has its complete line
    int m_clusterPosition = 0;          // among the run's clusters, from 1
    QString m_clusterOnScreen;          // as the result file's Cluster column names it
    qint64 m_clicksFromNs = 0;          // clicks before this happened while a question was up
    bool m_clusterResultStarted = false;
    std::optional<int> m_triedTrial;
    QPointer<QEventLoop> m_clusterLoop;
    QPointer<QEventLoop> m_windowLoop;
};

} // namespace kelvane

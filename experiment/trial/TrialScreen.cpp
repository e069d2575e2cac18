#include "kelvane/trial/TrialScreen.h"

#include "kelvane/ColourValueColor.h"
#include "kelvane/TextNumbers.h"
#include "kelvane/formats/BoxSizeFile.h"
#include "kelvane/formats/EventLogFile.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/model/LayoutGeometry.h"
#include "kelvane/model/OpenFile.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/trial/ResultFile.h"
#include "kelvane/trial/RunMessages.h"
#include "kelvane/trial/TrialGeometry.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QtDebug>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

void setColours(QWidget *widget, const QColor &back, const QColor &fore)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *messageLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSize(18);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// Shown for a picture that cannot be loaded, so that the subject still sees a box.
QPixmap placeholderPicture()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(128, 128, 128));
    return pixmap;
}

constexpr double ButtonWidthTwips = 1800;
constexpr double ProgressHeightTwips = 300;
constexpr int FullProgressSteps = 1000; // the bar holds milliseconds

} // namespace

TrialScreen::TrialScreen(Program &program, const TrialScreenServices &services,
                         QWidget *researcherWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_program(program),
      m_services(services), m_dialogs(services.dialogs, services.pointer), m_trial(program)
{
    setWindowTitle(QStringLiteral("Kelvane"));
    setFocusPolicy(Qt::StrongFocus);
    QScreen *screen = researcherWindow && researcherWindow->screen() ? researcherWindow->screen()
                                                                     : QGuiApplication::primaryScreen();
    m_screen = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    if (screen)
        m_pixelsPerInch = pixelsPerInch(m_screen.height(), screen->physicalSize().height());
    setGeometry(m_screen);

    // The outlines are drawn behind everything else.
    Rand = new Outline(this);
    Targetframe = new Outline(this);
    TrialLayout = new QWidget(this);
    TrialLayout->setAttribute(Qt::WA_NoMousePropagation);
    ClusterMessage = messageLabel(TrialLayout);
    ClusterMessage->setAlignment(Qt::AlignCenter);
    ClusterMessage->hide();
    Boxes.append(new BoxPicture(TrialLayout));
    Boxes[0]->hide();
    TargetIcon = new BoxPicture(this);
    TargetIcon->setAttribute(Qt::WA_TransparentForMouseEvents);
    Boodschap = messageLabel(this);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setTextVisible(false);
    ProgressBar->hide();
    OK = new QPushButton(QStringLiteral("START"), this);
    OK->setDefault(true);
    // Keys go to the window, which presses START on Enter while it is shown.
    OK->setFocusPolicy(Qt::NoFocus);
    OK->hide();
    connect(OK, &QPushButton::clicked, this, &TrialScreen::OK_Click);
    setTargetShown(false);
    // The bar's style is set up now, not when the first trial shows it.
    ProgressBar->ensurePolished();
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

TrialScreen::~TrialScreen()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void TrialScreen::setClockDrive(TrialClock::Drive drive)
{
    m_clockDrive = drive;
    m_time = drive == TrialClock::Drive::Manual ? TimeSource::manual() : TimeSource::steady();
    m_inputClock.reset();
}

bool TrialScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->isInputEvent()) {
        m_inputClock.observe(static_cast<QInputEvent *>(event)->timestamp(), m_time.nowNs());
        m_contacts.observe(event);
    }
    return QWidget::eventFilter(watched, event);
}

RunEnd TrialScreen::runModal()
{
    m_runEnd = RunEnd::Running;
    m_problems.clear();
    setWindowModality(Qt::ApplicationModal);
    Form_Load();
    if (m_runEnd == RunEnd::Running && isVisible()) {
        QEventLoop loop;
        m_windowLoop = &loop;
        loop.exec();
    }
    if (m_runEnd != RunEnd::Refused)
        finishSession();
    return m_runEnd;
}

RunEnd TrialScreen::tryTrialModal(int trial)
{
    m_triedTrial = trial;
    return runModal();
}

void TrialScreen::showOnResearchersScreen()
{
    setGeometry(m_screen);
    showFullScreen();
    activateWindow();
    setFocus();
}

void TrialScreen::Form_Load()
{
    if (m_program.Run.WholeExperiment) {
        HeelExp();
        return;
    }
    m_log.stopSubjectLog();
    m_session = SessionRecord();
    m_session.clustersListed = 1;
    m_clusterPosition = 1;
    m_clusterOnScreen = m_program.ClusterName;
    if (m_triedTrial) {
        Voorbereiding();
        PresentLayout(*m_triedTrial, false);
        m_program.Run.CurrentTrial = qint16(*m_triedTrial - 1);
        showOnResearchersScreen();
        return;
    }
    m_problems = checkClusterForRun(m_program);
    if (!m_problems.isEmpty()) {
        m_runEnd = RunEnd::Refused;
        showRunMessage(m_dialogs, RunTrouble::CannotStart, false, m_problems);
        return;
    }
    tellWhenMillimetresCannotBeKept(std::any_of(m_program.Cluster.Trials.cbegin(), m_program.Cluster.Trials.cend(),
                                                [](const TrialSettings &trial) {
                                                    return boxSizeMillimetres(trial.BoxSizeMm).has_value();
                                                }));
    Voorbereiding();
    showOnResearchersScreen();
}

void TrialScreen::Voorbereiding()
{
    m_clock = std::make_unique<TrialClock>(m_clockDrive, &m_time);
    Timer1 = m_clock.get();
    connect(Timer1, &TrialClock::tick, this, [this] { Timer1_Timer(); });
    m_program.Run.ClicksAccepted = false;
    m_log.stopClusterLog();
    // Everything a trial shows or plays is ready before the start screen: nothing
    // between START and the end of a trial waits for the disk or the audio device.
    loadClusterPictures();
    PresentLayout(0, false);
    m_program.Run.CurrentTrial = -1;
    m_trialFinished = true;
    m_services.targetSound.open(m_program.ProgramFolder + QStringLiteral("/sound.wav"));
    m_services.clickSound.open(m_program.ProgramFolder + QStringLiteral("/click.wav"));
    if (!m_program.Run.ClusterMessageText.isEmpty()) {
        ClusterMessage->setText(m_program.Run.ClusterMessageText);
        ClusterMessage->show();
    }
}

void TrialScreen::PresentLayout(int trial, bool withBoxes)
{
    const TrialSettings &settings = m_program.Cluster.Trials.at(std::size_t(trial));
    const double iconSize = iconSizeFor(settings);
    const double W = double(m_screen.width()) * TwipsPerPixel;
    const double H = double(m_screen.height()) * TwipsPerPixel;
    const TrialGeometry g = trialGeometry(W, H, iconSize, leadingNumber(settings.ScreenSize));
    const int iconPixels = twipsToPixels(iconSize);

    Boxes[0]->resize(iconPixels, iconPixels);
    TrialLayout->setGeometry(twipsToPixels(g.layout));
    TrialLayout->show();
    Targetframe->setGeometry(twipsToPixels(g.targetFrame));
    setTargetShown(false);
    TargetIcon->setGeometry(twipsToPixels(g.targetIcon));

    const int lineHeight = Boodschap->fontMetrics().lineSpacing();
    QRect message = twipsToPixels(g.message);
    message.setHeight(2 * lineHeight + 4);
    Boodschap->setGeometry(message);
    QRect progress = twipsToPixels(g.progress);
    progress.setHeight(twipsToPixels(ProgressHeightTwips));
    ProgressBar->setGeometry(progress);
    ProgressBar->hide();
    ClusterMessage->setGeometry(twipsToPixels(g.clusterMessage));
    ClusterMessage->hide();
    OK->setGeometry(twipsToPixels(W / 2 - ButtonWidthTwips / 2), twipsToPixels(g.buttonTop),
                    twipsToPixels(ButtonWidthTwips), twipsToPixels(g.buttonHeight));
    OK->hide();

    m_trial.prepare(trial, withBoxes);

    const QColor back = toQColor(settings.ChangeColor);
    const QColor fore = toQColor(settings.ChangeForeColor);
    for (QWidget *widget : {static_cast<QWidget *>(TrialLayout), static_cast<QWidget *>(this),
                            static_cast<QWidget *>(Boodschap), static_cast<QWidget *>(ClusterMessage)})
        setColours(widget, back, fore);
    Targetframe->setColour(fore);
    Rand->setColour(fore);
    Rand->setGeometry(twipsToPixels(g.border));

    if (leadingNumber(settings.time) > 0) {
        // The bar's range is single precision, as the clock's limit was kept.
        m_progressMaximum = double(float(m_program.Run.TimeLimit));
        m_progressValue = 0;
        ProgressBar->setRange(0, int(std::lround(m_progressMaximum * FullProgressSteps)));
        ProgressBar->setValue(0);
    }
    Boodschap->setText(settings.StartMessage);

    if (withBoxes) {
        const int boxes = m_program.Cluster.CountBoxes(trial);
        for (int k = 1; k <= boxes; ++k) {
            const BoxRecord &record = m_program.Cluster.box(trial, k);
            auto *box = new BoxPicture(TrialLayout);
            box->resize(Boxes[0]->size());
            box->setPicture(picture(record.BoxIconFile));
            const QPointF at = boxPosition(record.Left, record.Top, g.side);
            box->move(twipsToPixels(at.x()), twipsToPixels(at.y()));
            connect(box, &BoxPicture::clicked, this, [this, k](const BoxPress &press) { boxPressed(k, press); });
            box->show();
            Boxes.append(box);
        }
        const auto target = qint64(m_program.Run.TargetBox);
        TargetIcon->setPicture(target >= 1 && target <= boxes
                                   ? picture(m_program.Cluster.box(trial, int(target)).ContentFile)
                                   : placeholderPicture());
    }
    OK->show();
}

void TrialScreen::Beginnen(int trial)
{
    Boodschap->hide();
    setTargetShown(true);
    ProgressBar->setVisible(m_trial.timeLimitSetting() > 0);
    m_trial.startCounting();
    m_trialFinished = false;
    FileError error;
    if (!m_triedTrial && !writeFirstHalf(m_program, trial, &error)) {
        recordingFailed(error);
        return;
    }
    if (trial == 0 && !m_triedTrial) {
        const QString result = runResultPath(m_program);
        m_clusterResultStarted = true;
        m_log.startClusterLog(eventLogPath(result));
        // Marks the result as an experiment's working copy, whose trials also go to the
        // subject file: the next subject may replace it without a question.
        if (m_program.Run.WholeExperiment && m_services.experiment)
            m_log.addClusterLine(experimentLogLine(m_services.experiment->experimentFile()));
        m_session.noteFileWritten(result);
        m_session.noteFileWritten(eventLogPath(result));
    }
    // The trial's time starts once its record is on disk and it takes clicks, so
    // the time the disk takes is not the subject's.
    Timer1->setEnabled(true);
    log(TrialEventKind::Start, 0);
    m_trial.acceptClicks();
}

void TrialScreen::OK_Click()
{
    removeBoxes();
    RunState &run = m_program.Run;
    run.CurrentTrial = qint16(run.CurrentTrial + 1);
    const bool triedTrialOver = m_triedTrial && run.CurrentTrial > *m_triedTrial;
    if (run.CurrentTrial >= m_program.Cluster.trialCount() || triedTrialOver) {
        m_services.targetSound.close();
        m_services.clickSound.close();
        ++m_session.clustersCompleted;
        if (run.WholeExperiment) {
            run.ClusterDone = true;
            if (m_clusterLoop)
                m_clusterLoop->quit();
        } else {
            stopRun(RunEnd::Completed);
        }
        return;
    }
    PresentLayout(run.CurrentTrial, true);
    OK->hide();
    Beginnen(run.CurrentTrial);
}

void TrialScreen::Boxes_Click(int Index)
{
    clickAt(Index, m_time.nowNs(), std::nullopt, InputDevice::Mouse);
}

void TrialScreen::boxPressed(int index, const BoxPress &press)
{
    // The touch or pen that the platform made these mouse events from has had its say.
    if (press.madeFromContact || (press.device == InputDevice::Mouse && m_contacts.echoes(press.downAt)))
        return;
    const std::optional<qint64> down =
        press.downAt != 0 ? std::optional<qint64>(happenedAt(press.downAt)) : std::nullopt;
    clickAt(index, happenedAt(press.countsAt), down, press.device);
}

qint64 TrialScreen::happenedAt(quint64 eventMs) const
{
    const qint64 now = m_time.nowNs();
    const std::optional<qint64> at = m_inputClock.toMonotonicNs(eventMs);
    return at ? qMin(*at, now) : now;
}

qint64 TrialScreen::trialMs(qint64 atNs) const
{
    const qint64 elapsed = atNs - Timer1->startNs();
    // Whole milliseconds, rounded down also before the start.
    return elapsed >= 0 ? elapsed / NsPerMs : -((-elapsed + NsPerMs - 1) / NsPerMs);
}

void TrialScreen::clickAt(int index, qint64 atNs, std::optional<qint64> pressedNs, InputDevice device)
{
    if (!m_program.Run.ClicksAccepted || !Timer1)
        return;
    // Released before the trial began: the click was aimed at the start screen.
    if (atNs < Timer1->startNs() || atNs < m_clicksFromNs)
        return;
    // The ticks that fell due before the click take effect first; one of them may
    // end the trial, and then the click came too late.
    Timer1->deliverDueAt(atNs);
    if (!m_program.Run.ClicksAccepted)
        return;
    const ClickOutcome outcome = m_trial.click(index, ticksIn(atNs - Timer1->startNs()));
    if (!outcome.accepted)
        return;
    m_session.noteInput(device);
    if (outcome.closeBox != 0)
        showClosed(outcome.closeBox);
    showOpen(outcome.openBox, outcome.showsObject);
    const qint64 ms = trialMs(atNs);
    log(TrialEventKind::Click, ms, index, pressedNs ? std::optional<qint64>(trialMs(*pressedNs)) : std::nullopt,
        device);
    if (outcome.targetFound) {
        m_services.targetSound.play();
        log(TrialEventKind::Found, ms, index);
        endTrial(m_program.Cluster.Trials.at(std::size_t(m_program.Run.CurrentTrial)).EndMessage);
    } else {
        m_services.clickSound.play();
    }
}

void TrialScreen::log(TrialEventKind kind, qint64 ms, int box, std::optional<qint64> pressMs,
                      std::optional<InputDevice> input)
{
    if (!m_log.clusterLogStarted())
        return;
    TrialEvent event;
    event.kind = kind;
    event.trial = m_program.Run.CurrentTrial;
    event.ms = ms;
    event.box = box;
    event.pressMs = pressMs;
    if (input)
        event.input = inputDeviceName(*input);
    event.clock = m_program.Run.TrialClock;
    if (box > 0 && (kind == TrialEventKind::Click || kind == TrialEventKind::Found)) {
        const BoxRecord &record = m_program.Cluster.box(event.trial, box);
        event.holds = boxHolds(record.Empty, record.ContentFile);
        event.clock = clockAfterTicks(ticksIn(qint64(ms) * NsPerMs));
    }
    m_log.add(m_program.ClusterName, event);
}

void TrialScreen::Timer1_Timer(qint32)
{
    const TickOutcome outcome = m_trial.tick();
    const qint64 ms = m_trial.ticks() * (TickNs / NsPerMs);
    if (outcome.progressValue)
        setProgress(*outcome.progressValue);
    if (outcome.closeBox != 0) {
        showClosed(outcome.closeBox);
        log(TrialEventKind::Close, ms, outcome.closeBox);
    }
    if (outcome.timeUp) {
        log(TrialEventKind::TimeUp, ms);
        endTrial(m_program.Cluster.Trials.at(std::size_t(m_program.Run.CurrentTrial)).TimeUpMessage);
    }
}

void TrialScreen::endTrial(const QString &message)
{
    Boodschap->setText(message);
    Timer1->setEnabled(false);
    // The event log is written on the side: a log that fails is named at the end of
    // the run, and the subject goes on.
    if (!SchrijfFile())
        return;
    m_trialFinished = true;
    ++m_session.trialsCompleted;
    ProgressBar->hide();
    setTargetShown(false);
    Boodschap->show();
    OK->show();
}

bool TrialScreen::SchrijfFile()
{
    if (m_triedTrial) {
        m_trial.clearClicks();
        return true;
    }
    FileError error;
    const bool written = writeSecondHalf(m_program, m_trial.clicks(), &error);
    m_trial.clearClicks();
    if (!written)
        recordingFailed(error);
    return written;
}

void TrialScreen::Form_KeyPress(int KeyAscii)
{
    if (KeyAscii == 27)
        escapeAt(m_time.nowNs());
}

void TrialScreen::escapeAt(qint64 atNs)
{
    if (Timer1) {
        // Ticks due before the key was pressed come first: the time may have run out.
        Timer1->deliverDueAt(atNs);
    }
    if (m_escapeAsks && !m_triedTrial && !researcherEndsRun(atNs))
        return;
    if (Timer1) {
        // An Esc belongs to a trial only while that trial is under way; on a start or an
        // end screen the session line alone says where the run ended.
        if (m_program.Run.CurrentTrial >= 0 && !m_trialFinished)
            log(TrialEventKind::Esc, trialMs(atNs));
        Timer1->setEnabled(false);
    }
    stopRun(RunEnd::Escaped);
}

// The subject is not clicking while the researcher decides, so the trial's time stands
// still from the Esc until the question is answered, and nothing clicked meanwhile
// counts; the log's "pause" line says when. Going on is the default answer.
bool TrialScreen::researcherEndsRun(qint64 escNs)
{
    const bool trialRunning = Timer1 && Timer1->isEnabled();
    const bool clicksAccepted = m_program.Run.ClicksAccepted;
    if (trialRunning)
        Timer1->pause(escNs);
    m_program.Run.ClicksAccepted = false;
    const Answer answer = m_dialogs.message(runMessageTitle(m_program.Run.WholeExperiment),
                                            QStringLiteral("End the session?"), MessageIcon::Question,
                                            MessageButtons::YesNo, Answer::No);
    if (answer == Answer::Yes)
        return true;
    if (trialRunning) {
        log(TrialEventKind::Pause, trialMs(escNs));
        Timer1->resume();
    }
    m_clicksFromNs = m_time.nowNs();
    m_program.Run.ClicksAccepted = clicksAccepted;
    activateWindow();
    setFocus();
    return false;
}

void TrialScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (OK->isVisible())
            OK->click();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        escapeAt(happenedAt(event->timestamp()));
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty())
        Form_KeyPress(text.at(0).unicode());
}

void TrialScreen::closeEvent(QCloseEvent *event)
{
    // Closed by anything but the run's own end counts as Esc.
    if (m_runEnd == RunEnd::Running) {
        m_runEnd = RunEnd::Escaped;
        noteWhereItStopped();
    }
    if (Timer1)
        Timer1->setEnabled(false);
    m_program.Run.ClicksAccepted = false;
    if (m_clusterLoop)
        m_clusterLoop->quit();
    if (m_windowLoop)
        m_windowLoop->quit();
    // Whatever the run logged is on disk once its window has gone.
    m_log.waitUntilWritten();
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

void TrialScreen::stopRun(RunEnd why)
{
    if (m_runEnd == RunEnd::Running) {
        m_runEnd = why;
        if (why != RunEnd::Completed)
            noteWhereItStopped();
    }
    close();
}

void TrialScreen::noteWhereItStopped()
{
    m_session.stoppedInCluster = m_clusterPosition;
    m_session.stoppedClusterName = m_clusterOnScreen;
    // The first trial without a complete line; past the last trial that is the trial
    // count, also once START has moved beyond it.
    const int trial = m_program.Run.CurrentTrial;
    const int trials = m_program.Cluster.trialCount();
    m_session.stoppedClusterTrials = trials;
    m_session.stoppedBeforeTrialBegan = m_trialFinished;
    m_session.stoppedAtTrial = m_trialFinished ? qMin(trial + 1, trials) : qMax(trial, 0);
}

void TrialScreen::finishSession()
{
    m_session.wholeExperiment = m_program.Run.WholeExperiment;
    switch (m_runEnd) {
    case RunEnd::Escaped: m_session.end = SessionEnd::Esc; break;
    case RunEnd::FileFailed: m_session.end = SessionEnd::Failed; break;
    default: m_session.end = SessionEnd::Complete; break;
    }
    if (m_session.end == SessionEnd::Failed)
        m_session.stopProblems = m_problems;
    m_log.addSessionLine(sessionLogLine(m_session));
    m_log.waitUntilWritten();
    for (const FileError &failure : m_log.failures())
        m_session.logProblems.append(failure.description);
}

void TrialScreen::recordingFailed(const FileError &error)
{
    fileFailed(RunTrouble::ResultsNotWritten, error);
}

// The subject stops at once: nothing they do from here on could be recorded.
void TrialScreen::fileFailed(RunTrouble trouble, const FileError &error)
{
    if (Timer1)
        Timer1->setEnabled(false);
    m_program.Run.ClicksAccepted = false;
    stopRun(RunEnd::FileFailed);
    m_problems.append(error.description);
    showRunMessage(m_dialogs, trouble, m_program.Run.WholeExperiment, {error.description});
}

void TrialScreen::HeelExp()
{
    ExperimentSource *experiment = m_services.experiment;
    m_problems = experiment ? checkExperimentForRun(experiment->entries(), m_program.IconFolder,
                                                    experiment->subjectResultFile())
                            : QStringList{QStringLiteral("No experiment was given to run.")};
    if (!m_problems.isEmpty()) {
        m_runEnd = RunEnd::Refused;
        showRunMessage(m_dialogs, RunTrouble::CannotStart, true, m_problems);
        m_services.pointer.showWhileHidden();
        return;
    }

    m_session = SessionRecord();
    m_session.subject = experiment->subjectName();
    m_session.experimentFile = experiment->experimentFile();
    const QStringList listed = experiment->entries();
    m_session.clustersListed = int(std::count_if(listed.cbegin(), listed.cend(),
                                                 [](const QString &entry) { return !isMessageEntry(entry); }));
    m_clusterPosition = 0;
    // A listed cluster has sizes in millimetres when it has a sizes file beside it.
    tellWhenMillimetresCannotBeKept(std::any_of(listed.cbegin(), listed.cend(), [](const QString &entry) {
        return !isMessageEntry(entry) && QFileInfo::exists(boxSizeFilePath(entry));
    }));
    const QString subjectLog = eventLogPath(experiment->subjectResultFile());
    m_session.noteFileWritten(experiment->subjectResultFile());
    m_session.noteFileWritten(subjectLog);
    m_log.startSubjectLog(subjectLog);
    // Which order a subject ran can be traced from their log alone.
    if (const QString file = experiment->experimentFile(); !file.isEmpty())
        m_log.addSubjectLine(experimentLogLine(file));
    showOnResearchersScreen();
    for (qsizetype i = 0; i < experiment->entries().size() && m_runEnd == RunEnd::Running; ++i) {
        const QString entry = experiment->entries().at(i);
        if (isMessageEntry(entry)) {
            m_program.Run.ClusterMessageText = messageOfEntry(entry);
            continue;
        }
        ++m_clusterPosition;
        m_clusterOnScreen = entry;
        m_program.Run.CurrentTrial = -1;
        m_trialFinished = true;
        FileError error;
        if (!OpenFile(m_program, entry, &error)) {
            // The file was readable when the run started; it has changed since.
            fileFailed(RunTrouble::ClusterUnreadable, error);
            break;
        }
        m_program.Run.ClusterDone = false;
        m_clusterResultStarted = false;
        Voorbereiding();
        waitForCluster();
        m_program.Run.ClusterMessageText.clear();
        // An aborted cluster still gives the subject file its finished trials.
        if (m_clusterResultStarted && !appendClusterLines())
            break;
    }
    m_services.pointer.showWhileHidden();
    stopRun(RunEnd::Completed);
}

void TrialScreen::waitForCluster()
{
    if (m_program.Run.ClusterDone || m_runEnd != RunEnd::Running)
        return;
    QEventLoop loop;
    m_clusterLoop = &loop;
    loop.exec();
    m_clusterLoop = nullptr;
}

bool TrialScreen::appendClusterLines()
{
    const QString subject = m_services.experiment->subjectResultFile();
    const FileResult<void> appended = appendClusterToSubject(runResultPath(m_program), subject);
    if (appended)
        return true;
    recordingFailed(appended.error());
    return false;
}

void TrialScreen::removeBoxes()
{
    while (Boxes.size() > 1)
        delete Boxes.takeLast();
}

void TrialScreen::setTargetShown(bool shown)
{
    Targetframe->setVisible(shown);
    TargetIcon->setVisible(shown);
}

void TrialScreen::setProgress(double value)
{
    m_progressValue = double(float(value));
    ProgressBar->setValue(int(std::lround(m_progressValue * FullProgressSteps)));
}

bool TrialScreen::boxShownOpen(int index) const
{
    const int trial = m_program.Run.CurrentTrial;
    if (index < 1 || index >= Boxes.size() || trial < 0)
        return false;
    const BoxRecord &record = m_program.Cluster.box(trial, index);
    return Boxes[index]->picture().cacheKey() != m_pictures.value(record.BoxIconFile).cacheKey();
}

void TrialScreen::showClosed(int index)
{
    if (index < 1 || index >= Boxes.size())
        return;
    const BoxRecord &record = m_program.Cluster.box(m_program.Run.CurrentTrial, index);
    Boxes[index]->setPicture(picture(record.BoxIconFile));
}

void TrialScreen::showOpen(int index, bool showsObject)
{
    if (index < 1 || index >= Boxes.size())
        return;
    const BoxRecord &record = m_program.Cluster.box(m_program.Run.CurrentTrial, index);
    Boxes[index]->setPicture(picture(showsObject ? record.ContentFile : record.EmptyIconFile));
}

void TrialScreen::loadClusterPictures()
{
    // Loaded afresh for every cluster, so that a picture changed between clusters of
    // an experiment is shown as it is now.
    m_pictures.clear();
    for (int trial = 0; trial < m_program.Cluster.trialCount(); ++trial) {
        for (int k = 1; k <= m_program.Cluster.CountBoxes(trial); ++k) {
            const BoxRecord &record = m_program.Cluster.box(trial, k);
            for (const QString &name : {record.BoxIconFile, record.EmptyIconFile, record.ContentFile}) {
                if (name.isEmpty() || m_pictures.contains(name))
                    continue;
                QPixmap pixmap(m_program.iconPath(name));
                if (pixmap.isNull()) {
                    if (name != NoContent || !record.Empty)
                        qWarning().noquote() << QStringLiteral("Picture %1 cannot be loaded; a grey square "
                                                               "stands in for it.")
                                                    .arg(m_program.iconPath(name));
                    pixmap = placeholderPicture();
                }
                m_pictures.insert(name, pixmap);
            }
        }
    }
}

double TrialScreen::iconSizeFor(const TrialSettings &settings) const
{
    const std::optional<double> mm = boxSizeMillimetres(settings.BoxSizeMm);
    if (mm && m_pixelsPerInch)
        return boxTwipsForMillimetres(*mm, *m_pixelsPerInch);
    return readIconSize(m_services.store);
}

void TrialScreen::tellWhenMillimetresCannotBeKept(bool clustersHaveSizes)
{
    if (!clustersHaveSizes || m_pixelsPerInch)
        return;
    m_dialogs.message(runMessageTitle(m_program.Run.WholeExperiment),
                      QStringLiteral("This screen does not report its physical size, so boxes given a size in "
                                     "millimetres are drawn at the icon size instead."),
                      MessageIcon::Exclamation);
}

QPixmap TrialScreen::picture(const QString &name)
{
    const auto found = m_pictures.constFind(name);
    return found != m_pictures.constEnd() ? *found : placeholderPicture();
}

} // namespace kelvane

// The trial window driven as a subject and a researcher would drive it: mouse clicks,
// Enter and Esc on the real widgets, with the clock ticked by the test.

#include "FailingPlace.h"
#include "TestFiles.h"
#include "TrialAutopilot.h"
#include "TrialSession.h"

#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/trial/ClusterRunCommand.h"
#include "kelvane/trial/SessionRecord.h"
#include "kelvane/trial/TrialScreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

class Autopilot : public TrialAutopilot
{
public:
    using TrialAutopilot::TrialAutopilot;
    explicit Autopilot(Session &session)
        : TrialAutopilot(session.program(), [&session] { return &session.screen; }) {}
};

// Cluster A: two trials of two boxes; cluster B: one trial of three.
void writeExperimentClusters(TrialFolder &folder)
{
    setTrial(folder.program.Cluster, 0, u"10"_s, u"2"_s, 2, {false, true});
    setTrial(folder.program.Cluster, 1, u"10"_s, u"2"_s, 1, {true, true});
    folder.program.Cluster.Trials[0].StartMessage = u"A begins"_s;
    folder.saveCluster(u"A.box"_s);
    folder.program.Cluster = ClusterModel();
    setTrial(folder.program.Cluster, 0, u"0"_s, u"2"_s, 3, {true, true, true});
    setTrial(folder.program.Cluster, 1, u"0"_s, u"2"_s, 1, {true});
    folder.program.Cluster.Trials[0].StartMessage = u"B begins"_s;
    folder.saveCluster(u"B.box"_s);
}

const QByteArray subjectHead = "07-12-2026    09:00:00      anna\r\nTrial\tCluster\r\n";

} // namespace

class TrialScreenTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startScreenIsLaidOutFromTheTrial()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 2, {false, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.program().Run.ClusterMessageText = u"Rust even uit"_s;
        s.screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&s.screen));

        QVERIFY(s.screen.windowFlags() & Qt::FramelessWindowHint);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(s.screen.geometry(), screen);
        if (screen.size() != QSize(800, 800))
            QSKIP(qPrintable(QStringLiteral("pixel positions are worked out for 800 x 800, not %1 x %2")
                                 .arg(screen.width()).arg(screen.height())));
        // 12000 x 12000 twips, layout side 85 % of 12000 = 10200, icons 480 (+ 180 for the
        // frame); the target frame's lower edge halfway between layout and screen bottom.
        QCOMPARE(s.screen.TrialLayout->geometry(), QRect(60, 3, 680, 680));
        QCOMPARE(s.screen.Rand->geometry(), QRect(59, 2, 683, 683));
        QCOMPARE(s.screen.Targetframe->geometry(), QRect(378, 698, 44, 44));
        QCOMPARE(s.screen.TargetIcon->geometry(), QRect(383, 703, 32, 32));
        QCOMPARE(s.screen.OK->geometry(), QRect(340, 698, 120, 44));
        QCOMPARE(s.screen.ClusterMessage->geometry(), QRect(68, 136, 544, 408));
        QCOMPARE(s.screen.Boodschap->geometry().topLeft(), QPoint(60, 743));
        QCOMPARE(s.screen.Boodschap->width(), 680);
        QCOMPARE(s.screen.ProgressBar->geometry().topLeft(), QPoint(60, 743));

        QVERIFY(s.screen.OK->isVisible());
        QCOMPARE(s.screen.OK->text(), u"START"_s);
        QVERIFY(s.screen.Boodschap->isVisible());
        QCOMPARE(s.screen.Boodschap->text(), u"Klik op START om te beginnen."_s);
        QCOMPARE(s.screen.Boodschap->font().pointSize(), 18);
        QVERIFY(s.screen.ClusterMessage->isVisible());
        QCOMPARE(s.screen.ClusterMessage->text(), u"Rust even uit"_s);
        QVERIFY(!s.screen.Targetframe->isVisible());
        QVERIFY(!s.screen.ProgressBar->isVisible());
        QCOMPARE(s.screen.Boxes.size(), 1);
        // Red sits in the low byte of the stored colour.
        QCOMPARE(s.screen.palette().color(QPalette::Window), QColor(0x20, 0x40, 0x80));
        QCOMPARE(s.screen.Boodschap->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(s.screen.Rand->colour(), QColor(Qt::white));
        QCOMPARE(s.targetSound.calls, QStringList{u"open "_s + s.folder.path(u"sound.wav"_s)});
        QCOMPARE(s.clickSound.calls, QStringList{u"open "_s + s.folder.path(u"click.wav"_s)});

        // Clicks on the start screen do nothing; the first START lays out the boxes.
        QTest::mouseClick(s.screen.TrialLayout, Qt::LeftButton);
        QCOMPARE(s.program().Run.CurrentTrial, qint16(-1));
        s.pressStart();
        QCOMPARE(s.screen.Boxes.size(), 3);
        // Box k sits at (k * 900, 1000) of the editor's 7000-twip square.
        QCOMPARE(s.screen.Boxes[2]->geometry(), QRect(175, 97, 32, 32));
        QVERIFY(!s.screen.ClusterMessage->isVisible());
        QVERIFY(!s.screen.Boodschap->isVisible());
        QVERIFY(s.screen.Targetframe->isVisible());
        QVERIFY(s.screen.ProgressBar->isVisible());
        QCOMPARE(s.screen.progressMaximum(), 10.0);
    }

    void wholeClusterWritesItsResultFileExactly()
    {
        Session s;
        ClusterModel &cluster = s.program().Cluster;
        setTrial(cluster, 0, u"10"_s, u"2"_s, 2, {false, true});
        setTrial(cluster, 1, u"2"_s, u"2"_s, 1, {true});
        setTrial(cluster, 2, u"10"_s, u"2"_s, 5, {true, false, true, false, true, true});
        setTrial(cluster, 3, u"0"_s, u"1"_s, 12,
                 {false, true, true, true, true, true, true, true, true, true, true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&s.screen));

        // Trial 0: the target is the first box opened, before the clock has ticked.
        s.pressStart();
        QVERIFY(!s.screen.OK->isVisible());
        QCOMPARE(s.resultBytes(), s.resultHead() + " 0 \tcluster1.box\t 2 \t 1 \t 2 \t");
        s.clickBox(2);
        QVERIFY(s.screen.boxShownOpen(2));
        QVERIFY(s.screen.OK->isVisible());
        QVERIFY(s.screen.Boodschap->isVisible());
        QCOMPARE(s.screen.Boodschap->text(), u"Klik op START om door te gaan."_s);
        QVERIFY(!s.screen.Targetframe->isVisible());
        QVERIFY(!s.screen.Timer1->isEnabled());
        // An ended trial takes no more clicks; its boxes stay as they were.
        const QByteArray afterTrial0 = s.resultBytes();
        s.clickBox(1);
        QVERIFY(!s.screen.boxShownOpen(1));
        QVERIFY(s.screen.boxShownOpen(2));
        QCOMPARE(s.resultBytes(), afterTrial0);

        // Trial 1: no click; a 2 s limit runs out on the 20th tick.
        s.pressStart();
        QCOMPARE(s.screen.Boxes.size(), 2);
        QCOMPARE(s.ticks(100), 20);
        QCOMPARE(s.screen.progressValue(), double(float(1.9000000000000004)));
        QVERIFY(!s.screen.ProgressBar->isVisible());
        QCOMPARE(s.screen.Boodschap->text(), u"Uw tijd is om."_s);
        QVERIFY(s.screen.OK->isVisible());

        // Trial 2: the clicks 3, 1, 3, 5 at 1.2, 2.1, 3.3 and 4.1 s.
        s.pressStart();
        s.ticks(12);
        s.clickBox(3);
        s.ticks(9);
        s.clickBox(1);
        QVERIFY(!s.screen.boxShownOpen(3));
        QVERIFY(s.screen.boxShownOpen(1));
        s.ticks(12);
        s.clickBox(3);
        s.ticks(8);
        s.clickBox(5);

        // Trial 3: box 4 closes by itself after 1 s and is opened again; box 12 is
        // not box 1.
        s.pressStart();
        QVERIFY(!s.screen.ProgressBar->isVisible());
        s.clickBox(4);
        s.ticks(10);
        QVERIFY(s.screen.boxShownOpen(4));
        s.ticks(1);
        QVERIFY(!s.screen.boxShownOpen(4));
        s.clickBox(4);
        s.clickBox(1);
        s.clickBox(12);

        QCOMPARE(s.resultBytes(),
                 s.resultHead()
                     + " 0 \tcluster1.box\t 2 \t 1 \t 2 \t 0\t 1 \t 2\t 2@ 0\t\r\n"
                       " 1 \tcluster1.box\t 1 \t 1 \t 1 \t 2\t 0 \t\t\t\r\n"
                       " 2 \tcluster1.box\t 6 \t 4 \t 5 \t 4.1\t 4 \t 3 1 3 5\t 3@ 1.2 1@ 2.1 3@ 3.3 5@ 4.1\t 3\r\n"
                       " 3 \tcluster1.box\t 12 \t 11 \t 12 \t 1.1\t 4 \t 4 4 1 12\t 4@ 0 4@ 1.1 1@ 1.1 12@ 1.1\t 4\r\n");
        QCOMPARE(s.targetSound.plays(), 3);
        QCOMPARE(s.clickSound.plays(), 6);

        // The START after the last trial closes the window.
        s.pressStart();
        QVERIFY(!s.screen.isVisible());
        QCOMPARE(s.screen.runEnd(), RunEnd::Completed);
        QCOMPARE(s.targetSound.calls.last(), u"close"_s);
        QCOMPARE(s.clickSound.calls.last(), u"close"_s);
    }

    void runningAClusterAgainRewritesItsResultFile()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"cluster1.box"_s);
        for (int run = 0; run < 2; ++run) {
            s.screen.Form_Load();
            s.pressStart();
            s.ticks(run + 1);
            s.clickBox(1);
            s.pressStart();
            QVERIFY(!s.screen.isVisible());
        }
        QCOMPARE(s.resultBytes(), s.resultHead() + " 0 \tcluster1.box\t 1 \t 1 \t 1 \t .2\t 1 \t 1\t 1@ .2\t\r\n");
    }

    void enterStartsOnlyWhileStartShowsAndEscLeavesTheHalfLine()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"1"_s, u"2"_s, 2, {true, true});
        setTrial(s.program().Cluster, 1, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&s.screen));
        QTest::keyClick(&s.screen, Qt::Key_Return);
        QCOMPARE(s.program().Run.CurrentTrial, qint16(0));
        QVERIFY(s.program().Run.ClicksAccepted);
        QTest::keyClick(&s.screen, Qt::Key_Enter);
        QTest::keyClick(&s.screen, Qt::Key_A);
        QCOMPARE(s.program().Run.CurrentTrial, qint16(0));
        QVERIFY(s.screen.isVisible());

        // Esc asks first; the researcher takes five seconds to say No, and the
        // subject's one-second trial does not run out meanwhile.
        s.ticks(3);
        s.clickBox(1);
        s.dialogs.answers = {Answer::No, Answer::Yes};
        s.pointer.hide();
        QList<bool> pointerShown;
        s.dialogs.whileShown = [&] {
            pointerShown.append(s.pointer.visible());
            s.stall(5000);
        };
        QTest::keyClick(&s.screen, Qt::Key_Escape);
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.messages[0].text, u"End the session?"_s);
        QCOMPARE(s.dialogs.messages[0].title, u"Run Cluster"_s);
        QCOMPARE(s.dialogs.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(s.dialogs.messages[0].defaultAnswer, Answer::No);
        QVERIFY(s.screen.isVisible());
        QCOMPARE(s.ticks(7), 7);
        s.clickBox(2);
        QVERIFY(s.screen.OK->isVisible());
        QCOMPARE(s.resultBytes(), s.resultHead() + " 0 \tcluster1.box\t 2 \t 2 \t 2 \t 1\t 2 \t 1 2\t 1@ .3 2@ 1\t\r\n");

        s.pressStart();
        QTest::keyClick(&s.screen, Qt::Key_Escape);
        QCOMPARE(pointerShown, (QList<bool>{true, true}));
        QVERIFY(!s.pointer.visible());
        QVERIFY(!s.screen.isVisible());
        QVERIFY(!s.screen.Timer1->isEnabled());
        QCOMPARE(s.screen.runEnd(), RunEnd::Escaped);
        QVERIFY(s.resultBytes().endsWith("\r\n 1 \tcluster1.box\t 1 \t 1 \t 1 \t"));
        QVERIFY(readBytes(s.folder.path(u"cluster1.events.csv"_s)).contains("cluster1.box,0,click,300,1,Content1.ico,300,.3\r\n"
                                                                           "cluster1.box,0,pause,300,,,,.3\r\n"
                                                                           "cluster1.box,0,click,1000,2,"));
    }

    void summaryAndLogAgreeOnWhereTheRunEnded_data()
    {
        // Steps: S presses START, T clicks the target, E is Esc answered Yes, X puts a
        // folder where the result file was, so that its next write fails.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("ended");
        QTest::addColumn<QByteArray>("logEnd");
        QTest::newRow("last trial") << u"STSTS"_s << u"Ended: complete."_s
                                    << QByteArray("c.box,1,found,0,1,Content1.ico,,0\r\n,,session,,,complete,,\r\n");
        QTest::newRow("Esc in a trial") << u"STSE"_s << u"Ended: with Esc at trial 1 of c.box;"_s
                                        << QByteArray("c.box,1,start,0,,,,0\r\nc.box,1,esc,0,,,,0\r\n"
                                                      "c.box,1,session,,,esc,,\r\n");
        QTest::newRow("Esc on an end screen") << u"STE"_s << u"Ended: with Esc at trial 1 of c.box, before it began;"_s
                                              << QByteArray("c.box,0,found,0,1,Content1.ico,,0\r\n"
                                                            "c.box,1,session,,,esc,,\r\n");
        QTest::newRow("Esc on the last end screen")
            << u"STSTE"_s << u"Ended: with Esc at the end of c.box, after its last trial;"_s
            << QByteArray("c.box,1,found,0,1,Content1.ico,,0\r\nc.box,2,session,,,esc,,\r\n");
        QTest::newRow("Esc on the start screen") << u"E"_s << u"Ended: with Esc at trial 0 of c.box, before it began;"_s
                                                 << QByteArray(); // no trial began, so no log
        QTest::newRow("failed write") << u"STXS"_s << u"Ended: stopped by a file problem at trial 1 of c.box:"_s
                                      << QByteArray("c.box,0,found,0,1,Content1.ico,,0\r\n"
                                                    "c.box,1,session,,,failed,,\r\n");
    }

    void summaryAndLogAgreeOnWhereTheRunEnded()
    {
        QFETCH(QString, steps);
        QFETCH(QString, ended);
        QFETCH(QByteArray, logEnd);
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        setTrial(s.program().Cluster, 1, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"c.box"_s);
        s.dialogs.answers = {Answer::Yes};
        QTimer::singleShot(0, &s.screen, [&] {
            for (const QChar step : steps) {
                if (step == u'S')
                    s.pressStart();
                else if (step == u'T')
                    s.clickBox(1);
                else if (step == u'E')
                    QTest::keyClick(&s.screen, Qt::Key_Escape);
                else if (QFile::remove(s.folder.path(u"c.bof"_s)))
                    QDir(s.folder.dir.path()).mkdir(u"c.bof"_s);
            }
        });
        s.screen.runModal();
        const QString summary = sessionSummaryText(s.screen.session());
        QVERIFY2(summary.contains(u'\n' + ended), qPrintable(summary));
        const QString log = s.folder.path(u"c.events.csv"_s);
        QCOMPARE(QFile::exists(log), !logEnd.isEmpty());
        if (!logEnd.isEmpty())
            QVERIFY2(readBytes(log).endsWith(logEnd), readBytes(log).constData());
    }

    void runModalReturnsWhenTheLastTrialIsClosed()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        setTrial(s.program().Cluster, 1, u"10"_s, u"2"_s, 2, {true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        Autopilot pilot(s);
        QCOMPARE(s.screen.runModal(), RunEnd::Completed);
        QCOMPARE(s.resultBytes(), s.resultHead()
                                      + " 0 \tcluster1.box\t 1 \t 1 \t 1 \t 0\t 1 \t 1\t 1@ 0\t\r\n"
                                        " 1 \tcluster1.box\t 2 \t 2 \t 2 \t 0\t 1 \t 2\t 2@ 0\t\r\n");
    }

    void aResultFileThatCannotBeWrittenStopsTheRun()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.screen.Form_Load();
        // Writable when the start screen came up; a folder takes its place before START.
        QVERIFY(QDir(s.folder.dir.path()).mkdir(u"cluster1.bof"_s));
        s.pressStart();
        QVERIFY(!s.screen.isVisible());
        QCOMPARE(s.screen.runEnd(), RunEnd::FileFailed);
        QVERIFY(!s.program().Run.ClicksAccepted);
        QVERIFY(!s.screen.Timer1->isEnabled());
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(s.dialogs.messages[0].title, u"Run Cluster"_s);
        QVERIFY2(s.dialogs.messages[0].text.startsWith(
                     u"The run has stopped because its results cannot be recorded:\n"_s),
                 qPrintable(s.dialogs.messages[0].text));
        QVERIFY2(s.dialogs.messages[0].text.contains(s.folder.path(u"cluster1.bof"_s)),
                 qPrintable(s.dialogs.messages[0].text));
    }

    void aResultFileThatFailsMidRunKeepsEveryFinishedLine()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        setTrial(s.program().Cluster, 1, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"c.box"_s);
        s.screen.Form_Load();
        s.pressStart();
        s.clickBox(1);
        const QByteArray finished = s.resultBytes();
        QVERIFY(finished.endsWith("\r\n"));
        if (!setImmutable(clusterResultPath(s.program().ClusterFile), true))
            QSKIP("cannot mark a file immutable here");
        s.pressStart();
        setImmutable(clusterResultPath(s.program().ClusterFile), false);
        QCOMPARE(s.screen.runEnd(), RunEnd::FileFailed);
        QCOMPARE(s.resultBytes(), finished);
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY2(s.dialogs.messages[0].text.endsWith(s.folder.path(u"c.bof: Operation not permitted"_s)),
                 qPrintable(s.dialogs.messages[0].text));
    }

    void aFullDiskKeepsTheEarlierRunsResults()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"c.box"_s);
        const QByteArray earlierRun = "an earlier run's results\r\n";
        FailingPlace place(FailingPlace::FullDisk, u"c.bof"_s, earlierRun,
                           {{u"c.box"_s, readBytes(s.program().ClusterFile)}});
        if (!place.unavailable().isEmpty())
            QSKIP(qPrintable(place.unavailable()));
        s.program().ClusterFile = place.folder() + u"/c.box"_s;
        s.screen.Form_Load();
        s.pressStart();
        QCOMPARE(s.screen.runEnd(), RunEnd::FileFailed);
        QCOMPARE(readBytes(place.path()), earlierRun);
        QString damage;
        QVERIFY2(place.intact(&damage), qPrintable(damage));
        QVERIFY2(s.dialogs.messages.value(0).text.endsWith(place.path() + u": No space left on device"_s),
                 qPrintable(s.dialogs.messages.value(0).text));
    }

    void aResultFileThatCannotBeWrittenIsFoundBeforeTheStartScreen()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"cluster1.box"_s);
        QVERIFY(QDir(s.folder.dir.path()).mkdir(u"cluster1.bof"_s));
        QCOMPARE(s.screen.runModal(), RunEnd::Refused);
        QVERIFY(!s.screen.isVisible());
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.messages[0].title, u"Run Cluster"_s);
        const QString text = s.dialogs.messages[0].text;
        QVERIFY2(text.startsWith(u"The cluster cannot be run:\n"_s), qPrintable(text));
        QVERIFY2(text.contains(u"cluster1.box: its results cannot be written: "_s)
                     && text.contains(s.folder.path(u"cluster1.bof"_s)),
                 qPrintable(text));
    }

    void anEventLogThatCannotBeWrittenIsFoundBeforeTheStartScreenToo()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"cluster1.box"_s);
        QVERIFY(QDir(s.folder.dir.path()).mkdir(u"cluster1.events.csv"_s));
        QCOMPARE(s.screen.runModal(), RunEnd::Refused);
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY2(s.dialogs.messages[0].text.contains(s.folder.path(u"cluster1.events.csv"_s)),
                 qPrintable(s.dialogs.messages[0].text));
        QVERIFY(!QFile::exists(s.folder.path(u"cluster1.bof"_s)));
    }

    void anEventLogThatFailsDuringTheRunNeitherStopsItNorGoesUnsaid()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        setTrial(s.program().Cluster, 1, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"c.box"_s);
        const QString log = s.folder.path(u"c.events.csv"_s);
        Autopilot pilot(s);
        // The log is replaced by a folder once the first trial is under way.
        pilot.escapeNow = [&] {
            while (!QFileInfo(log).isDir()) {
                QFile::remove(log);
                QDir().mkdir(log);
            }
            return false;
        };
        QCOMPARE(s.screen.runModal(), RunEnd::Completed);
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.resultBytes().count("\t 1@ 0\t\r\n"), 2);
        QCOMPARE(s.screen.session().trialsCompleted, 2);
        const QString summary = sessionSummaryText(s.screen.session());
        QVERIFY2(summary.contains(u"Ended: complete.\nFiles written:\n  "_s + s.folder.path(u"c.bof"_s)), qPrintable(summary));
        QVERIFY2(summary.contains(u"The event log could not be written (the result files are complete):\n  "_s)
                     && summary.contains(log), qPrintable(summary));
    }

    void anEarlierResultFileStaysUntilTheFirstTrialStarts()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"cluster1.box"_s);
        const QByteArray earlier = "an earlier subject's run\r\n";
        writeBytes(s.folder.path(u"cluster1.bof"_s), earlier);
        s.screen.Form_Load();
        QVERIFY(s.screen.OK->isVisible());
        QCOMPARE(s.resultBytes(), earlier);
        s.dialogs.answers = {Answer::Yes};
        QTest::keyClick(&s.screen, Qt::Key_Escape);
        QCOMPARE(s.screen.runEnd(), RunEnd::Escaped);
        QCOMPARE(s.resultBytes(), earlier);
    }

    void aMissingResultFolderKeepsTheRunFromStarting()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.program().ClusterFile = s.folder.path(u"gone/cluster1.box"_s);
        s.program().ClusterName = u"cluster1.box"_s;
        QCOMPARE(s.screen.runModal(), RunEnd::Refused);
        QVERIFY(!s.screen.isVisible());
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY2(s.dialogs.messages[0].text.contains(QDir::toNativeSeparators(s.folder.path(u"gone"_s))),
                 qPrintable(s.dialogs.messages[0].text));
        QVERIFY(!QFile::exists(s.folder.path(u"gone"_s)));
    }

    void picturesAreReadBeforeTheStartScreen()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        // A picture that is there but damaged shows as a grey square.
        writeBytes(s.program().iconPath(u"Content2.ico"_s), "not a picture");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Content2.ico cannot be loaded"_s));
        s.screen.Form_Load();
        // From the start screen on, the trials need nothing from the disk.
        QVERIFY(QFile::remove(s.program().iconPath(u"Content1.ico"_s)));
        QVERIFY(QFile::remove(s.program().iconPath(u"Box1.ico"_s)));
        s.pressStart();
        QCOMPARE(s.screen.TargetIcon->picture().toImage().pixelColor(5, 5).rgb(), QColor::fromHsv(25, 255, 255).rgb());
        QCOMPARE(s.screen.Boxes[1]->picture().toImage().pixelColor(5, 5), QColor(Qt::blue));
        s.clickBox(2);
        QCOMPARE(s.screen.Boxes[2]->picture().toImage().pixelColor(5, 5), QColor(128, 128, 128));
        s.clickBox(1);
        QVERIFY(s.screen.OK->isVisible());
        QVERIFY(s.resultBytes().endsWith(" 2 	 2 1	 2@ 0 1@ 0	\r\n"));
    }

    void experimentRunWritesTheSubjectFile()
    {
        Session s;
        writeExperimentClusters(s.folder);
        const QString subject = s.folder.path(u"anna"_s);
        writeBytes(subject + u".bof"_s, subjectHead);
        s.experiment.subject = subject;
        s.experiment.list = {u"Message: first"_s, u"Message: Rest"_s, s.folder.path(u"A.box"_s),
                             s.folder.path(u"B.box"_s), u"Message: never shown"_s};
        s.program().Run.WholeExperiment = true;
        s.pointer.hide();
        QVERIFY(!s.pointer.visible());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);

        Autopilot pilot(s);
        QCOMPARE(s.screen.runModal(), RunEnd::Completed);
        QVERIFY(!s.screen.isVisible());
        QCOMPARE(pilot.startScreenMessages, (QStringList{u" Rest"_s, u"(none)"_s}));
        const QByteArray a = s.folder.path(u"A.box"_s).toLocal8Bit();
        const QByteArray b = s.folder.path(u"B.box"_s).toLocal8Bit();
        QCOMPARE(readBytes(subject + u".bof"_s),
                 subjectHead + " 0 \t" + a + "\t 2 \t 1 \t 2 \t 0\t 1 \t 2\t 2@ 0\t\r\n"
                     " 1 \t" + a + "\t 2 \t 2 \t 1 \t 0\t 1 \t 1\t 1@ 0\t\r\n"
                     " 0 \t" + b + "\t 3 \t 3 \t 3 \t 0\t 1 \t 3\t 3@ 0\t\r\n"
                     " 1 \t" + b + "\t 1 \t 1 \t 1 \t 0\t 1 \t 1\t 1@ 0\t\r\n");
        // The subject's event log beside the subject file, and each cluster's beside its own.
        const QByteArray title = "cluster,trial,event,ms,box,holds,press_ms,clock\r\n";
        const QByteArray aLines = a + ",0,start,0,,,,0\r\n" + a + ",0,click,0,2,Content2.ico,0,0\r\n"
                                  + a + ",0,found,0,2,Content2.ico,,0\r\n" + a + ",1,start,0,,,,0\r\n"
                                  + a + ",1,click,0,1,Content1.ico,0,0\r\n" + a + ",1,found,0,1,Content1.ico,,0\r\n";
        const QByteArray bLines = b + ",0,start,0,,,,0\r\n" + b + ",0,click,0,3,Content3.ico,0,0\r\n"
                                  + b + ",0,found,0,3,Content3.ico,,0\r\n" + b + ",1,start,0,,,,0\r\n"
                                  + b + ",1,click,0,1,Content1.ico,0,0\r\n" + b + ",1,found,0,1,Content1.ico,,0\r\n";
        QCOMPARE(readBytes(subject + u".events.csv"_s), title + aLines + bLines + ",,session,,,complete,,\r\n");
        // A cluster's log marks its result file as this experiment's working copy.
        QCOMPARE(readBytes(s.folder.path(u"A.events.csv"_s)), title + ",,experiment,,,,,\r\n" + aLines);
        QCOMPARE(readBytes(s.folder.path(u"B.events.csv"_s)), title + ",,experiment,,,,,\r\n" + bLines);
        QVERIFY(s.pointer.visible());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        // A message after the last cluster is kept but never shown.
        QCOMPARE(s.program().Run.ClusterMessageText, u" never shown"_s);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    void escInAnExperimentEndsItWithTheFinishedTrials()
    {
        Session s;
        writeExperimentClusters(s.folder);
        const QString subject = s.folder.path(u"anna"_s);
        writeBytes(subject + u".bof"_s, subjectHead);
        s.experiment.subject = subject;
        s.experiment.list = {s.folder.path(u"B.box"_s), s.folder.path(u"A.box"_s), s.folder.path(u"B.box"_s)};
        s.program().Run.WholeExperiment = true;
        s.pointer.hide();

        Autopilot pilot(s);
        // Esc in the second trial of the second cluster.
        pilot.escapeNow = [&s] {
            return s.program().ClusterFile.endsWith(u"A.box"_s) && s.program().Run.CurrentTrial == 1;
        };
        s.dialogs.answers = {Answer::Yes};
        s.experiment.file = s.folder.path(u"study.bex"_s);
        QCOMPARE(s.screen.runModal(), RunEnd::Escaped);
        const QByteArray a = s.folder.path(u"A.box"_s).toLocal8Bit();
        const QByteArray b = s.folder.path(u"B.box"_s).toLocal8Bit();
        QCOMPARE(readBytes(subject + u".bof"_s),
                 subjectHead + " 0 \t" + b + "\t 3 \t 3 \t 3 \t 0\t 1 \t 3\t 3@ 0\t\r\n"
                     " 1 \t" + b + "\t 1 \t 1 \t 1 \t 0\t 1 \t 1\t 1@ 0\t\r\n"
                     " 0 \t" + a + "\t 2 \t 1 \t 2 \t 0\t 1 \t 2\t 2@ 0\t\r\n");
        // The cluster result file keeps the unfinished half-line.
        QVERIFY(readBytes(s.folder.path(u"A.bof"_s)).endsWith(" 1 \t" + a + "\t 2 \t 2 \t 1 \t"));
        // The subject's log and the researcher's summary say where and how it ended.
        QVERIFY(readBytes(subject + u".events.csv"_s).endsWith(",1,esc,0,,,,0\r\n" + a + ",1,session,,,esc,,\r\n"));
        const QString summary = sessionSummaryText(s.screen.session());
        for (const QString &line : {u"Subject: "_s + subject, u"Experiment file: "_s + s.folder.path(u"study.bex"_s),
                                    u"Clusters completed: 1 of 3"_s, u"Trials completed: 3"_s,
                                    u"Ended: with Esc at trial 1 of "_s + s.folder.path(u"A.box"_s) + u" (cluster 2 of 3)"_s,
                                    u"  "_s + subject + u".bof"_s, u"  "_s + s.folder.path(u"A.events.csv"_s)})
            QVERIFY2(summary.contains(line), qPrintable(summary));
        QVERIFY(s.pointer.visible());
        QVERIFY(!s.screen.isVisible());
    }

    void aSubjectFileThatCannotTakeTheLinesStopsTheExperiment()
    {
        Session s;
        writeExperimentClusters(s.folder);
        const QString subject = s.folder.path(u"anna"_s);
        writeBytes(subject + u".bof"_s, subjectHead);
        s.experiment.subject = subject;
        s.experiment.list = {s.folder.path(u"A.box"_s), s.folder.path(u"B.box"_s)};
        s.program().Run.WholeExperiment = true;
        Autopilot pilot(s);
        // The subject file is replaced by a folder while the first cluster runs.
        pilot.escapeNow = [&] {
            if (QFile::exists(subject + u".bof"_s) && QFileInfo(subject + u".bof"_s).isFile()) {
                QFile::remove(subject + u".bof"_s);
                QDir().mkdir(subject + u".bof"_s);
            }
            return false;
        };
        QCOMPARE(s.screen.runModal(), RunEnd::FileFailed);
        QVERIFY(!s.screen.isVisible());
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.messages[0].title, u"Run Experiment"_s);
        QVERIFY(s.dialogs.messages[0].text.startsWith(u"The run has stopped because its results cannot be recorded:\n"_s));
        QVERIFY2(s.dialogs.messages[0].text.contains(subject + u".bof"_s), qPrintable(s.dialogs.messages[0].text));
        // The second cluster never started; the first one's results are in its own file.
        QVERIFY(!QFile::exists(s.folder.path(u"B.bof"_s)));
        QVERIFY(readBytes(s.folder.path(u"A.bof"_s)).endsWith("\t 1@ 0\t\r\n"));
        QVERIFY(s.pointer.visible());
    }

    void anExperimentWithAProblemNeverStarts()
    {
        Session s;
        writeExperimentClusters(s.folder);
        const QString subject = s.folder.path(u"anna"_s);
        writeBytes(subject + u".bof"_s, subjectHead);
        s.experiment.subject = subject;
        s.experiment.list = {s.folder.path(u"A.box"_s), s.folder.path(u"missing.box"_s)};
        s.program().Run.WholeExperiment = true;
        s.pointer.hide();
        QCOMPARE(s.screen.runModal(), RunEnd::Refused);
        QVERIFY(!s.screen.isVisible());
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.messages[0].title, u"Run Experiment"_s);
        QVERIFY(s.dialogs.messages[0].text.startsWith(u"The experiment cannot be run:\n"_s));
        QVERIFY2(s.dialogs.messages[0].text.contains(s.folder.path(u"missing.box"_s)),
                 qPrintable(s.dialogs.messages[0].text));
        QCOMPARE(readBytes(subject + u".bof"_s), subjectHead);
        QVERIFY(!QFile::exists(s.folder.path(u"A.bof"_s)));
        QVERIFY(s.pointer.visible());
    }

    void commandLineRunUsesTheFileTitle()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        s.folder.saveCluster(u"scripted.box"_s);
        Program fresh;
        fresh.ProgramFolder = s.program().ProgramFolder;
        fresh.IconFolder = s.program().IconFolder;
        fresh.Run.WholeExperiment = true; // left over from an earlier experiment run
        Autopilot pilot(fresh, &TrialAutopilot::shownTrialScreen);
        QString errorText;
        QTextStream errors(&errorText);
        QCOMPARE(runClusterCommand(fresh, {s.dialogs, *s.folder.store, s.targetSound, s.clickSound, s.pointer},
                                   s.folder.path(u"scripted.box"_s), errors, TrialClock::Drive::Manual),
                 0);
        QVERIFY2(errorText.startsWith(u"Clusters completed: 1 of 1\nTrials completed: 1\nEnded: complete.\n"_s),
                 qPrintable(errorText));
        QCOMPARE(fresh.ClusterFile, s.folder.path(u"scripted.box"_s));
        const QByteArray first = s.resultHead() + " 0 \tscripted.box\t 1 \t 1 \t 1 \t 0\t 1 \t 1\t 1@ 0\t\r\n";
        QCOMPARE(s.resultBytes(), first);

        // A second subject neither replaces the first one's results unasked nor waits
        // for an answer: the run is refused, unless given a file of its own or --replace.
        const auto run = [&](const ClusterRunOptions &options) {
            errorText.clear();
            return runClusterCommand(fresh, {s.dialogs, *s.folder.store, s.targetSound, s.clickSound, s.pointer},
                                     s.folder.path(u"scripted.box"_s), errors, TrialClock::Drive::Manual, options);
        };
        QCOMPARE(run({}), 1);
        QVERIFY2(errorText.contains(s.folder.path(u"scripted.bof"_s) + u" holds the results of an earlier run; give --replace"_s),
                 qPrintable(errorText));
        QCOMPARE(run({.output = s.folder.path(u"second.bof"_s), .replace = false}), 0);
        QCOMPARE(readBytes(s.folder.path(u"second.bof"_s)), first);
        QVERIFY(readBytes(s.folder.path(u"second.events.csv"_s)).endsWith(",,session,,,complete,,\r\n"));
        QCOMPARE(s.resultBytes(), first);
        writeBytes(s.folder.path(u"scripted.bof"_s), first + "half a line\t");
        QCOMPARE(run({.output = {}, .replace = true}), 0);
        QCOMPARE(s.resultBytes(), first);
    }

    void theExampleClusterRunsAsIs()
    {
        // As the manual runs it, with the default pictures, in a folder of its own so the
        // results land there.
        QTemporaryDir dir;
        const QString example = dir.filePath(u"first-cluster.box"_s);
        QVERIFY(QFile::copy(QStringLiteral(KELVANE_SOURCE_DIR "/examples/first-cluster.box"), example));
        Session s;
        Program program;
        program.ProgramFolder = QStringLiteral(KELVANE_SOURCE_DIR "/experiment/resources");
        program.IconFolder = program.ProgramFolder + u"/ico/"_s;
        Autopilot pilot(program, &TrialAutopilot::shownTrialScreen);
        QString errorText;
        QTextStream errors(&errorText);
        QCOMPARE(runClusterCommand(program, {s.dialogs, *s.folder.store, s.targetSound, s.clickSound, s.pointer},
                                   example, errors, TrialClock::Drive::Manual),
                 0);
        // Nothing but the summary, on stderr and in its box alike.
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(errorText, s.dialogs.messages[0].text + u'\n');
        const QList<QByteArray> lines = readBytes(dir.filePath(u"first-cluster.bof"_s)).split('\n');
        QCOMPARE(lines.size(), 6); // copy, titles, three trials, nothing after the last line end
        QVERIFY(lines[2].startsWith(" 0 \tfirst-cluster.box\t 4 \t 1 \t 3 \t"));
        QVERIFY(lines[3].startsWith(" 1 \tfirst-cluster.box\t 6 \t 3 \t 5 \t"));
        QVERIFY(lines[4].startsWith(" 2 \tfirst-cluster.box\t 3 \t 3 \t 2 \t"));
    }

    void commandLineRunReportsWhatKeepsItFromStarting()
    {
        Session s;
        QString errorText;
        QTextStream errors(&errorText);
        const QString missing = s.folder.path(u"nothere.box"_s);
        QCOMPARE(runClusterCommand(s.program(), {s.dialogs, *s.folder.store, s.targetSound, s.clickSound, s.pointer},
                                   missing, errors), 1);
        QVERIFY2(errorText.contains(missing), qPrintable(errorText));
        QCOMPARE(s.dialogs.messages.size(), 1);
        // The same words in the box and on stderr, as for any run that cannot start.
        QCOMPARE(s.dialogs.messages[0].title, u"Run Cluster"_s);
        QVERIFY2(s.dialogs.messages[0].text.startsWith(u"The cluster cannot be run:\n"_s),
                 qPrintable(s.dialogs.messages[0].text));
        QCOMPARE(errorText, s.dialogs.messages[0].text + u'\n');

        // A cluster whose target holds no object.
        setTrial(s.program().Cluster, 0, u"10"_s, u"2"_s, 1, {false, true});
        s.folder.saveCluster(u"notarget.box"_s);
        errorText.clear();
        QCOMPARE(runClusterCommand(s.program(), {s.dialogs, *s.folder.store, s.targetSound, s.clickSound, s.pointer},
                                   s.folder.path(u"notarget.box"_s), errors), 1);
        QVERIFY2(errorText.contains(u"notarget.box: trial 1, box 1"_s), qPrintable(errorText));
        QCOMPARE(s.dialogs.messages.size(), 2);
        QVERIFY(!QFile::exists(s.folder.path(u"notarget.bof"_s)));
    }

    void pointerFollowsTheCounter()
    {
        PointerCounter pointer;
        QCOMPARE(pointer.hide(), -1);
        QCOMPARE(pointer.hide(), -2);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        QCOMPARE(pointer.show(), -1);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(pointer.show(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(pointer.show(), 1);
        QCOMPARE(pointer.hide(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        // Showing a pointer that is not hidden changes nothing, so the next hide works.
        QCOMPARE(pointer.showWhileHidden(), 0);
        QCOMPARE(pointer.hide(), -1);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        QCOMPARE(pointer.showWhileHidden(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(TrialScreenTest)
#include "tst_trialscreen.moc"

// When a click counts and what time it carries: clicks timed by their own input
// events and put in order with the clock's ticks, however late either is handled;
// and the event log written beside the result file.

#include "TestFiles.h"
#include "TimedInput.h"
#include "TrialSession.h"

#include "kelvane/trial/SessionRecord.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray eventLog(Session &s)
{
    return readBytes(s.folder.path(u"cluster1.events.csv"_s));
}

QList<QByteArray> loggedClicks(Session &s)
{
    QList<QByteArray> clicks;
    for (const QByteArray &line : eventLog(s).split('\n')) {
        if (line.contains(",click,"))
            clicks.append(line.trimmed());
    }
    return clicks;
}

} // namespace

class ClickTimingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aClickHandledAfterOwedTicksIsRecordedAtItsOwnTime()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"5"_s, 3, {true, true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.screen.Form_Load();
        s.pressStart();

        // A click released before the trial began was aimed at the start screen.
        s.clickBoxAt(1, -300, -200);
        QCOMPARE(s.program().Run.OpenedCount, qint16(0));

        // The thread is busy for 2.8 s; the clock's owed ticks are all delivered before
        // the click made at 0.7 s is handled.
        s.stall(2800);
        s.screen.Timer1->timeout();
        s.screen.Timer1->deliverOwed();
        QCOMPARE(s.program().Run.TrialClock, clockAfterTicks(28));
        s.clickBoxAt(1, 650, 700);
        QCOMPARE(s.program().Run.TimedClickOrder, u" 1@ .7"_s);
        QVERIFY(s.screen.boxShownOpen(1));

        // Busy again until 3.8 s: the timeout is handled first, the click made at
        // 3.05 s while the ticks are held back. It takes only the ticks due before it.
        s.stall(1000);
        s.screen.Timer1->timeout();
        s.clickBoxAt(2, 3000, 3050);
        QCOMPARE(s.program().Run.TrialClock, clockAfterTicks(30));
        s.screen.Timer1->deliverOwed();
        QCOMPARE(s.program().Run.TrialClock, clockAfterTicks(38));

        s.ticks(2);
        s.clickBox(3);
        QCOMPARE(s.resultBytes(), s.resultHead()
                                      + " 0 \tcluster1.box\t 3 \t 3 \t 3 \t 4\t 3 \t 1 2 3\t 1@ .7 2@ 3 3@ 4\t\r\n");
    }

    void aTargetClickMadeBeforeTheLimitCountsThoughTheLimitTickCameFirst()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"2"_s, u"2"_s, 2, {true, true});
        setTrial(s.program().Cluster, 1, u"2"_s, u"2"_s, 2, {true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.screen.Form_Load();

        // The process stands still from 0.5 s to 2.8 s; the subject clicks box 1 at
        // 0.7 s and the target at 1.7 s. The timeout that passes the 2 s limit is
        // handled before the clicks.
        s.pressStart();
        s.ticks(5);
        s.stall(2300);
        s.screen.Timer1->timeout();
        s.clickBoxAt(1, 650, 700);
        s.clickBoxAt(2, 1650, 1700);
        s.screen.Timer1->deliverOwed();
        QVERIFY(s.screen.OK->isVisible());
        QCOMPARE(s.screen.Boodschap->text(), u"Klik op START om door te gaan."_s);
        QCOMPARE(s.targetSound.plays(), 1);

        // The same, but the target is clicked at 2.1 s: after the limit, too late.
        s.pressStart();
        s.ticks(5);
        s.stall(2300);
        s.screen.Timer1->timeout();
        s.clickBoxAt(1, 650, 700);
        s.clickBoxAt(2, 2050, 2100);
        s.screen.Timer1->deliverOwed();
        QCOMPARE(s.screen.Boodschap->text(), u"Uw tijd is om."_s);
        QCOMPARE(s.targetSound.plays(), 1);

        QCOMPARE(s.resultBytes(), s.resultHead()
                                      + " 0 \tcluster1.box\t 2 \t 2 \t 2 \t 1.7\t 2 \t 1 2\t 1@ .7 2@ 1.7\t\r\n"
                                        " 1 \tcluster1.box\t 2 \t 2 \t 2 \t 2\t 1 \t 1\t 1@ .7\t\r\n");
    }

    void theEventLogHoldsEveryEventInMilliseconds()
    {
        Session s;
        ClusterModel &cluster = s.program().Cluster;
        setTrial(cluster, 0, u"10"_s, u"1"_s, 1, {true, false});
        setTrial(cluster, 1, u"2"_s, u"2"_s, 1, {true});
        setTrial(cluster, 2, u"0"_s, u"2"_s, 2, {true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        writeBytes(s.folder.path(u"cluster1.events.csv"_s), "an earlier run\r\n");
        s.screen.Form_Load();

        // Trial 0: the empty box 2 (pressed at 1.1 s, released at 1.234 s), closed by
        // the clock 1.1 s later; then the target.
        s.pressStart();
        s.stall(1300);
        s.clickBoxAt(2, 1100, 1234);
        s.ticks(10);
        QVERIFY(!s.screen.boxShownOpen(2));
        s.stall(700);
        s.clickBoxAt(1, 2900, 2950);
        // Trial 1: the time runs out.
        s.pressStart();
        s.ticks(100);
        // Trial 2: a click, then Esc pressed at 0.8 s and handled at 1 s.
        s.pressStart();
        s.stall(600);
        s.clickBoxAt(1, 450, 500);
        s.stall(400);
        s.dialogs.answers = {Answer::Yes};
        sendKey(&s.screen, Qt::Key_Escape, s.stampInTrial(800));
        QVERIFY(!s.screen.isVisible());

        QCOMPARE(eventLog(s), QByteArray("cluster,trial,event,ms,box,holds,press_ms,clock,input\r\n"
                                         "cluster1.box,0,start,0,,,,0,\r\n"
                                         "cluster1.box,0,click,1234,2,empty,1100,1.2,mouse\r\n"
                                         "cluster1.box,0,close,2300,2,,,2.3,\r\n"
                                         "cluster1.box,0,click,2950,1,Content1.ico,2900,2.9,mouse\r\n"
                                         "cluster1.box,0,found,2950,1,Content1.ico,,2.9,\r\n"
                                         "cluster1.box,1,start,0,,,,0,\r\n"
                                         "cluster1.box,1,timeup,2000,,,,2,\r\n"
                                         "cluster1.box,2,start,0,,,,0,\r\n"
                                         "cluster1.box,2,click,500,1,Content1.ico,450,.5,mouse\r\n"
                                         "cluster1.box,2,esc,800,,,,.8,\r\n"));
        // The result file keeps its 0.1 s times, and the half-line of the Esc trial.
        QCOMPARE(s.resultBytes(), s.resultHead()
                                      + " 0 \tcluster1.box\t 2 \t 1 \t 1 \t 2.9\t 2 \t 2 1\t 2@ 1.2 1@ 2.9\t\r\n"
                                        " 1 \tcluster1.box\t 1 \t 1 \t 1 \t 2\t 0 \t\t\t\r\n"
                                        " 2 \tcluster1.box\t 2 \t 2 \t 2 \t");
    }

    // A pen opens a box where it touches down, timed at that moment; the mouse events the
    // system makes of it are no second click, and the log names the pen.
    void aPenOpensABoxWhereItTouchesDownOnce()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"5"_s, 3, {true, true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.screen.Form_Load();
        s.pressStart();
        s.stall(1500);
        sendPenTap(s.screen.Boxes.at(1), s.stampInTrial(600), s.stampInTrial(900));
        QVERIFY(s.screen.boxShownOpen(1));
        sendClick(s.screen.Boxes.at(2), s.stampInTrial(950), s.stampInTrial(960));
        QVERIFY(!s.screen.boxShownOpen(2));
        s.stall(1000);
        s.clickBoxAt(2, 2000, 2100);
        QCOMPARE(s.program().Run.ClickOrder, u" 1 2"_s);
        // The log is written on its own thread.
        QTRY_COMPARE(loggedClicks(s).size(), 2);
        const QList<QByteArray> clicks = loggedClicks(s);
        QVERIFY2(clicks[0].startsWith("cluster1.box,0,click,600,1,Content1.ico,600,") && clicks[0].endsWith(",pen"),
                 clicks[0].constData());
        QVERIFY2(clicks[1].endsWith(",mouse"), clicks[1].constData());
    }

    // The platform stamps touch events on its own; the window's clock learns where that
    // clock stands from them, as on a real display.
    void aSubjectDoesATrialByTouchAloneWithEveryTouchCountedOnce()
    {
        Session s;
        setTrial(s.program().Cluster, 0, u"10"_s, u"5"_s, 3, {true, true, true, true});
        s.folder.saveCluster(u"cluster1.box"_s);
        s.pointer.hide();
        s.screen.Form_Load();
        Fingers fingers(&s.screen);
        const QList<BoxPicture *> &boxes = s.screen.Boxes;

        const quint64 started = fingers.tap(s.screen.OK);
        QVERIFY(s.screen.Timer1->isEnabled());

        // The finger goes down on box 2 and rests there; the window gets to it 5 s later.
        // The click is at the touch-down, neither at the handling nor at the lift.
        s.stall(5000);
        const quint64 down = fingers.press(0, boxes.at(2));
        QThread::msleep(30);
        const quint64 up = fingers.release(0);
        QVERIFY(s.screen.boxShownOpen(2));
        const QByteArray at = QByteArray::number(down - started);
        QCOMPARE(loggedClicks(s).size(), 1);
        QVERIFY2(loggedClicks(s).at(0).startsWith("cluster1.box,0,click," + at + ",2,Content2.ico," + at + ","),
                 loggedClicks(s).at(0));

        // The mouse events the platform makes of a touch, marked as such or not, are no
        // second click; nor is a touch on no box.
        sendClickMadeFromTouch(boxes.at(1), up, up);
        sendClick(boxes.at(4), up + 100, up + 110);
        fingers.press(0, s.screen.TrialLayout, QPoint(2, 2));
        fingers.release(0);
        QCOMPARE(s.program().Run.OpenedCount, qint16(1));

        // Two fingers: the second goes down on the target while the first rests on box 1.
        fingers.press(0, boxes.at(1));
        fingers.press(1, boxes.at(3));
        fingers.release(1);
        fingers.release(0);
        QCOMPARE(s.program().Run.ClickOrder, u" 2 1 3"_s);
        QVERIFY(s.screen.OK->isVisible());
        QCOMPARE(loggedClicks(s).size(), 3);

        // The end screen takes no touches on its boxes; START by touch ends the run.
        fingers.tap(boxes.at(1));
        QVERIFY(s.screen.boxShownOpen(3));
        QVERIFY(!s.screen.boxShownOpen(1));
        fingers.tap(s.screen.OK);
        QVERIFY(!s.screen.isVisible());
        QVERIFY(s.resultBytes().contains("\t 4 \t 4 \t 3 \t"));
        QVERIFY(s.resultBytes().contains("\t 3 \t 2 1 3\t"));
        QCOMPARE(loggedClicks(s).size(), 3);
        for (const QByteArray &click : loggedClicks(s))
            QVERIFY2(click.endsWith(",touch"), click.constData());
        QVERIFY(sessionSummaryText(s.screen.session()).endsWith(u"\nBoxes opened with: touch"_s));
    }
};

QTEST_MAIN(ClickTimingTest)
#include "tst_clicktiming.moc"

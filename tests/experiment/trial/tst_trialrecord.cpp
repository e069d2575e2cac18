// The parts of a trial that need no window: what clicks and ticks record, the result
// lines and files, the event log, the clock's catch-up, the placing of input events in
// time, and the decisions of a run.

#include "TestFiles.h"
#include "TrialFixture.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/formats/EventLogFile.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/formats/ResultLines.h"
#include "kelvane/trial/BackgroundWriter.h"
#include "kelvane/trial/ResultFile.h"
#include "kelvane/trial/RunSequencing.h"
#include "kelvane/trial/SoundPlayer.h"
#include "kelvane/trial/TrialBookkeeping.h"
#include "kelvane/trial/TrialClock.h"
#include "kelvane/trial/TrialTime.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

const QLatin1StringView crlf{"\r\n"};

// A running trial 0 of the folder's cluster, as START leaves it.
struct RunningTrial
{
    RunningTrial(const QString &time, const QString &closeAfter, int target, const QList<bool> &boxes)
    {
        setTrial(folder.program.Cluster, 0, time, closeAfter, target, boxes);
        folder.program.Run.CurrentTrial = 0;
        trial.prepare(0, true);
        trial.startCounting();
        trial.acceptClicks();
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            trial.tick();
    }
    // A click handled as it happens, after the ticks counted so far.
    ClickOutcome click(int box) { return trial.click(box, trial.ticks()); }
    RunState &run() { return folder.program.Run; }

    TrialFolder folder;
    TrialBookkeeping trial{folder.program};
};

int warningCount = 0;
void countWarnings(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtWarningMsg)
        ++warningCount;
}

} // namespace

class TrialRecordTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trialLinesAreLaidOutExactly()
    {
        // The example of the researchers' documentation: trial 2 of cluster1.box.
        const QString line = firstHalfOfTrialLine(2, QStringLiteral("cluster1.box"), 6, 4, 5)
                             + secondHalfOfTrialLine(4.1000000000000005, 4, QStringLiteral(" 3 1 3 5"),
                                                     QStringLiteral(" 3@ 1.2 1@ 2.1 3@ 3.3 5@ 4.1"),
                                                     QStringLiteral(" 3"));
        QCOMPARE(line, QStringLiteral(" 2 \tcluster1.box\t 6 \t 4 \t 5 \t 4.1\t 4 \t 3 1 3 5\t"
                                      " 3@ 1.2 1@ 2.1 3@ 3.3 5@ 4.1\t 3\r\n"));
        // A time-out without a click: three empty fields at the end.
        QCOMPARE(secondHalfOfTrialLine(2.0000000000000004, 0, {}, {}, {}),
                 QStringLiteral(" 2\t 0 \t\t\t\r\n"));
        QCOMPARE(secondHalfOfTrialLine(0.25, 1, {}, {}, {}).left(3), QStringLiteral(" .2"));
        QCOMPARE(resultTitleLine(), QStringLiteral("Trial\tCluster\tTotal boxes\tTotal objects\tTarget\t"
                                                   "Total time\tTotal opened\tClick order\t"
                                                   "Timed click order\tWithin Error\r\n"));
        QCOMPARE(timedClick(4, 0), QStringLiteral(" 4@ 0"));
        QCOMPARE(timedClick(12, 0.1), QStringLiteral(" 12@ .1"));
        QCOMPARE(timedClick(3, 12.0), QStringLiteral(" 3@ 12"));
    }

    void numbersKeepTheirPointUnderADecimalComma()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString line = secondHalfOfTrialLine(5.7, 1, QStringLiteral(" 2"), timedClick(2, 5.7), {});
        QLocale::setDefault(before);
        QCOMPARE(line, QStringLiteral(" 5.7\t 1 \t 2\t 2@ 5.7\t\r\n"));
    }

    void withinTrialRepeats_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("repeats");
        QTest::newRow("none") << QStringList() << QString();
        QTest::newRow("all different") << QStringList{u"1"_s, u"2"_s, u"3"_s} << QString();
        QTest::newRow("every opening but the last")
            << QStringList{u"3"_s, u"5"_s, u"3"_s, u"7"_s, u"5"_s, u"3"_s} << u" 3 5 3"_s;
        QTest::newRow("same box twice") << QStringList{u"4"_s, u"4"_s} << u" 4"_s;
        QTest::newRow("1 is not 12") << QStringList{u"1"_s, u"12"_s, u"21"_s, u"12"_s} << u" 12"_s;
    }
    void withinTrialRepeats()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, repeats);
        QCOMPARE(kelvane::withinTrialRepeats(clicks), repeats);
    }

    void copyLineTakesEveryValueBackInItsWriteForm()
    {
        // Values spread over lines and with blanks read the same as a one-line file.
        const QString file = QStringLiteral("2\r\n\"10\", \"a, b\",\r\n#TRUE#,\" .5\",\n  #FALSE#  ,\"\",");
        QCOMPARE(clusterCopyLine(file), QStringLiteral("2,\"10\",\"a, b\",#TRUE#,\" .5\",#FALSE#,\"\",\r\n"));
        QCOMPARE(clusterResultPath(QStringLiteral("/data/exp/cluster1.box")),
                 QStringLiteral("/data/exp/cluster1.bof"));
    }

    void clicksBeforeTheStartOrAfterTheEndRecordNothing()
    {
        RunningTrial t(u"10"_s, u"2"_s, 2, {false, true});
        t.run().ClicksAccepted = false;
        QVERIFY(!t.click(1).accepted);
        QCOMPARE(t.run().OpenedCount, qint16(0));
        t.run().ClicksAccepted = true;
        QVERIFY(t.click(2).targetFound);
        QVERIFY(!t.run().ClicksAccepted);
        QVERIFY(!t.click(1).accepted);
        QCOMPARE(t.run().ClickOrder, u" 2"_s);
        QCOMPARE(t.run().TimedClickOrder, u" 2@ 0"_s);
        QCOMPARE(t.trial.clicks(), QStringList{u"2"_s});
    }

    void anotherBoxClosesTheOpenOne()
    {
        RunningTrial t(u"0"_s, u"2"_s, 1, {true, true, true, true, false});
        ClickOutcome first = t.click(5);
        QCOMPARE(first.closeBox, 0);
        QCOMPARE(first.openBox, 5);
        QVERIFY(!first.showsObject);
        t.ticks(3);
        ClickOutcome second = t.click(3);
        QCOMPARE(second.closeBox, 5);
        QVERIFY(second.showsObject);
        QVERIFY(!t.folder.program.Cluster.box(0, 5).IsOpen);
        QVERIFY(t.folder.program.Cluster.box(0, 3).IsOpen);
        QCOMPARE(t.run().ClickOrder, u" 5 3"_s);
        QCOMPARE(t.run().TimedClickOrder, u" 5@ 0 3@ .3"_s);
        QCOMPARE(t.run().OpenedCount, qint16(2));
    }

    void theOpenBoxClickedAgainCountsOnlyAfterItClosed()
    {
        RunningTrial t(u"0"_s, u"1.5"_s, 1, {true, true, true, true});
        QVERIFY(t.click(4).accepted);
        t.ticks(5);
        QVERIFY(!t.click(4).accepted);
        // The sum of fifteen 0.1 steps is just above 1.5, so the 15th tick closes it.
        t.ticks(9);
        QVERIFY(t.folder.program.Cluster.box(0, 4).IsOpen);
        TickOutcome closing = t.trial.tick();
        QCOMPARE(closing.closeBox, 4);
        QVERIFY(!t.folder.program.Cluster.box(0, 4).IsOpen);
        QCOMPARE(t.run().OpenBoxIndex, qint16(4));
        QVERIFY(t.click(4).accepted);
        QCOMPARE(t.run().OpenedCount, qint16(2));
        QCOMPARE(kelvane::withinTrialRepeats(t.trial.clicks()), u" 4"_s);
    }

    void closeAfterZeroClosesOnTheNextTick()
    {
        RunningTrial t(u"0"_s, u"none"_s, 1, {true, true});
        t.click(2);
        QCOMPARE(t.trial.tick().closeBox, 2);
        QCOMPARE(t.trial.tick().closeBox, 0);
    }

    void timeRunsOutOnTheTickThatPassesTheLimit_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("lastTick");
        QTest::addColumn<QString>("totalTime"); // as the result line records it
        QTest::newRow("2 s") << u"2"_s << 20 << u" 2"_s;
        QTest::newRow("5 s") << u"5"_s << 51 << u" 5.1"_s;
        QTest::newRow("75 s, the last to end on its own tick") << u"75"_s << 750 << u" 75"_s;
        QTest::newRow("76 s") << u"76"_s << 761 << u" 76.1"_s;
        QTest::newRow("0.5 s") << u".5"_s << 6 << u" .6"_s;
        QTest::newRow("2.5s with unit") << u"2.5s"_s << 25 << u" 2.5"_s;
    }
    void timeRunsOutOnTheTickThatPassesTheLimit()
    {
        QFETCH(QString, limit);
        QFETCH(int, lastTick);
        RunningTrial t(limit, u"2"_s, 1, {true});
        double clockBefore = 0;
        for (int tick = 1; tick < lastTick; ++tick) {
            clockBefore = t.run().TrialClock;
            const TickOutcome outcome = t.trial.tick();
            QVERIFY2(!outcome.timeUp, qPrintable(QStringLiteral("tick %1").arg(tick)));
            QCOMPARE(*outcome.progressValue, clockBefore);
        }
        clockBefore = t.run().TrialClock;
        const TickOutcome last = t.trial.tick();
        QVERIFY(last.timeUp);
        QCOMPARE(*last.progressValue, clockBefore);
        QVERIFY(!t.run().ClicksAccepted);
        QFETCH(QString, totalTime);
        QCOMPARE(shortNumberForm(roundHalfEven(t.run().TrialClock, 2)), totalTime);
    }

    void aTrialWithoutLimitNeverTimesOut()
    {
        RunningTrial t(u"0"_s, u"2"_s, 1, {true});
        for (int i = 0; i < 2000; ++i) {
            const TickOutcome outcome = t.trial.tick();
            QVERIFY(!outcome.timeUp);
            QVERIFY(!outcome.progressValue);
        }
        QVERIFY(t.run().TrialClock > 199.9);
        QVERIFY(t.run().ClicksAccepted);
    }

    void clockDeliversOwedTicksAfterTheHoldBack()
    {
        TimeSource time = TimeSource::manual();
        TrialClock clock(TrialClock::Drive::Manual, &time);
        int ticks = 0;
        connect(&clock, &TrialClock::tick, this, [&] { ++ticks; });
        clock.setEnabled(true);
        time.advanceMs(99);
        clock.timeout(); // a timer that fires early owes nothing
        QVERIFY(!clock.hasOwed());
        time.advanceMs(1);
        clock.timeout();
        QVERIFY(clock.hasOwed());
        QCOMPARE(ticks, 0); // held back until queued input has had its turn
        clock.deliverOwed();
        QCOMPARE(ticks, 1);

        // The process stood still for 2.65 s; its timeout comes first, then a click
        // made 0.75 s into the trial, then the end of the hold-back.
        time.advanceMs(2650);
        clock.timeout();
        time.advanceMs(TrialClock::HoldBackMs);
        clock.deliverDueAt(clock.startNs() + 750 * NsPerMs);
        QCOMPARE(ticks, 7);
        clock.deliverOwed();
        QCOMPARE(ticks, 27); // due by the timeout; the next ones get timeouts of their own
        QCOMPARE(clock.caughtUpTicks(), qint64(5 + 19));

        // However irregular the timeouts, the count follows elapsed time.
        qint64 elapsedMs = 2780;
        for (int i = 0; i < 1000; ++i) {
            const int step = i * 7919 % 350 + 1;
            time.advanceMs(step);
            elapsedMs += step;
            clock.timeout();
            clock.deliverOwed();
            QCOMPARE(clock.delivered(), elapsedMs / 100);
        }
        QCOMPARE(qint64(ticks), clock.delivered());
    }

    void clockStopsDeliveringWhenItsHandlerDisablesIt()
    {
        TimeSource time = TimeSource::manual();
        TrialClock clock(TrialClock::Drive::Manual, &time);
        int ticks = 0;
        connect(&clock, &TrialClock::tick, this, [&] {
            if (++ticks == 3)
                clock.setEnabled(false);
        });
        clock.setEnabled(true);
        time.advanceMs(1000);
        clock.timeout();
        clock.deliverOwed();
        QCOMPARE(ticks, 3);
        QVERIFY(!clock.hasOwed());
        // Enabled again, it counts from the new start.
        clock.setEnabled(true);
        QCOMPARE(clock.startNs(), 1000 * NsPerMs);
        clock.deliverDueAt(time.nowNs() + 250 * NsPerMs);
        QCOMPARE(clock.delivered(), qint64(2));
        QCOMPARE(ticksIn(-5), qint64(0));
        QCOMPARE(clockAfterTicks(3), 0.30000000000000004);
    }

    void inputEventsArePlacedByTheirOwnTimestamps()
    {
        InputEventClock events;
        QVERIFY(!events.toMonotonicNs(1000));
        // The platform's input clock reads 5000 ms when ours reads 2 s; the event is
        // handled 0.3 ms after it happened.
        events.observe(5000, 2000 * NsPerMs + 300'000);
        QCOMPARE(*events.toMonotonicNs(5000), 2000 * NsPerMs + 300'000);
        // An event handled 2 s late teaches nothing new and keeps its own time.
        events.observe(5700, 4700 * NsPerMs);
        QCOMPARE(*events.toMonotonicNs(5700), 2700 * NsPerMs + 300'000);
        // An event handled more promptly sharpens the estimate.
        events.observe(6000, 3000 * NsPerMs + 100'000);
        QCOMPARE(*events.toMonotonicNs(5700), 2700 * NsPerMs + 100'000);
        // An event without a timestamp.
        events.observe(0, 0);
        QVERIFY(!events.toMonotonicNs(0));
        QCOMPARE(*events.toMonotonicNs(6000), 3000 * NsPerMs + 100'000);

        // An X server's 32-bit stamps wrap after 49.7 days.
        InputEventClock wrapping;
        wrapping.observe(0xFFFFFF00u, 10'000 * NsPerMs);
        wrapping.observe(0x10u, 10'272 * NsPerMs);
        QCOMPARE(*wrapping.toMonotonicNs(0x10u), 10'272 * NsPerMs);
        QCOMPARE(*wrapping.toMonotonicNs(0x20u), 10'288 * NsPerMs);
        wrapping.reset();
        QVERIFY(!wrapping.toMonotonicNs(0x10u));
    }

    void aClickHandledLateKeepsItsOwnTime()
    {
        RunningTrial t(u"10"_s, u"1"_s, 3, {true, true, true});
        // 28 ticks were counted before a click made at tick 7 was handled.
        t.ticks(28);
        QVERIFY(t.trial.click(1, 7).accepted);
        QCOMPARE(t.run().TimedClickOrder, u" 1@ .7"_s);
        // Box 1 has been open for 2.1 s, past its close-after time: the next tick closes it.
        QCOMPARE(t.trial.tick().closeBox, 1);
        // The target, opened at 2.5 s and handled at 2.9 s: the trial took 2.5 s.
        QVERIFY(t.trial.click(3, 25).targetFound);
        QCOMPARE(t.run().TrialClock, clockAfterTicks(25));
        QCOMPARE(t.run().TimedClickOrder, u" 1@ .7 3@ 2.5"_s);
    }

    void eventLogLinesAreLaidOutExactly()
    {
        QCOMPARE(eventLogTitleLine(), u"cluster,trial,event,ms,box,holds,press_ms,clock,input\r\n"_s);
        TrialEvent click;
        click.kind = TrialEventKind::Click;
        click.trial = 2;
        click.ms = 1234;
        click.box = 3;
        click.holds = u"Content3.ico"_s;
        click.pressMs = 1141;
        click.clock = clockAfterTicks(12);
        click.input = u"touch"_s;
        QCOMPARE(eventLogLine(u"cluster1.box"_s, click),
                 u"cluster1.box,2,click,1234,3,Content3.ico,1141,1.2,touch\r\n"_s);
        TrialEvent timeUp;
        timeUp.kind = TrialEventKind::TimeUp;
        timeUp.ms = 2000;
        timeUp.clock = 2.0000000000000004;
        QCOMPARE(eventLogLine(u"a.box"_s, timeUp), u"a.box,0,timeup,2000,,,,2,\r\n"_s);
        // A pressed-before-the-start time, and values that need quoting.
        click.pressMs = -12;
        click.clock = 0.30000000000000004;
        click.holds = u"pot, red.ico"_s;
        QCOMPARE(eventLogLine(u"C:\\exp\\say \"hi\".box"_s, click),
                 u"\"C:\\exp\\say \"\"hi\"\".box\",2,click,1234,3,\"pot, red.ico\",-12,.3,touch\r\n"_s);
        QCOMPARE(boxHolds(true, u"leeg"_s), u"empty"_s);
        QCOMPARE(boxHolds(false, u"Content1.ico"_s), u"Content1.ico"_s);
        QCOMPARE(eventLogPath(u"/data/exp/cluster1.bof"_s), u"/data/exp/cluster1.events.csv"_s);
        QCOMPARE(eventLogPath(u"anna.bof"_s), u"anna.events.csv"_s);
    }

    void backgroundWritesKeepTheirOrderAndStopAFileAtItsFirstFailure()
    {
        TrialFolder f;
        const QString path = f.path(u"log.csv"_s);
        writeBytes(path, "an earlier run\r\n");
        QByteArray expected = "title\r\n";
        {
            BackgroundWriter writer;
            writer.replace(path, "title\r\n");
            for (int i = 0; i < 100; ++i) {
                writer.append(path, QByteArray::number(i) + "\r\n");
                expected += QByteArray::number(i) + "\r\n";
            }
            writer.waitUntilWritten();
            QVERIFY(!writer.failure());
            QCOMPARE(readBytes(path), expected);

            // A file that fails takes no later lines, even once it could; the others go on.
            writer.append(f.path(u"gone/other.csv"_s), "x\r\n");
            writer.waitUntilWritten();
            QVERIFY(QDir().mkdir(f.path(u"gone"_s)));
            writer.append(f.path(u"gone/other.csv"_s), "after the gap\r\n");
            writer.append(path, "after the failure\r\n");
            expected += "after the failure\r\n";
            writer.waitUntilWritten();
            QCOMPARE(writer.failures().size(), 1);
            QVERIFY2(writer.failure()->description.contains(f.path(u"gone/other.csv"_s)),
                     qPrintable(writer.failure()->description));
            QVERIFY(!QFile::exists(f.path(u"gone/other.csv"_s)));
        }
        QCOMPARE(readBytes(path), expected);
        // Whatever is still queued when the writer goes is written first.
        {
            BackgroundWriter writer;
            writer.append(path, "last\r\n");
        }
        QCOMPARE(readBytes(path), expected + "last\r\n");
    }

    void clockTicksUntilItsHandlerDisablesIt()
    {
        TrialClock clock;
        int ticks = 0;
        connect(&clock, &TrialClock::tick, this, [&] {
            if (++ticks == 3)
                clock.setEnabled(false);
        });
        QVERIFY(!clock.isEnabled());
        clock.setEnabled(true);
        QTRY_COMPARE_WITH_TIMEOUT(ticks, 3, 5000);
        QVERIFY(!clock.isEnabled());
        QTest::qWait(350);
        QCOMPARE(ticks, 3);
    }

    void subjectFileReceivesFinishedTrialsOnly()
    {
        TrialFolder f;
        const QString cluster = f.path(u"a.bof"_s);
        const QString subject = f.path(u"anna.bof"_s);
        writeBytes(cluster, "2,\"10\",\r\nTrial\tCluster\r\n 0 \ta.box\tx\r\n 1 \ta.box\ty\n 2 \ta.box\t");
        writeBytes(subject, "date line\r\ntitles\r\n");
        QVERIFY(appendClusterToSubject(cluster, subject));
        QVERIFY(appendClusterToSubject(cluster, subject));
        QCOMPARE(readBytes(subject), QByteArray("date line\r\ntitles\r\n"
                                                " 0 \ta.box\tx\r\n 1 \ta.box\ty\r\n"
                                                " 0 \ta.box\tx\r\n 1 \ta.box\ty\r\n"));

        const FileResult<void> noFolder = appendClusterToSubject(cluster, f.path(u"gone/anna.bof"_s));
        QVERIFY(!noFolder);
        QVERIFY(noFolder.error().description.contains(f.path(u"gone/anna.bof"_s)));
        const FileResult<void> noCluster = appendClusterToSubject(f.path(u"none.bof"_s), subject);
        QVERIFY(!noCluster);
        QVERIFY(noCluster.error().description.contains(f.path(u"none.bof"_s)));
    }

    void resultFileIsRewrittenByEveryRun()
    {
        TrialFolder f;
        setTrial(f.program.Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        setTrial(f.program.Cluster, 1, u"10"_s, u"2"_s, 1, {true});
        f.saveCluster(u"c.box"_s);
        const QByteArray copy = readBytes(f.path(u"c.box"_s)).replace("\r\n", ",") + "\r\n";
        const QByteArray titles = resultTitleLine().toLatin1();
        FileError error;
        for (int run = 0; run < 2; ++run) {
            f.program.Run.TargetBox = 1;
            QVERIFY(writeFirstHalf(f.program, 0, &error));
            QCOMPARE(readBytes(f.path(u"c.bof"_s)), copy + titles + " 0 \tc.box\t 1 \t 1 \t 1 \t");
            f.program.Run.TrialClock = 0.30000000000000004;
            f.program.Run.OpenedCount = 1;
            f.program.Run.ClickOrder = u" 1"_s;
            f.program.Run.TimedClickOrder = u" 1@ .3"_s;
            QVERIFY(writeSecondHalf(f.program, {u"1"_s}, &error));
            QVERIFY(writeFirstHalf(f.program, 1, &error));
        }
        QCOMPARE(readBytes(f.path(u"c.bof"_s)),
                 copy + titles + " 0 \tc.box\t 1 \t 1 \t 1 \t .3\t 1 \t 1\t 1@ .3\t\r\n 1 \tc.box\t 1 \t 1 \t 1 \t");

        // The copy line needs the cluster file: one gone since the run began is named.
        f.program.ClusterFile = f.path(u"gone/c.box"_s);
        QVERIFY(!writeFirstHalf(f.program, 0, &error));
        QVERIFY(error.description.contains(f.path(u"gone/c.box"_s)));
    }

    void runChecksNameFileTrialAndProblem()
    {
        TrialFolder f;
        setTrial(f.program.Cluster, 0, u"10"_s, u"2"_s, 2, {true, true});
        setTrial(f.program.Cluster, 1, u"10"_s, u"2"_s, 1, {false, true});
        f.saveCluster(u"bad.box"_s);
        writeBytes(f.path(u"broken.box"_s), "3\r\n\"10\",");
        const QStringList problems = checkExperimentForRun(
            {u"Message: hello"_s, f.path(u"bad.box"_s), f.path(u"broken.box"_s)}, f.program.IconFolder,
            f.path(u"anna.bof"_s));
        QCOMPARE(problems.size(), 2);
        QVERIFY2(problems[0].startsWith(f.path(u"bad.box"_s)) && problems[0].contains(u"trial 2"_s),
                 qPrintable(problems[0]));
        QVERIFY2(problems[1].contains(f.path(u"broken.box"_s)), qPrintable(problems[1]));

        QFile::remove(f.program.iconPath(u"Content2.ico"_s));
        f.program.ClusterFile = f.path(u"self.bof"_s);
        const QStringList own = checkClusterForRun(f.program);
        QCOMPARE(own.filter(u"overwrite the cluster file"_s).size(), 1);
        QCOMPARE(own.filter(u"Content2.ico"_s).size(), 2);

        QVERIFY(!checkExperimentForRun({}, f.program.IconFolder, f.path(u"gone/anna.bof"_s)).isEmpty());
    }

    void experimentChecksLeaveTheSubjectFileAlone()
    {
        TrialFolder f;
        setTrial(f.program.Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        f.saveCluster(u"pilot.box"_s);
        const QString cluster = f.path(u"pilot.box"_s);

        // Checking creates no subject file and leaves an existing one byte for byte.
        QVERIFY(checkExperimentForRun({cluster}, f.program.IconFolder, f.path(u"anna.bof"_s)).isEmpty());
        QVERIFY(!QFile::exists(f.path(u"anna.bof"_s)));
        writeBytes(f.path(u"bert.bof"_s), "earlier run\r\n");
        QVERIFY(checkExperimentForRun({cluster}, f.program.IconFolder, f.path(u"bert.bof"_s)).isEmpty());
        QCOMPARE(readBytes(f.path(u"bert.bof"_s)), QByteArray("earlier run\r\n"));

        // Subject "pilot" beside pilot.box: the subject file is the cluster's result file.
        const QStringList own = checkExperimentForRun({cluster}, f.program.IconFolder, f.path(u"pilot.bof"_s));
        QCOMPARE(own.size(), 1);
        QVERIFY2(own[0].contains(cluster) && own[0].contains(f.path(u"pilot.bof"_s)), qPrintable(own[0]));

        // Messages only, or nothing at all, is no experiment.
        QCOMPARE(checkExperimentForRun({u"Message: Rest"_s}, f.program.IconFolder, {}),
                 QStringList{u"No cluster is listed in the experiment."_s});
        QCOMPARE(checkExperimentForRun({}, f.program.IconFolder, {}).size(), 1);

        // A file that is not where the list says, but beside the experiment file.
        const QString windowsPath = u"C:\\study\\pilot.box"_s;
        const QStringList moved = checkExperimentForRun({windowsPath}, f.program.IconFolder, {}, {f.dir.path()});
        QCOMPARE(moved.size(), 1);
        QCOMPARE(moved[0], windowsPath + u": the cluster file does not exist (a file of that name lies "
                                         "beside the experiment file: "_s + cluster + u")"_s);
        QCOMPARE(checkExperimentForRun({f.path(u"x/gone.box"_s)}, f.program.IconFolder, {}, {f.dir.path()}),
                 QStringList{f.path(u"x/gone.box"_s) + u": the cluster file does not exist"_s});
    }

    void messageEntries()
    {
        QVERIFY(isMessageEntry(u"Message: Rest"_s));
        QCOMPARE(messageOfEntry(u"Message: Rest"_s), u" Rest"_s);
        QCOMPARE(messageOfEntry(u"Message:"_s), QString());
        QVERIFY(!isMessageEntry(u"message: Rest"_s));
        QVERIFY(!isMessageEntry(u"C:\\exp\\Message.box"_s));
        QCOMPARE(subjectResultPath(u"anna"_s), u"anna.bof"_s);
    }

    void aMissingSoundIsSilenceAndOneWarning()
    {
        TrialFolder f;
        SoundWarnings warnings;
        QtSoundPlayer target(warnings);
        QtSoundPlayer click(warnings);
        warningCount = 0;
        const QtMessageHandler previous = qInstallMessageHandler(countWarnings);
        for (int cluster = 0; cluster < 3; ++cluster) {
            target.open(f.path(u"sound.wav"_s));
            click.open(f.path(u"sound.wav"_s));
            target.play();
            target.play();
            click.play();
            target.close();
            click.close();
        }
        qInstallMessageHandler(previous);
        QCOMPARE(warningCount, 1);
    }
};

QTEST_GUILESS_MAIN(TrialRecordTest)
#include "tst_trialrecord.moc"

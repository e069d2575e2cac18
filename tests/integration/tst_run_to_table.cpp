// Three trials played in the trial window, their result file read by the analyzer: the
// worked example of the measures must come out of a real run.

#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "TrialFixture.h"

#include "AnalysisRun.h"
#include "ResultReader.h"
#include "SearchScores.h"
#include "TableWriter.h"

#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/trial/ClusterRunCommand.h"
#include "kelvane/trial/TrialScreen.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

namespace {

// A cluster of three trials of four boxes, each box holding an object, targets 3, 2
// and 4, saved as pp07.box and run in the trial window by the clicks given.
struct RealRun
{
    TrialFolder folder;
    ScriptedDialogs dialogs;
    RecordingSoundPlayer targetSound;
    RecordingSoundPlayer clickSound;
    PointerCounter pointer;

    RealRun()
    {
        const int targets[] = {3, 2, 4};
        for (int t = 0; t < 3; ++t)
            setTrial(folder.program.Cluster, t, QStringLiteral("20"), QStringLiteral("5"), targets[t],
                     {true, true, true, true});
        folder.saveCluster(QStringLiteral("pp07.box"));
    }

    QString resultPath() const { return clusterResultPath(folder.program.ClusterFile); }

    // Each list of clicks is a trial, started with START; a trial whose clicks do not
    // find the target is ended there with Esc, answered Yes.
    void play(const QList<QList<int>> &clickOrders)
    {
        TrialScreen screen(folder.program, {dialogs, *folder.store, targetSound, clickSound, pointer, nullptr});
        screen.setClockDrive(TrialClock::Drive::Manual);
        screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        for (const QList<int> &clicks : clickOrders) {
            QTest::mouseClick(screen.OK, Qt::LeftButton);
            for (int box : clicks) {
                screen.Timer1_Timer();
                QTest::mouseClick(screen.Boxes.at(box), Qt::LeftButton);
            }
            if (!screen.OK->isVisible()) {
                dialogs.answers = {Answer::Yes};
                QTest::keyClick(&screen, Qt::Key_Escape);
                QVERIFY(!screen.isVisible());
                return;
            }
        }
        QTest::mouseClick(screen.OK, Qt::LeftButton);
        QVERIFY(!screen.isVisible());
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QByteArray wideRow(const analyzer::SubjectResult &subject)
{
    analyzer::TableWriter table(false, QLocale(QLocale::English));
    table.add(subject);
    return table.bytes();
}

} // namespace

class RunToTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExampleFromARealRun()
    {
        RealRun run;
        run.play({{1, 3}, {3, 1, 2}, {3, 2, 3, 4}});

        const analyzer::ReadOutcome outcome = analyzer::LeesFile(run.resultPath());
        QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
        QCOMPARE(outcome->subject, QStringLiteral("pp07"));
        QCOMPARE(outcome->clusters.size(), 1);
        QCOMPARE(outcome->unfinishedTrialLine, 0);
        QCOMPARE(wideRow(*outcome), QByteArray("pp07\t 1 \t 3 \t 4 \t3.000\t0.333\t4.000\t1.000\t0.7083\t\r\r\n"));
    }

    // A run ended with Esc in a trial leaves that trial's first half at the file's end.
    // The trials before it are the subject's data: they are analysed as if the file
    // ended there, and the run names the line it left out.
    void aRunCutOffInATrialIsAnalysedUpToThatTrial()
    {
        RealRun run;
        run.play({{1, 3}, {3, 1, 2}, {3}});
        const QByteArray bytes = readBytes(run.resultPath());
        QVERIFY(bytes.endsWith("\r\n 2 \tpp07.box\t 4 \t 4 \t 4 \t"));

        const analyzer::ReadOutcome outcome = analyzer::LeesFile(run.resultPath());
        QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
        QCOMPARE(outcome->unfinishedTrialLine, 5);
        QCOMPARE(outcome->clusters.value(0).trials, 2);
        const QString wholeTrialsOnly = run.folder.path(QStringLiteral("whole/pp07.bof"));
        QVERIFY(QDir().mkpath(QFileInfo(wholeTrialsOnly).path()));
        writeBytes(wholeTrialsOnly, bytes.first(bytes.lastIndexOf("\r\n") + 2));
        QCOMPARE(wideRow(*outcome), wideRow(*analyzer::LeesFile(wholeTrialsOnly)));

        // The event log holds the unfinished trial too; it gives no second message.
        analyzer::AnalysisRun analysis(analyzer::OutputKind::TabDelimited, false, QLocale(QLocale::English));
        analysis.alsoTidy();
        QVERIFY(analysis.add(run.resultPath()));
        QCOMPARE(analysis.warnings(),
                 QStringList{run.resultPath() + QStringLiteral(", line 5: the last trial did not finish (the run was "
                                                               "cut off); the trials before it are analysed")});

        // Only the first half at the very end is taken for a cut-off trial: with a line
        // end after it, the file was changed afterwards and is refused as before.
        writeBytes(wholeTrialsOnly, bytes + "\r\n");
        QVERIFY(!analyzer::LeesFile(wholeTrialsOnly));
    }

    // A result file named on the command line, however its ".bof" is written, has its
    // event log where the analyzer looks for it, so every click keeps its milliseconds.
    void namedResultFileKeepsItsMilliseconds_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("subject");
        QTest::newRow("capitals") << QStringLiteral("NAME.BOF") << QStringLiteral("NAME");
        QTest::newRow("small letters") << QStringLiteral("name.bof") << QStringLiteral("name");
        QTest::newRow("blank in the name") << QStringLiteral("pp 08.bof") << QStringLiteral("pp 08");
    }
    void namedResultFileKeepsItsMilliseconds()
    {
        QFETCH(QString, output);
        QFETCH(QString, subject);
        TrialFolder folder;
        ScriptedDialogs dialogs;
        RecordingSoundPlayer targetSound;
        RecordingSoundPlayer clickSound;
        PointerCounter pointer;
        setTrial(folder.program.Cluster, 0, QStringLiteral("20"), QStringLiteral("5"), 3, {true, true, true});
        folder.saveCluster(QStringLiteral("c.box"));
        const QString result = folder.path(output);
        QCOMPARE(prepareClusterRun(folder.program, folder.path(QStringLiteral("c.box")), result), QStringList());

        TrialScreen screen(folder.program, {dialogs, *folder.store, targetSound, clickSound, pointer, nullptr});
        screen.setClockDrive(TrialClock::Drive::Manual);
        screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QTest::mouseClick(screen.OK, Qt::LeftButton);
        for (int box : {1, 2, 3}) {
            screen.Timer1_Timer();
            QTest::mouseClick(screen.Boxes.at(box), Qt::LeftButton);
        }
        QTest::mouseClick(screen.OK, Qt::LeftButton);
        QVERIFY(!screen.isVisible());

        const FileResult<analyzer::FileScore> score = analyzer::scoreResultFile(result);
        QVERIFY2(score, qPrintable(score ? QString() : score.error().description));
        QCOMPARE(score->subject, subject);
        QCOMPARE(score->logProblems, QStringList());
        QCOMPARE(score->clusters.size(), 1);
        const QList<analyzer::ClickScore> clicks = score->clusters[0].trials.value(0).clicks;
        QCOMPARE(clicks.size(), 3);
        for (const analyzer::ClickScore &click : clicks)
            QVERIFY2(click.ms, qPrintable(QStringLiteral("click %1 has no ms").arg(click.position)));
    }
};

QTEST_MAIN(RunToTableTest)
#include "tst_run_to_table.moc"

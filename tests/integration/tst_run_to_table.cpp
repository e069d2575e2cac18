// Three trials played in the trial window, their result file read by the analyzer: the
// worked example of the measures must come out of a real run.

#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TrialFixture.h"

#include "ResultReader.h"
#include "SearchScores.h"
#include "TableWriter.h"

#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/trial/ClusterRunCommand.h"
#include "kelvane/trial/TrialScreen.h"

#include <QPushButton>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

class RunToTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExampleFromARealRun()
    {
        TrialFolder folder;
        ScriptedDialogs dialogs;
        RecordingSoundPlayer targetSound;
        RecordingSoundPlayer clickSound;
        PointerCounter pointer;
        ClusterModel &cluster = folder.program.Cluster;
        // Four boxes a trial, each holding an object; targets 3, 2 and 4.
        const int targets[] = {3, 2, 4};
        for (int t = 0; t < 3; ++t)
            setTrial(cluster, t, QStringLiteral("20"), QStringLiteral("5"), targets[t], {true, true, true, true});
        folder.saveCluster(QStringLiteral("pp07.box"));

        TrialScreen screen(folder.program, {dialogs, *folder.store, targetSound, clickSound, pointer, nullptr});
        screen.setClockDrive(TrialClock::Drive::Manual);
        screen.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));

        const QList<QList<int>> clickOrders = {{1, 3}, {3, 1, 2}, {3, 2, 3, 4}};
        for (const QList<int> &clicks : clickOrders) {
            QTest::mouseClick(screen.OK, Qt::LeftButton);
            for (int box : clicks) {
                screen.Timer1_Timer();
                QTest::mouseClick(screen.Boxes.at(box), Qt::LeftButton);
            }
            QVERIFY(screen.OK->isVisible()); // the last click found the target
        }
        QTest::mouseClick(screen.OK, Qt::LeftButton);
        QVERIFY(!screen.isVisible());
        QVERIFY(dialogs.messages.isEmpty());

        const analyzer::ReadOutcome outcome =
            analyzer::LeesFile(clusterResultPath(folder.program.ClusterFile));
        QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
        QCOMPARE(outcome->subject, QStringLiteral("pp07"));
        QCOMPARE(outcome->clusters.size(), 1);

        analyzer::TableWriter table(false, QLocale(QLocale::English));
        table.add(*outcome);
        QCOMPARE(table.bytes(),
                 QByteArray("pp07\t 1 \t 3 \t 4 \t3.000\t0.333\t4.000\t1.000\t0.7083\t\r\r\n"));
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

// A study made by the generator, opened in the experiment window and run by a quick
// subject from its first message to its last search; the analyzer reads what was written.

#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TrialAutopilot.h"
#include "TrialFixture.h"

#include "ResultReader.h"
#include "TidyTables.h"

#include "kelvane/runexp/RunExp.h"
#include "kelvane/study/StudyFiles.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

class StudyRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aGeneratedStudyRunsFromStartToEnd()
    {
        TrialFolder folder;
        folder.store->write(u"Experiment"_s, u"ResultsFolder"_s, folder.dir.path());
        StudyLook look;
        look.trial = firstRunTrialDefaults();
        look.boxPictures = {u"Box1.ico"_s};
        look.emptyBoxPictures = {u"EmptyBox1.ico"_s};
        look.objectPictures = {u"Content1.ico"_s, u"Content2.ico"_s};
        StudyOptions options;
        options.seed = 30;
        options.sizes = {2, 3};
        options.problems = {1, 2};
        options.practiceBoxes = 2;
        const Study study = generateStudy(options, look);
        const StudyWriteOutcome written = writeStudy(folder.path(u"study"_s), study, false);
        QVERIFY2(written.problem.isEmpty(), qPrintable(written.problem));

        ScriptedDialogs dialogs;
        RecordingSoundPlayer targetSound;
        RecordingSoundPlayer clickSound;
        PointerCounter pointer;
        RunExp window(folder.program, {dialogs, *folder.store, targetSound, clickSound, pointer});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        dialogs.openPaths.push_back(written.written.back());
        QTest::mouseClick(window.LoadExp, Qt::LeftButton);
        QCOMPARE(window.clusters->count(), 6);
        window.Subject->setText(u"pp01"_s);

        TrialAutopilot pilot(folder.program, &TrialAutopilot::shownTrialScreen);
        QTest::mouseClick(window.btnRunExp, Qt::LeftButton);
        QCOMPARE(window.lastRunEnd(), RunEnd::Completed);
        QCOMPARE(pilot.startScreenMessages.size(), 4);
        QVERIFY(pilot.startScreenMessages[0].endsWith(u" [seed 30]"_s));
        QVERIFY(pilot.startScreenMessages[1].startsWith(u" That was the practice."_s));

        const analyzer::ReadOutcome outcome = analyzer::LeesFile(folder.path(u"pp01.bof"_s));
        QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
        QCOMPARE(outcome->clusters.size(), 4);
        const int boxes[] = {2, 2, 3, 3};
        for (int c = 0; c < 4; ++c) {
            const analyzer::ClusterMeasures &measures = outcome->clusters[c];
            QCOMPARE(measures.trials, boxes[c]);
            QCOMPARE(measures.boxes, boxes[c]);
            // The subject went straight to the object every time.
            QCOMPARE(measures.open, 1.0);
            QCOMPARE(measures.bErr, 0.0);
        }
        QVERIFY(dialogs.unexpected.isEmpty());

        // The per-size table has one row per size; the practice problem is marked and,
        // unless asked for, left out of it.
        const FileResult<analyzer::FileScore> score = analyzer::scoreResultFile(folder.path(u"pp01.bof"_s));
        QVERIFY2(score, qPrintable(score ? QString() : score.error().description));
        const auto fields = [&](analyzer::PracticeInSummaries practice, analyzer::TidyTableIndex table,
                                QList<int> columns) {
            analyzer::TidyTables tables;
            tables.add(*score, practice);
            QStringList rows;
            for (const QByteArray &line : tables.text(table).split('\n').mid(1)) {
                const QList<QByteArray> cells = line.trimmed().split(',');
                QStringList picked;
                for (int column : columns)
                    picked.append(QString::fromUtf8(cells.value(column < 0 ? cells.size() + column : column)));
                if (!line.trimmed().isEmpty())
                    rows.append(picked.join(u' '));
            }
            return rows;
        };
        using analyzer::PracticeInSummaries;
        // Boxes and clusters of each size.
        QCOMPARE(fields(PracticeInSummaries::LeftOut, analyzer::LevelsTable, {1, 2}),
                 (QStringList{u"2 1"_s, u"3 2"_s}));
        QCOMPARE(fields(PracticeInSummaries::Counted, analyzer::LevelsTable, {1, 2}),
                 (QStringList{u"2 2"_s, u"3 2"_s}));
        // Clusters and trials of the subject.
        QCOMPARE(fields(PracticeInSummaries::LeftOut, analyzer::SubjectsTable, {1, 2}), QStringList{u"3 8"_s});
        QCOMPARE(fields(PracticeInSummaries::LeftOut, analyzer::ClustersTable, {-1}),
                 (QStringList{u"1"_s, u"0"_s, u"0"_s, u"0"_s}));
    }
};

QTEST_MAIN(StudyRunTest)
#include "tst_study_run.moc"

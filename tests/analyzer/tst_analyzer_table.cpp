#include "AnalysisRun.h"
#include "ResultText.h"
#include "TableWriter.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::analyzer;
using namespace kelvane::analyzer::test;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);

ClusterMeasures twelveTrials()
{
    return {12, 6, 4.25, 7.0 / 12.0, 3, 2, 0.41234};
}

const QByteArray exampleRow = "pp01\t 1 \t 12 \t 6 \t4.250\t0.583\t3.000\t2.000\t0.4123\t\r\r\n";
const QByteArray oneClusterTitles = "Subject\tClusters\t1Trials\t1Boxes\t1Open\t1W_Err\t1B_err\t"
                                    "1FeigenbaumStrategy\t1NormalizedLevenshtein\t\r\r\n";

} // namespace

class AnalyzerTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsWithAndWithoutTitles()
    {
        TableWriter plain(false, english);
        plain.add({QStringLiteral("pp01"), {twelveTrials()}});
        QCOMPARE(plain.bytes(), exampleRow);

        TableWriter titled(true, english);
        titled.add({QStringLiteral("pp01"), {twelveTrials()}});
        QCOMPARE(titled.bytes(), oneClusterTitles + exampleRow);
    }

    void titlesCoverTheLongestRow()
    {
        // The second subject has two clusters, the third none: the titles list two
        // clusters whatever the first subject had. A cluster of one trial leaves its
        // distance field empty.
        ClusterMeasures single{1, 3, 2, 0, 0, 0, std::nullopt};
        TableWriter table(true, english);
        table.add({QStringLiteral("pp01"), {twelveTrials()}});
        table.add({QStringLiteral("pp02"), {single, twelveTrials()}});
        table.add({QStringLiteral("pp03"), {}});
        QCOMPARE(table.bytes(),
                 "Subject\tClusters\t1Trials\t1Boxes\t1Open\t1W_Err\t1B_err\t1FeigenbaumStrategy\t"
                 "1NormalizedLevenshtein\t2Trials\t2Boxes\t2Open\t2W_Err\t2B_err\t"
                 "2FeigenbaumStrategy\t2NormalizedLevenshtein\t\r\r\n"
                     + exampleRow
                     + "pp02\t 2 \t 1 \t 3 \t2.000\t0.000\t0.000\t0.000\t\t"
                       " 12 \t 6 \t4.250\t0.583\t3.000\t2.000\t0.4123\t\r\r\n"
                     + "pp03\t 0 \t\r\r\n");

        // No rows, no titles either.
        QCOMPARE(TableWriter(true, english).bytes(), QByteArray());
        QCOMPARE(measureTitle(12, 6), QStringLiteral("12NormalizedLevenshtein"));
    }

    void clusterWithoutTrialsHasNoMeans()
    {
        TableWriter table(false, english);
        table.add({QStringLiteral("pp04"), {{-2, 4, std::nullopt, std::nullopt, 0, 0, std::nullopt}}});
        QCOMPARE(table.bytes(), "pp04\t 1 \t-2 \t 4 \t\t\t0.000\t0.000\t\t\r\r\n");
    }

    void decimalSeparatorFollowsTheLocale()
    {
        TableWriter table(false, QLocale(QLocale::German, QLocale::Germany));
        table.add({QStringLiteral("pp01"), {twelveTrials()}});
        QCOMPARE(table.bytes(), "pp01\t 1 \t 12 \t 6 \t4,250\t0,583\t3,000\t2,000\t0,4123\t\r\r\n");
    }

    void subjectNamesInTheCodePage()
    {
        TableWriter table(false, english);
        table.add({QString::fromUtf8("Ren\u00e9e"), {}});
        QCOMPARE(table.bytes(), QByteArray("Ren\xe9" "e\t 0 \t\r\r\n"));
        QVERIFY(table.unmappableSubject().isEmpty());
        table.add({QString::fromUtf8("\u0141ukasz"), {}});
        QCOMPARE(table.bytes().mid(13), QByteArray("?ukasz\t 0 \t\r\r\n"));
        QCOMPARE(table.unmappableSubject(), QString::fromUtf8("\u0141ukasz"));
    }

    void workedExampleFileGivesItsRow()
    {
        QTemporaryDir dir;
        AnalysisRun run(OutputKind::TabDelimited, true, english);
        QVERIFY(run.add(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof")));
        QString problem;
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        QVERIFY2(run.save(out, &problem), qPrintable(problem));
        QCOMPARE(kelvane::test::readBytes(out),
                 oneClusterTitles + "worked\t 1 \t 3 \t 4 \t3.000\t0.333\t4.000\t1.000\t0.7083\t\r\r\n");
    }

    void skippedFilesLeaveTheOthersInOrder()
    {
        QTemporaryDir dir;
        const QString damaged = dir.filePath(QStringLiteral("bad1.bof"));
        QVERIFY(writeFile(damaged, headerLines() + " 0 \tc\t 4 \r\n"));
        const QString good = dir.filePath(QStringLiteral("good.bof"));
        QVERIFY(writeFile(good, resultFile({{number(0), 5, 2, 1, " 2"}})));
        const QString missing = dir.filePath(QStringLiteral("gone.bof"));

        AnalysisRun run(OutputKind::TabDelimited, true, english);
        QVERIFY(!run.add(damaged));
        QVERIFY(run.add(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof")));
        QVERIFY(!run.add(missing));
        QVERIFY(run.add(good));
        QCOMPARE(run.analysedCount(), 2);
        QCOMPARE(run.skipped().size(), 2);
        const QStringList report = run.skippedReport().split(u'\n');
        QCOMPARE(report.size(), 2);
        QVERIFY(report[0].startsWith(damaged + QStringLiteral(", line 3: ")));
        QVERIFY(report[1].startsWith(missing + QStringLiteral(": ")));

        const QString out = dir.filePath(QStringLiteral("out.dat"));
        QString problem;
        QVERIFY(run.save(out, &problem));
        // The titles come from the first file analysed.
        QCOMPARE(kelvane::test::readBytes(out),
                 oneClusterTitles + "worked\t 1 \t 3 \t 4 \t3.000\t0.333\t4.000\t1.000\t0.7083\t\r\r\n"
                     + "good\t 1 \t 1 \t 5 \t1.000\t0.000\t0.000\t0.000\t\t\r\r\n");
    }

    void savingReplacesTheWholeFileOrNothing()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        kelvane::test::writeBytes(out, "an older, longer table that must not survive\r\n");
        AnalysisRun run(OutputKind::TabDelimited, false, english);
        QString problem;
        QVERIFY(run.save(out, &problem));
        QCOMPARE(kelvane::test::readBytes(out), QByteArray()); // no files: an empty table

        const QString unwritable = dir.filePath(QStringLiteral("no such folder/out.dat"));
        QVERIFY(!run.save(unwritable, &problem));
        QVERIFY2(problem.contains(unwritable), qPrintable(problem));
        QVERIFY(!QFile::exists(unwritable));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.dat")});
    }
};

QTEST_GUILESS_MAIN(AnalyzerTableTest)
#include "tst_analyzer_table.moc"

#include "AnalysisRun.h"
#include "ResultText.h"
#include "TableWriter.h"

#include "FailingPlace.h"
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
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        const FileResult<void> saved = run.save(out);
        QVERIFY2(saved, qPrintable(saved ? QString() : saved.error().description));
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
        QVERIFY(run.save(out));
        // The titles come from the first file analysed.
        QCOMPARE(kelvane::test::readBytes(out),
                 oneClusterTitles + "worked\t 1 \t 3 \t 4 \t3.000\t0.333\t4.000\t1.000\t0.7083\t\r\r\n"
                     + "good\t 1 \t 1 \t 5 \t1.000\t0.000\t0.000\t0.000\t\t\r\r\n");
    }

    // Two subjects of counterbalanced orders: s1 ran A then B, s2 ran B then C.
    void clustersByName()
    {
        QTemporaryDir dir;
        const auto write = [&](const char *subject, const QByteArray &lines) {
            const QString path = dir.filePath(QLatin1StringView(subject) + QStringLiteral(".bof"));
            return writeFile(path, headerLines() + lines) ? path : QString();
        };
        const QString s1 = write("s1", lineOf({number(0), 4, 1, 1, " 1"}).replace("cluster1.box", "A.box")
                                           + lineOf({number(0), 5, 2, 2, " 1 2"}).replace("cluster1.box", "B.box"));
        const QString s2 = write("s2", lineOf({number(0), 5, 2, 1, " 2"}).replace("cluster1.box", "B.box")
                                           + lineOf({number(0), 6, 3, 3, " 1 2 3"}).replace("cluster1.box", "C.box"));

        AnalysisRun byName(OutputKind::TabDelimited, true, english, ClusterLayout::ByName);
        QVERIFY(byName.add(s1));
        QVERIFY(byName.add(s2));
        const QString out = dir.filePath(QStringLiteral("by-name.dat"));
        const FileResult<void> saved = byName.save(out);
        QVERIFY2(saved, qPrintable(saved ? QString() : saved.error().description));
        QByteArray titles = "Subject\tClusters\t";
        for (const char *cluster : {"A.box", "B.box", "C.box"}) {
            for (const char *measure : {"Trials", "Boxes", "Open", "W_Err", "B_err", "FeigenbaumStrategy",
                                        "NormalizedLevenshtein"})
                titles += QByteArray(cluster) + '_' + measure + '\t';
        }
        QCOMPARE(kelvane::test::readBytes(out),
                 titles + "\r\r\n"
                     + "s1\t 2 \t 1 \t 4 \t1.000\t0.000\t0.000\t0.000\t\t 1 \t 5 \t2.000\t0.000\t0.000\t0.000\t\t"
                       "\t\t\t\t\t\t\t\r\r\n"
                     + "s2\t 2 \t\t\t\t\t\t\t\t 1 \t 5 \t1.000\t0.000\t0.000\t0.000\t\t"
                       " 1 \t 6 \t3.000\t0.000\t0.000\t0.000\t\t\r\r\n");
        QVERIFY(byName.positionWarning().isEmpty());

        // By position the same files say once that position 1 mixes clusters.
        AnalysisRun byPosition(OutputKind::TabDelimited, true, english);
        QVERIFY(byPosition.add(s1));
        QVERIFY(byPosition.add(s2));
        QVERIFY(byPosition.add(s1));
        QVERIFY2(byPosition.positionWarning().startsWith(QStringLiteral(
                     "Cluster position 1 holds \"A.box\" in s1.bof but \"B.box\" in s2.bof")),
                 qPrintable(byPosition.positionWarning()));
        QVERIFY(byPosition.positionWarning().contains(QStringLiteral("clusters.csv")));
    }

    void savingReplacesTheWholeFileOrNothing()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        kelvane::test::writeBytes(out, "an older, longer table that must not survive\r\n");
        AnalysisRun run(OutputKind::TabDelimited, false, english);
        QVERIFY(run.save(out));
        QCOMPARE(kelvane::test::readBytes(out), QByteArray()); // no files: an empty table

        const QString unwritable = dir.filePath(QStringLiteral("no such folder/out.dat"));
        const FileResult<void> refused = run.save(unwritable);
        QVERIFY(!refused);
        QVERIFY2(refused.error().description.contains(unwritable),
                 qPrintable(refused.error().description));
        QVERIFY(!QFile::exists(unwritable));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.dat")});
    }

    void aFailedSaveKeepsTheEarlierTable_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("output");
        for (const auto kind : kelvane::test::FailingPlace::AllKinds) {
            QTest::addRow("%s, table", kelvane::test::FailingPlace::name(kind)) << int(kind) << int(OutputKind::TabDelimited);
            QTest::addRow("%s, SPSS", kelvane::test::FailingPlace::name(kind)) << int(kind) << int(OutputKind::SpssData);
        }
    }

    void aFailedSaveKeepsTheEarlierTable()
    {
        QFETCH(int, kind);
        QFETCH(int, output);
        using kelvane::test::FailingPlace;
        FailingPlace place(FailingPlace::Kind(kind), QStringLiteral("measures.dat"), "earlier table\r\r\n");
        if (!place.unavailable().isEmpty())
            QSKIP(qPrintable(place.unavailable()));
        AnalysisRun run(OutputKind(output), true, english);
        QVERIFY(run.add(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof")));
        const FileResult<void> refused = run.save(place.path());
        QVERIFY(!refused);
        QVERIFY2(refused.error().description.contains(place.path() + QStringLiteral(": ")),
                 qPrintable(refused.error().description));
        QString damage;
        QVERIFY2(place.intact(&damage), qPrintable(damage));
    }
};

QTEST_GUILESS_MAIN(AnalyzerTableTest)
#include "tst_analyzer_table.moc"

#include "LayoutFinder.h"
#include "ResultReader.h"
#include "ResultText.h"
#include "ScoredPages.h"
#include "StudySummary.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace kelvane::analyzer::report;
using namespace kelvane::analyzer::test;

class AnalyzerReportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void medianAndStandardError()
    {
        // Sorted 1 2 3 4 7 9: the two middle values 3 and 4.
        QCOMPARE(median({9, 1, 4, 2, 7, 3}), 3.5);
        QCOMPARE(median({5, 1, 3}), 3.0);

        // Mean 5; squares 9 1 1 1 0 0 4 16 = 32; sample variance 32 / 7; SE = sqrt(32 / 7 / 8).
        const MeanAndError m = meanAndError({2, 4, 4, 4, 5, 5, 7, 9});
        QCOMPARE(m.count, 8);
        QCOMPARE(m.mean, 5.0);
        QVERIFY2(std::fabs(m.standardError - std::sqrt(4.0 / 7.0)) < 1e-12, qPrintable(QString::number(m.standardError)));
        QCOMPARE(meanAndError({3}).standardError, 0.0);
    }

    // The practice problem stays out of a subject's scores and the page says so; counted,
    // it is one more cluster of its size.
    void practiceIsNamedWhereItIsLeftOut()
    {
        QByteArray file = headerLines();
        file += " 0 \t/study/Practice.box\t 3 \t 1 \t 2 \t 2\t 2 \t 1 2\t 1@ .5 2@ 2\t\r\n";
        file += " 0 \t/study/boxes3-1.box\t 3 \t 1 \t 3 \t 3\t 1 \t 3\t 3@ 1\t\r\n";
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pp01.bof"));
        QVERIFY(writeFile(path, file));
        const auto score = kelvane::analyzer::scoreResultFile(path);
        QVERIFY(score);
        using kelvane::analyzer::PracticeInSummaries;
        const SubjectPage leftOut = subjectPage(*score, QLocale::c());
        QVERIFY(leftOut.notes.contains(
            QStringLiteral("Cluster 1 (/study/Practice.box) is a practice problem; these scores leave it out.")));
        const SubjectPage counted = subjectPage(*score, QLocale::c(), PracticeInSummaries::Counted);
        QVERIFY(!counted.notes.join(u' ').contains(QStringLiteral("practice")));
        QVERIFY(leftOut.bySize.rows != counted.bySize.rows);
    }

    // A cluster file cut short in its second trial gives no layout at all, not the first
    // trial's, and names the file and the line.
    void damagedClusterFileGivesNoLayout()
    {
        QTemporaryDir dir;
        const QString whole = dir.filePath(QStringLiteral("whole.box"));
        QVERIFY(writeFile(whole, fourCornerCluster(2)));
        QCOMPARE(readLayouts(whole).trials.size(), 2);

        const QByteArray bytes = fourCornerCluster(2);
        const QString cut = dir.filePath(QStringLiteral("cut.box"));
        QVERIFY(writeFile(cut, bytes.left(bytes.indexOf("\"Time is up.\"", bytes.indexOf("\"Time is up.\"") + 1) + 5)));
        const ClusterLayouts layouts = readLayouts(cut);
        QVERIFY(layouts.trials.isEmpty());
        QVERIFY2(layouts.problem.startsWith(cut + QStringLiteral(", line ")), qPrintable(layouts.problem));
    }
};

QTEST_GUILESS_MAIN(AnalyzerReportTest)
#include "tst_analyzer_report.moc"

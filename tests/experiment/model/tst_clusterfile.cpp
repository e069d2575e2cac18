#include "ClusterExamples.h"
#include "TestFiles.h"

#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/model/ClusterFileWriter.h"
#include "kelvane/Windows1252.h"
#include "kelvane/model/OpenFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

namespace {

QString spreadOnePerLine(const QByteArray &file)
{
    // Every value on a line of its own, with LF line ends and no commas.
    QString text = fromWindows1252(file);
    QString spread;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        if (c == u',' && !quoted)
            spread += u'\n';
        else if (c != u'\r')
            spread += c;
    }
    return spread;
}

} // namespace

class ClusterFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleIsWrittenByteForByte()
    {
        QCOMPARE(clusterFileBytes(twoTrialExample(), firstRunObjectRow()), twoTrialExampleBytes());
    }

    void exampleReadsBack()
    {
        const ClusterFileContent read =
            readClusterText(fromWindows1252(twoTrialExampleBytes()), ObjectRow::Read);
        QVERIFY(!read.problem);
        QCOMPARE(read.objectRow, firstRunObjectRow());
        // 3500 and 2000 survive exactly; 1200 and 4800 too.
        QVERIFY(read.cluster == twoTrialExample());
    }

    void spreadOutValuesReadTheSame()
    {
        const QString spread = spreadOnePerLine(twoTrialExampleBytes());
        QVERIFY(spread.count(u'\n') > 40);
        const ClusterFileContent read = readClusterText(spread, ObjectRow::Read);
        QVERIFY2(!read.problem, qPrintable(read.problem ? read.problem->description : QString()));
        QVERIFY(read.cluster == twoTrialExample());
        QCOMPARE(read.objectRow, firstRunObjectRow());
    }

    void positionsLoseAtMostOneTwip()
    {
        ClusterModel cluster;
        cluster.Trials[0].TargetNumberText = QStringLiteral("1");
        const qint16 lefts[] = {0, 1, 1200, 1201, 4800, 6999, 7000, -15};
        int k = 1;
        for (qint16 left : lefts) {
            BoxRecord &b = cluster.box(0, k++);
            b.BoxIconFile = QStringLiteral("Box1.ico");
            b.Left = left;
            b.Top = left;
        }
        const QString text = clusterFileText(cluster, {});
        QVERIFY(text.contains(QStringLiteral("\" .1714286\",\" .1714286\"")));
        const ClusterFileContent read = readClusterText(text, ObjectRow::Ignore);
        QVERIFY(!read.problem);
        k = 1;
        for (qint16 left : lefts) {
            const qint16 back = read.cluster.box(0, k++).Left;
            QVERIFY2(back == left || back == left - 1, qPrintable(QString::number(left)));
        }
        QCOMPARE(read.cluster.box(0, 3).Left, qint16(1200));
        QCOMPARE(read.cluster.box(0, 4).Left, qint16(1200)); // 1201 comes back one smaller
    }

    void trialWithoutBoxesAndEmptiedBox()
    {
        ClusterModel cluster = twoTrialExample();
        cluster.Trials.push_back(cluster.Trials[1]);
        // Box 2 of trial 1 got an object and was made empty again: it keeps the name.
        cluster.box(0, 2).Empty = true;
        const QString text = clusterFileText(cluster, firstRunObjectRow());
        QVERIFY(text.contains(QStringLiteral("\"85\",\" 0\",\"Content1.ico\"")));
        QVERIFY(text.contains(QStringLiteral("\"Content1.ico\",#TRUE#")));
        const ClusterFileContent read = readClusterText(text, ObjectRow::Read);
        QVERIFY(!read.problem);
        QCOMPARE(read.cluster.trialCount(), 3);
        QCOMPARE(read.cluster.CountBoxes(2), 0);
        QVERIFY(read.cluster.box(0, 2).Empty);
        QCOMPARE(read.cluster.box(0, 2).ContentFile, QStringLiteral("Content1.ico"));
        QCOMPARE(read.cluster.objectCount(0), 0);
    }

    void messagesKeepCommasAndAccents()
    {
        ClusterModel cluster = twoTrialExample();
        cluster.Trials[0].StartMessage = QString::fromUtf8("Klaar, af \u00e9\u00e9n \u20ac");
        const QByteArray bytes = clusterFileBytes(cluster, firstRunObjectRow());
        QVERIFY(bytes.contains("\"Klaar, af \xe9\xe9n \x80\""));
        const ClusterFileContent read = readClusterText(fromWindows1252(bytes), ObjectRow::Read);
        QVERIFY(!read.problem);
        QCOMPARE(read.cluster.Trials[0].StartMessage, cluster.Trials[0].StartMessage);
    }

    void textsThatCannotBeStoredAreNamed()
    {
        ClusterModel cluster = twoTrialExample();
        QVERIFY(!findUnwritableText(cluster, firstRunObjectRow()));
        cluster.Trials[1].EndMessage = QStringLiteral("Say \"go\"");
        auto problem = findUnwritableText(cluster, firstRunObjectRow());
        QVERIFY(problem);
        QVERIFY(problem->contains(QStringLiteral("end message of trial 2")));

        cluster = twoTrialExample();
        cluster.Trials[0].TimeUpMessage = QString::fromUtf8("Tijd \u0142, \u00e9 en \u0101");
        problem = findUnwritableText(cluster, firstRunObjectRow());
        QVERIFY(problem);
        QVERIFY(problem->contains(QStringLiteral("message on timeout of trial 1")));
        // The first character the code page lacks, not the last.
        QVERIFY2(problem->contains(QString::fromUtf8("the character \"\u0142\"")), qPrintable(*problem));
    }

    void damagedFilesSayWhereTheyBreak_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("mentions");
        const QString good = fromWindows1252(twoTrialExampleBytes());
        QTest::newRow("empty") << QString() << int(ErrorCode::InputPastEndOfFile)
                               << QStringLiteral("number of trials");
        QTest::newRow("count not a number") << QStringLiteral("two\r\n") << int(ErrorCode::TypeMismatch)
                                            << QStringLiteral("\"two\"");
        QTest::newRow("no trials") << QStringLiteral("0\r\n") << int(ErrorCode::SubscriptOutOfRange)
                                   << QStringLiteral("1 to 101");
        QTest::newRow("truncated in a box") << good.left(good.indexOf(QStringLiteral("#FALSE#")))
                                            << int(ErrorCode::InputPastEndOfFile)
                                            << QStringLiteral("empty flag of box 2 in trial 1");
        QTest::newRow("colour not a number")
            << QString(good).replace(QStringLiteral("\" 16777215\""), QStringLiteral("\"white\""))
            << int(ErrorCode::TypeMismatch) << QStringLiteral("foreground colour of trial 1");
        QTest::newRow("flag not a boolean")
            << QString(good).replace(QStringLiteral("#TRUE#"), QStringLiteral("yes"))
            << int(ErrorCode::TypeMismatch) << QStringLiteral("box 1 in trial 1");
        QTest::newRow("position out of range")
            << QString(good).replace(QStringLiteral("\" .5\",\" .5\""), QStringLiteral("\" .5\",\" 9\""))
            << int(ErrorCode::TypeMismatch) << QStringLiteral("top position of box 2 in trial 1");
        QTest::newRow("object row missing")
            << good.left(good.indexOf(QStringLiteral("\"Content1.ico\",\"Content2.ico\",\"Content3")))
            << int(ErrorCode::InputPastEndOfFile) << QStringLiteral("object picture 1");
    }
    void damagedFilesSayWhereTheyBreak()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QFETCH(QString, mentions);
        const ClusterFileContent read = readClusterText(text, ObjectRow::Read);
        QVERIFY(read.problem);
        QCOMPARE(read.problem->code, code);
        QVERIFY2(read.problem->description.contains(mentions), qPrintable(read.problem->description));
    }

    void tableLimitsAreReportedNotOverrun()
    {
        QString tooManyTrials = QStringLiteral("102\r\n");
        ClusterFileContent read = readClusterText(tooManyTrials, ObjectRow::Ignore);
        QVERIFY(read.problem);
        QVERIFY(read.problem->description.contains(QStringLiteral("102 trials")));

        QString manyBoxes = QStringLiteral("1\r\n\"10\",\"a\",\"1\",\"b\",\"c\",\"2\",\" 0\",\" 0\",\"85\",\" 100\",");
        for (int k = 0; k < 100; ++k)
            manyBoxes += QStringLiteral("\"Box1.ico\",\"EmptyBox1.ico\",\"leeg\",#TRUE#,\" .1\",\" .1\",");
        read = readClusterText(manyBoxes, ObjectRow::Ignore);
        QVERIFY(read.problem);
        QVERIFY2(read.problem->description.contains(QStringLiteral("at most 99")),
                 qPrintable(read.problem->description));

        // 101 trials of 99 boxes is the most a file may hold, and it reads.
        ClusterModel full;
        full.Trials.resize(101);
        for (int t = 0; t < 101; ++t)
            for (int k = 1; k <= 99; ++k)
                full.box(t, k).BoxIconFile = QStringLiteral("Box1.ico");
        read = readClusterText(clusterFileText(full, {}), ObjectRow::Ignore);
        QVERIFY(!read.problem);
        QCOMPARE(read.cluster.CountBoxes(100), 99);
    }

    void openFileReplacesModelAndNames()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cluster1.box"));
        writeBytes(path, twoTrialExampleBytes());
        Program program;
        program.Cluster.Trials.resize(5);
        program.Cluster.box(4, 1).BoxIconFile = QStringLiteral("stale.ico");
        FileError error;
        QVERIFY(OpenFile(program, path, &error));
        QVERIFY(program.Cluster == twoTrialExample());
        QCOMPARE(program.ClusterFile, path);
        QCOMPARE(program.ClusterName, path);

        // A damaged file: the names stay, the reason names the file.
        const QString damaged = dir.filePath(QStringLiteral("damaged.box"));
        writeBytes(damaged, twoTrialExampleBytes().left(200));
        QVERIFY(!OpenFile(program, damaged, &error));
        QCOMPARE(program.ClusterFile, path);
        QVERIFY(error.description.startsWith(damaged));
        QVERIFY(!OpenFile(program, dir.filePath(QStringLiteral("none.box")), &error));
        QCOMPARE(error.code, ErrorCode::FileNotFound);
    }
};

QTEST_GUILESS_MAIN(ClusterFileTest)
#include "tst_clusterfile.moc"

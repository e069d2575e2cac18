#include "ClusterExamples.h"
#include "TestFiles.h"

#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/model/ClusterFileWriter.h"
#include "kelvane/Windows1252.h"

#include <QRandomGenerator>
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

QString replaceFirst(QString text, const QString &from, const QString &to)
{
    const qsizetype at = text.indexOf(from);
    Q_ASSERT(at >= 0);
    return text.replace(at, from.size(), to);
}

// The 1-based line on which `value` first stands in `text`.
int lineOf(const QString &text, const QString &value)
{
    const qsizetype at = text.indexOf(value);
    Q_ASSERT(at >= 0);
    return int(text.left(at).count(u'\n')) + 1;
}

QStringList describeNotes(const ClusterFileContent &content, Severity severity)
{
    QStringList texts;
    for (const ClusterProblem &note : content.notes) {
        if (note.severity == severity)
            texts.append(QStringLiteral("%1|%2").arg(note.line).arg(note.describe()));
    }
    return texts;
}

// Texts with blanks at either end, commas, accents and the euro sign: all a cluster file
// can store.
QString generatedText(QRandomGenerator &random, int least)
{
    static const QString characters = QStringLiteral("ab Z9,.'#\u00e9\u20ac-");
    QString text;
    for (int n = random.bounded(least, 12); n > 0; --n)
        text += characters.at(random.bounded(int(characters.size())));
    return text;
}

ClusterModel generatedCluster(QRandomGenerator &random)
{
    ClusterModel cluster;
    cluster.Trials.resize(std::size_t(random.bounded(1, 8)));
    for (int t = 0; t < cluster.trialCount(); ++t) {
        TrialSettings &s = cluster.Trials[std::size_t(t)];
        for (QString *text : {&s.time, &s.TimeUpMessage, &s.TargetNumberText, &s.StartMessage, &s.EndMessage,
                              &s.CloseAfter, &s.ScreenSize})
            *text = generatedText(random, 0);
        s.ChangeColor = ColourValue(random.bounded(0, 16777216));
        s.ChangeForeColor = ColourValue(random.bounded(0, 16777216));
        for (int k = 1, boxes = random.bounded(0, 12); k <= boxes; ++k) {
            BoxRecord &b = cluster.box(t, k);
            b.BoxIconFile = generatedText(random, 1); // a box without a picture is a free slot
            b.EmptyIconFile = generatedText(random, 0);
            b.ContentFile = generatedText(random, 0);
            b.Empty = random.bounded(2) == 1;
            b.Left = qint16(random.bounded(-200, 7200));
            b.Top = qint16(random.bounded(-200, 7200));
        }
    }
    return cluster;
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

    // A written cluster reads back with every text, flag and colour as it was and every
    // position within one twip.
    void generatedClustersReadBackAsWritten()
    {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 100; ++round) {
            const ClusterModel cluster = generatedCluster(random);
            QStringList objectRow; // six object pictures
            for (int i = 0; i < 6; ++i)
                objectRow.append(generatedText(random, 0));
            const QByteArray bytes = clusterFileBytes(cluster, objectRow);
            const ClusterFileContent read = readClusterText(fromWindows1252(bytes), ObjectRow::Read);
            QVERIFY2(!read.problem, qPrintable(read.problem ? read.problem->description : QString()));
            QCOMPARE(read.objectRow, objectRow);
            QCOMPARE(read.cluster.Trials, cluster.Trials);
            for (int t = 0; t < cluster.trialCount(); ++t) {
                QCOMPARE(read.cluster.CountBoxes(t), cluster.CountBoxes(t));
                for (int k = 1; k <= cluster.CountBoxes(t); ++k) {
                    BoxRecord back = read.cluster.box(t, k);
                    const BoxRecord &written = cluster.box(t, k);
                    QVERIFY(qAbs(back.Left - written.Left) <= 1 && qAbs(back.Top - written.Top) <= 1);
                    back.Left = written.Left;
                    back.Top = written.Top;
                    QVERIFY(back == written);
                }
            }
        }
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

    void otherFormsReadAsTheyMeanAndAreTold()
    {
        // Written by hand or by another tool: counts with decimals, colours in hexadecimal,
        // a flag as a number, one value per line.
        QString text = spreadOnePerLine(twoTrialExampleBytes());
        text = replaceFirst(text, QStringLiteral("2\n"), QStringLiteral("2.0\n"));
        text = replaceFirst(text, QStringLiteral("\" 0\""), QStringLiteral("&H0"));
        text = replaceFirst(text, QStringLiteral("\" 16777215\""), QStringLiteral("\"&hFFFFFF\""));
        text = replaceFirst(text, QStringLiteral("\" 2\""), QStringLiteral("\" 2.0\""));
        text = replaceFirst(text, QStringLiteral("#TRUE#"), QStringLiteral("-1"));
        const ClusterFileContent read = readClusterText(text, ObjectRow::Read);
        QVERIFY2(!read.problem, qPrintable(read.problem ? read.problem->description : QString()));
        QVERIFY(read.cluster == twoTrialExample());
        QCOMPARE(describeNotes(read, Severity::Problem), QStringList());
        QCOMPARE(describeNotes(read, Severity::Warning),
                 (QStringList{
                     u"1|the number of trials is \"2.0\"; read as 2"_qs,
                     u"8|the background colour of trial 1 is \"&H0\"; read as 0"_qs,
                     u"9|the foreground colour of trial 1 is \"&hFFFFFF\"; read as 16777215"_qs,
                     u"11|the box count of trial 1 is \" 2.0\"; read as 2"_qs,
                     u"15|the empty flag of box 1 in trial 1 is \"-1\" instead of #TRUE# or #FALSE#; read as #TRUE#"_qs,
                 }));
        // Written back, it takes the canonical form.
        QCOMPARE(clusterFileBytes(read.cluster, read.objectRow), twoTrialExampleBytes());
    }

    void aNegativeBoxCountIsNoBoxes()
    {
        QString text = fromWindows1252(twoTrialExampleBytes());
        text = replaceFirst(text, QStringLiteral("2\r\n"), QStringLiteral("3\r\n"));
        const QString trial3 = QStringLiteral("\"10\",\"a\",\"\",\"b\",\"c\",\"2\",\" 0\",\" 0\",\"85\",-2,");
        text.insert(text.indexOf(QStringLiteral("\"Content1.ico\",\"Content2.ico\",\"Content3")), trial3);
        const ClusterFileContent read = readClusterText(text, ObjectRow::Read);
        QVERIFY(!read.problem);
        QCOMPARE(read.cluster.trialCount(), 3);
        QCOMPARE(read.cluster.CountBoxes(2), 0);
        QCOMPARE(read.objectRow, firstRunObjectRow());
        QCOMPARE(describeNotes(read, Severity::Warning),
                 QStringList{u"2|the box count of trial 3 is \"-2\"; read as no boxes"_qs});
    }

    void readingThatLosesMeaningIsAProblemButGoesOn()
    {
        QString text = fromWindows1252(twoTrialExampleBytes());
        // A quote meant to be shown, a position in words, a box without its picture.
        text = replaceFirst(text, QStringLiteral("\"Klik op START om te beginnen.\""),
                            QStringLiteral("\"Klik op \"\"START\"\"\""));
        text = replaceFirst(text, QStringLiteral("\" .5\""), QStringLiteral("\"midden\""));
        text = replaceFirst(text, QStringLiteral("\"Box1.ico\""), QStringLiteral("\"\""));
        const ClusterFileContent read = readClusterText(text, ObjectRow::Read);
        QVERIFY2(!read.problem, qPrintable(read.problem ? read.problem->description : QString()));
        QCOMPARE(read.cluster.Trials[0].StartMessage, QStringLiteral("Klik op "));
        QCOMPARE(read.cluster.box(0, 2).Left, qint16(0));
        QCOMPARE(read.cluster.CountBoxes(0), 0); // box 1 without picture hides box 2 as well
        QCOMPARE(read.cluster.box(0, 2).ContentFile, QStringLiteral("Content1.ico"));
        QCOMPARE(describeNotes(read, Severity::Problem),
                 (QStringList{
                     u"2|the start message of trial 1 ends at its second double quote (a value cannot "
                     u"hold one), so the rest of it is dropped: \"START\"\"\""_qs,
                     u"2|the left position of box 2 in trial 1 is \"midden\", not a number; the box is placed at 0"_qs,
                     u"2|trial 1, box 1: the box has no closed-box picture, and a trial's boxes end at the "
                     u"first box without one: the subject sees 0 of the trial's 2 boxes"_qs,
                 }));
        QCOMPARE(read.notes[2].trial, 0);
        QCOMPARE(read.notes[2].box, 1);
    }

    void linesPointAtTheValueThatStoppedReading()
    {
        const QString spread = spreadOnePerLine(twoTrialExampleBytes());
        const QString white = replaceFirst(spread, QStringLiteral("\" 16777215\""), QStringLiteral("\"white\""));
        ClusterFileContent read = readClusterText(white, ObjectRow::Read);
        QVERIFY(read.problem);
        const int line = lineOf(white, QStringLiteral("\"white\""));
        QCOMPARE(line, 9);
        QCOMPARE(read.problem->description,
                 QStringLiteral("line 9: the foreground colour of trial 1 is \"white\", not a colour number"));
        QCOMPARE(read.notes.size(), 1);
        QCOMPARE(read.notes[0].line, 9);
        QCOMPARE(read.notes[0].severity, Severity::Problem);

        // Cut after the empty flag of box 1: the last value read stands on line 15.
        const QString cut = spread.left(spread.indexOf(QStringLiteral("#TRUE#")) + 7);
        read = readClusterText(cut, ObjectRow::Read);
        QVERIFY(read.problem);
        QCOMPARE(read.problem->description,
                 QStringLiteral("line 15: the file ends before the left position of box 1 in trial 1"));
    }

    void valuesAfterThePictureRowAreTold()
    {
        const QString text = fromWindows1252(twoTrialExampleBytes()) + QStringLiteral("\r\n\"10\",\"more\",");
        ClusterFileContent read = readClusterText(text, ObjectRow::Read);
        QVERIFY(!read.problem);
        QCOMPARE(describeNotes(read, Severity::Warning),
                 QStringList{u"3|the file goes on after the picture row (\"10\" and what follows); that is not read"_qs});
        read = readClusterText(text, ObjectRow::Ignore);
        QVERIFY(read.notes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ClusterFileTest)
#include "tst_clusterfile.moc"

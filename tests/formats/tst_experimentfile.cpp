// The experiment file, and the subject file's names and first lines.

#include "TestFiles.h"

#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/formats/SubjectFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList studyEntries = {u"/data/study/A.box"_s, u"Message: Rest"_s, u"/data/study/B, with comma.box"_s,
                                  u"Message: Pauze van \u00e9\u00e9n minuut \u20ac"_s};
const QByteArray studyBytes = "\"/data/study/A.box\"\r\n"
                              "\"Message: Rest\"\r\n"
                              "\"/data/study/B, with comma.box\"\r\n"
                              "\"Message: Pauze van \xe9\xe9n minuut \x80\"\r\n";

QStringList entriesOf(const QByteArray &bytes)
{
    const FileResult<QStringList> entries = readExperimentBytes(bytes, u"x.bex"_s);
    if (!entries) {
        qWarning("unexpected problem: %s", qPrintable(entries.error().description));
        return {};
    }
    return *entries;
}

QString problemOf(const QByteArray &bytes)
{
    const FileResult<QStringList> entries = readExperimentBytes(bytes, u"/data/x.bex"_s);
    return entries ? QString() : entries.error().description;
}

} // namespace

class ExperimentFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesEachEntryQuotedWithCrLf()
    {
        QCOMPARE(experimentFileBytes(studyEntries), studyBytes);
        QCOMPARE(experimentFileBytes({}), QByteArray());
        QCOMPARE(entriesOf(studyBytes), studyEntries);
        // The message keeps the blank after the colon.
        QCOMPARE(messageOfEntry(entriesOf(studyBytes).at(1)), u" Rest"_s);
    }

    void readsTheFormsTheValueRulesAllow()
    {
        QCOMPARE(entriesOf("\"/a.box\"\n\"Message: x\"\n"), (QStringList{u"/a.box"_s, u"Message: x"_s}));
        QCOMPARE(entriesOf("\"/a.box\",\"/b.box\",   /c.box  \r\n/d.box"),
                 (QStringList{u"/a.box"_s, u"/b.box"_s, u"/c.box"_s, u"/d.box"_s}));
        // Empty items would run as clusters named "": they are dropped.
        QCOMPARE(entriesOf("\"\"\r\n\"/a.box\",,\r\n\r\n,\"/b.box\"\r\n"), (QStringList{u"/a.box"_s, u"/b.box"_s}));
        QCOMPARE(entriesOf("\"  padded  \""), QStringList{u"  padded  "_s});
        QCOMPARE(entriesOf(""), QStringList());
        QCOMPARE(entriesOf("\r\n  \r\n"), QStringList());
    }

    void entriesThatWouldRunAsSomethingElseRefuseTheFile()
    {
        QCOMPARE(problemOf("\"/a.box\"\r\n\"/b.box\"\r\n\"Message: never closed\r\n"),
                 u"/data/x.bex, line 3: the entry's closing double quote is missing; "
                 "nothing was taken from the file"_s);
        const QString after = problemOf("\"/a.box\"\r\n\"Message: say \"hi\" now\"\r\n");
        QCOMPARE(after, u"/data/x.bex, line 2: text follows the entry's closing double quote: hi\" now\"; "
                        "nothing was taken from the file"_s);
        const QString inside = problemOf("/a.box\r\n/b\"c.box\r\n");
        QVERIFY2(inside.startsWith(u"/data/x.bex, line 2: the entry /b\"c.box holds a double quote"_s),
                 qPrintable(inside));
    }

    // What the reader takes from any bytes, the writer writes so that it reads back the same.
    void anyBytesEitherRefusedOrReadBackAsWritten()
    {
        QRandomGenerator random(20261207);
        const QByteArray alphabet = QByteArray("\"\",,\r\n\n  \tab/.:M\x80\xe9\x81", 19) + QByteArray(1, '\0');
        int taken = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            const int length = random.bounded(40);
            for (int i = 0; i < length; ++i)
                bytes += alphabet.at(random.bounded(int(alphabet.size())));
            const FileResult<QStringList> first = readExperimentBytes(bytes, u"x.bex"_s);
            if (!first)
                continue;
            ++taken;
            for (const QString &entry : *first)
                QVERIFY2(!unwritableEntry(entry), bytes.toPercentEncoding().constData());
            const FileResult<QStringList> again = readExperimentBytes(experimentFileBytes(*first), u"x.bex"_s);
            QVERIFY(again);
            QCOMPARE(*again, *first);
        }
        QVERIFY(taken > 300);
    }

    void readsFilesAndNamesThoseItCannot()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(u"study.bex"_s), studyBytes);
        QCOMPARE(readExperimentFile(dir.filePath(u"study.bex"_s)).value(), studyEntries);
        const FileResult<QStringList> missing = readExperimentFile(dir.filePath(u"gone.bex"_s));
        QVERIFY(!missing);
        QCOMPARE(missing.error().code, ErrorCode::FileNotFound);
        QVERIFY(missing.error().description.contains(dir.filePath(u"gone.bex"_s)));
    }

    void onlyEntriesThatReadBackCanBeWritten()
    {
        QVERIFY(!unwritableEntry(u"Message: caf\u00e9 \u20ac, met komma"_s));
        QVERIFY(unwritableEntry(u"Message: say \"hi\""_s)->contains(u"double quote"_s));
        QVERIFY(unwritableEntry(u"Message: \u0101"_s)->contains(u"\u0101"_s));
        QVERIFY(unwritableEntry(QString()));

        QTemporaryDir dir;
        writeBytes(dir.filePath(u"kept.bex"_s), studyBytes);
        const FileResult<void> refused =
            saveExperimentFile(dir.filePath(u"kept.bex"_s), {u"/a.box"_s, u"Message: \"x\""_s});
        QVERIFY(!refused);
        QVERIFY(refused.error().description.contains(u"Message: \"x\""_s));
        QCOMPARE(readBytes(dir.filePath(u"kept.bex"_s)), studyBytes);
        QVERIFY(saveExperimentFile(dir.filePath(u"kept.bex"_s), {u"/a.box"_s}));
        QCOMPARE(readBytes(dir.filePath(u"kept.bex"_s)), QByteArray("\"/a.box\"\r\n"));
    }

    void subjectNamesThatCannotBeFileNamesOrTableFields()
    {
        for (const QString &good : {u"anna"_s, u"pp01"_s, u"Ren\u00e9e"_s, u"van Dijk"_s, u"a.b"_s, u"..."_s})
            QVERIFY2(!subjectNameProblem(good), qPrintable(good));
        const QList<std::pair<QString, QString>> bad = {
            {u"a/b"_s, u"path separator"_s},  {u"a\\b"_s, u"path separator"_s},
            {u"."_s, u"folders"_s},           {u".."_s, u"folders"_s},
            {u"a\tb"_s, u"control character"_s}, {u"anna\r"_s, u"control character"_s},
            {u"a\nb"_s, u"control character"_s}, {u" anna"_s, u"blank"_s},
            {u"anna "_s, u"blank"_s},         {u"\u0101nna"_s, u"Windows-1252"_s},
        };
        for (const auto &[name, why] : bad) {
            const auto problem = subjectNameProblem(name);
            QVERIFY2(problem && problem->contains(why), qPrintable(name));
        }
        QCOMPARE(subjectResultFile(u"/data/results"_s, u"anna"_s), u"/data/results/anna.bof"_s);
    }

    void firstLineIsLaidOutInPrintZones()
    {
        QCOMPARE(printZones({u"07-12-2026"_s, u"09:00:00"_s, u"anna"_s}), u"07-12-2026    09:00:00      anna"_s);
        // A field ending just before a zone start gets one blank; one filling its zone
        // exactly moves on to the zone after, so fields never touch.
        QCOMPARE(printZones({u"1234567890123"_s, u"x"_s}), u"1234567890123 x"_s);
        QCOMPARE(printZones({u"12345678901234"_s, u"x"_s}), u"12345678901234              x"_s);
        QCOMPARE(printZones({u"a"_s}), u"a"_s);
    }

    void subjectFileHeadUsesTheLocalesShortForms()
    {
        const QDateTime when(QDate(2026, 12, 7), QTime(9, 0, 5));
        const QString titles = u"Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\tTotal opened\t"
                               "Click order\tTimed click order\tWithin Error\r\n"_s;
        const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
        QCOMPARE(timeFormOf(dutch), u"HH:mm:ss"_s);
        QCOMPARE(subjectFileHead(u"anna"_s, when, dutch), u"07-12-2026    09:00:05      anna\r\n"_s + titles);
        const QLocale american(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(timeFormOf(american), u"h:mm:ss AP"_s);
        QCOMPARE(subjectFileHead(u"Ren\u00e9e"_s, when, american),
                 u"12/7/26       9:00:05 AM    Ren\u00e9e\r\n"_s + titles);
    }
};

QTEST_GUILESS_MAIN(ExperimentFileTest)
#include "tst_experimentfile.moc"

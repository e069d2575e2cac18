// The experiment file, the subject file's rules and first lines, and the checks before
// a run: everything of the experiment window that needs no window.

#include "TestFiles.h"
#include "TrialFixture.h"

#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/formats/SubjectFile.h"
#include "kelvane/runexp/ResultsFolder.h"
#include "kelvane/runexp/RunReadiness.h"
#include "kelvane/trial/RunSequencing.h"

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
    const ExperimentFileContent content = readExperimentBytes(bytes, u"x.bex"_s);
    if (content.problem)
        qWarning("unexpected problem: %s", qPrintable(content.problem->description));
    return content.entries;
}

QString problemOf(const QByteArray &bytes)
{
    const ExperimentFileContent content = readExperimentBytes(bytes, u"/data/x.bex"_s);
    if (!content.entries.isEmpty())
        qWarning("a refused file still gave entries");
    return content.problem ? content.problem->description : QString();
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
            const ExperimentFileContent first = readExperimentBytes(bytes, u"x.bex"_s);
            if (first.problem)
                continue;
            ++taken;
            for (const QString &entry : first.entries)
                QVERIFY2(!unwritableEntry(entry), bytes.toPercentEncoding().constData());
            const ExperimentFileContent again = readExperimentBytes(experimentFileBytes(first.entries), u"x.bex"_s);
            QVERIFY(!again.problem);
            QCOMPARE(again.entries, first.entries);
        }
        QVERIFY(taken > 300);
    }

    void readsFilesAndNamesThoseItCannot()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(u"study.bex"_s), studyBytes);
        QCOMPARE(readExperimentFile(dir.filePath(u"study.bex"_s)).entries, studyEntries);
        const ExperimentFileContent missing = readExperimentFile(dir.filePath(u"gone.bex"_s));
        QVERIFY(missing.problem);
        QCOMPARE(missing.problem->code, ErrorCode::FileNotFound);
        QVERIFY(missing.problem->description.contains(dir.filePath(u"gone.bex"_s)));
    }

    void onlyEntriesThatReadBackCanBeWritten()
    {
        QVERIFY(!unwritableEntry(u"Message: caf\u00e9 \u20ac, met komma"_s));
        QVERIFY(unwritableEntry(u"Message: say \"hi\""_s)->contains(u"double quote"_s));
        QVERIFY(unwritableEntry(u"Message: \u0101"_s)->contains(u"\u0101"_s));
        QVERIFY(unwritableEntry(QString()));

        QTemporaryDir dir;
        writeBytes(dir.filePath(u"kept.bex"_s), studyBytes);
        FileError error;
        QVERIFY(!saveExperimentFile(dir.filePath(u"kept.bex"_s), {u"/a.box"_s, u"Message: \"x\""_s}, &error));
        QVERIFY(error.description.contains(u"Message: \"x\""_s));
        QCOMPARE(readBytes(dir.filePath(u"kept.bex"_s)), studyBytes);
        QVERIFY(saveExperimentFile(dir.filePath(u"kept.bex"_s), {u"/a.box"_s}, &error));
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

    void resultsFolderIsRememberedOrTheCurrentFolder()
    {
        QTemporaryDir dir;
        QSettingsStore store(dir.filePath(u"settings.ini"_s));
        QCOMPARE(resultsFolder(store), QDir::currentPath());
        rememberResultsFolder(store, u"/data/results"_s);
        QCOMPARE(QSettingsStore(dir.filePath(u"settings.ini"_s)).read(u"Experiment"_s, u"ResultsFolder"_s),
                 u"/data/results"_s);
        QCOMPARE(resultsFolder(store), u"/data/results"_s);
    }

    void readinessCollectsProblemsAndWarningsTogether()
    {
        TrialFolder f;
        setTrial(f.program.Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        f.saveCluster(u"good.box"_s);
        f.program.Cluster.Trials[0].TargetNumberText.clear();
        f.saveCluster(u"notarget.box"_s);

        RunRequest request;
        request.entries = {f.path(u"good.box"_s), u"Message: Rest"_s, f.path(u"notarget.box"_s),
                           f.path(u"gone.box"_s)};
        request.subjectName = u"anna/b"_s;
        request.resultsFolder = f.dir.path();
        request.programFolder = f.dir.path();
        request.iconFolder = f.program.IconFolder;
        RunReadiness readiness = checkRunReadiness(request);
        QVERIFY(readiness.subjectNameRefused);
        QCOMPARE(readiness.subjectFile, QString());
        QCOMPARE(readiness.problems.size(), 3);
        QVERIFY(readiness.problems[0].startsWith(u"The subject name \"anna/b\" cannot be used: "_s));
        QVERIFY(readiness.problems[1].startsWith(f.path(u"notarget.box"_s) + u": trial 1"_s));
        QVERIFY(readiness.problems[2].startsWith(f.path(u"gone.box"_s)));
        QCOMPARE(readiness.warnings.size(), 2);
        QVERIFY(readiness.warnings[0].contains(f.path(u"sound.wav"_s)));
        QVERIFY(readiness.warnings[1].contains(f.path(u"click.wav"_s)));

        writeBytes(f.path(u"sound.wav"_s), "RIFF");
        writeBytes(f.path(u"click.wav"_s), "RIFF");
        writeBytes(f.path(u"anna.bof"_s), "earlier\r\n");
        request.entries = {f.path(u"good.box"_s)};
        request.subjectName = u"anna"_s;
        readiness = checkRunReadiness(request);
        QVERIFY(readiness.canRun());
        QVERIFY(readiness.warnings.isEmpty());
        QCOMPARE(readiness.subjectFile, f.path(u"anna.bof"_s));
        QVERIFY(readiness.subjectFileExists);
        QCOMPARE(readBytes(f.path(u"anna.bof"_s)), QByteArray("earlier\r\n"));
    }
};

QTEST_GUILESS_MAIN(ExperimentFileTest)
#include "tst_experimentfile.moc"

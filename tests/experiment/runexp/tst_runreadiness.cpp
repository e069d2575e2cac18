// What the experiment window checks and remembers before a run, without the window.

#include "TestFiles.h"
#include "TrialFixture.h"

#include "kelvane/runexp/ResultsFolder.h"
#include "kelvane/runexp/RunReadiness.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

class RunReadinessTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

QTEST_GUILESS_MAIN(RunReadinessTest)
#include "tst_runreadiness.moc"

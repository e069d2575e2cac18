#include "ClusterExamples.h"
#include "RunProgram.h"
#include "TestFiles.h"

#include "kelvane/Windows1252.h"
#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/ClusterFileWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

namespace {

ProgramRun runCheck(const QStringList &arguments)
{
    return runProgram(QStringLiteral(KELVANE_CHECK_BINARY), arguments);
}

// A folder with every picture the example names.
struct IconFolder
{
    IconFolder()
    {
        const QStringList names = {QStringLiteral("Box1.ico"), QStringLiteral("Box2.ico"),
                                   QStringLiteral("EmptyBox1.ico"), QStringLiteral("EmptyBox2.ico")};
        for (const QString &name : names + firstRunObjectRow())
            writeBytes(dir.filePath(name), "icon");
    }
    QString path() const { return dir.path() + u'/'; }
    QTemporaryDir dir;
};

} // namespace

class CheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void problemsNameTrialAndBox()
    {
        IconFolder icons;
        ClusterModel cluster = twoTrialExample();
        QVERIFY(checkCluster(cluster, icons.path(), firstRunObjectRow()).isEmpty());

        cluster.Trials.push_back(cluster.Trials[1]);          // trial 3: no boxes
        cluster.Trials[1].TargetNumberText.clear();            // trial 2: no target
        cluster.Trials[0].TargetNumberText = QStringLiteral("1"); // trial 1: empty box as target
        cluster.box(0, 2).ContentFile = QStringLiteral("Gone.ico");
        cluster.box(0, 1).ContentFile = QStringLiteral("AlsoGone.ico"); // empty box: not shown, not checked
        QStringList descriptions;
        for (const ClusterProblem &p : checkCluster(cluster, icons.path(), firstRunObjectRow()))
            descriptions.append(p.describe());
        QCOMPARE(descriptions.size(), 5);
        QCOMPARE(descriptions[0], QStringLiteral("trial 1, box 1: the target box holds no object"));
        QVERIFY(descriptions[1].startsWith(QStringLiteral("trial 1, box 2: the object picture \"Gone.ico\" is missing")));
        QCOMPARE(descriptions[2], QStringLiteral("trial 2: no target is set"));
        QCOMPARE(descriptions[3], QStringLiteral("trial 3: the trial has no boxes"));
        QCOMPARE(descriptions[4], QStringLiteral("trial 3: the target \"1\" is not one of the trial's 0 boxes"));

        cluster = twoTrialExample();
        cluster.Trials[1].TargetNumberText = QStringLiteral("7");
        cluster.Trials[0].EndMessage = QStringLiteral("a \"quoted\" word");
        descriptions.clear();
        for (const ClusterProblem &p : checkCluster(cluster, icons.path(), firstRunObjectRow()))
            descriptions.append(p.describe());
        QCOMPARE(descriptions.size(), 2);
        QCOMPARE(descriptions[0], QStringLiteral("trial 2: the target \"7\" is not one of the trial's 1 boxes"));
        QVERIFY(descriptions[1].contains(QStringLiteral("end message of trial 1 holds a double quote")));
    }

    // Box numbers count from 1 to the trial's box count; both ends are boxes, and the
    // numbers just outside are not. Trial 1 of the example has two boxes, box 2 holding
    // an object; trial 2 has one box holding an object.
    void targetMustBeOneOfTheBoxes_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("problem");
        const QString outside = QStringLiteral("trial 2: the target \"%1\" is not one of the trial's 1 boxes");
        QTest::newRow("0") << QStringLiteral("0") << outside.arg(0);
        QTest::newRow("1, the first and last box") << QStringLiteral("1") << QString();
        QTest::newRow("2, one past the last") << QStringLiteral("2") << outside.arg(2);
        QTest::newRow("-1") << QStringLiteral("-1") << outside.arg(-1);
    }

    void targetMustBeOneOfTheBoxes()
    {
        QFETCH(QString, target);
        QFETCH(QString, problem);
        IconFolder icons;
        ClusterModel cluster = twoTrialExample();
        cluster.Trials[1].TargetNumberText = target;
        QStringList descriptions;
        for (const ClusterProblem &p : checkCluster(cluster, icons.path(), firstRunObjectRow()))
            descriptions.append(p.describe());
        QCOMPARE(descriptions, problem.isEmpty() ? QStringList() : QStringList{problem});

        // kelvane-check says the same of the file.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("target.box"));
        QByteArray bytes = twoTrialExampleBytes();
        bytes.replace("\"Uw tijd is om.\",\"1\"", "\"Uw tijd is om.\",\"" + target.toLatin1() + '"');
        writeBytes(file, bytes);
        const ProgramRun run = runCheck({QStringLiteral("--icons"), icons.dir.path(), file});
        QCOMPARE(run.status, problem.isEmpty() ? 0 : 1);
        if (!problem.isEmpty())
            QVERIFY2(run.out.contains(file + QStringLiteral(": problem: ") + problem), qPrintable(run.out));
    }

    void aMissingPictureFolderIsOneProblem()
    {
        const ClusterModel cluster = twoTrialExample();
        const QList<ClusterProblem> problems = checkCluster(cluster, QStringLiteral("/nonexistent/ico/"),
                                                            firstRunObjectRow());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0].describe(),
                 QStringLiteral("the picture folder /nonexistent/ico/ does not exist, so no picture was checked"));
        QVERIFY(checkCluster(cluster, QString(), firstRunObjectRow()).isEmpty());
    }

    void valuesTheTrialWindowWouldMisuse()
    {
        ClusterModel cluster = twoTrialExample();
        QVERIFY(reviewTrialValues(cluster).isEmpty());
        cluster.Trials[0].ScreenSize = QStringLiteral("0");
        cluster.Trials[1].ScreenSize = QStringLiteral("150");
        cluster.Trials[0].time = QStringLiteral("tien");
        cluster.Trials[1].time = QStringLiteral("0");           // a number: no limit on purpose
        cluster.Trials[1].CloseAfter = QString();
        cluster.box(0, 1).Left = 7000;                          // fraction 1: just outside
        cluster.box(0, 2).Top = -700;
        cluster.box(1, 1).Left = 6999;                          // still inside
        QStringList found;
        for (const ClusterProblem &p : reviewTrialValues(cluster))
            found.append((p.severity == Severity::Problem ? u"P "_qs : u"W "_qs) + p.describe());
        QCOMPARE(found, (QStringList{
            u"W trial 1: the time \"tien\" is not a number, so the trial has no time limit"_qs,
            u"P trial 1: the screen size \"0\" is not a percentage from 1 to 100, so the layout area "
            u"has no size and the subject sees no boxes"_qs,
            u"P trial 1, box 1: the box lies outside the layout square (left 1, top .6857143; positions "
            u"run from 0 to below 1), so the subject never sees it"_qs,
            u"P trial 1, box 2: the box lies outside the layout square (left .5, top -.1; positions "
            u"run from 0 to below 1), so the subject never sees it"_qs,
            u"W trial 2: the close-after time \"\" is not a number, so an opened box closes again at "
            u"the next tick (0.1 s)"_qs,
            u"P trial 2: the screen size \"150\" is more than 100 percent of the screen height, so the "
            u"layout area does not fit on the screen"_qs,
        }));
    }

    void commandLineReportsGoodAndBadFiles()
    {
        IconFolder icons;
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.box"));
        writeBytes(good, twoTrialExampleBytes());
        ProgramRun run = runCheck({QStringLiteral("--icons"), icons.dir.path(), good});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, good + QStringLiteral(": ok (2 trials, 3 boxes)\n"));

        const QString damaged = dir.filePath(QStringLiteral("damaged.box"));
        writeBytes(damaged, twoTrialExampleBytes().left(300));
        QByteArray unquoted = twoTrialExampleBytes();
        unquoted.replace("\"Klik op START om door te gaan.\"", "Klik \"nu\"");
        const QString quote = dir.filePath(QStringLiteral("quote.box"));
        writeBytes(quote, unquoted);
        QByteArray missingPicture = twoTrialExampleBytes();
        missingPicture.replace("\"Content2.ico\",#FALSE#", "\"Pear.ico\",#FALSE#");
        const QString missing = dir.filePath(QStringLiteral("missing.box"));
        writeBytes(missing, missingPicture);
        const QString absent = dir.filePath(QStringLiteral("absent.box"));

        run = runCheck({QStringLiteral("--icons"), icons.dir.path(), good, damaged, quote, missing, absent});
        QCOMPARE(run.status, 1);
        // One stream, one line per finding, the file named once at the start of each.
        QCOMPARE(run.err, QString());
        const QString icoFolder = QDir::toNativeSeparators(icons.path());
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), (QStringList{
            good + u": ok (2 trials, 3 boxes)"_qs,
            damaged + u":2: problem: the start message of trial 2 has no closing double quote, so it runs to "
                      u"the end of the file"_qs,
            damaged + u":2: problem: the file ends before the end message of trial 2"_qs,
            quote + u": problem: The end message of trial 1 holds a double quote (\"), which a cluster "
                    u"file cannot store."_qs,
            missing + u": problem: trial 2, box 1: the object picture \"Pear.ico\" is missing from "_qs + icoFolder,
            absent + u": problem: cannot be read: No such file or directory"_qs,
        }));
    }

    void warningsCountOnlyWhenStrict()
    {
        IconFolder icons;
        QTemporaryDir dir;
        const QString odd = dir.filePath(QStringLiteral("odd.box"));
        QByteArray bytes = twoTrialExampleBytes();
        bytes.replace("\"10\",\"Uw tijd is om.\",\"1\"", "\"tien\",\"Uw tijd is om.\",\"1\"");
        bytes.replace("\" 16777215\"", "\"&HFFFFFF\"");
        writeBytes(odd, bytes);

        ProgramRun run = runCheck({QStringLiteral("--icons"), icons.dir.path(), odd});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), (QStringList{
            odd + u":2: warning: the foreground colour of trial 1 is \"&HFFFFFF\"; read as 16777215"_qs,
            odd + u":2: warning: the foreground colour of trial 2 is \"&HFFFFFF\"; read as 16777215"_qs,
            odd + u": warning: trial 2: the time \"tien\" is not a number, so the trial has no time limit"_qs,
            odd + u": ok (2 trials, 3 boxes), 3 warnings"_qs,
        }));

        run = runCheck({QStringLiteral("--strict"), QStringLiteral("--icons"), icons.dir.path(), odd});
        QCOMPARE(run.status, 1);
        QVERIFY(!run.out.contains(QStringLiteral("ok")));
        QCOMPARE(run.out.count(QStringLiteral(": warning: ")), 3);
    }

    void linesAreThoseOfTheValues()
    {
        IconFolder icons;
        QTemporaryDir dir;
        // One value per line: the trial count on line 1, trial 1's nine settings on lines 2-10.
        QString spread = fromWindows1252(twoTrialExampleBytes());
        spread.replace(QStringLiteral("\",\""), QStringLiteral("\"\r\n\""));
        spread.replace(QStringLiteral("\" 16777215\""), QStringLiteral("\"wit\""));
        const QString file = dir.filePath(QStringLiteral("spread.box"));
        writeBytes(file, toWindows1252(spread));
        const ProgramRun run = runCheck({QStringLiteral("--icons"), icons.dir.path(), file});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, file + u":9: problem: the foreground colour of trial 1 is \"wit\", not a colour number\n"_qs);
    }

    void aMissingPictureFolderIsSaidOnce()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.box"));
        const QString b = dir.filePath(QStringLiteral("b.box"));
        writeBytes(a, twoTrialExampleBytes());
        writeBytes(b, twoTrialExampleBytes());
        const QString gone = dir.filePath(QStringLiteral("gone"));
        const ProgramRun run = runCheck({QStringLiteral("--icons"), gone, a, b});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), (QStringList{
            u"kelvane-check: problem: the picture folder "_qs + QDir::toNativeSeparators(gone)
                + u"/ does not exist, so no picture is checked"_qs,
            a + u": ok (2 trials, 3 boxes)"_qs,
            b + u": ok (2 trials, 3 boxes)"_qs,
        }));
    }

    void usageErrorsAreStatusTwo()
    {
        QCOMPARE(runCheck({}).status, 2);
        const ProgramRun run = runCheck({QStringLiteral("--bogus"), QStringLiteral("a.box")});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(QStringLiteral("bogus")), qPrintable(run.err));
        QVERIFY(runCheck({QStringLiteral("--help")}).out.contains(QStringLiteral("--strict")));
    }

    void theExampleClustersAreClean()
    {
        const QDir examples(QStringLiteral(KELVANE_SOURCE_DIR "/examples"));
        const QStringList clusters = examples.entryList({u"*.box"_qs}, QDir::Files);
        QVERIFY(!clusters.isEmpty());
        for (const QString &name : clusters) {
            const ProgramRun run = runCheck({QStringLiteral("--strict"), QStringLiteral("--icons"),
                                             QStringLiteral(KELVANE_SOURCE_DIR "/experiment/resources/ico"),
                                             examples.filePath(name)});
            QCOMPARE(run.status, 0);
            QVERIFY2(run.out.endsWith(u" boxes)\n"_qs), qPrintable(run.out)); // not a single warning
        }
    }

    void jsonShowsWhatWasRead()
    {
        IconFolder icons;
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.box"));
        writeBytes(good, twoTrialExampleBytes());
        const ProgramRun run = runCheck({QStringLiteral("--json"), QStringLiteral("--icons"), icons.dir.path(), good});
        QCOMPARE(run.status, 0);
        const QJsonArray files = QJsonDocument::fromJson(run.out.toUtf8()).array();
        QCOMPARE(files.size(), 1);
        const QJsonObject file = files[0].toObject();
        QVERIFY(file[QStringLiteral("ok")].toBool());
        QCOMPARE(file[QStringLiteral("problems")].toArray().size(), 0);
        QCOMPARE(file[QStringLiteral("warnings")].toArray().size(), 0);
        const QJsonArray trials = file[QStringLiteral("trials")].toArray();
        QCOMPARE(trials.size(), 2);
        const QJsonObject first = trials[0].toObject();
        QCOMPARE(first[QStringLiteral("TargetNumberText")].toString(), QStringLiteral("2"));
        QCOMPARE(first[QStringLiteral("ChangeForeColor")].toInt(), 16777215);
        const QJsonObject box = first[QStringLiteral("boxes")].toArray()[0].toObject();
        QCOMPARE(box[QStringLiteral("Left")].toInt(), 1200);
        QCOMPARE(box[QStringLiteral("Top")].toInt(), 4800);
        QCOMPARE(box[QStringLiteral("Empty")].toBool(), true);
        QCOMPARE(file[QStringLiteral("objectRow")].toArray().size(), 6);
    }

    void rewriteRepairsHandEditedFiles()
    {
        IconFolder icons;
        QTemporaryDir dir;
        // Hand-edited: values one per line, LF only, blanks around unquoted values.
        QString spread = fromWindows1252(twoTrialExampleBytes());
        spread.replace(QStringLiteral("\",\""), QStringLiteral("\"\n\""));
        spread.replace(QStringLiteral(",#"), QStringLiteral("\n  #"));
        spread.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QString input = dir.filePath(QStringLiteral("edited.box"));
        writeBytes(input, toWindows1252(spread));
        const QString output = dir.filePath(QStringLiteral("clean.box"));
        ProgramRun run = runCheck({QStringLiteral("--icons"), icons.dir.path(), QStringLiteral("--rewrite"), output, input});
        QCOMPARE(run.status, 0);
        QCOMPARE(readBytes(output), twoTrialExampleBytes());
        QCOMPARE(run.out, input + u": ok (2 trials, 3 boxes)\n"_qs + input + u": written to "_qs + output + u'\n');

        // Other forms that read as the writer's own are written in the canonical form.
        QByteArray odd = twoTrialExampleBytes();
        odd.replace("\" 2\",\"Box1.ico\"", "2.0,\"Box1.ico\"");
        odd.replace("\" 16777215\"", "&HFFFFFF");
        writeBytes(input, odd);
        QFile::remove(output);
        run = runCheck({QStringLiteral("--icons"), icons.dir.path(), QStringLiteral("--rewrite"), output, input});
        QCOMPARE(run.status, 0);
        QCOMPARE(readBytes(output), twoTrialExampleBytes());

        // A damaged file is never rewritten, nor one whose reading lost part of it.
        const QString untouched = dir.filePath(QStringLiteral("untouched.box"));
        writeBytes(input, twoTrialExampleBytes().left(100));
        run = runCheck({QStringLiteral("--rewrite"), untouched, input});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains(input + u": problem: not rewritten: the file was not read completely"_qs),
                 qPrintable(run.out));
        QByteArray lossy = twoTrialExampleBytes();
        lossy.replace("\" .5\"", "\"midden\"");
        writeBytes(input, lossy);
        run = runCheck({QStringLiteral("--icons"), icons.dir.path(), QStringLiteral("--rewrite"), untouched, input});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains(QStringLiteral("not rewritten: reading lost part of what the file says")),
                 qPrintable(run.out));
        QVERIFY(!QFile::exists(untouched));

        run = runCheck({QStringLiteral("--rewrite"), untouched, input, input});
        QCOMPARE(run.status, 2);
    }

    void ordersArePrintedAndNothingIsWritten()
    {
        QTemporaryDir dir;
        const QString study = dir.filePath(QStringLiteral("study.bex"));
        // The clusters need not exist: only the list is read.
        writeBytes(study, "\"Message: Rest\"\r\n\"/s/a.box\"\r\n\"/s/b.box\"\r\n\"/s/c.box\"\r\n");
        ProgramRun run = runCheck({QStringLiteral("--orders"), study});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("1\ta.box\tb.box\tc.box\n2\tb.box\tc.box\ta.box\n3\tc.box\ta.box\tb.box\n"
                                         "4\tc.box\tb.box\ta.box\n5\ta.box\tc.box\tb.box\n6\tb.box\ta.box\tc.box\n"));
        run = runCheck({QStringLiteral("--orders"), QStringLiteral("--scheme"), QStringLiteral("listed"), study});
        QCOMPARE(run.out, QStringLiteral("1\ta.box\tb.box\tc.box\n"));
        QCOMPARE(runCheck({QStringLiteral("--orders"), QStringLiteral("--scheme=all"), study}).out.count(u'\n'), 6);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("study.bex")});

        const QString one = dir.filePath(QStringLiteral("one.bex"));
        writeBytes(one, "\"/s/a.box\"\r\n\"Message: end\"\r\n");
        run = runCheck({QStringLiteral("--orders"), one});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("kelvane-check: ") + one
                              + QStringLiteral(": Orders need at least two clusters in the list; it holds one.\n"));
        QCOMPARE(runCheck({QStringLiteral("--orders"), QStringLiteral("--scheme=latin"), study}).status, 2);
        QCOMPARE(runCheck({QStringLiteral("--orders"), study, one}).status, 2);
        QCOMPARE(runCheck({QStringLiteral("--scheme=all"), study}).status, 2);
        QVERIFY(runCheck({QStringLiteral("--help")}).out.contains(QStringLiteral("--orders")));
    }

    void experimentFilesAreCheckedWithEveryClusterTheyList()
    {
        IconFolder icons;
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.box"));
        writeBytes(good, twoTrialExampleBytes());
        QByteArray missingPicture = twoTrialExampleBytes();
        missingPicture.replace("\"Content2.ico\",#FALSE#", "\"Pear.ico\",#FALSE#");
        const QString pear = dir.filePath(QStringLiteral("pear.box"));
        writeBytes(pear, missingPicture);

        const QString study = dir.filePath(QStringLiteral("study.bex"));
        writeBytes(study, "\"" + good.toLocal8Bit() + "\"\r\n\"Message: Rest\"\r\n\"" + good.toLocal8Bit() + "\"\r\n");
        ProgramRun run = runCheck({QStringLiteral("--icons"), icons.dir.path(), study});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, study + QStringLiteral(": ok (3 entries, 2 clusters)\n"));

        // Listed twice, a cluster's problems are told once; a file written on another
        // computer is found beside the experiment file but not taken silently.
        const QString broken = dir.filePath(QStringLiteral("broken.bex"));
        writeBytes(broken, "\"" + pear.toLocal8Bit() + "\"\r\n\"" + pear.toLocal8Bit()
                               + "\"\r\n\"C:\\study\\good.box\"\r\n");
        const QString messages = dir.filePath(QStringLiteral("messages.bex"));
        writeBytes(messages, "\"Message: Rest\"\r\n");
        const QString damaged = dir.filePath(QStringLiteral("damaged.bex"));
        writeBytes(damaged, "\"" + good.toLocal8Bit() + "\"\r\n\"Message: never closed\r\n");
        run = runCheck({QStringLiteral("--icons"), icons.dir.path(), broken, messages, damaged, study});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY2(lines[0].startsWith(broken + QStringLiteral(": problem: ") + pear
                                     + QStringLiteral(": trial 2, box 1: the object picture \"Pear.ico\" is missing")),
                 qPrintable(lines[0]));
        QCOMPARE(lines[1], broken + QStringLiteral(": problem: C:\\study\\good.box: the cluster file does not exist "
                                                   "(a file of that name lies beside the experiment file: ")
                               + good + u')');
        QCOMPARE(lines[2], messages + QStringLiteral(": problem: No cluster is listed in the experiment."));
        // The file named once, with the line where reading stopped.
        QCOMPARE(lines[3], damaged + QStringLiteral(":2: problem: the entry's closing double quote is missing; "
                                                    "nothing was taken from the file"));
        QCOMPARE(lines[4], study + QStringLiteral(": ok (3 entries, 2 clusters)"));

        run = runCheck({QStringLiteral("--json"), QStringLiteral("--icons"), icons.dir.path(), study});
        const QJsonObject file = QJsonDocument::fromJson(run.out.toUtf8()).array()[0].toObject();
        QVERIFY(file[QStringLiteral("ok")].toBool());
        QCOMPARE(file[QStringLiteral("entries")].toArray()[1].toString(), QStringLiteral("Message: Rest"));

        QCOMPARE(runCheck({QStringLiteral("--rewrite"), dir.filePath(QStringLiteral("out.bex")), study}).status, 2);

        // A listed cluster's warnings keep its own line and count only under --strict.
        QByteArray hex = twoTrialExampleBytes();
        hex.replace("\" 16777215\",\"85\",\" 1\"", "&HFFFFFF,\"85\",\" 1\"");
        const QString odd = dir.filePath(QStringLiteral("odd.box"));
        writeBytes(odd, hex);
        const QString oddStudy = dir.filePath(QStringLiteral("odd.bex"));
        writeBytes(oddStudy, "\"" + odd.toLocal8Bit() + "\"\r\n");
        run = runCheck({QStringLiteral("--icons"), icons.dir.path(), oddStudy});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, oddStudy + u": warning: "_qs + odd
                              + u":2: the foreground colour of trial 2 is \"&HFFFFFF\"; read as 16777215\n"_qs
                              + oddStudy + u": ok (1 entry, 1 cluster), 1 warning\n"_qs);
        QCOMPARE(runCheck({QStringLiteral("--strict"), QStringLiteral("--icons"), icons.dir.path(), oddStudy}).status, 1);

        // A listed cluster's result file with trials no experiment run recorded may be a
        // subject's only record; an experiment's own working copy (its log opens with the
        // experiment line, its lines name the cluster as listed) is not warned about.
        const QString goodResult = dir.filePath(QStringLiteral("good.bof"));
        const QByteArray trialLine = "\t 2 \t 1 \t 2 \t 1.5\t 1 \t 2\t 2@ 1.5\t\r\n";
        writeBytes(goodResult, "copy\r\ntitles\r\n 0 \tgood.box" + trialLine);
        const QString atRisk = study + u": warning: "_qs + goodResult
                               + u" holds trials that no experiment run recorded; a run of this experiment asks "
                                 "before replacing them\n"_qs;
        run = runCheck({QStringLiteral("--icons"), icons.dir.path(), study});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, atRisk + study + u": ok (3 entries, 2 clusters), 1 warning\n"_qs);
        const QString goodLog = dir.filePath(QStringLiteral("good.events.csv"));
        writeBytes(goodLog, "cluster,trial,event,ms,box,holds,press_ms,clock\r\n,,experiment,,,,,\r\n");
        QCOMPARE(runCheck({QStringLiteral("--icons"), icons.dir.path(), study}).out,
                 atRisk + study + u": ok (3 entries, 2 clusters), 1 warning\n"_qs);
        writeBytes(goodResult, "copy\r\ntitles\r\n 0 \t" + good.toLocal8Bit() + trialLine);
        QCOMPARE(runCheck({QStringLiteral("--icons"), icons.dir.path(), study}).out,
                 study + QStringLiteral(": ok (3 entries, 2 clusters)\n"));
        QFile::remove(goodLog);
        QCOMPARE(runCheck({QStringLiteral("--icons"), icons.dir.path(), study}).out,
                 atRisk + study + u": ok (3 entries, 2 clusters), 1 warning\n"_qs);
    }
};

QTEST_GUILESS_MAIN(CheckTest)
#include "tst_check.moc"

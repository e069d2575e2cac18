#include "ClusterExamples.h"
#include "RunProgram.h"
#include "TestFiles.h"

#include "kelvane/Windows1252.h"
#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/ClusterFileWriter.h"

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

    void screenSizeMustBeAPercentOfTheScreen()
    {
        IconFolder icons;
        ClusterModel cluster = twoTrialExample();
        cluster.Trials[0].ScreenSize = QStringLiteral("100");
        cluster.Trials[1].ScreenSize = QStringLiteral("1");
        QVERIFY(checkCluster(cluster, icons.path(), firstRunObjectRow()).isEmpty());
        cluster.Trials[0].ScreenSize = QStringLiteral("150");
        cluster.Trials[1].ScreenSize = QStringLiteral("big");
        const QList<ClusterProblem> problems = checkCluster(cluster, icons.path(), firstRunObjectRow());
        QCOMPARE(problems.size(), 2);
        QCOMPARE(problems[0].describe(), QStringLiteral("trial 1: the screen size \"150\" is not between 1 and 100 percent"));
        QCOMPARE(problems[1].describe(), QStringLiteral("trial 2: the screen size \"big\" is not between 1 and 100 percent"));
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

        run = runCheck({QStringLiteral("--icons"), icons.dir.path(), good, damaged, quote, missing,
                        dir.filePath(QStringLiteral("absent.box"))});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY2(lines[1].startsWith(damaged + QStringLiteral(": ") + damaged + QStringLiteral(", line 2: the file ends before")), qPrintable(lines[1]));
        QVERIFY2(lines[2].contains(QStringLiteral("end message of trial 1 holds a double quote")), qPrintable(lines[2]));
        QVERIFY2(lines[3].contains(QStringLiteral("trial 2, box 1: the object picture \"Pear.ico\" is missing")),
                 qPrintable(lines[3]));
        QVERIFY(lines[4].contains(QStringLiteral("absent.box")));
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

        // A damaged file is never rewritten.
        writeBytes(input, twoTrialExampleBytes().left(100));
        const QString untouched = dir.filePath(QStringLiteral("untouched.box"));
        run = runCheck({QStringLiteral("--rewrite"), untouched, input});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(QStringLiteral("not read completely")));
        QVERIFY(!QFile::exists(untouched));

        run = runCheck({QStringLiteral("--rewrite"), untouched, input, input});
        QCOMPARE(run.status, 2);
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
        QVERIFY2(lines[0].startsWith(broken + QStringLiteral(": ") + pear
                                     + QStringLiteral(": trial 2, box 1: the object picture \"Pear.ico\" is missing")),
                 qPrintable(lines[0]));
        QCOMPARE(lines[1], broken + QStringLiteral(": C:\\study\\good.box: the cluster file does not exist (a file "
                                                   "of that name lies beside the experiment file: ")
                               + good + u')');
        QCOMPARE(lines[2], messages + QStringLiteral(": No cluster is listed in the experiment."));
        QVERIFY2(lines[3].startsWith(damaged + QStringLiteral(": ") + damaged + QStringLiteral(", line 2:")),
                 qPrintable(lines[3]));
        QCOMPARE(lines[4], study + QStringLiteral(": ok (3 entries, 2 clusters)"));

        run = runCheck({QStringLiteral("--json"), QStringLiteral("--icons"), icons.dir.path(), study});
        const QJsonObject file = QJsonDocument::fromJson(run.out.toUtf8()).array()[0].toObject();
        QVERIFY(file[QStringLiteral("ok")].toBool());
        QCOMPARE(file[QStringLiteral("entries")].toArray()[1].toString(), QStringLiteral("Message: Rest"));

        QCOMPARE(runCheck({QStringLiteral("--rewrite"), dir.filePath(QStringLiteral("out.bex")), study}).status, 2);
    }
};

QTEST_GUILESS_MAIN(CheckTest)
#include "tst_check.moc"

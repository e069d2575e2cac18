#include "ResultText.h"

#include "RunProgram.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane::analyzer::test;

namespace {

kelvane::test::ProgramRun analyze(const QStringList &arguments)
{
    return kelvane::test::runProgram(QStringLiteral(KELVANE_ANALYZE_PROGRAM), arguments);
}

// The text of a PDF's page as poppler reads it back: what a researcher can search and copy.
QString pdfPageText(const QString &pdf, int page)
{
    const QString number = QString::number(page);
    return kelvane::test::runProgram(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf,
                                      QStringLiteral("-")}).out;
}

int pdfPageCount(const QString &pdf)
{
    const QString info = kelvane::test::runProgram(QStringLiteral("pdfinfo"), {pdf}).out;
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(QLatin1StringView("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

} // namespace

class AnalyzerCommandLineTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof"), path(QStringLiteral("pp1.bof"))));
        QVERIFY(writeFile(path(QStringLiteral("pp2.bof")), resultFile({{number(0), 6, 2, 1, " 2"}})));
        QVERIFY(writeFile(path(QStringLiteral("bad.bof")), resultFile({{number(0), 300}})));
    }

    void writesRowsInTheOrderGiven()
    {
        const QString out = path(QStringLiteral("o.dat"));
        const kelvane::test::ProgramRun done = analyze({QStringLiteral("--no-header"), QStringLiteral("-o"), out,
                                       path(QStringLiteral("pp2.bof")), path(QStringLiteral("pp1.bof"))});
        QCOMPARE(done.status, 0);
        QVERIFY2(done.err.isEmpty(), qPrintable(done.err));
        const QByteArray bytes = kelvane::test::readBytes(out);
        QVERIFY(bytes.startsWith("pp2\t 1 \t 1 \t 6 \t"));
        QVERIFY(bytes.contains("\r\r\npp1\t 1 \t 3 \t 4 \t"));
        QCOMPARE(bytes.count("\r\r\n"), 2);
    }

    void skippedFilesGiveAFailingStatus()
    {
        const QString out = path(QStringLiteral("skip.dat"));
        const kelvane::test::ProgramRun done = analyze({QStringLiteral("-o"), out, path(QStringLiteral("bad.bof")),
                                       path(QStringLiteral("pp1.bof")), path(QStringLiteral("none.bof"))});
        QCOMPARE(done.status, 1);
        QVERIFY2(done.err.contains(path(QStringLiteral("bad.bof")) + QStringLiteral(", line 3: ")),
                 qPrintable(done.err));
        QVERIFY(done.err.contains(path(QStringLiteral("none.bof"))));
        // The file that could be read is still written, with the titles before it.
        const QByteArray bytes = kelvane::test::readBytes(out);
        QVERIFY(bytes.startsWith("Subject\tClusters\t1Trials\t"));
        QCOMPARE(bytes.count("\r\r\n"), 2);
    }

    void usageAndOutputProblems()
    {
        const kelvane::test::ProgramRun version = analyze({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QStringLiteral("kelvane-analyze " KELVANE_PROJECT_VERSION "\n"));

        const kelvane::test::ProgramRun noOutput = analyze({path(QStringLiteral("pp1.bof"))});
        QCOMPARE(noOutput.status, 2);
        QVERIFY(noOutput.err.contains(QStringLiteral("-o")));

        const kelvane::test::ProgramRun unknown = analyze({QStringLiteral("--frobnicate"), QStringLiteral("-o"),
                                          path(QStringLiteral("u.dat"))});
        QCOMPARE(unknown.status, 2);

        const QString unwritable = path(QStringLiteral("missing folder/o.dat"));
        const kelvane::test::ProgramRun cannotWrite = analyze({QStringLiteral("-o"), unwritable, path(QStringLiteral("pp1.bof"))});
        QCOMPARE(cannotWrite.status, 2);
        QVERIFY(cannotWrite.err.contains(unwritable));
        QVERIFY(!QFile::exists(unwritable));

        // No files at all is a usage error, and nothing is written.
        const QString empty = path(QStringLiteral("empty.dat"));
        const kelvane::test::ProgramRun noFiles = analyze({QStringLiteral("-o"), empty});
        QCOMPARE(noFiles.status, 2);
        QVERIFY2(noFiles.err.contains(QStringLiteral("no result files")), qPrintable(noFiles.err));
        QVERIFY(noFiles.err.contains(QStringLiteral("FILE...")));
        QVERIFY(!QFile::exists(empty));
    }

    // Started where no window can open (a text console, ssh without a display), the
    // window program still answers --version and --help, and otherwise says why it
    // cannot start instead of aborting inside Qt.
    void theWindowProgramAnswersWithoutADisplay()
    {
        kelvane::test::RunOptions nowhere;
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            nowhere.environment.remove(QString::fromLatin1(name));
        const QString program = QStringLiteral(KELVANE_ANALYZER_PROGRAM);

        const kelvane::test::ProgramRun version = kelvane::test::runProgram(program, {QStringLiteral("--version")}, nowhere);
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QStringLiteral("Kelvane Analyzer " KELVANE_PROJECT_VERSION "\n"));
        const kelvane::test::ProgramRun help = kelvane::test::runProgram(program, {QStringLiteral("--help")}, nowhere);
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.contains(QStringLiteral("[FILE.bof...]")), qPrintable(help.out));

        const kelvane::test::ProgramRun window = kelvane::test::runProgram(program, {path(QStringLiteral("pp1.bof"))}, nowhere);
        QCOMPARE(window.status, 1);
        QVERIFY2(window.err.endsWith(QStringLiteral("kelvane-analyzer: there is no display to open a window on "
                                                    "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n")),
                 qPrintable(window.err));
    }

    void unwritableOutputGivesTheRealReason()
    {
        // The folder /proc takes no new files, but the reason is not that anything is
        // missing: /proc/version exists and may not be written.
        const kelvane::test::ProgramRun proc = analyze({QStringLiteral("-o"), QStringLiteral("/proc/version"),
                                                        path(QStringLiteral("pp1.bof"))});
        QCOMPARE(proc.status, 2);
        QVERIFY2(proc.err.contains(QStringLiteral("/proc/version")), qPrintable(proc.err));
        QVERIFY2(!proc.err.contains(QStringLiteral("No such file or directory")), qPrintable(proc.err));

        const kelvane::test::ProgramRun folder = analyze({QStringLiteral("-o"), m_dir.path(),
                                                          path(QStringLiteral("pp1.bof"))});
        QCOMPARE(folder.status, 2);
        QVERIFY2(folder.err.contains(m_dir.path() + QStringLiteral(": it is not a file")), qPrintable(folder.err));

        const QString missing = path(QStringLiteral("gone/o.dat"));
        const kelvane::test::ProgramRun noFolder = analyze({QStringLiteral("-o"), missing,
                                                            path(QStringLiteral("pp1.bof"))});
        QVERIFY2(noFolder.err.contains(QStringLiteral("the folder %1 does not exist").arg(path(QStringLiteral("gone")))),
                 qPrintable(noFolder.err));
    }

    void tidyTablesReadThroughTheirDescriptor()
    {
        // pp2's log ended with Esc and logs its one trial without the click; a subject
        // whose name holds a comma must stay one field.
        QVERIFY(writeFile(path(QStringLiteral("pp2.events.csv")),
                          "cluster,trial,event,ms,box,holds,press_ms,clock\r\n"
                          "cluster1.box,0,start,0,,,,0\r\n"
                          ",,session,,,esc,,\r\n"));
        QVERIFY(QFile::copy(path(QStringLiteral("pp2.bof")), path(QStringLiteral("a, \"b\".bof"))));
        const QString folder = path(QStringLiteral("tidy/new"));
        const kelvane::test::ProgramRun done = analyze({QStringLiteral("--tidy"), folder, path(QStringLiteral("pp2.bof")),
                                                        path(QStringLiteral("a, \"b\".bof")), path(QStringLiteral("pp1.bof"))});
        QCOMPARE(done.status, 0);
        QCOMPARE(done.err, QStringLiteral("kelvane-analyze: %1, line 3 (cluster cluster1.box, trial 0): "
                                          "pp2.events.csv logs 0 clicks, the result file 1; its clicks "
                                          "have no milliseconds\n")
                               .arg(path(QStringLiteral("pp2.bof"))));
        const QByteArray clusters = kelvane::test::readBytes(folder + QStringLiteral("/clusters.csv"));
        QCOMPARE(clusters.split('\n').value(1), "pp2,1,cluster1.box,1,6,1.000,0.000,0.000,0.000,,0,0,0,0,1,0,,4.1,esc,0\r");
        QCOMPARE(clusters.split('\n').value(2), "\"a, \"\"b\"\"\",1,cluster1.box,1,6,1.000,0.000,0.000,0.000,,0,0,0,0,1,0,,4.1,,0\r");
        // The worked example by hand: between-search errors 4 (trial 1 box 3; trial 2
        // boxes 3, 2, 3), one repeat, one double, four error clicks; no 6- or 8-box
        // problem; first clicks at 1.2, 1 and 1 s; found in 2.5, 3.1 and 4.4 s.
        const QByteArray subjects = kelvane::test::readBytes(folder + QStringLiteral("/subjects.csv"));
        QCOMPARE(subjects.split('\n').value(3), "pp1,1,3,4,1,1,4,,1.067,3.333,0,\r");
        const QByteArray levels = kelvane::test::readBytes(folder + QStringLiteral("/levels.csv"));
        QCOMPARE(levels.split('\n').value(3), "pp1,4,1,3,4,1,1,4,2,0,1.067,3.333\r");
        // Without -o no wide table is written.
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{QStringLiteral("clicks.csv"), QStringLiteral("clusters.csv"),
                              QStringLiteral("datapackage.json"), QStringLiteral("levels.csv"),
                              QStringLiteral("subjects.csv"), QStringLiteral("trials.csv")}));

        // A file where the folder should be is named, and nothing is claimed written.
        const QString notAFolder = path(QStringLiteral("pp1.bof"));
        const kelvane::test::ProgramRun blocked = analyze({QStringLiteral("--tidy"), notAFolder, notAFolder});
        QCOMPARE(blocked.status, 2);
        QVERIFY2(blocked.err.contains(notAFolder), qPrintable(blocked.err));

        const QString check = QStringLiteral(KELVANE_DATAPACKAGE_CHECK);
        if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty()
            || !QFileInfo::exists(QFileInfo(check).dir().filePath(QStringLiteral("node_modules/datapackage"))))
            QSKIP("the Data Package library is not installed; scripts/install-deps.sh installs it");
        const kelvane::test::ProgramRun validated =
            kelvane::test::runProgram(QStringLiteral("node"), {check, folder});
        QVERIFY2(validated.status == 0, qPrintable(validated.err));
        QCOMPARE(validated.out, QStringLiteral("clicks 11\ntrials 5\nclusters 3\nlevels 3\nsubjects 3\n"));
    }

    void reportDrawsEveryClusterOfEverySubject()
    {
        // Cluster files in a folder of their own, named by the result files as another
        // machine wrote them; one named file is gone, one is damaged.
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("report/clusters")));
        const QString folder = path(QStringLiteral("report"));
        QVERIFY(writeFile(folder + QStringLiteral("/clusters/cluster1.box"), fourCornerCluster(3)));
        QVERIFY(writeFile(folder + QStringLiteral("/broken.box"), "3\r\n\"10\",\"Time"));
        const QByteArray worked = kelvane::test::readBytes(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof"));
        const QString anna = folder + QStringLiteral("/anna.bof");
        QVERIFY(writeFile(anna, QByteArray(worked).replace("cluster1.box", "D:\\lab\\cluster1.box")));
        // Anna's session was ended with Esc, which her pages must say.
        QVERIFY(writeFile(folder + QStringLiteral("/anna.events.csv"),
                          "cluster,trial,event,ms,box,holds,press_ms,clock\r\n"
                          "D:\\lab\\cluster1.box,2,session,,,esc,,\r\n"));
        const QString lost = folder + QStringLiteral("/lost.bof");
        QVERIFY(writeFile(lost, resultFile({{number(0), 4, 2, 2, " 1 2"}}).replace("cluster1.box", "C:\\x\\gone.box")));
        const QString broken = folder + QStringLiteral("/broken.bof");
        QVERIFY(writeFile(broken, resultFile({{number(0), 4, 3, 1, " 3"}, {number(0), 4, 1, 1, " 1"}})
                                      .replace("cluster1.box", "broken.box")));

        const QString pdf = folder + QStringLiteral("/study.pdf");
        const QString table = folder + QStringLiteral("/study.dat");
        const kelvane::test::ProgramRun done = analyze({QStringLiteral("--report"), pdf, QStringLiteral("--clusters"),
                                                        folder + QStringLiteral("/clusters"), QStringLiteral("-o"),
                                                        table, anna, lost, broken});
        QVERIFY2(done.status == 0, qPrintable(done.err));
        // The study page, then per subject a page of scores and one per cluster: anna 1,
        // lost 1, broken 2.
        QCOMPARE(pdfPageCount(pdf), 8);

        const QString study = pdfPageText(pdf, 1);
        QVERIFY2(study.contains(QStringLiteral("3 subjects")), qPrintable(study));
        QVERIFY(study.contains(QStringLiteral("Number of boxes")));
        QVERIFY(study.simplified().contains(QStringLiteral("Means over subjects by problem size")));

        const QString annaScores = pdfPageText(pdf, 2).simplified();
        QVERIFY2(annaScores.contains(QStringLiteral("Strategy over the 6- and 8-box problems")), qPrintable(annaScores));

        // Anna's page holds every measure of her row as the table wrote it.
        const QString annaPage = pdfPageText(pdf, 3);
        QVERIFY2(annaPage.contains(QStringLiteral("Subject: anna")), qPrintable(annaPage));
        QVERIFY(annaPage.contains(QStringLiteral("Session not complete")));
        QVERIFY(annaPage.contains(QStringLiteral("clusters/cluster1.box")));
        const QList<QByteArray> annaRow = kelvane::test::readBytes(table).split('\n').value(1).split('\t');
        QCOMPARE(annaRow.value(0), QByteArray("anna"));
        for (qsizetype i = 2; i < annaRow.size(); ++i) {
            const QString value = QString::fromLatin1(annaRow[i].trimmed());
            QVERIFY2(value.isEmpty() || annaPage.contains(value), qPrintable(value));
        }

        const QString lostPage = pdfPageText(pdf, 5).simplified();
        QVERIFY(!lostPage.contains(QStringLiteral("Session not complete")));
        QVERIFY2(lostPage.contains(QStringLiteral("gone.box not found")), qPrintable(lostPage));
        QVERIFY(lostPage.contains(QStringLiteral("drawn as box numbers")));

        for (int page : {7, 8}) {
            const QString brokenPage = pdfPageText(pdf, page).simplified();
            QVERIFY2(brokenPage.contains(QStringLiteral("Subject: broken")), qPrintable(brokenPage));
            QVERIFY2(brokenPage.contains(QStringLiteral("broken.box")), qPrintable(brokenPage));
        }
        // The damaged cluster file is named with its problem, and no layout is drawn from
        // what came before the damage.
        const QString brokenPage = pdfPageText(pdf, 7).simplified();
        QVERIFY2(brokenPage.contains(QStringLiteral("broken.box, line 2:")), qPrintable(brokenPage));
        // The PDF's text comes back with a blank wherever kerning parts two letters ("o f"),
        // which depends on where the line breaks: compared without blanks.
        QVERIFY2(QString(brokenPage).remove(u' ').contains(QStringLiteral("endsbeforethetargetoftrial1.")),
                 qPrintable(brokenPage));
        QVERIFY(brokenPage.contains(QStringLiteral("drawn as box numbers")));
        QVERIFY(!brokenPage.contains(QStringLiteral("Layout from")));
    }

    void otherFilesAreSkippedWithAMessage()
    {
        // A cluster file passed by mistake and a text file give no "0 clusters" rows.
        const QString cluster = path(QStringLiteral("cluster1.box"));
        QVERIFY(writeFile(cluster, "2\r\n10,\"Tijd is om\",1,\r\n"));
        const QString notes = path(QStringLiteral("notes.txt"));
        QVERIFY(writeFile(notes, "Notes\r\nsubject 12 stopped early\r\n\r\n"));
        const QString out = path(QStringLiteral("others.dat"));
        const kelvane::test::ProgramRun done = analyze({QStringLiteral("--no-header"), QStringLiteral("-o"), out,
                                                        cluster, path(QStringLiteral("pp2.bof")), notes});
        QCOMPARE(done.status, 1);
        for (const QString &file : {cluster, notes}) {
            QVERIFY2(done.err.contains(QStringLiteral("skipped %1, line 2: this is not a result file").arg(file)),
                     qPrintable(done.err));
        }
        QCOMPARE(kelvane::test::readBytes(out).count("\r\r\n"), 1);
    }
};

QTEST_GUILESS_MAIN(AnalyzerCommandLineTest)
#include "tst_analyzer_cli.moc"

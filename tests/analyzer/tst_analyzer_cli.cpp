#include "ResultText.h"

#include "RunProgram.h"
#include "TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane::analyzer::test;

namespace {

kelvane::test::ProgramRun analyze(const QStringList &arguments)
{
    return kelvane::test::runProgram(QStringLiteral(KELVANE_ANALYZE_PROGRAM), arguments);
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

        // No files at all: an empty table, as the window writes for an empty selection.
        const QString empty = path(QStringLiteral("empty.dat"));
        QCOMPARE(analyze({QStringLiteral("-o"), empty}).status, 0);
        QVERIFY(QFile::exists(empty));
        QCOMPARE(kelvane::test::readBytes(empty), QByteArray());
    }
};

QTEST_GUILESS_MAIN(AnalyzerCommandLineTest)
#include "tst_analyzer_cli.moc"

#include "AnalysisRun.h"
#include "ResultText.h"
#include "SavWriter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using kelvane::FileResult;
using namespace kelvane::analyzer;
using namespace kelvane::analyzer::test;

namespace {

// The rows of one table in PSPP's CSV output, each split into trimmed cells, without
// the table's heading row.
QList<QStringList> csvTable(const QString &csv, const QString &title)
{
    QList<QStringList> rows;
    const QStringList lines = csv.split(u'\n');
    const qsizetype start = lines.indexOf(QStringLiteral("Table: ") + title);
    if (start < 0)
        return rows;
    for (qsizetype i = start + 2; i < lines.size() && !lines[i].trimmed().isEmpty()
                                  && !lines[i].startsWith(QStringLiteral("Table: "));
         ++i) {
        QStringList cells = lines[i].split(u',');
        for (QString &cell : cells)
            cell = cell.trimmed();
        rows.append(cells);
    }
    return rows;
}

// Runs PSPP on `commands` in `dir` and returns its output as CSV; empty on failure.
QString psppCsv(const QTemporaryDir &dir, const QByteArray &commands)
{
    const QString pspp = QStandardPaths::findExecutable(QStringLiteral("pspp"));
    if (pspp.isEmpty()) {
        qWarning("pspp is needed to read the SPSS data file back (scripts/install-deps.sh)");
        return {};
    }
    const QString syntax = dir.filePath(QStringLiteral("read.sps"));
    const QString csvPath = dir.filePath(QStringLiteral("out.csv"));
    if (!writeFile(syntax, commands))
        return {};
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(pspp, {QStringLiteral("-O"), QStringLiteral("format=csv"), QStringLiteral("-o"), csvPath, syntax});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QFile csvFile(csvPath);
    if (!csvFile.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(csvFile.readAll());
}

} // namespace

class AnalyzerSavTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void variableNamesAreValid()
    {
        QCOMPARE(savVariableName(1, 0), QStringLiteral("Trials_1"));
        QCOMPARE(savVariableName(255, 5), QStringLiteral("Strategy_255"));
        QCOMPARE(savVariableName(3, 6), QStringLiteral("NormLev_3"));
    }

    void psppReadsNamesLabelsValuesAndMissingValues()
    {
        QTemporaryDir dir;
        // A subject with two clusters, the second of one trial (no distance); the worked
        // example with one cluster; and a subject with no clusters at all.
        const QString two = dir.filePath(QString::fromUtf8("Ren\u00e9e.bof"));
        QVERIFY(writeFile(two, resultFile({
                                   {number(0), 5, 2, 2, " 1 2"},
                                   {number(1), 5, 1, 1, " 1"},
                                   {number(0), 7, 3, 1, " 3"},
                               })));
        const QString none = dir.filePath(QStringLiteral("none.bof"));
        QVERIFY(writeFile(none, headerLines()));

        AnalysisRun run(OutputKind::SpssData, true, QLocale(QLocale::German));
        QVERIFY(run.add(two));
        QVERIFY(run.add(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof")));
        QVERIFY(run.add(none));
        const QString sav = dir.filePath(QStringLiteral("measures.sav"));
        const FileResult<void> saved = run.save(sav);
        QVERIFY2(saved, qPrintable(saved ? QString() : saved.error().description));

        const QString csv = psppCsv(dir, "GET FILE='" + sav.toUtf8() + "'.\n"
                                         "DISPLAY DICTIONARY.\n"
                                         "COMPUTE thirds = W_Err_1 * 3.\n"
                                         "COMPUTE nolev = SYSMIS(NormLev_2).\n"
                                         "COMPUTE noopen = SYSMIS(Open_2).\n"
                                         "FORMATS thirds (F8.5).\n"
                                         "LIST.\n");
        QVERIFY(!csv.isEmpty());
        QVERIFY2(!csv.contains(QStringLiteral("error"), Qt::CaseInsensitive), qPrintable(csv));

        // Name, position, label, measurement level, role, width, alignment, formats.
        const QList<QStringList> variables = csvTable(csv, QStringLiteral("Variables"));
        QCOMPARE(variables.size(), 2 + 2 * 7);
        QCOMPARE(variables[0][0], QStringLiteral("Subject"));
        QCOMPARE(variables[0][3], QStringLiteral("Nominal"));
        QCOMPARE(variables[0][7], QStringLiteral("A6")); // "Renée" is six bytes of UTF-8
        QCOMPARE(variables[1].mid(0, 4), (QStringList{QStringLiteral("Clusters"), QStringLiteral("2"),
                                                      QStringLiteral("Clusters"), QStringLiteral("Scale")}));
        const QStringList stems{QStringLiteral("Trials"), QStringLiteral("Boxes"), QStringLiteral("Open"),
                                QStringLiteral("W_Err"), QStringLiteral("B_err"), QStringLiteral("Strategy"),
                                QStringLiteral("NormLev")};
        const QStringList titles{QStringLiteral("Trials"), QStringLiteral("Boxes"), QStringLiteral("Open"),
                                 QStringLiteral("W_Err"), QStringLiteral("B_err"),
                                 QStringLiteral("FeigenbaumStrategy"), QStringLiteral("NormalizedLevenshtein")};
        const QStringList formats{QStringLiteral("F8.0"), QStringLiteral("F8.0"), QStringLiteral("F8.3"),
                                  QStringLiteral("F8.3"), QStringLiteral("F8.3"), QStringLiteral("F8.3"),
                                  QStringLiteral("F8.4")};
        for (int c = 1; c <= 2; ++c) {
            for (int m = 0; m < 7; ++m) {
                const QStringList &v = variables[2 + (c - 1) * 7 + m];
                QCOMPARE(v[0], QStringLiteral("%1_%2").arg(stems[m]).arg(c));
                QCOMPARE(v[2], QString::number(c) + titles[m]);
                QCOMPARE(v[3], QStringLiteral("Scale"));
                QCOMPARE(v[7], formats[m]);
            }
        }

        const QList<QStringList> cases = csvTable(csv, QStringLiteral("Data List"));
        QCOMPARE(cases.size(), 3);
        // Values in the files' order; "." is system-missing.
        QCOMPARE(cases[0].mid(0, 16),
                 (QStringList{QString::fromUtf8("Ren\u00e9e"), QStringLiteral("2"),
                              QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("1.500"),
                              QStringLiteral(".000"), QStringLiteral(".000"), QStringLiteral(".000"),
                              QStringLiteral(".0000"),
                              QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("1.000"),
                              QStringLiteral(".000"), QStringLiteral(".000"), QStringLiteral(".000"),
                              QStringLiteral(".")}));
        QCOMPARE(cases[1].mid(0, 9),
                 (QStringList{QStringLiteral("worked"), QStringLiteral("1"), QStringLiteral("3"),
                              QStringLiteral("4"), QStringLiteral("3.000"), QStringLiteral(".333"),
                              QStringLiteral("4.000"), QStringLiteral("1.000"), QStringLiteral(".7083")}));
        for (int i = 9; i < 16; ++i)
            QCOMPARE(cases[1][i], QStringLiteral("."));
        QCOMPARE(cases[2][0], QStringLiteral("none"));
        QCOMPARE(cases[2][1], QStringLiteral("0"));
        for (int i = 2; i < 16; ++i)
            QCOMPARE(cases[2][i], QStringLiteral("."));

        // The file holds the measures unrounded; the missing ones are system-missing.
        QCOMPARE(cases[1][16], QStringLiteral("1.00000")); // W_Err_1 * 3
        QCOMPARE(cases[0][17], QStringLiteral("1.00"));    // NormLev_2 of the one-trial cluster
        QCOMPARE(cases[0][18], QStringLiteral(".00"));
        QCOMPARE(cases[1][18], QStringLiteral("1.00"));    // Open_2 of a subject with one cluster
    }
    // By name: s1 ran A then B, s2 only B. The variables keep their names, their labels
    // name the cluster, and s2's A is system-missing.
    void byNameLabelsNameTheClusters()
    {
        QTemporaryDir dir;
        const QString s1 = dir.filePath(QStringLiteral("s1.bof"));
        QVERIFY(writeFile(s1, headerLines() + lineOf({number(0), 4, 1, 1, " 1"}).replace("cluster1.box", "A.box")
                                  + lineOf({number(0), 5, 2, 2, " 1 2"}).replace("cluster1.box", "B.box")));
        const QString s2 = dir.filePath(QStringLiteral("s2.bof"));
        QVERIFY(writeFile(s2, headerLines() + lineOf({number(0), 5, 2, 1, " 2"}).replace("cluster1.box", "B.box")));
        AnalysisRun run(OutputKind::SpssData, true, QLocale::c(), ClusterLayout::ByName);
        QVERIFY(run.add(s1));
        QVERIFY(run.add(s2));
        const QString sav = dir.filePath(QStringLiteral("measures.sav"));
        const FileResult<void> saved = run.save(sav);
        QVERIFY2(saved, qPrintable(saved ? QString() : saved.error().description));

        const QString csv = psppCsv(dir, "GET FILE='" + sav.toUtf8() + "'.\nDISPLAY DICTIONARY.\nLIST.\n");
        QVERIFY(!csv.isEmpty());
        const QList<QStringList> variables = csvTable(csv, QStringLiteral("Variables"));
        QCOMPARE(variables.size(), 2 + 2 * 7);
        QCOMPARE(variables[2].mid(0, 3), (QStringList{QStringLiteral("Trials_1"), QStringLiteral("3"),
                                                      QStringLiteral("A.box_Trials")}));
        QCOMPARE(variables[9].mid(0, 3), (QStringList{QStringLiteral("Trials_2"), QStringLiteral("10"),
                                                      QStringLiteral("B.box_Trials")}));
        const QList<QStringList> cases = csvTable(csv, QStringLiteral("Data List"));
        QCOMPARE(cases.size(), 2);
        QCOMPARE(cases[1].mid(0, 5), (QStringList{QStringLiteral("s2"), QStringLiteral("1"), QStringLiteral("."),
                                                  QStringLiteral("."), QStringLiteral(".")}));
        QCOMPARE(cases[1][10], QStringLiteral("5")); // Boxes_2: s2's B
    }
    // The subject's width is counted in bytes of the stored text: with "Renée" as the
    // only subject, a width counted in characters would cut off the last byte.
    void aNonAsciiSubjectAloneComesOutWhole()
    {
        QTemporaryDir dir;
        const QString renee = dir.filePath(QString::fromUtf8("Ren\u00e9e.bof"));
        QVERIFY(writeFile(renee, resultFile({{number(0), 5, 2, 2, " 1 2"}})));
        AnalysisRun run(OutputKind::SpssData, true, QLocale::c());
        QVERIFY(run.add(renee));
        const QString sav = dir.filePath(QStringLiteral("measures.sav"));
        const FileResult<void> saved = run.save(sav);
        QVERIFY2(saved, qPrintable(saved ? QString() : saved.error().description));

        const QString csv = psppCsv(dir, "GET FILE='" + sav.toUtf8() + "'.\nDISPLAY DICTIONARY.\nLIST.\n");
        QVERIFY(!csv.isEmpty());
        QCOMPARE(csvTable(csv, QStringLiteral("Variables"))[0][7], QStringLiteral("A6"));
        QCOMPARE(csvTable(csv, QStringLiteral("Data List"))[0][0], QString::fromUtf8("Ren\u00e9e"));
    }
};

QTEST_GUILESS_MAIN(AnalyzerSavTest)
#include "tst_analyzer_sav.moc"

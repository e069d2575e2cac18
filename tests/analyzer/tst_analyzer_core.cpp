#include "AnalysisRun.h"
#include "EventLogTimes.h"
#include "Levenshtein.h"
#include "ResultReader.h"
#include "ResultText.h"
#include "TidyTables.h"

#include "TestFiles.h"

#include "kelvane/Windows1252.h"
#include "kelvane/formats/ResultFileNames.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>


using namespace kelvane;
using namespace kelvane::analyzer;
using namespace kelvane::analyzer::test;

namespace {

const QString somePath = QStringLiteral("/study/s01.bof");

ReadOutcome read(const QByteArray &bytes)
{
    return readResultText(somePath, fromWindows1252(bytes));
}

ClusterMeasures onlyCluster(const QByteArray &bytes)
{
    const ReadOutcome outcome = read(bytes);
    if (!outcome) {
        qWarning("%s", qPrintable(outcome.error().description));
        return {};
    }
    if (outcome->clusters.size() != 1) {
        qWarning("%d clusters", int(outcome->clusters.size()));
        return {};
    }
    return outcome->clusters.first();
}

FileScore scored(const QByteArray &bytes)
{
    FileScore score;
    ResultReader reader;
    const ReadOutcome outcome = reader.readBytes(somePath, bytes, &score);
    if (!outcome)
        qWarning("%s", qPrintable(outcome.error().description));
    return score;
}

// A click's coding in a letter each: "f" found, "r" repeat, "e" earlier target, "b"
// between-search error, "." none of them. The double error is "reb".
QString codeOf(const ClickScore &click)
{
    QString code;
    if (click.repeat)
        code += u'r';
    if (click.earlierTarget)
        code += u'e';
    if (click.betweenError)
        code += u'b';
    if (click.found)
        code += u'f';
    return code.isEmpty() ? QStringLiteral(".") : code;
}

// The records of an RFC 4180 text: fields split at commas outside double quotes, a
// doubled quote inside them read as one, records ended by CR LF.
QList<QStringList> csvRecords(const QByteArray &bytes)
{
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    const QString text = QString::fromUtf8(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            fields << field;
            records << fields;
            fields.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

// A file whose single cluster has `count` trials built by `make`.
template <typename Make>
QByteArray clusterOf(int count, Make make)
{
    QByteArray text = headerLines();
    for (int t = 0; t < count; ++t)
        text += lineOf(make(t));
    return text;
}

} // namespace

class AnalyzerCoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExample()
    {
        const ReadOutcome outcome = LeesFile(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof"));
        QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
        QCOMPARE(outcome->subject, QStringLiteral("worked"));
        QCOMPARE(outcome->clusters.size(), 1);
        const ClusterMeasures &m = outcome->clusters.first();
        QCOMPARE(m.trials, 3);
        QCOMPARE(m.boxes, 4);
        QCOMPARE(m.open.value_or(-1), 3.0);
        QCOMPARE(m.wErr.value_or(-1), 1.0 / 3.0);
        QCOMPARE(m.bErr, 4.0);
        QCOMPARE(m.strategy, 1.0);
        QVERIFY(m.normalizedLevenshtein);
        QCOMPARE(*m.normalizedLevenshtein, (2.0 / 3.0 + 3.0 / 4.0) / 2.0);
    }

    // Sequences scored by hand: per trial its clicks' codes (see codeOf), per trial
    // "found first_box repeats earlier_target_visits between_errors doubles W", per
    // cluster "within between doubles total distinct_starts timeouts B_err Feigenbaum".
    void handScoredSearches_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("trials");
        QTest::addColumn<QString>("clusters");
        const auto row = [](const char *name, const QByteArray &file, const char *clicks,
                            const char *trials, const char *clusters) {
            QTest::newRow(name) << file << QString::fromLatin1(clicks) << QString::fromLatin1(trials)
                                << QString::fromLatin1(clusters);
        };
        row("target first", resultFile({{number(0), 4, 3, 1, " 3"}}), "f", "1 3 0 0 0 0 0",
            "0 0 0 0 1 0 0 0");
        row("one repeat", resultFile({{number(0), 4, 4, 4, " 1 2 1 4"}}), ". . r f",
            "1 1 1 0 0 0 1", "1 0 0 1 1 0 0 0");
        row("box opened three times: W 1 + 2, repeats 2", resultFile({{number(0), 4, 4, 4, " 2 2 2 4"}}),
            ". r r f", "1 2 2 0 0 0 3", "2 0 0 2 1 0 0 0");
        row("two boxes repeated in turn", resultFile({{number(0), 4, 3, 5, " 1 2 1 2 3"}}),
            ". . r r f", "1 1 2 0 0 0 2", "2 0 0 2 1 0 0 0");
        row("found target revisited first: a between error and a start box",
            resultFile({{number(0), 4, 2, 2, " 1 2"}, {number(1), 4, 3, 2, " 2 3"}}),
            ". f | eb f", "1 1 0 0 0 0 0 | 1 2 0 1 1 0 0", "0 1 0 1 2 0 1 1");
        row("target of two earlier trials: B_err twice, one visit",
            resultFile({{number(0), 4, 2, 1, " 2"}, {number(1), 4, 2, 2, " 1 2"},
                        {number(2), 4, 3, 2, " 2 3"}}),
            "f | . ef | eb f", "1 2 0 0 0 0 0 | 1 1 0 1 0 0 0 | 1 2 0 1 1 0 0", "0 1 0 1 2 0 3 2");
        row("double error",
            resultFile({{number(0), 4, 1, 1, " 1"}, {number(1), 4, 3, 4, " 1 2 1 3"}}),
            "f | eb . reb f", "1 1 0 0 0 0 0 | 1 1 1 2 2 1 1", "1 2 1 2 1 0 2 0");
        row("time-out without clicks", resultFile({{number(0), 4, 2, 0, ""}}), "",
            "0 - 0 0 0 0 0", "0 0 0 0 0 1 0 0");
        row("time-out with clicks", resultFile({{number(0), 4, 4, 3, " 1 2 3"}}), ". . .",
            "0 1 0 0 0 0 0", "0 0 0 0 1 1 0 0");
        row("time-out ending on a repeat", resultFile({{number(0), 4, 4, 3, " 1 2 1"}}),
            ". . r", "0 1 1 0 0 0 1", "1 0 0 1 1 1 0 0");
        row("a timed-out trial's target is earlier but no between error",
            resultFile({{number(0), 4, 1, 1, " 1"}, {number(1), 4, 2, 0, ""},
                        {number(2), 4, 3, 3, " 1 2 3"}}),
            "f |  | eb e f", "1 1 0 0 0 0 0 | 0 - 0 0 0 0 0 | 1 1 0 2 1 0 0", "0 1 0 1 1 1 2 2");
        row("a target never shown, revisited",
            resultFile({{number(0), 4, 4, 3, " 1 2 3"}, {number(1), 4, 2, 3, " 4 1 2"}}),
            ". . . | e . f", "0 1 0 0 0 0 0 | 1 4 0 1 0 0 0", "0 0 0 0 2 1 1 1");
        row("the finding click is no between error",
            resultFile({{number(0), 6, 2, 1, " 2"}, {number(1), 6, 5, 2, " 1 5"},
                        {number(2), 6, 2, 3, " 1 3 2"}}),
            "f | . f | . . ef", "1 2 0 0 0 0 0 | 1 1 0 0 0 0 0 | 1 1 0 1 0 0 0", "0 0 0 0 2 0 1 1");
        row("boxes 16 and above",
            resultFile({{number(0), 24, 17, 2, " 16 17"}, {number(1), 24, 20, 4, " 17 16 17 20"}}),
            ". f | eb . reb f", "1 16 0 0 0 0 0 | 1 17 1 2 2 1 1", "1 2 1 2 2 0 2 1");
        row("1 and 12 told apart", resultFile({{number(0), 12, 12, 2, " 1 12"}}), ". f",
            "1 1 0 0 0 0 0", "0 0 0 0 1 0 0 0");
        row("gap in the numbering: rows for lines only",
            resultFile({{number(0), 4, 1, 2, " 2 1"}, {number(1), 4, 2, 1, " 2"},
                        {number(5), 4, 3, 3, " 1 3 1"}}),
            ". f | f | eb f reb", "1 2 0 0 0 0 0 | 1 2 0 0 0 0 0 | 0 1 1 2 2 1 1", "1 2 1 2 2 1 2 2");
        row("earlier targets stay in their cluster",
            resultFile({{number(0), 4, 1, 1, " 1"}, {number(0), 4, 2, 2, " 1 2"}}), "f | . f",
            "1 1 0 0 0 0 0 | 1 1 0 0 0 0 0", "0 0 0 0 1 0 0 0 | 0 0 0 0 1 0 0 0");
        row("the same target twice",
            resultFile({{number(0), 4, 2, 1, " 2"}, {number(1), 4, 2, 1, " 2"}}), "f | ef",
            "1 2 0 0 0 0 0 | 1 2 0 1 0 0 0", "0 0 0 0 1 0 1 0");
        row("empty item: W stops, repeats go on", resultFile({{number(0), 6, 5, 4, " 3  3 5"}}),
            ". r f", "1 3 1 0 0 0 0", "1 0 0 1 1 0 0 0");
        row("changed starts against distinct starts",
            resultFile({{number(0), 4, 3, 2, " 1 3"}, {number(1), 4, 2, 1, " 2"},
                        {number(2), 4, 4, 2, " 1 4"}}),
            ". f | f | . f", "1 1 0 0 0 0 0 | 1 2 0 0 0 0 0 | 1 1 0 0 0 0 0", "0 0 0 0 2 0 0 2");
        row("every box once", resultFile({{number(0), 6, 6, 6, " 1 2 3 4 5 6"}}), ". . . . . f",
            "1 1 0 0 0 0 0", "0 0 0 0 1 0 0 0");
        row("time-out on a found earlier target",
            resultFile({{number(0), 4, 1, 1, " 1"}, {number(1), 4, 2, 2, " 3 1"}}), "f | . eb",
            "1 1 0 0 0 0 0 | 0 3 0 1 1 0 0", "0 1 0 1 2 1 1 1");
        row("found earlier target revisited three times",
            resultFile({{number(0), 5, 3, 1, " 3"}, {number(1), 5, 5, 5, " 3 1 3 3 5"}}),
            "f | eb . reb reb f", "1 3 0 0 0 0 0 | 1 3 2 3 3 2 3", "2 3 2 3 1 0 3 0");
    }
    void handScoredSearches()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, clicks);
        QFETCH(QString, trials);
        QFETCH(QString, clusters);
        const FileScore score = scored(file);
        QStringList clickCodes, trialCounts, clusterCounts;
        for (const ClusterScore &cluster : score.clusters) {
            for (const TrialScore &trial : cluster.trials) {
                QStringList codes;
                for (const ClickScore &click : trial.clicks)
                    codes.append(codeOf(click));
                clickCodes.append(codes.join(u' '));
                trialCounts.append(QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                                       .arg(int(trial.found))
                                       .arg(trial.firstBox ? QString::number(*trial.firstBox)
                                                           : QStringLiteral("-"))
                                       .arg(trial.repeats)
                                       .arg(trial.earlierTargetVisits)
                                       .arg(trial.betweenErrors)
                                       .arg(trial.doubles)
                                       .arg(trial.wErr));
            }
            clusterCounts.append(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                                     .arg(cluster.withinSearchErrors)
                                     .arg(cluster.betweenSearchErrors)
                                     .arg(cluster.doubleErrors)
                                     .arg(cluster.totalErrors)
                                     .arg(cluster.distinctStartBoxes)
                                     .arg(cluster.timeouts)
                                     .arg(cluster.measures.bErr)
                                     .arg(cluster.measures.strategy));
        }
        QCOMPARE(clickCodes.join(QStringLiteral(" | ")), clicks);
        QCOMPARE(trialCounts.join(QStringLiteral(" | ")), trials);
        QCOMPARE(clusterCounts.join(QStringLiteral(" | ")), clusters);
    }

    void workedExampleTrialByTrial()
    {
        const FileResult<FileScore> score = scoreResultFile(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof"));
        QVERIFY2(score, qPrintable(score ? QString() : score.error().description));
        QCOMPARE(score->clusters.size(), 1);
        const ClusterScore &cluster = score->clusters.first();
        QCOMPARE(cluster.name, QStringLiteral("cluster1.box"));
        QCOMPARE(cluster.trials.size(), 3);
        const TrialScore &last = cluster.trials[2];
        QCOMPARE(last.line, 5);
        QCOMPARE(last.trial, 2);
        QCOMPARE(last.objects, 3);
        QCOMPARE(last.totalTimeS, std::optional<double>(4.4));
        QCOMPARE(last.clicks.size(), 4);
        QCOMPARE(last.clicks[2].position, 3);
        QCOMPARE(last.clicks[2].timeS, std::optional<double>(3.3));
        QCOMPARE(last.clicks[1].timeS, std::optional<double>(2));
        QVERIFY(!last.clicks[0].ms); // no event log beside it
        QVERIFY(!cluster.trials[0].distance);
        QCOMPARE(cluster.trials[1].distance, std::optional<double>(2.0 / 3.0));
        QCOMPARE(last.distance, std::optional<double>(0.75));
        QCOMPARE(cluster.meanSearchTimeS, std::optional<double>((2.5 + 3.1 + 4.4) / 3));
        QCOMPARE(score->session, QString());
    }

    void timesOnlyWhereTheTimedOrderAgrees()
    {
        // Box 5 at 1.5 s; the second entry names box 9 where the click order has 4, and
        // the third has no time: neither lends its time.
        QByteArray file = headerLines();
        file += " 0 \tc.box\t 6 \t 2 \t 6 \t\t 3 \t 5 4 6\t 5@ 1.5 9@ 2 6@\t\r\n";
        const TrialScore trial = scored(file).clusters.value(0).trials.value(0);
        QCOMPARE(trial.clicks.size(), 3);
        QCOMPARE(trial.clicks[0].timeS, std::optional<double>(1.5));
        QVERIFY(!trial.clicks[1].timeS);
        QVERIFY(!trial.clicks[2].timeS);
        QVERIFY(!trial.totalTimeS);
    }

    // A time is written with at most three decimals, rounded, without trailing zeros and
    // never in exponent form, whether it was read with a few decimals or computed.
    void tidyTimesHaveAtMostThreeDecimals()
    {
        const QList<std::pair<double, QByteArray>> times{
            {0.1, "0.1"}, {2.05, "2.05"}, {1234.567, "1234.567"}, {0.1 * 51, "5.1"},
            {(2.5 + 3.1 + 4.4) / 3, "3.333"}, {2.8499999999999996, "2.85"},
            {1.0 / 3, "0.333"}, {2.0 / 3, "0.667"}, {0.0001, "0"}, {-0.0001, "0"},
            {999999999.999, "999999999.999"}, {1e9 + 0.5, "1000000000.5"}, {3e-7, "0"},
            {12.0, "12"}, {0.0, "0"}, {1e12 / 3, "333333333333.333"}};
        FileScore score;
        score.subject = QStringLiteral("s");
        ClusterScore cluster;
        TrialScore trial;
        for (const auto &[time, text] : times) {
            ClickScore click;
            click.timeS = time;
            trial.clicks.append(click);
        }
        cluster.trials.append(trial);
        score.clusters.append(cluster);
        TidyTables tables;
        tables.add(score);
        const QList<QByteArray> rows = tables.text(ClicksTable).split('\n');
        for (qsizetype i = 0; i < times.size(); ++i)
            QCOMPARE(rows.value(i + 1).split(',').value(8), times[i].second);
    }

    // A name holding a comma and double quotes stays one field, quotes and all, in every
    // table that holds it, read back by a CSV reader.
    void namesComeBackWholeFromEveryTable()
    {
        const QString subject = QStringLiteral("x, \"y\"");
        const QString clusterName = QStringLiteral("a,\"b\".box");
        QByteArray file = headerLines();
        file += " 0 \ta,\"b\".box\t 4 \t 1 \t 2 \t 2\t 2 \t 1 2\t 1@ 1 2@ 2\t\r\n";
        file += " 1 \ta,\"b\".box\t 4 \t 1 \t 3 \t 3\t 2 \t 2 3\t 2@ 1 3@ 3\t\r\n";
        FileScore score;
        ResultReader reader;
        QVERIFY(reader.readBytes(QStringLiteral("/study/") + subject + QStringLiteral(".bof"), file, &score));
        TidyTables tables;
        tables.add(score);
        for (std::size_t t = 0; t < tidyTables().size(); ++t) {
            const QList<QStringList> records = csvRecords(tables.text(t));
            QVERIFY(records.size() > 1);
            const QStringList titles = records.first();
            const qsizetype nameColumn = titles.indexOf(QStringLiteral("cluster_name"));
            for (qsizetype r = 1; r < records.size(); ++r) {
                QCOMPARE(records[r].size(), titles.size());
                QCOMPARE(records[r].value(0), subject);
                if (nameColumn >= 0)
                    QCOMPARE(records[r].value(nameColumn), clusterName);
            }
        }
    }

    // A subject with 4-, 6- and 8-box clusters and one whose trials differ in box count,
    // scored by hand:
    //   four.box (4): trials "1 2" (target 2), "2 1 3" (target 3, box 2 a between error);
    //     first clicks .5, 1 s; found in 2, 3 s; start boxes 1, 2.
    //   six.box (6): "1 1 4" (a repeat), "4 6" (a between error, timed out), "2 6";
    //     first clicks 1.5, 2.5, 1; found in 5 and 4 s; start boxes 1, 4, 2.
    //   eight.box (8): "3 7", "3 7 7 8" (a between error, then a double error);
    //     first clicks 1, 2; found in 4, 6 s; one start box.
    //   mixed.box (4, then 6 boxes): "1", "1 2" (a between error); first .25 s at the end.
    //   six2.box (6): "3"; first click and found at 1.5 s.
    // The 6-box means are pooled over trials: first responses (1.5 + 2.5 + 1 + 1.5) / 4,
    // search times (5 + 4 + 1.5) / 3, not the means of the two clusters' means.
    void levelsAndSubjectsByHand()
    {
        QByteArray file = headerLines();
        file += " 0 \tfour.box\t 4 \t 1 \t 2 \t 2\t 2 \t 1 2\t 1@ .5 2@ 2\t\r\n";
        file += " 1 \tfour.box\t 4 \t 1 \t 3 \t 3\t 3 \t 2 1 3\t 2@ 1 1@ 2 3@ 3\t\r\n";
        file += " 0 \tsix.box\t 6 \t 1 \t 4 \t 5\t 3 \t 1 1 4\t 1@ 1.5 1@ 2 4@ 5\t\r\n";
        file += " 1 \tsix.box\t 6 \t 1 \t 5 \t 10\t 2 \t 4 6\t 4@ 2.5 6@ 10\t\r\n";
        file += " 2 \tsix.box\t 6 \t 1 \t 6 \t 4\t 2 \t 2 6\t 2@ 1 6@ 4\t\r\n";
        file += " 0 \teight.box\t 8 \t 1 \t 7 \t 4\t 2 \t 3 7\t 3@ 1 7@ 4\t\r\n";
        file += " 1 \teight.box\t 8 \t 1 \t 8 \t 6\t 4 \t 3 7 7 8\t 3@ 2 7@ 3 7@ 4 8@ 6\t\r\n";
        file += " 0 \tmixed.box\t 4 \t 1 \t 1 \t 1\t 1 \t 1\t 1@ 1\t\r\n";
        file += " 1 \tmixed.box\t 6 \t 1 \t 2 \t 2\t 2 \t 1 2\t 1@ .25 2@ 2\t\r\n";
        file += " 0 \tsix2.box\t 6 \t 1 \t 3 \t 1.5\t 1 \t 3\t 3@ 1.5\t\r\n";
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lev.bof"));
        QVERIFY(writeFile(path, file));

        AnalysisRun run(OutputKind::TabDelimited, true, QLocale::c());
        run.alsoTidy(dir.filePath(QStringLiteral("tidy")));
        QVERIFY(run.add(path));
        const FileResult<void> saved = run.saveTidy(QString());
        QVERIFY2(saved, qPrintable(saved ? QString() : saved.error().description));
        // The mixed cluster is named once, with its box counts.
        QCOMPARE(run.warnings(),
                 QStringList{QStringLiteral("%1: cluster 4 (mixed.box) has trials of 4, 6 boxes; it belongs "
                                            "to no problem size and levels.csv leaves it out").arg(path)});

        QCOMPARE(kelvane::test::readBytes(dir.filePath(QStringLiteral("tidy/levels.csv"))),
                 "subject,boxes,clusters,trials,between_search_errors,within_search_errors,double_errors,"
                 "total_errors,distinct_start_boxes,timeouts,mean_first_response_s,mean_search_time_s\r\n"
                 "lev,4,1,2,1,0,0,1,2,0,0.75,2.5\r\n"
                 "lev,6,2,4,1,1,0,2,4,1,1.625,3.5\r\n"
                 "lev,8,1,2,2,1,1,2,1,0,1.5,5\r\n");
        // All five clusters: strategy over six.box (3), six2.box (1) and eight.box (1);
        // first clicks 12.25 s over 10 trials; 28.5 s over the 9 found ones.
        QCOMPARE(kelvane::test::readBytes(dir.filePath(QStringLiteral("tidy/subjects.csv"))).split('\n').value(1),
                 "lev,5,10,5,2,1,6,5,1.225,3.167,1,\r");
    }

    // A generated study's practice problem is known by its cluster file's name, wherever
    // the file lay and however the run named it.
    void practiceIsKnownByTheFileName()
    {
        const QList<std::pair<QString, bool>> names = {
            {QStringLiteral("practice.box"), true},
            {QStringLiteral("/data/study/Practice-2.box"), true},
            {QStringLiteral("C:\\study\\PRACTICE.BOX"), true},
            {QStringLiteral("/data/practice/boxes3-1.box"), false},
            {QStringLiteral("nopractice.box"), false},
            {QStringLiteral("C:\\practice\\boxes4-1.box"), false},
        };
        for (const auto &[name, practice] : names) {
            ClusterScore cluster;
            cluster.name = name;
            QVERIFY2(cluster.practice() == practice, qPrintable(name));
        }
    }

    void eventLogGivesMilliseconds()
    {
        // Cluster "a,b" is run twice in the session, so its two trial-0 lines go with the
        // two starts in order; the second logs one click too few. Trial 1 is not logged.
        QByteArray file = headerLines();
        file += " 0 \ta,b\t 4 \t 1 \t 2 \t 1.2\t 2 \t 1 2\t 1@ .6 2@ 1.2\t\r\n";
        file += " 1 \ta,b\t 4 \t 1 \t 3 \t .5\t 1 \t 3\t 3@ .5\t\r\n";
        file += " 0 \ta,b\t 4 \t 1 \t 2 \t 1.3\t 2 \t 3 2\t 3@ .7 2@ 1.3\t\r\n";
        const QByteArray log = "cluster,trial,event,ms,box,holds,press_ms,clock\r\n"
                               "experiment,,,,,,,\r\n"
                               "\"a,b\",0,start,0,,,,0\r\n"
                               "\"a,b\",0,click,612,1,empty,580,.6\r\n"
                               "\"a,b\",0,close,1100,1,,,1.1\r\n"
                               "\"a,b\",0,click,1187,2,x.ico,1150,1.2,touch\r\n"
                               "\"a,b\",0,found,1187,2,,,1.2\r\n"
                               "\"a,b\",0,start,0,,,,0\r\n"
                               "\"a,b\",0,click,655,3,empty,600,.7\r\n"
                               ",,session,,,complete,,\r\n";
        FileScore score = scored(file);
        addEventLogTimes(score, QStringLiteral("/study/s01.events.csv"), log);
        const QList<TrialScore> &trials = score.clusters.value(0).trials;
        QCOMPARE(trials.size(), 2);
        QCOMPARE(trials[0].clicks[0].ms, std::optional<qint64>(612));
        QCOMPARE(trials[0].clicks[1].ms, std::optional<qint64>(1187));
        // The device, where the log's line names it, goes to the tidy clicks as the last column.
        QCOMPARE(trials[0].clicks[0].input, QString());
        QCOMPARE(trials[0].clicks[1].input, QStringLiteral("touch"));
        TidyTables tables;
        tables.add(score);
        const QList<QByteArray> clickRows = tables.text(ClicksTable).split('\n');
        QVERIFY2(clickRows.value(0).endsWith(",input\r"), clickRows.value(0).constData());
        QVERIFY2(clickRows.value(1).endsWith(",\r") && clickRows.value(2).endsWith(",touch\r"),
                 clickRows.value(2).constData());
        QVERIFY(!trials[1].clicks[0].ms);
        // The first response takes the log's milliseconds where the log matches, else the
        // timed click order's time.
        QCOMPARE(trials[0].firstResponseS(), std::optional<double>(0.612));
        QCOMPARE(trials[1].firstResponseS(), std::optional<double>(0.5));
        const QList<TrialScore> &second = score.clusters.value(1).trials;
        QVERIFY(!second.value(0).clicks.value(0).ms);
        QCOMPARE(score.logProblems.size(), 2);
        QCOMPARE(score.logProblems[0], QStringLiteral("/study/s01.bof, line 4 (cluster a,b, trial 1): "
                                                      "s01.events.csv does not log this trial; its "
                                                      "clicks have no milliseconds"));
        QVERIFY(score.logProblems[1].startsWith(QStringLiteral("/study/s01.bof, line 5 (cluster a,b, trial 0): s01.events.csv logs 1 clicks, the result file 2")));
        QCOMPARE(score.session, QStringLiteral("complete"));
    }

    void levenshteinDistances_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<double>("distance");
        QTest::newRow("both empty") << QByteArray() << QByteArray() << 0.0;
        QTest::newRow("first empty") << QByteArray() << QByteArray("3A") << 1.0;
        QTest::newRow("second empty") << QByteArray("7") << QByteArray() << 1.0;
        QTest::newRow("equal") << QByteArray("312") << QByteArray("312") << 0.0;
        QTest::newRow("worked, second trial") << QByteArray("312") << QByteArray("1") << 2.0 / 3.0;
        QTest::newRow("worked, third trial") << QByteArray("3234") << QByteArray("31") << 0.75;
        QTest::newRow("swap") << QByteArray("A27") << QByteArray("2A") << 2.0 / 3.0;
        QTest::newRow("longer second") << QByteArray("kitten") << QByteArray("sitting") << 3.0 / 7.0;
        QTest::newRow("case counts") << QByteArray("a") << QByteArray("A") << 1.0;
        // Past 64 characters the distance is taken from the full table.
        QTest::newRow("long texts") << QByteArray(70, '1') + "23" << "0" + QByteArray(70, '1')
                                    << 3.0 / 72.0;
    }
    void levenshteinDistances()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(double, distance);
        QCOMPARE(levenshtein(first, second), distance);
        QCOMPARE(levenshtein(second, first), distance);
    }

    void trialNumbersMakeTheTrialCount()
    {
        // Numbering 0..3 gives four trials.
        QCOMPARE(onlyCluster(clusterOf(4, [](int t) { return TrialLine{number(t)}; })).trials, 4);

        // A jump 0, 1, 5 gives six trials; the slots no line filled are empty trials that
        // still count in the means.
        const ClusterMeasures gap = onlyCluster(resultFile({
            {number(0), 4, 1, 2, " 2 1"},
            {number(1), 4, 2, 1, " 2"},
            {number(5), 4, 3, 3, " 1 3 1"},
        }));
        QCOMPARE(gap.trials, 6);
        QCOMPARE(gap.open.value_or(-1), 6.0 / 6.0);
        // First boxes 2, 2, 1, then 0 in the empty slots: two changes.
        QCOMPARE(gap.strategy, 2.0);
        // Slot 3 opens box 1, slot 1's target, twice; the second opening is one W.
        QCOMPARE(gap.bErr, 2.0);
        QCOMPARE(gap.wErr.value_or(-1), 1.0 / 6.0);
        // Distances: "2" vs "2" (0), "131" vs "" (1), "" vs "13" (1), "" vs "" (0) twice.
        QCOMPARE(*gap.normalizedLevenshtein, 2.0 / 5.0);
    }

    void clustersBeginAtTrialZero()
    {
        const ReadOutcome outcome = read(resultFile({
            {number(3), 9, 1, 1, " 1"}, // before any trial 0: never reported
            {number(0), 5, 1, 1, " 1"},
            {number(1), 5, 2, 2, " 1 2"},
            {number(0), 6, 3, 1, " 3"},
            {" 0.5 ", 7, 3, 1, " 3"},   // rounds to 0 (halves to even): a third cluster
            {" 1.5 ", 7, 1, 1, " 1"},   // rounds to 2
        }));
        QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
        const QList<ClusterMeasures> &c = outcome->clusters;
        QCOMPARE(c.size(), 3);
        QCOMPARE(c[0].trials, 2);
        QCOMPARE(c[0].boxes, 5);
        QCOMPARE(c[1].trials, 1);
        QCOMPARE(c[1].boxes, 6);
        QVERIFY(!c[1].normalizedLevenshtein); // a single trial has no distance
        QCOMPARE(c[2].trials, 3);
        QCOMPARE(c[2].boxes, 7);
    }

    void firstTrialOnlyCountsInOpenAndWithinErrors()
    {
        const ClusterMeasures m = onlyCluster(resultFile({
            {number(0), 4, 2, 3, " 2 2 2"}, // visits its own target: no B_err
            {number(1), 4, 1, 1, " 1"},
        }));
        QCOMPARE(m.open.value_or(-1), 2.0);
        QCOMPARE(m.wErr.value_or(-1), 3.0 / 2.0); // 1 + 2 for the second and third opening
        QCOMPARE(m.bErr, 0.0);
        QCOMPARE(m.strategy, 1.0);
        // "22" without its last character is "2"; "1" against "2" is 1.
        QCOMPARE(*m.normalizedLevenshtein, 1.0);
    }

    void repeatsAndEmptyClickItems()
    {
        // 3 5 3 3: the second 3 matches one earlier 3, the third two: W = 3.
        QCOMPARE(onlyCluster(resultFile({{number(0), 6, 3, 4, " 3 5 3 3"}})).wErr.value_or(-1), 3.0);

        // Two blanks leave an empty item, box 0: W stops there, B_err skips it and the
        // click string gets a "0".
        const ClusterMeasures m = onlyCluster(resultFile({
            {number(0), 6, 5, 1, " 5"},
            {number(1), 6, 3, 4, " 3  5 3"},
            {number(2), 6, 1, 3, " 3 0 5"},
        }));
        QCOMPARE(m.wErr.value_or(-1), 0.0);       // the repeat of 3 lies past the empty item
        QCOMPARE(m.bErr, 1.0 + 2.0); // box 5 in the second trial; boxes 3 and 5 in the third
        // "3053" against "" is 1; "305" against "305" (from "3053") is 0.
        QCOMPARE(*m.normalizedLevenshtein, 0.5);
    }

    void hexadecimalClickStrings()
    {
        // Box 10 is "A": "2 10 7" -> "2A7", "10 2 7" -> "A27"; P = "2A"; distance 2/3.
        const ClusterMeasures m = onlyCluster(resultFile({
            {number(0), 12, 7, 3, " 2 10 7"},
            {number(1), 12, 7, 3, " 10 2 7"},
        }));
        QCOMPARE(*m.normalizedLevenshtein, 2.0 / 3.0);

        // 17 is "11": dropping the last character of "11" leaves "1", so a trial
        // opening box 1 after one that opened only box 17 is at distance 0.
        const ClusterMeasures wide = onlyCluster(resultFile({
            {number(0), 20, 17, 1, " 17"},
            {number(1), 20, 1, 1, " 1"},
        }));
        QCOMPARE(*wide.normalizedLevenshtein, 0.0);

        // 12 is "C" and stays apart from 1 and 2.
        const ClusterMeasures twelve = onlyCluster(resultFile({
            {number(0), 12, 12, 2, " 1 12"},
            {number(1), 12, 2, 2, " 12 2"},
        }));
        // P = "1", current "C2": distance 2 / 2.
        QCOMPARE(*twelve.normalizedLevenshtein, 1.0);
        QCOMPARE(twelve.bErr, 1.0);
    }

    void targetOnlyTrialLeavesAnEmptyComparison()
    {
        const ClusterMeasures m = onlyCluster(resultFile({
            {number(0), 4, 2, 1, " 2"},
            {number(1), 4, 3, 2, " 1 3"},
            {number(2), 4, 1, 0, ""},     // no clicks after "13": "" vs "1" is 1
            {number(3), 4, 1, 0, ""},     // "" vs "": 0
        }));
        QCOMPARE(*m.normalizedLevenshtein, (1.0 + 1.0 + 0.0) / 3.0);
        // First boxes 2, 1, 0, 0: a trial without clicks starts at box 0 like any other.
        QCOMPARE(m.strategy, 2.0);
    }

    void earlierTargetsCountPerVisitAndPerTrial()
    {
        // Box 3 was the target of two earlier trials: each visit counts twice, also
        // when it is the trial's last click.
        const ClusterMeasures m = onlyCluster(resultFile({
            {number(0), 5, 3, 1, " 3"},
            {number(1), 5, 3, 2, " 1 3"},
            {number(2), 5, 4, 3, " 3 4 3"},
        }));
        QCOMPARE(m.bErr, 1.0 + 2.0 + 2.0);
    }

    void numericFieldsReadLeniently()
    {
        // Blanks are skipped, reading stops at the first stray character, halves go to
        // the even neighbour, and a field without a number reads as 0.
        QByteArray text = headerLines();
        text += " 0 \tc\t 4.5 \t 1 \t  2  \t 1\t 2.5x\t 2 1\t\t\r\n";
        text += " 1 \tc\t five \t 1 \t 3 \t 1\t 1 \t 3\t\t\r\n";
        const ClusterMeasures m = onlyCluster(text);
        QCOMPARE(m.boxes, 0);          // last line's "five" reads as 0
        QCOMPARE(m.open.value_or(-1), (2.0 + 1.0) / 2.0);
        QCOMPARE(m.bErr, 0.0);         // box 3 was never an earlier target
        QCOMPARE(onlyCluster(headerLines() + " 0 \tc\t 4.5 \t 1 \t 2 \t 1\t 1 \t 2\t\r\n").boxes, 4);
        QCOMPARE(onlyCluster(headerLines() + " 0 \tc\t 5.5 \t 1 \t 2 \t 1\t 1 \t 2\t\r\n").boxes, 6);
    }

    void headerOnlyAndEmptyFiles()
    {
        const ReadOutcome none = read(headerLines());
        QVERIFY(none);
        QCOMPARE(none->subject, QStringLiteral("s01"));
        QVERIFY(none->clusters.isEmpty());

        for (const QByteArray &bytes : {QByteArray(), QByteArray("\"07-12-2026\"\r\n")}) {
            const ReadOutcome outcome = read(bytes);
            QVERIFY(!outcome);
            QVERIFY(outcome.error().description.startsWith(somePath));
            QVERIFY(outcome.error().description.contains(QStringLiteral("header")));
        }
    }

    void blankLinesAreIgnored()
    {
        const QByteArray plain = resultFile({{number(0), 4, 1, 2, " 2 1"}, {number(1), 4, 2, 1, " 2"}});
        const ClusterMeasures expected = onlyCluster(plain);
        QCOMPARE(expected.trials, 2);
        const QByteArray first = lineOf({number(0), 4, 1, 2, " 2 1"});
        const QByteArray second = lineOf({number(1), 4, 2, 1, " 2"});
        // A line break after the last line, blank lines between trials and at the end,
        // lines of blanks and TABs, and a last line holding only a CR.
        for (const QByteArray &bytes :
             {plain + "\r\n", plain + "\r\n\r\n\n", headerLines() + first + "\r\n" + second,
              headerLines() + "  \t \r\n" + first + "\t\r\n" + second + "\r",
              QByteArray(plain).replace("\r\n", "\n") + "\n"}) {
            const ClusterMeasures m = onlyCluster(bytes);
            QCOMPARE(m.trials, expected.trials);
            QCOMPARE(m.open, expected.open);
            QCOMPARE(m.strategy, expected.strategy);
            QCOMPARE(m.normalizedLevenshtein, expected.normalizedLevenshtein);
        }
    }

    void numberingThatEndsBelowZeroLeavesNoTrials()
    {
        // The trial count is the last number plus one, here -2 and 0: such a cluster has
        // no trials to take means over, and the clusters around it are read as ever.
        const ReadOutcome outcome = read(resultFile({
            {number(0), 4, 1, 2, " 2 1"},
            {number(1), 4, 2, 1, " 2"},
            {number(0), 5, 1, 3, " 1 1 2"},
            {number(-3), 6, 2, 2, " 2 2"},
            {number(0), 7, 1, 1, " 1"},
            {number(-1), 8, 1, 1, " 1"},
        }));
        QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
        const QList<ClusterMeasures> &c = outcome->clusters;
        QCOMPARE(c.size(), 3);
        QCOMPARE(c[0].trials, 2);
        QCOMPARE(c[0].open, std::optional(1.5));
        for (const int i : {1, 2}) {
            QCOMPARE(c[i].trials, i == 1 ? -2 : 0);
            QCOMPARE(c[i].boxes, i == 1 ? 6 : 8);
            QVERIFY(!c[i].open);
            QVERIFY(!c[i].wErr);
            QCOMPARE(c[i].bErr, 0.0);
            QCOMPARE(c[i].strategy, 0.0);
            QVERIFY(!c[i].normalizedLevenshtein);
        }
    }

    void otherFilesAreNotResultFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // A cluster file passed by mistake, a text file, a result file that lost its
        // first line, titles with one missing.
        QTest::newRow("cluster file") << QByteArray("2\r\n10,\"Tijd is om\",1,\"Klik op START\",\r\n"
                                                    "\"Goed zo\",2,0,16777215,85,3,\r\n");
        QTest::newRow("text") << QByteArray("Notes on subject 12\r\nTired, stopped early.\r\n");
        QTest::newRow("first line lost")
            << resultFile({{number(0)}, {number(1)}}).mid(headerLines().indexOf('\n') + 1);
        QTest::newRow("title missing") << QByteArray(headerLines()).replace("Total objects\t", "")
                                              + lineOf({number(0)});
    }
    void otherFilesAreNotResultFiles()
    {
        QFETCH(QByteArray, bytes);
        const ReadOutcome outcome = read(bytes);
        QVERIFY(!outcome);
        QCOMPARE(outcome.error().line, 2);
        QVERIFY2(outcome.error().reason.startsWith(QStringLiteral("this is not a result file")),
                 qPrintable(outcome.error().reason));
    }

    void titlesMayLackTheLastAndTakeBlanks()
    {
        QByteArray titles = headerLines();
        titles.replace("\tWithin Error", "");
        QVERIFY(read(titles + lineOf({number(0)})));
        titles.replace("\tCluster\t", "\t Cluster \t");
        QVERIFY(read(titles + lineOf({number(0)})));
    }

    void lineEndsOfEitherKind()
    {
        QByteArray text = resultFile({{number(0), 4, 1, 2, " 2 1"}, {number(1), 4, 2, 1, " 2"}});
        const ClusterMeasures crlf = onlyCluster(text);
        const ClusterMeasures lf = onlyCluster(text.replace("\r\n", "\n"));
        QCOMPARE(lf.trials, crlf.trials);
        QCOMPARE(lf.open, crlf.open);
        QCOMPARE(*lf.normalizedLevenshtein, *crlf.normalizedLevenshtein);
    }

    void damagedFilesNameTheLineAndTheLimit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("mentions");

        QTest::newRow("too few fields") << headerLines() + lineOf({number(0)}) + " 1 \tc\t 4 \t 1 \t 2 \t 1\r\n"
                                        << 4 << QStringLiteral("only 6 of");
        QTest::newRow("boxes over 255") << resultFile({{number(0), 256}}) << 3 << QStringLiteral("\"256\"");
        QTest::newRow("negative target") << resultFile({{number(0), 4, -1}}) << 3 << QStringLiteral("\"-1\"");
        QTest::newRow("opened over 255") << resultFile({{number(0), 4, 1, 300}}) << 3 << QStringLiteral("\"300\"");
        QTest::newRow("click over 255") << resultFile({{number(0), 4, 1, 1, " 2 256"}}) << 3
                                        << QStringLiteral("\"256\"");
        QTest::newRow("trial number over 16 bits") << resultFile({{number(0)}, {number(32768)}}) << 4
                                                   << QStringLiteral("-32768..32767");
        QTest::newRow("trial number under 16 bits") << resultFile({{number(-32769)}}) << 3
                                                    << QStringLiteral("-32768..32767");
        QTest::newRow("256 trials") << resultFile({{number(0)}, {number(255)}}) << 4
                                    << QStringLiteral("256 trials");
        QTest::newRow("trial number 32767 then a new cluster")
            << resultFile({{number(0)}, {number(32767)}, {number(0)}}) << 4 << QStringLiteral("255");
        QTest::newRow("a line after a blank one") << headerLines() + lineOf({number(0)}) + "\r\n"
                                                         + " 1 \tc\t 4 \r\n"
                                                  << 5 << QStringLiteral("only 3 of");

        QByteArray manyLines = headerLines();
        for (int i = 0; i < 256; ++i)
            manyLines += lineOf({number(i % 100)});
        QTest::newRow("256 data lines") << manyLines << 258 << QStringLiteral("255 trial lines");

        QByteArray clicks;
        for (int i = 0; i < 257; ++i)
            clicks += " 1";
        QTest::newRow("257 clicks") << resultFile({{number(0), 4, 1, 255, clicks}}) << 3
                                    << QStringLiteral("257 clicks");

        QByteArray longClicks;
        for (int i = 0; i < 128; ++i)
            longClicks += " 16"; // "10" each: 256 characters
        QTest::newRow("click string over 255 characters")
            << resultFile({{number(0), 20, 1, 1, " 1"}, {number(1), 20, 1, 128, longClicks}}) << 4
            << QStringLiteral("256 characters");
    }
    void damagedFilesNameTheLineAndTheLimit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, mentions);
        const ReadOutcome outcome = read(bytes);
        QVERIFY(!outcome);
        QVERIFY(outcome.error().description.startsWith(somePath));
        QCOMPARE(outcome.error().line, line);
        QVERIFY2(outcome.error().reason.contains(mentions), qPrintable(outcome.error().reason));
        QVERIFY(outcome.error().description.startsWith(somePath + QStringLiteral(", line ")));
    }

    void limitsThemselvesAreAccepted()
    {
        QByteArray lines = headerLines();
        for (int i = 0; i < 255; ++i)
            lines += lineOf({number(i % 200)});
        QVERIFY(read(lines));

        QCOMPARE(onlyCluster(resultFile({{number(0)}, {number(254)}})).trials, 255);

        QByteArray clicks;
        for (int i = 0; i < 256; ++i)
            clicks += " 255";
        QVERIFY(read(resultFile({{number(0), 255, 255, 255, clicks}})));

        QVERIFY(read(resultFile({{number(0)}, {number(-32768)}, {number(32767)}, {number(5)}})));
    }

    void accumulatorsStopAt16Bits()
    {
        // 129 trials each opening 255 boxes: the sum 32895 passes 32767.
        const ReadOutcome opened = read(clusterOf(129, [](int t) {
            return TrialLine{number(t), 255, 1, 255, " 1"};
        }));
        QVERIFY(!opened);
        QVERIFY2(opened.error().reason.contains(QStringLiteral("opened boxes")),
                 qPrintable(opened.error().reason));
        QCOMPARE(opened.error().line, 2 + 129);
        // 128 of them still fit.
        QVERIFY(read(clusterOf(128, [](int t) { return TrialLine{number(t), 255, 1, 255, " 1"}; })));

        // Box 1 is every trial's target and is opened 100 times per trial: trial t
        // adds 100 * (t - 1), which passes 32767 at the 27th trial.
        QByteArray hundred;
        for (int i = 0; i < 100; ++i)
            hundred += " 1";
        const ReadOutcome visits = read(clusterOf(30, [&](int t) {
            return TrialLine{number(t), 4, 1, 100, hundred};
        }));
        QVERIFY(!visits);
        QVERIFY2(visits.error().reason.contains(QStringLiteral("B_err")),
                 qPrintable(visits.error().reason));
        QCOMPARE(visits.error().line, 2 + 27);
    }

    void subjectNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("subject");
        QTest::newRow("backslashes") << QStringLiteral("C:\\study\\pp12.bof") << QStringLiteral("pp12");
        QTest::newRow("slashes") << QStringLiteral("/home/r/study/pp 13.bof") << QStringLiteral("pp 13");
        QTest::newRow("mixed") << QStringLiteral("/home/r\\x/pp14.BOF") << QStringLiteral("pp14");
        QTest::newRow("no folder") << QStringLiteral("anna.bof") << QStringLiteral("anna");
        // Only a final ".bof" goes, in any case; other names stay whole.
        QTest::newRow("other extension kept") << QStringLiteral("/s/bert.txt") << QStringLiteral("bert.txt");
        QTest::newRow("no extension") << QStringLiteral("/s/subjectA") << QStringLiteral("subjectA");
        QTest::newRow("copy of a result file") << QStringLiteral("/s/run1.bof.copy")
                                               << QStringLiteral("run1.bof.copy");
        QTest::newRow("short") << QStringLiteral("/s/ab") << QStringLiteral("ab");
        QTest::newRow("mixed case") << QStringLiteral("/s/x.Bof") << QStringLiteral("x");
    }
    void subjectNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, subject);
        QCOMPARE(subjectOfResultFile(path), std::optional<QString>(subject));
    }

    void unreadableFilesAreReported()
    {
        QVERIFY(!subjectOfResultFile(QStringLiteral("/s/.bof")));
        const ReadOutcome noName = readResultText(QStringLiteral("/s/.BOF"), fromWindows1252(headerLines()));
        QVERIFY(!noName);
        QVERIFY(noName.error().description.startsWith(QStringLiteral("/s/.BOF")));

        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("nobody.bof"));
        const ReadOutcome outcome = LeesFile(missing);
        QVERIFY(!outcome);
        QVERIFY(outcome.error().description.startsWith(missing));
        QVERIFY(outcome.error().description.startsWith(missing + QStringLiteral(": ")));

        // A folder is not a result file either.
        QVERIFY(!LeesFile(dir.path()));
    }
};

QTEST_GUILESS_MAIN(AnalyzerCoreTest)
#include "tst_analyzer_core.moc"

// The files a run leaves, the result file and its event log, written by the experiment
// program's writers and read back by the analyzer's readers: generated runs must come
// back value for value, whatever names and numbers they hold.

#include "EventLogTimes.h"
#include "ResultReader.h"
#include "SearchScores.h"

#include "kelvane/Windows1252.h"
#include "kelvane/formats/CsvRecords.h"
#include "kelvane/formats/EventLogFile.h"
#include "kelvane/formats/ResultLines.h"
#include "kelvane/formats/SubjectFile.h"

#include <QRandomGenerator>
#include <QTest>

using namespace kelvane;
using namespace Qt::StringLiterals;

namespace {

struct WrittenClick
{
    int box = 0;
    int tenths = 0; // the trial clock
    qint64 ms = 0;
};

struct WrittenTrial
{
    QString cluster;
    int trial = 0;
    int boxes = 0;
    int objects = 0;
    int target = 0;
    int tenths = 0;
    int opened = 0;
    QList<WrittenClick> clicks;
};

// Names with the characters that quoting and Windows-1252 have to carry: blanks inside,
// commas, quotes, accents and the euro sign; never a blank at either end.
QString generatedName(QRandomGenerator &random, bool withLineEnd)
{
    static const QString inner = u"ab Z9,\"'.\u00e9\u20ac-"_s;
    QString name = u"c"_s;
    for (int n = random.bounded(0, 8); n > 0; --n)
        name += inner.at(random.bounded(int(inner.size())));
    if (withLineEnd)
        name += u"\r\nx"_s;
    return name + QString::number(random.bounded(10));
}

QList<WrittenTrial> generatedRun(QRandomGenerator &random)
{
    QList<WrittenTrial> run;
    for (int c = random.bounded(1, 4); c > 0; --c) {
        const QString cluster = generatedName(random, false);
        for (int t = 0, trials = random.bounded(1, 6); t < trials; ++t) {
            WrittenTrial trial;
            trial.cluster = cluster;
            trial.trial = t;
            trial.boxes = random.bounded(1, 31);
            trial.objects = random.bounded(0, trial.boxes + 1);
            trial.target = random.bounded(1, trial.boxes + 1);
            trial.tenths = random.bounded(0, 10000);
            trial.opened = random.bounded(0, 256);
            for (int k = random.bounded(0, 9); k > 0; --k)
                trial.clicks.append({random.bounded(1, trial.boxes + 1), random.bounded(0, 10000),
                                     random.bounded(0, 2'000'000)});
            run.append(trial);
        }
    }
    return run;
}

QByteArray resultFileOf(const QList<WrittenTrial> &run)
{
    QString text = subjectFileHead(u"Ren\u00e9e"_s, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)), QLocale(QLocale::English));
    for (const WrittenTrial &trial : run) {
        QStringList clicks;
        QString order;
        QString timed;
        for (const WrittenClick &click : trial.clicks) {
            clicks.append(QString::number(click.box));
            order += u' ' + clicks.last();
            timed += timedClick(click.box, click.tenths / 10.0);
        }
        text += firstHalfOfTrialLine(trial.trial, trial.cluster, trial.boxes, trial.objects, trial.target);
        text += secondHalfOfTrialLine(trial.tenths / 10.0, trial.opened, order, timed, withinTrialRepeats(clicks));
    }
    return toWindows1252(text);
}

QByteArray eventLogOf(const QList<WrittenTrial> &run)
{
    QString text = eventLogTitleLine();
    for (const WrittenTrial &trial : run) {
        text += eventLogLine(trial.cluster, {TrialEventKind::Start, trial.trial, 0, 0, {}, {}, 0, {}});
        for (const WrittenClick &click : trial.clicks)
            text += eventLogLine(trial.cluster, {TrialEventKind::Click, trial.trial, click.ms, click.box,
                                                 u"empty"_s, click.ms - 40, click.tenths / 10.0, u"mouse"_s});
    }
    text += sessionEventLine({}, {}, u"complete"_s);
    return toWindows1252(text);
}

QByteArray withLfOnly(QByteArray bytes)
{
    return bytes.replace("\r\n", "\n");
}

bool sameTime(std::optional<double> read, int tenths)
{
    return read && qAbs(*read - tenths / 10.0) < 1e-9;
}

QString describe(const WrittenTrial &trial)
{
    return u"cluster %1, trial %2"_s.arg(trial.cluster).arg(trial.trial);
}

} // namespace

class RunFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatedRunsReadBackByTheAnalyzer()
    {
        QRandomGenerator random(20261208);
        analyzer::ResultReader reader;
        for (int round = 0; round < 150; ++round) {
            const QList<WrittenTrial> run = generatedRun(random);
            QByteArray result = resultFileOf(run);
            QByteArray log = eventLogOf(run);
            if (round % 2 == 1) { // readers take LF line ends alone as well
                result = withLfOnly(result);
                log = withLfOnly(log);
            }
            analyzer::FileScore score;
            const analyzer::ReadOutcome outcome = reader.readBytes(u"/study/Ren\u00e9e.BOF"_s, result, &score);
            QVERIFY2(outcome, qPrintable(outcome ? QString() : outcome.error().description));
            QCOMPARE(score.subject, u"Ren\u00e9e"_s);
            analyzer::addEventLogTimes(score, u"/study/Ren\u00e9e.events.csv"_s, log);
            QCOMPARE(score.logProblems, QStringList());
            QCOMPARE(score.session, u"complete"_s);

            QList<analyzer::TrialScore> read;
            for (const analyzer::ClusterScore &cluster : std::as_const(score.clusters))
                read += cluster.trials;
            QCOMPARE(read.size(), run.size());
            for (qsizetype t = 0; t < run.size(); ++t) {
                const WrittenTrial &w = run[t];
                const analyzer::TrialScore &r = read[t];
                const QByteArray where = describe(w).toUtf8();
                QVERIFY2(r.clusterName == w.cluster && r.trial == w.trial, where);
                QVERIFY2(r.boxes == w.boxes && r.objects == w.objects && r.target == w.target, where);
                QVERIFY2(sameTime(r.totalTimeS, w.tenths) && r.opened == w.opened, where);
                QVERIFY2(r.clicks.size() == w.clicks.size(), where);
                for (qsizetype k = 0; k < w.clicks.size(); ++k) {
                    const analyzer::ClickScore &click = r.clicks[k];
                    QVERIFY2(click.box == w.clicks[k].box && sameTime(click.timeS, w.clicks[k].tenths), where);
                    QVERIFY2(click.ms == w.clicks[k].ms, where);
                }
            }
        }
    }

    // Any values, line ends and quotes inside them included, come back from the log's
    // reader in their columns.
    void generatedEventLinesReadBackColumnByColumn()
    {
        QRandomGenerator random(8122026);
        QString text = eventLogTitleLine();
        QList<QStringList> written{{}};
        for (const QLatin1StringView title : EventLogColumnTitles)
            written[0].append(title);
        for (int n = 0; n < 400; ++n) {
            TrialEvent event;
            event.kind = TrialEventKind(random.bounded(int(TrialEventKind::Pause) + 1));
            event.trial = random.bounded(-5, 101);
            event.ms = random.bounded(0, 1'000'000);
            event.box = random.bounded(0, 100);
            event.holds = generatedName(random, random.bounded(4) == 0);
            if (random.bounded(2) == 1)
                event.pressMs = event.ms - random.bounded(0, 500);
            event.clock = random.bounded(0, 10000) / 10.0;
            event.input = QStringList{QString(), u"mouse"_s, u"touch"_s, u"pen"_s}.at(random.bounded(4));
            const QString cluster = generatedName(random, random.bounded(4) == 0);
            text += eventLogLine(cluster, event);
            written.append({cluster, QString::number(event.trial), eventName(event.kind), QString::number(event.ms),
                            event.box > 0 ? QString::number(event.box) : QString(), event.holds,
                            event.pressMs ? QString::number(*event.pressMs) : QString(),
                            QString::number(event.clock), event.input});
        }
        text += sessionEventLine(u"c,1"_s, 3, u"esc"_s);
        written.append({u"c,1"_s, u"3"_s, u"session"_s, {}, {}, u"esc"_s, {}, {}, {}});
        text += experimentLogLine(u"/study/\"first\".bex"_s);
        written.append({u"/study/\"first\".bex"_s, {}, u"experiment"_s, {}, {}, {}, {}, {}, {}});

        const QByteArray bytes = toWindows1252(text);
        CsvRecordReader reader(bytes);
        QList<QByteArray> values;
        for (const QStringList &line : std::as_const(written)) {
            QVERIFY(reader.next(&values));
            QStringList read;
            for (const QByteArray &value : std::as_const(values))
                read.append(fromWindows1252(value));
            // The clock in the result file's short form (".5"): compared as a number.
            if (read.size() == line.size() && !line[ClockColumn].isEmpty() && line[EventColumn] != u"event"_s)
                read[ClockColumn] = QString::number(read[ClockColumn].toDouble());
            QCOMPARE(read, line);
        }
        QVERIFY(!reader.next(&values));
    }
};

QTEST_GUILESS_MAIN(RunFilesTest)
#include "tst_runfiles.moc"

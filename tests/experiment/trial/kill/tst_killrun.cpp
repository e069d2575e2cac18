// A single-cluster run killed with SIGKILL at random moments: every line it completed
// must be on disk whole, and at most the last half-line may be missing. The subject is
// scripted (ScriptedSubject.cpp). KELVANE_KILL_COUNT sets the number of kills (5 by
// default), KELVANE_KILL_SEED the first seed, to repeat a failure.

#include "KillPlan.h"

#include "TestFiles.h"

#include "kelvane/model/ClusterFileWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

namespace {

const QByteArray Titles = "Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\tTotal opened\t"
                          "Click order\tTimed click order\tWithin Error\r\n";
// A result file of an earlier run, which the new run's first write replaces whole.
const QByteArray EarlierRun = "earlier copy line,\r\n" + Titles + " 0 \tk.box\t 1 \t 1 \t 1 \t .1\t 1 \t 1\t 1@ 0\t\r\n";

// What the scripted subject said before it died.
struct Progress
{
    bool ready = false;
    int began = -1; // last trial whose first half is written
    int ended = -1; // last trial whose line is complete
};

Progress progressOf(const QByteArray &out)
{
    Progress progress;
    for (const QByteArray &line : out.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words[0] == ReadyWord)
            progress.ready = true;
        else if (words.size() == 2 && words[0] == BeganWord)
            progress.began = words[1].toInt();
        else if (words.size() == 2 && words[0] == EndedWord)
            progress.ended = words[1].toInt();
    }
    return progress;
}

QString number(int n)
{
    return QStringLiteral(" %1 ").arg(n);
}

QString firstHalf(const PlannedTrial &trial, int index)
{
    return number(index) + QStringLiteral("\tk.box\t") + number(trial.boxes()) + u'\t'
           + number(trial.objects()) + u'\t' + number(trial.target) + u'\t';
}

QString clickOrder(const QList<int> &clicks)
{
    QString order;
    for (const int box : clicks)
        order += u' ' + QString::number(box);
    return order;
}

// Every click followed later by a click on the same box.
QString revisits(const QList<int> &clicks)
{
    QString repeats;
    for (qsizetype i = 0; i < clicks.size(); ++i) {
        if (clicks.indexOf(clicks[i], i + 1) > 0)
            repeats += u' ' + QString::number(clicks[i]);
    }
    return repeats;
}

double timeOf(const QString &shortForm)
{
    return shortForm.trimmed().toDouble();
}

// A complete trial line: the planned clicks in order, each timed no later than the
// trial's end, the time past the limit for a trial that waited for it.
QString problemWithLine(const QString &line, const PlannedTrial &trial, int index)
{
    const QString first = firstHalf(trial, index);
    if (!line.startsWith(first))
        return QStringLiteral("first half is not \"%1\"").arg(first);
    const QStringList fields = line.mid(first.size()).split(u'\t');
    if (fields.size() != 5)
        return QStringLiteral("second half has %1 fields").arg(fields.size());
    static const QRegularExpression time(QStringLiteral(R"(^ (\d+(\.\d+)?|\.\d+)$)"));
    if (!time.match(fields[0]).hasMatch())
        return QStringLiteral("total time \"%1\"").arg(fields[0]);
    const double total = timeOf(fields[0]);
    if (trial.waitsForTimeUp && total < 1)
        return QStringLiteral("a trial ended by its limit of 1 s took %1 s").arg(total);
    if (fields[1] != number(int(trial.clicks.size())) || fields[2] != clickOrder(trial.clicks))
        return QStringLiteral("clicks \"%1\" \"%2\", planned \"%3\"").arg(fields[1], fields[2], clickOrder(trial.clicks));
    QString timedBoxes;
    double last = 0;
    static const QRegularExpression timed(QStringLiteral(R"( (\d+)@( (?:\d+(?:\.\d+)?|\.\d+)))"));
    qsizetype matched = 0;
    for (auto it = timed.globalMatch(fields[3]); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() != matched)
            break;
        matched = m.capturedEnd();
        timedBoxes += u' ' + m.captured(1);
        const double at = timeOf(m.captured(2));
        if (at < last || at > total)
            return QStringLiteral("click time %1 out of order or after the end").arg(at);
        last = at;
    }
    if (matched != fields[3].size() || timedBoxes != clickOrder(trial.clicks))
        return QStringLiteral("timed click order \"%1\"").arg(fields[3]);
    if (fields[4] != revisits(trial.clicks))
        return QStringLiteral("within error \"%1\", expected \"%2\"").arg(fields[4], revisits(trial.clicks));
    return {};
}

struct Outcome
{
    int completeLines = 0;
    bool halfLine = false;
    bool finished = false; // the run ended before the kill
};

} // namespace

class KillRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completedLinesSurviveEveryKill()
    {
        const int kills = qEnvironmentVariableIsSet("KELVANE_KILL_COUNT")
                              ? qEnvironmentVariableIntValue("KELVANE_KILL_COUNT") : 5;
        const quint32 firstSeed = qEnvironmentVariableIsSet("KELVANE_KILL_SEED")
                                      ? quint32(qEnvironmentVariableIntValue("KELVANE_KILL_SEED"))
                                      : QRandomGenerator::global()->bounded(1u << 30);
        qInfo("%d kills, seeds %u to %u (KELVANE_KILL_SEED repeats them)", kills, firstSeed,
              firstSeed + quint32(kills) - 1);
        int beforeFirstLine = 0, halfLines = 0, lineEnds = 0, finished = 0;
        for (int i = 0; i < kills; ++i) {
            const Outcome outcome = killOnce(firstSeed + quint32(i));
            if (QTest::currentTestFailed())
                return;
            finished += outcome.finished;
            beforeFirstLine += !outcome.finished && outcome.completeLines == 0 && !outcome.halfLine;
            halfLines += !outcome.finished && outcome.halfLine;
            lineEnds += !outcome.finished && outcome.completeLines > 0 && !outcome.halfLine;
        }
        qInfo("kills before the first write: %d, with a half-line on disk: %d, between lines: %d, "
              "after the run had ended: %d",
              beforeFirstLine, halfLines, lineEnds, finished);
    }

private:
    Outcome killOnce(quint32 seed)
    {
        Outcome outcome;
        const KillPlan plan = KillPlan::fromSeed(seed);
        QTemporaryDir dir;
        const QString cluster = dir.filePath(QStringLiteral("k.box"));
        const QString result = dir.filePath(QStringLiteral("k.bof"));
        const QByteArray clusterBytes = clusterFileBytes(plan.cluster(), {});
        writeBytes(cluster, clusterBytes);
        QRandomGenerator random(seed);
        const bool earlierRun = random.bounded(2) == 0;
        if (earlierRun)
            writeBytes(result, EarlierRun);

        QProcess subject;
        subject.start(QStringLiteral(KELVANE_SCRIPTED_SUBJECT),
                      {cluster, QString::number(seed), dir.filePath(QStringLiteral("settings.ini"))});
        if (!subject.waitForStarted()) {
            QTest::qFail("the scripted subject did not start", __FILE__, __LINE__);
            return outcome;
        }
        // One kill in ten lands during start-up; the others anywhere in the run.
        if (random.bounded(10) != 0) {
            while (!subject.peek(1 << 16).contains(ReadyWord) && subject.waitForReadyRead(30000)) {
            }
        }
        const int delay = random.bounded(plan.expectedMilliseconds());
        outcome.finished = subject.waitForFinished(delay);
        if (!outcome.finished) {
            subject.kill();
            subject.waitForFinished();
        }
        const Progress progress = progressOf(subject.readAllStandardOutput());
        const QString where = QStringLiteral("seed %1, killed %2 ms into the run, after trial %3 began and %4 ended")
                                  .arg(seed).arg(delay).arg(progress.began).arg(progress.ended);

        const QByteArray bytes = QFile::exists(result) ? readBytes(result) : QByteArray();
        const QByteArray copyLine = QByteArray(clusterBytes).replace("\r\n", ",") + "\r\n";
        if (progress.began < 0 && (bytes.isEmpty() || (earlierRun && bytes == EarlierRun)))
            return outcome; // killed before the first write: the earlier file, untouched
        if (!bytes.startsWith(copyLine + Titles)) {
            QTest::qFail(qPrintable(where + QStringLiteral(": the file does not begin with the copy line and the titles")),
                         __FILE__, __LINE__);
            return outcome;
        }
        QString rest = QString::fromLatin1(bytes.mid(copyLine.size() + Titles.size()));
        while (rest.contains(QStringLiteral("\r\n"))) {
            const qsizetype end = rest.indexOf(QStringLiteral("\r\n"));
            const int index = outcome.completeLines;
            if (index >= plan.trials.size()) {
                QTest::qFail(qPrintable(where + QStringLiteral(": more lines than trials")), __FILE__, __LINE__);
                return outcome;
            }
            const QString problem = problemWithLine(rest.left(end), plan.trials[index], index);
            if (!problem.isEmpty()) {
                QTest::qFail(qPrintable(where + QStringLiteral(": line of trial %1: %2").arg(index).arg(problem)),
                             __FILE__, __LINE__);
                return outcome;
            }
            rest = rest.mid(end + 2);
            ++outcome.completeLines;
        }
        // What follows the last line end is nothing or the next trial's first half.
        outcome.halfLine = !rest.isEmpty();
        if (outcome.halfLine && (outcome.completeLines >= plan.trials.size()
                                 || rest != firstHalf(plan.trials[outcome.completeLines], outcome.completeLines))) {
            QTest::qFail(qPrintable(where + QStringLiteral(": the file ends in \"%1\"").arg(rest)), __FILE__, __LINE__);
            return outcome;
        }
        // Nothing that was on disk before the kill may be missing after it.
        const int onDisk = outcome.completeLines + (outcome.halfLine ? 1 : 0);
        if (outcome.completeLines < progress.ended + 1 || onDisk < progress.began + 1) {
            QTest::qFail(qPrintable(where + QStringLiteral(": only %1 lines and %2 half-line on disk")
                                                .arg(outcome.completeLines).arg(outcome.halfLine ? 1 : 0)),
                         __FILE__, __LINE__);
            return outcome;
        }
        if (outcome.finished && (subject.exitCode() != 0 || outcome.completeLines != plan.trials.size())) {
            QTest::qFail(qPrintable(where + QStringLiteral(": a finished run ended with status %1 and %2 lines")
                                                .arg(subject.exitCode()).arg(outcome.completeLines)),
                         __FILE__, __LINE__);
        }
        return outcome;
    }
};

QTEST_GUILESS_MAIN(KillRunTest)
#include "tst_killrun.moc"

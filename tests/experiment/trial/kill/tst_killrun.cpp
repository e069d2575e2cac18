// A single-cluster run, and an experiment of several clusters, killed with SIGKILL at
// random moments: every line a cluster completed must be on disk whole, and at most
// the last half-line may be missing; the subject file holds its head and every
// finished cluster's lines whole. The subject is scripted (ScriptedSubject.cpp).
// KELVANE_KILL_COUNT sets the number of kills of each (5 by default), KELVANE_KILL_SEED
// the first seed, to repeat a failure.

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
// The same for a subject file.
const QByteArray EarlierSubject = "7 Dec 2026    09:12:01      pp07\r\n" + Titles;

// What the scripted subject said before it died.
struct Progress
{
    bool ready = false;
    int began = -1;   // last trial whose first half is written
    int ended = -1;   // last trial whose line is complete
    int cluster = -1; // last cluster whose start screen showed
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
        else if (words.size() == 2 && words[0] == ClusterWord)
            progress.cluster = words[1].toInt();
    }
    return progress;
}

QString number(int n)
{
    return QStringLiteral(" %1 ").arg(n);
}

QString firstHalf(const PlannedTrial &trial, int index, const QString &cluster)
{
    return number(index) + u'\t' + cluster + u'\t' + number(trial.boxes()) + u'\t'
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
QString problemWithLine(const QString &line, const PlannedTrial &trial, int index, const QString &cluster)
{
    const QString first = firstHalf(trial, index, cluster);
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

// The trial lines after a result file's head: complete lines as planned, then nothing
// or the next trial's first half. Empty when they are so.
QString problemWithTrialLines(QString rest, const KillPlan &plan, const QString &cluster, Outcome *outcome)
{
    while (rest.contains(QStringLiteral("\r\n"))) {
        const qsizetype end = rest.indexOf(QStringLiteral("\r\n"));
        const int index = outcome->completeLines;
        if (index >= plan.trials.size())
            return QStringLiteral("more lines than trials");
        const QString problem = problemWithLine(rest.left(end), plan.trials[index], index, cluster);
        if (!problem.isEmpty())
            return QStringLiteral("line of trial %1: %2").arg(index).arg(problem);
        rest = rest.mid(end + 2);
        ++outcome->completeLines;
    }
    outcome->halfLine = !rest.isEmpty();
    if (outcome->halfLine
        && (outcome->completeLines >= plan.trials.size()
            || rest != firstHalf(plan.trials[outcome->completeLines], outcome->completeLines, cluster)))
        return QStringLiteral("the file ends in \"%1\"").arg(rest);
    return {};
}

// A child killed at a random moment of its run, or left to finish.
struct Killed
{
    bool started = false;
    bool finished = false;
    int exitCode = 0;
    int delay = 0;
    Progress progress;
};

Killed runAndKill(const QStringList &arguments, QRandomGenerator &random, int expectedMilliseconds)
{
    Killed killed;
    QProcess subject;
    subject.start(QStringLiteral(KELVANE_SCRIPTED_SUBJECT), arguments);
    killed.started = subject.waitForStarted();
    if (!killed.started)
        return killed;
    // One kill in ten lands during start-up; the others anywhere in the run.
    if (random.bounded(10) != 0) {
        while (!subject.peek(1 << 16).contains(ReadyWord) && subject.waitForReadyRead(30000)) {
        }
    }
    killed.delay = random.bounded(expectedMilliseconds);
    killed.finished = subject.waitForFinished(killed.delay);
    if (!killed.finished) {
        subject.kill();
        subject.waitForFinished();
    }
    killed.exitCode = subject.exitCode();
    killed.progress = progressOf(subject.readAllStandardOutput());
    return killed;
}

int killCount()
{
    return qEnvironmentVariableIsSet("KELVANE_KILL_COUNT") ? qEnvironmentVariableIntValue("KELVANE_KILL_COUNT") : 5;
}

quint32 firstSeed()
{
    return qEnvironmentVariableIsSet("KELVANE_KILL_SEED") ? quint32(qEnvironmentVariableIntValue("KELVANE_KILL_SEED"))
                                                          : QRandomGenerator::global()->bounded(1u << 30);
}

void fail(const QString &what)
{
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

} // namespace

class KillRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completedLinesSurviveEveryKill()
    {
        const int kills = killCount();
        const quint32 seed = firstSeed();
        qInfo("%d kills, seeds %u to %u (KELVANE_KILL_SEED repeats them)", kills, seed, seed + quint32(kills) - 1);
        int beforeFirstLine = 0, halfLines = 0, lineEnds = 0, finished = 0;
        for (int i = 0; i < kills; ++i) {
            const Outcome outcome = killOnce(seed + quint32(i));
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

    void subjectFileKeepsEveryFinishedCluster()
    {
        const int kills = killCount();
        const quint32 seed = firstSeed();
        qInfo("%d kills, seeds %u to %u (KELVANE_KILL_SEED repeats them)", kills, seed, seed + quint32(kills) - 1);
        QList<int> clustersInFile(4, 0);
        int beforeHead = 0, finished = 0;
        for (int i = 0; i < kills; ++i) {
            const int inFile = killExperimentOnce(seed + quint32(i), &finished);
            if (QTest::currentTestFailed())
                return;
            if (inFile < 0)
                ++beforeHead;
            else
                ++clustersInFile[inFile];
        }
        qInfo("kills before the subject file's head: %d; with 0, 1, 2, 3 clusters in it: %d, %d, %d, %d; "
              "after the run had ended: %d",
              beforeHead, clustersInFile[0], clustersInFile[1], clustersInFile[2], clustersInFile[3], finished);
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

        const Killed killed = runAndKill({cluster, QString::number(seed), dir.filePath(QStringLiteral("settings.ini"))},
                                         random, plan.expectedMilliseconds());
        if (!killed.started) {
            fail(QStringLiteral("the scripted subject did not start"));
            return outcome;
        }
        outcome.finished = killed.finished;
        const Progress &progress = killed.progress;
        const QString where = QStringLiteral("seed %1, killed %2 ms into the run, after trial %3 began and %4 ended")
                                  .arg(seed).arg(killed.delay).arg(progress.began).arg(progress.ended);

        const QByteArray bytes = QFile::exists(result) ? readBytes(result) : QByteArray();
        const QByteArray copyLine = QByteArray(clusterBytes).replace("\r\n", ",") + "\r\n";
        if (progress.began < 0 && (bytes.isEmpty() || (earlierRun && bytes == EarlierRun)))
            return outcome; // killed before the first write: the earlier file, untouched
        if (!bytes.startsWith(copyLine + Titles)) {
            fail(where + QStringLiteral(": the file does not begin with the copy line and the titles"));
            return outcome;
        }
        const QString problem = problemWithTrialLines(QString::fromLatin1(bytes.mid(copyLine.size() + Titles.size())),
                                                      plan, QStringLiteral("k.box"), &outcome);
        if (!problem.isEmpty()) {
            fail(where + QStringLiteral(": ") + problem);
            return outcome;
        }
        // Nothing that was on disk before the kill may be missing after it.
        const int onDisk = outcome.completeLines + (outcome.halfLine ? 1 : 0);
        if (outcome.completeLines < progress.ended + 1 || onDisk < progress.began + 1) {
            fail(where + QStringLiteral(": only %1 lines and %2 half-line on disk")
                             .arg(outcome.completeLines).arg(outcome.halfLine ? 1 : 0));
            return outcome;
        }
        if (outcome.finished && (killed.exitCode != 0 || outcome.completeLines != plan.trials.size())) {
            fail(where + QStringLiteral(": a finished run ended with status %1 and %2 lines")
                             .arg(killed.exitCode).arg(outcome.completeLines));
        }
        return outcome;
    }

    // An experiment of two or three clusters with a message between the first two,
    // killed once. Returns how many clusters the subject file held, or -1 when the kill
    // came before its head.
    int killExperimentOnce(quint32 seed, int *finished)
    {
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        const int clusters = random.bounded(2, 4);
        QStringList entries;
        QStringList clusterFiles;
        QList<KillPlan> plans;
        int expected = 0;
        for (int k = 0; k < clusters; ++k) {
            plans.append(KillPlan::fromSeed(clusterSeed(seed, k)));
            clusterFiles.append(dir.filePath(QStringLiteral("c%1.box").arg(k)));
            writeBytes(clusterFiles[k], clusterFileBytes(plans[k].cluster(), {}));
            entries.append(clusterFiles[k]);
            if (k == 0)
                entries.append(QStringLiteral("Message: Even rust."));
            expected += plans[k].expectedMilliseconds() + 50;
        }
        const QString subjectFile = dir.filePath(QStringLiteral("pp07.bof"));
        const bool earlierRun = random.bounded(2) == 0;
        if (earlierRun)
            writeBytes(subjectFile, EarlierSubject);

        const Killed killed = runAndKill(QStringList{QStringLiteral("--experiment"), QStringLiteral("pp07"), dir.path(),
                                                     QString::number(seed), dir.filePath(QStringLiteral("settings.ini"))}
                                             + entries,
                                         random, expected);
        if (!killed.started) {
            fail(QStringLiteral("the scripted subject did not start"));
            return 0;
        }
        *finished += killed.finished;
        const QString where = QStringLiteral("seed %1, killed %2 ms into the experiment, after cluster %3 showed")
                                  .arg(seed).arg(killed.delay).arg(killed.progress.cluster);

        // Each cluster's own result file as in a single run; the lines of every cluster
        // that completed, in order, are what the subject file may hold.
        QList<QByteArray> clusterLines;
        for (int k = 0; k < clusters; ++k) {
            const QString result = dir.filePath(QStringLiteral("c%1.bof").arg(k));
            if (!QFile::exists(result))
                break;
            const QByteArray bytes = readBytes(result);
            const QByteArray copyLine = readBytes(clusterFiles[k]).replace("\r\n", ",") + "\r\n";
            if (!bytes.startsWith(copyLine + Titles)) {
                fail(where + QStringLiteral(": c%1.bof does not begin with the copy line and the titles").arg(k));
                return 0;
            }
            const QByteArray lines = bytes.mid(copyLine.size() + Titles.size());
            Outcome outcome;
            const QString problem = problemWithTrialLines(QString::fromLatin1(lines), plans[k], clusterFiles[k], &outcome);
            if (!problem.isEmpty()) {
                fail(where + QStringLiteral(": c%1.bof: ").arg(k) + problem);
                return 0;
            }
            if (outcome.completeLines < plans[k].trials.size())
                break;
            clusterLines.append(lines);
        }

        const QByteArray bytes = QFile::exists(subjectFile) ? readBytes(subjectFile) : QByteArray();
        if (killed.progress.cluster < 0 && (bytes.isEmpty() || (earlierRun && bytes == EarlierSubject)))
            return -1;
        const qsizetype firstLineEnd = bytes.indexOf("\r\n");
        if (firstLineEnd < 0 || !bytes.left(firstLineEnd).endsWith(" pp07")
            || bytes.mid(firstLineEnd + 2, Titles.size()) != Titles) {
            fail(where + QStringLiteral(": the subject file does not begin with its head: \"%1\"")
                             .arg(QString::fromLatin1(bytes.left(200))));
            return 0;
        }
        // The head, then whole clusters: none may be cut, and none that had ended
        // before the next one showed may be missing.
        const QByteArray rest = bytes.mid(firstLineEnd + 2 + Titles.size());
        QByteArray whole;
        int inFile = -1;
        for (int k = 0; k <= clusterLines.size(); ++k) {
            if (rest == whole) {
                inFile = k;
                break;
            }
            if (k < clusterLines.size())
                whole += clusterLines[k];
        }
        if (inFile < 0) {
            fail(where + QStringLiteral(": the subject file holds more than its head and whole clusters: \"%1\"")
                             .arg(QString::fromLatin1(rest)));
            return 0;
        }
        if (inFile < killed.progress.cluster || (killed.finished && inFile != clusters)) {
            fail(where + QStringLiteral(": the subject file holds only %1 clusters").arg(inFile));
            return 0;
        }
        if (killed.finished && killed.exitCode != 0)
            fail(where + QStringLiteral(": a finished run ended with status %1").arg(killed.exitCode));
        return inFile;
    }
};

QTEST_GUILESS_MAIN(KillRunTest)
#include "tst_killrun.moc"

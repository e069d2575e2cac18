#include "SearchScores.h"

#include "EventLogTimes.h"
#include "ResultReader.h"
#include "ResultTables.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>

namespace kelvane::analyzer {

namespace {

bool holdsDigit(QByteArrayView text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<double> timeIn(QByteArrayView text)
{
    if (!holdsDigit(text))
        return std::nullopt;
    const double seconds = leadingNumber(text);
    if (!std::isfinite(seconds))
        return std::nullopt;
    return seconds;
}

// The "Timed click order" is " 3@ 1.2 5@ 2.5 ...": per click its box, "@" and the time.
// A time goes with the click at the same position only when the boxes agree, so a
// hand-edited or cut line never lends one click another's time.
void takeTimes(const TrialSlot &slot, QList<ClickScore> &clicks)
{
    const qsizetype tab = slot.fromTimedClicks.indexOf('\t');
    const QByteArrayView timed = tab < 0 ? slot.fromTimedClicks : slot.fromTimedClicks.first(tab);
    qsizetype at = 0;
    qsizetype clickIndex = 0;
    for (int position = 1; position <= 256; ++position) {
        const qsizetype mark = timed.indexOf('@', at);
        if (mark < 0)
            return;
        qsizetype boxStart = mark;
        while (boxStart > at && timed[boxStart - 1] != ' ')
            --boxStart;
        qsizetype timeStart = mark + 1;
        while (timeStart < timed.size() && timed[timeStart] == ' ')
            ++timeStart;
        qsizetype timeEnd = timeStart;
        while (timeEnd < timed.size() && timed[timeEnd] != ' ' && timed[timeEnd] != '@')
            ++timeEnd;
        at = timeEnd;

        while (clickIndex < clicks.size() && clicks[clickIndex].position < position)
            ++clickIndex;
        if (clickIndex == clicks.size())
            return;
        ClickScore &click = clicks[clickIndex];
        const QByteArrayView boxText = timed.sliced(boxStart, mark - boxStart);
        if (click.position == position && holdsDigit(boxText)
            && roundHalfEven(leadingNumber(boxText)) == slot.click(position - 1))
            click.timeS = timeIn(timed.sliced(timeStart, timeEnd - timeStart));
    }
}

// What the trials before this one of the cluster left in each box: how many of them had
// their target there, and whether one of them found it.
struct EarlierTargets
{
    std::array<int, 256> count{};
    std::bitset<256> found;
};

TrialScore scoreTrial(const TrialSlot &slot, const EarlierTargets &earlier)
{
    TrialScore trial;
    trial.line = slot.line;
    trial.trial = slot.trialNumber;
    trial.boxes = slot.boxes;
    trial.objects = int(roundHalfEven(leadingNumber(slot.objects)));
    trial.target = slot.target;
    trial.totalTimeS = timeIn(slot.totalTime);
    trial.opened = slot.opened;

    std::bitset<256> openedBefore;
    trial.clicks.reserve(slot.clickCount);
    for (int k = 0; k < slot.clickCount; ++k) {
        const quint8 box = slot.clicks[k];
        if (box == 0)
            continue;
        ClickScore click;
        click.position = k + 1;
        click.box = box;
        click.found = box == slot.target;
        click.repeat = openedBefore.test(box);
        click.earlierTarget = earlier.count[box] > 0;
        click.betweenError = earlier.found.test(box) && !click.found;
        openedBefore.set(box);
        trial.repeats += click.repeat;
        trial.earlierTargetVisits += click.earlierTarget;
        trial.betweenErrors += click.betweenError;
        trial.doubles += click.doubleError();
        trial.clicks.append(click);
    }
    takeTimes(slot, trial.clicks);

    trial.found = slot.clickCount > 0 && slot.click(slot.clickCount - 1) == slot.target
                  && slot.target != 0;
    if (slot.clickCount > 0)
        trial.firstBox = slot.click(0);
    trial.wErr = repeatsWithin(slot);
    return trial;
}

} // namespace

std::optional<double> TrialScore::firstResponseS() const
{
    if (clicks.isEmpty())
        return std::nullopt;
    const ClickScore &first = clicks.first();
    if (first.ms)
        return double(*first.ms) / 1000;
    return first.timeS;
}

std::optional<int> ClusterScore::sharedBoxes() const
{
    if (trials.isEmpty())
        return std::nullopt;
    const int boxes = trials.first().boxes;
    for (const TrialScore &trial : trials) {
        if (trial.boxes != boxes)
            return std::nullopt;
    }
    return boxes;
}

bool ClusterScore::practice() const
{
    // The name is a full path after an experiment run and a bare file name after a run
    // of the cluster alone; paths written on Windows hold backslashes.
    const qsizetype folderEnd = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return QStringView(name).mid(folderEnd + 1).startsWith(QLatin1StringView("practice"), Qt::CaseInsensitive);
}

std::optional<double> ClusterScore::meanFirstResponseS() const
{
    double sum = 0;
    int count = 0;
    for (const TrialScore &trial : trials) {
        if (const std::optional<double> seconds = trial.firstResponseS()) {
            sum += *seconds;
            ++count;
        }
    }
    return count > 0 ? std::optional(sum / count) : std::nullopt;
}

ClusterScore scoreCluster(const ClusterSlots &cluster, int clusterNumber,
                          const ClusterMeasures &measures, std::span<const double> distances)
{
    ClusterScore score;
    score.number = clusterNumber;
    score.measures = measures;
    if (!cluster.filled.empty())
        score.name = fromWindows1252(cluster.filled.back().clusterName);
    score.trials.reserve(qsizetype(cluster.filled.size()));

    EarlierTargets earlier;
    std::bitset<256> startBoxes;
    // A cluster's lines nearly always share one name: it is decoded once and shared.
    QByteArrayView decodedName;
    QString name;
    double foundTimeSum = 0;
    int timedFound = 0;
    for (std::size_t s = 0; s < cluster.filled.size(); ++s) {
        const TrialSlot &slot = cluster.filled[s];
        TrialScore trial = scoreTrial(slot, earlier);
        if (s == 0 || slot.clusterName != decodedName) {
            decodedName = slot.clusterName;
            name = fromWindows1252(decodedName);
        }
        trial.clusterName = name;
        earlier.count[slot.target] += 1;
        if (trial.found)
            earlier.found.set(slot.target);
        if (s > 0)
            trial.distance = s - 1 < distances.size() ? distances[s - 1]
                                                      : distanceToPrevious(slot, cluster.filled[s - 1]);

        score.withinSearchErrors += trial.repeats;
        score.betweenSearchErrors += trial.betweenErrors;
        score.doubleErrors += trial.doubles;
        score.totalErrors += int(std::count_if(trial.clicks.cbegin(), trial.clicks.cend(),
                                               [](const ClickScore &c) { return c.error(); }));
        if (trial.firstBox && *trial.firstBox != 0)
            startBoxes.set(std::size_t(*trial.firstBox));
        if (!trial.found)
            ++score.timeouts;
        else if (trial.totalTimeS) {
            foundTimeSum += *trial.totalTimeS;
            ++timedFound;
        }
        score.trials.append(std::move(trial));
    }
    score.distinctStartBoxes = int(startBoxes.count());
    if (timedFound > 0)
        score.meanSearchTimeS = foundTimeSum / timedFound;
    return score;
}

FileResult<FileScore> scoreResultFile(const QString &path)
{
    FileScore score;
    ResultReader reader;
    if (const ReadOutcome outcome = reader.read(path, &score); !outcome)
        return outcome.error();
    addEventLogTimes(score);
    return score;
}

} // namespace kelvane::analyzer

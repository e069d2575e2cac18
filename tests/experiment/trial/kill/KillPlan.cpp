#include "KillPlan.h"

#include <QRandomGenerator>

namespace kelvane::test {

namespace {

constexpr int MaxBoxes = 6; // the default pictures hold six objects
constexpr int WaitMilliseconds = 1100;

// Clicks on boxes other than the target, never the same box twice in a row (a click on
// the box just opened is not a click), some of them revisits.
QList<int> searchClicks(QRandomGenerator &random, int boxes, int target)
{
    QList<int> clicks;
    if (boxes < 2)
        return clicks;
    // With one box besides the target, that box can be clicked only once.
    const int count = random.bounded(0, boxes == 2 ? 2 : 6);
    while (clicks.size() < count) {
        const int box = random.bounded(1, boxes + 1);
        if (box != target && (clicks.isEmpty() || clicks.last() != box))
            clicks.append(box);
    }
    return clicks;
}

} // namespace

KillPlan KillPlan::fromSeed(quint32 seed)
{
    QRandomGenerator random(seed);
    KillPlan plan;
    const int trials = random.bounded(3, 7);
    for (int t = 0; t < trials; ++t) {
        PlannedTrial trial;
        const int boxes = random.bounded(1, MaxBoxes + 1);
        for (int k = 0; k < boxes; ++k)
            trial.holdsObject.append(random.bounded(3) != 0);
        trial.target = random.bounded(1, boxes + 1);
        trial.holdsObject[trial.target - 1] = true;
        trial.waitsForTimeUp = random.bounded(4) == 0;
        trial.clicks = searchClicks(random, boxes, trial.target);
        if (!trial.waitsForTimeUp)
            trial.clicks.append(trial.target);
        plan.trials.append(trial);
    }
    return plan;
}

ClusterModel KillPlan::cluster() const
{
    ClusterModel cluster;
    cluster.Trials.resize(std::size_t(trials.size()));
    for (int t = 0; t < int(trials.size()); ++t) {
        const PlannedTrial &planned = trials[t];
        TrialSettings &s = cluster.Trials[std::size_t(t)];
        s.time = planned.waitsForTimeUp ? QStringLiteral("1") : QStringLiteral("0");
        s.TimeUpMessage = QStringLiteral("Uw tijd is om.");
        s.TargetNumberText = QString::number(planned.target);
        s.StartMessage = QStringLiteral("Klik op START om te beginnen.");
        s.EndMessage = QStringLiteral("Klik op START om door te gaan.");
        s.CloseAfter = QStringLiteral("2");
        s.ChangeColor = 0;
        s.ChangeForeColor = 16777215;
        s.ScreenSize = QStringLiteral("85");
        for (int k = 1; k <= planned.boxes(); ++k) {
            BoxRecord &box = cluster.box(t, k);
            box.BoxIconFile = QStringLiteral("Box%1.ico").arg((k - 1) % 4 + 1);
            box.EmptyIconFile = QStringLiteral("EmptyBox%1.ico").arg((k - 1) % 4 + 1);
            box.Empty = !planned.holdsObject[k - 1];
            box.ContentFile = box.Empty ? QString(NoContent) : QStringLiteral("Content%1.ico").arg(k);
            box.Left = qint16(k * 1000);
            box.Top = qint16(1000 + (k % 2) * 2000);
        }
    }
    return cluster;
}

int KillPlan::expectedMilliseconds() const
{
    int milliseconds = 0;
    for (const PlannedTrial &trial : trials)
        milliseconds += 20 + 5 * int(trial.clicks.size()) + (trial.waitsForTimeUp ? WaitMilliseconds : 0);
    return milliseconds;
}

} // namespace kelvane::test

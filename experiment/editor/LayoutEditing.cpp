#include "kelvane/editor/LayoutEditing.h"

#include "kelvane/model/BoxRecord.h"
#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/LayoutGeometry.h"

namespace kelvane {

int targetBox(const ClusterModel &cluster, int trial)
{
    if (targetProblem(cluster, trial))
        return 0;
    return cluster.Trials.at(std::size_t(trial)).TargetNumberText.toInt();
}

bool setTarget(ClusterModel &cluster, int trial, int box)
{
    if (box < 1 || box > cluster.CountBoxes(trial) || cluster.box(trial, box).Empty)
        return false;
    cluster.Trials.at(std::size_t(trial)).TargetNumberText = QString::number(box);
    return true;
}

void clearTarget(ClusterModel &cluster, int trial)
{
    cluster.Trials.at(std::size_t(trial)).TargetNumberText.clear();
}

std::optional<int> placeBox(ClusterModel &cluster, int trial, const QString &closedPicture,
                            const QString &emptyPicture, QPoint corner)
{
    const int box = cluster.CountBoxes(trial) + 1;
    if (box > ClusterModel::MaxBoxesPerTrial || closedPicture.isEmpty())
        return std::nullopt;
    BoxRecord &record = cluster.box(trial, box);
    record = BoxRecord{};
    record.Empty = true;
    record.EmptyIconFile = emptyPicture;
    record.BoxIconFile = closedPicture;
    record.ContentFile = NoContent;
    record.Left = qint16(corner.x());
    record.Top = qint16(corner.y());
    return box;
}

void moveBox(ClusterModel &cluster, int trial, int box, QPoint corner)
{
    BoxRecord &record = cluster.box(trial, box);
    record.Left = qint16(corner.x());
    record.Top = qint16(corner.y());
}

void putObject(ClusterModel &cluster, int trial, int box, const QString &object)
{
    BoxRecord &record = cluster.box(trial, box);
    record.Empty = false;
    record.ContentFile = object;
}

bool makeEmpty(ClusterModel &cluster, int trial, int box, const QString &emptyPicture)
{
    const bool wasTarget = targetBox(cluster, trial) == box;
    BoxRecord &record = cluster.box(trial, box);
    record.Empty = true;
    record.EmptyIconFile = emptyPicture;
    if (wasTarget)
        clearTarget(cluster, trial);
    return wasTarget;
}

void deleteBox(ClusterModel &cluster, int trial, int box)
{
    const int count = cluster.CountBoxes(trial);
    if (box < 1 || box > count)
        return;
    const int target = targetBox(cluster, trial);
    for (int k = box; k < count; ++k)
        cluster.box(trial, k) = cluster.box(trial, k + 1);
    cluster.box(trial, count) = BoxRecord{};
    if (target == box)
        clearTarget(cluster, trial);
    else if (target > box)
        setTarget(cluster, trial, target - 1);
}

QString boxToolTip(const ClusterModel &cluster, int trial, int box)
{
    const BoxRecord &record = cluster.box(trial, box);
    if (!record.Empty)
        return QString::number(box);
    return QStringLiteral("%1: %2,%3").arg(box).arg(record.Left).arg(record.Top);
}

QPoint keptInLayout(QPoint corner, int boxSize)
{
    const int last = std::max(0, LayoutAreaTwips - boxSize);
    return {std::clamp(corner.x(), 0, last), std::clamp(corner.y(), 0, last)};
}

} // namespace kelvane

#include "kelvane/study/ProblemEditing.h"

#include "kelvane/study/ProblemCluster.h"

namespace kelvane {

void moveBoxesTo(ClusterModel &cluster, int trial, const std::vector<QPoint> &corners)
{
    for (std::size_t k = 0; k < corners.size(); ++k) {
        BoxRecord &box = cluster.box(trial, int(k) + 1);
        box.Left = qint16(corners[k].x());
        box.Top = qint16(corners[k].y());
    }
}

std::optional<QString> problemObject(const ClusterModel &cluster, int trial, const QStringList &objectRow)
{
    const int boxes = cluster.CountBoxes(trial);
    const int target = cluster.Trials.at(std::size_t(trial)).TargetNumberText.toInt();
    if (target >= 1 && target <= boxes && !cluster.box(trial, target).Empty)
        return cluster.box(trial, target).ContentFile;
    for (int k = 1; k <= boxes; ++k) {
        if (!cluster.box(trial, k).Empty)
            return cluster.box(trial, k).ContentFile;
    }
    for (const QString &name : objectRow) {
        if (!name.trimmed().isEmpty())
            return name.trimmed();
    }
    return std::nullopt;
}

ClusterModel problemFromTrial(const ClusterModel &cluster, int trial, const QString &object,
                              const std::vector<int> &targets)
{
    std::vector<BoxRecord> layout;
    for (int k = 1; k <= cluster.CountBoxes(trial); ++k)
        layout.push_back(cluster.box(trial, k));
    TrialSettings settings = cluster.Trials.at(std::size_t(trial));
    return problemCluster(settings, layout, object, targets);
}

} // namespace kelvane

#include "kelvane/study/ProblemCluster.h"

#include <numeric>

namespace kelvane {

std::vector<int> targetOrder(StudyRandom &random, int n)
{
    std::vector<int> order(std::size_t(std::max(n, 0)));
    std::iota(order.begin(), order.end(), 1);
    random.shuffle(order);
    return order;
}

ClusterModel problemCluster(const TrialSettings &settings, const std::vector<BoxRecord> &layout,
                            const QString &object, const std::vector<int> &targets)
{
    ClusterModel cluster;
    cluster.Trials.assign(targets.size(), settings);
    for (std::size_t t = 0; t < targets.size(); ++t) {
        cluster.Trials[t].TargetNumberText = QString::number(targets[t]);
        for (std::size_t k = 0; k < layout.size(); ++k) {
            BoxRecord box = layout[k];
            box.IsOpen = false;
            const bool isTarget = int(k) + 1 == targets[t];
            box.Empty = !isTarget;
            if (isTarget)
                box.ContentFile = object;
            else if (box.ContentFile.isEmpty())
                box.ContentFile = NoContent;
            cluster.box(int(t), int(k) + 1) = box;
        }
    }
    return cluster;
}

} // namespace kelvane

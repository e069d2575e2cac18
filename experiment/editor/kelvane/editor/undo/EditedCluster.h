#pragma once
// What the editor's undoable commands act on, and the copies they keep to put things
// back: the cluster in memory, the picture rows (the "Items" names are saved with the
// cluster), and the window, which shows the trial each change touched.

#include "kelvane/editor/EditorDrag.h"
#include "kelvane/model/ClusterModel.h"

#include <QStringList>

#include <vector>

namespace kelvane {

class EditedCluster
{
public:
    virtual ~EditedCluster() = default;
    virtual ClusterModel &cluster() = 0;
    virtual QStringList rowNames(DragSourceKind row) const = 0;
    virtual void setRowNames(DragSourceKind row, const QStringList &names) = 0;
    // Rebuilds the tabs from the model and shows `trial` as the model now holds it.
    virtual void showChangedTrial(int trial) = 0;
    // Clear Cluster's own work, once any question about unsaved changes is answered.
    virtual void clearClusterWithoutAsking() = 0;
};

// One trial's settings and boxes 1..n.
struct TrialSnapshot
{
    TrialSettings settings;
    std::vector<BoxRecord> boxes;

    static TrialSnapshot of(const ClusterModel &cluster, int trial);
    // The trial becomes what was copied; its slots behind the boxes are free.
    void restore(ClusterModel &cluster, int trial) const;
    friend bool operator==(const TrialSnapshot &, const TrialSnapshot &) = default;
};

// Every trial.
struct ClusterSnapshot
{
    std::vector<TrialSnapshot> trials;

    static ClusterSnapshot of(const ClusterModel &cluster);
    void restore(ClusterModel &cluster) const;
};

} // namespace kelvane

#pragma once
// The undoable edits of the cluster as a whole: trials added, copied and deleted, Clear
// Cluster, and a picture of a row replaced. Undo puts back every trial as it was and
// shows the trial that was shown before.

#include "kelvane/editor/undo/EditedCluster.h"

#include <QUndoCommand>

#include <array>
#include <optional>
#include <vector>

namespace kelvane {

class ClusterEdit : public QUndoCommand
{
public:
    void redo() override;
    void undo() override;

protected:
    ClusterEdit(EditedCluster &edited, int shown, const QString &text);
    // Does the edit; returns the trial to show.
    virtual int apply(ClusterModel &cluster) = 0;

private:
    EditedCluster &m_edited;
    int m_shownBefore;
    ClusterSnapshot m_before;
};

// A new last trial with trial 1's settings. The caller has seen that there is room.
class AddTrialEdit final : public ClusterEdit
{
public:
    AddTrialEdit(EditedCluster &edited, int shown);

private:
    int apply(ClusterModel &cluster) override;
};

// A new last trial copied from `source`. The caller has seen that there is room.
class CopyTrialEdit final : public ClusterEdit
{
public:
    CopyTrialEdit(EditedCluster &edited, int source);

private:
    int apply(ClusterModel &cluster) override;
    int m_source;
};

// The caller has seen that it is not the only trial.
class DeleteTrialEdit final : public ClusterEdit
{
public:
    DeleteTrialEdit(EditedCluster &edited, int trial);

private:
    int apply(ClusterModel &cluster) override;
    int m_trial;
};

// Make Problem: the cluster becomes one trial per box of `trial`, with its layout and
// the object in the boxes in the order `targets`, drawn beforehand.
class MakeProblemEdit final : public ClusterEdit
{
public:
    MakeProblemEdit(EditedCluster &edited, int trial, const QString &object, std::vector<int> targets);

private:
    int apply(ClusterModel &cluster) override;
    int m_trial;
    QString m_object;
    std::vector<int> m_targets;
};

// Clear Cluster after its question: also the picture rows go back to the stored ones,
// so undo brings back the rows too. A redo gives what the first clearing gave.
class ClearClusterEdit final : public QUndoCommand
{
public:
    ClearClusterEdit(EditedCluster &edited, int shown);
    void redo() override;
    void undo() override;

private:
    struct State
    {
        ClusterSnapshot cluster;
        std::array<QStringList, 3> rows;
    };
    State capture() const;
    void restore(const State &state, int shown);

    EditedCluster &m_edited;
    int m_shownBefore;
    State m_before;
    std::optional<State> m_after;
};

// A picture of a row replaced by the researcher's choice.
class RowPictureEdit final : public QUndoCommand
{
public:
    RowPictureEdit(EditedCluster &edited, DragSourceKind row, int index, const QString &name, int shown);
    void redo() override;
    void undo() override;

private:
    void show(const QString &name);

    EditedCluster &m_edited;
    DragSourceKind m_row;
    int m_index;
    QString m_before;
    QString m_after;
    int m_shown;
};

} // namespace kelvane

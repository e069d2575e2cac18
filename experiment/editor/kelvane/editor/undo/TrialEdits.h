#pragma once
// The undoable edits of one trial: its boxes, their objects, its target, its layout as a
// whole and its settings. Each does its work through the editing functions of the
// model; undo puts the trial back as it was, so undo and redo restore it exactly. An
// edit that changes nothing leaves no step in the history.

#include "kelvane/editor/undo/EditedCluster.h"

#include <QPoint>
#include <QUndoCommand>

#include <vector>

namespace kelvane {

class TrialEdit : public QUndoCommand
{
public:
    void redo() override;
    void undo() override;

protected:
    TrialEdit(EditedCluster &edited, int trial, const QString &text);
    virtual void apply(ClusterModel &cluster) = 0;

    int trial() const { return m_trial; }
    const TrialSnapshot &before() const { return m_before; }

private:
    EditedCluster &m_edited;
    int m_trial;
    TrialSnapshot m_before;
    bool m_done = false;
};

class PlaceBoxEdit final : public TrialEdit
{
public:
    PlaceBoxEdit(EditedCluster &edited, int trial, const QString &closedPicture, const QString &emptyPicture,
                 QPoint corner);

private:
    void apply(ClusterModel &cluster) override;
    QString m_closed;
    QString m_empty;
    QPoint m_corner;
};

class MoveBoxEdit final : public TrialEdit
{
public:
    MoveBoxEdit(EditedCluster &edited, int trial, int box, QPoint corner);

private:
    void apply(ClusterModel &cluster) override;
    int m_box;
    QPoint m_corner;
};

class DeleteBoxEdit final : public TrialEdit
{
public:
    DeleteBoxEdit(EditedCluster &edited, int trial, int box);

private:
    void apply(ClusterModel &cluster) override;
    int m_box;
};

class PutObjectEdit final : public TrialEdit
{
public:
    PutObjectEdit(EditedCluster &edited, int trial, int box, const QString &object);

private:
    void apply(ClusterModel &cluster) override;
    int m_box;
    QString m_object;
};

class MakeEmptyEdit final : public TrialEdit
{
public:
    MakeEmptyEdit(EditedCluster &edited, int trial, int box, const QString &emptyPicture);

private:
    void apply(ClusterModel &cluster) override;
    int m_box;
    QString m_empty;
};

class SetTargetEdit final : public TrialEdit
{
public:
    SetTargetEdit(EditedCluster &edited, int trial, int box);

private:
    void apply(ClusterModel &cluster) override;
    int m_box;
};

class ClearTrialEdit final : public TrialEdit
{
public:
    ClearTrialEdit(EditedCluster &edited, int trial);

private:
    void apply(ClusterModel &cluster) override;
};

// Random Layout: the boxes at places drawn beforehand, so that redo places them alike.
class RandomLayoutEdit final : public TrialEdit
{
public:
    RandomLayoutEdit(EditedCluster &edited, int trial, std::vector<QPoint> corners);

private:
    void apply(ClusterModel &cluster) override;
    std::vector<QPoint> m_corners;
};

// A setting typed, stepped or chosen. Edits of the same setting of the same trial that
// follow each other are one step, so undo takes back a typed word, not a letter.
class TrialSettingEdit final : public TrialEdit
{
public:
    TrialSettingEdit(EditedCluster &edited, int trial, const QString &setting, const TrialSettings &after);

    int id() const override { return Id; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    static constexpr int Id = 1;
    void apply(ClusterModel &cluster) override;
    QString m_setting;
    TrialSettings m_after;
};

} // namespace kelvane

#include "kelvane/editor/undo/TrialEdits.h"

#include "kelvane/editor/LayoutEditing.h"
#include "kelvane/editor/TrialEditing.h"
#include "kelvane/study/ProblemEditing.h"

namespace kelvane {

TrialEdit::TrialEdit(EditedCluster &edited, int trial, const QString &text)
    : QUndoCommand(text), m_edited(edited), m_trial(trial), m_before(TrialSnapshot::of(edited.cluster(), trial))
{
}

void TrialEdit::redo()
{
    apply(m_edited.cluster());
    if (!m_done && TrialSnapshot::of(m_edited.cluster(), m_trial) == m_before)
        setObsolete(true);
    m_done = true;
    m_edited.showChangedTrial(m_trial);
}

void TrialEdit::undo()
{
    m_before.restore(m_edited.cluster(), m_trial);
    m_edited.showChangedTrial(m_trial);
}

PlaceBoxEdit::PlaceBoxEdit(EditedCluster &edited, int trial, const QString &closedPicture,
                           const QString &emptyPicture, QPoint corner)
    : TrialEdit(edited, trial, QStringLiteral("Place Box %1").arg(edited.cluster().CountBoxes(trial) + 1)),
      m_closed(closedPicture), m_empty(emptyPicture), m_corner(corner)
{
}

void PlaceBoxEdit::apply(ClusterModel &cluster)
{
    placeBox(cluster, trial(), m_closed, m_empty, m_corner);
}

MoveBoxEdit::MoveBoxEdit(EditedCluster &edited, int trial, int box, QPoint corner)
    : TrialEdit(edited, trial, QStringLiteral("Move Box %1").arg(box)), m_box(box), m_corner(corner)
{
}

void MoveBoxEdit::apply(ClusterModel &cluster)
{
    moveBox(cluster, trial(), m_box, m_corner);
}

DeleteBoxEdit::DeleteBoxEdit(EditedCluster &edited, int trial, int box)
    : TrialEdit(edited, trial, QStringLiteral("Delete Box %1").arg(box)), m_box(box)
{
}

void DeleteBoxEdit::apply(ClusterModel &cluster)
{
    deleteBox(cluster, trial(), m_box);
}

PutObjectEdit::PutObjectEdit(EditedCluster &edited, int trial, int box, const QString &object)
    : TrialEdit(edited, trial, QStringLiteral("Put Object in Box %1").arg(box)), m_box(box), m_object(object)
{
}

void PutObjectEdit::apply(ClusterModel &cluster)
{
    putObject(cluster, trial(), m_box, m_object);
}

MakeEmptyEdit::MakeEmptyEdit(EditedCluster &edited, int trial, int box, const QString &emptyPicture)
    : TrialEdit(edited, trial, QStringLiteral("Empty Box %1").arg(box)), m_box(box), m_empty(emptyPicture)
{
}

void MakeEmptyEdit::apply(ClusterModel &cluster)
{
    makeEmpty(cluster, trial(), m_box, m_empty);
}

SetTargetEdit::SetTargetEdit(EditedCluster &edited, int trial, int box)
    : TrialEdit(edited, trial,
                box == 0 ? QStringLiteral("Clear Target") : QStringLiteral("Set Target to Box %1").arg(box)),
      m_box(box)
{
}

void SetTargetEdit::apply(ClusterModel &cluster)
{
    if (m_box == 0)
        clearTarget(cluster, trial());
    else
        setTarget(cluster, trial(), m_box);
}

ClearTrialEdit::ClearTrialEdit(EditedCluster &edited, int trial)
    : TrialEdit(edited, trial, QStringLiteral("Clear Trial %1").arg(trial + 1))
{
}

void ClearTrialEdit::apply(ClusterModel &cluster)
{
    clearTrialLayout(cluster, trial());
}

RandomLayoutEdit::RandomLayoutEdit(EditedCluster &edited, int trial, std::vector<QPoint> corners)
    : TrialEdit(edited, trial, QStringLiteral("Random Layout of Trial %1").arg(trial + 1)),
      m_corners(std::move(corners))
{
}

void RandomLayoutEdit::apply(ClusterModel &cluster)
{
    moveBoxesTo(cluster, trial(), m_corners);
}

TrialSettingEdit::TrialSettingEdit(EditedCluster &edited, int trial, const QString &setting,
                                   const TrialSettings &after)
    : TrialEdit(edited, trial, QStringLiteral("Change %1").arg(setting)), m_setting(setting), m_after(after)
{
}

bool TrialSettingEdit::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TrialSettingEdit *>(other);
    if (next->trial() != trial() || next->m_setting != m_setting)
        return false;
    m_after = next->m_after;
    return true;
}

void TrialSettingEdit::apply(ClusterModel &cluster)
{
    cluster.Trials.at(std::size_t(trial())) = m_after;
}

} // namespace kelvane

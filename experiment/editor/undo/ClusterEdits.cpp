#include "kelvane/editor/undo/ClusterEdits.h"

#include "kelvane/editor/TrialEditing.h"
#include "kelvane/study/ProblemEditing.h"

namespace kelvane {

namespace {

constexpr std::array<DragSourceKind, 3> Rows{DragSourceKind::ObjectPicture, DragSourceKind::ClosedBoxPicture,
                                             DragSourceKind::OpenedBoxPicture};

QString rowCaption(DragSourceKind row)
{
    switch (row) {
    case DragSourceKind::ObjectPicture: return QStringLiteral("Items");
    case DragSourceKind::ClosedBoxPicture: return QStringLiteral("Box");
    case DragSourceKind::OpenedBoxPicture: return QStringLiteral("EmptyBox");
    case DragSourceKind::LayoutBox: break;
    }
    return {};
}

} // namespace

ClusterEdit::ClusterEdit(EditedCluster &edited, int shown, const QString &text)
    : QUndoCommand(text), m_edited(edited), m_shownBefore(shown), m_before(ClusterSnapshot::of(edited.cluster()))
{
}

void ClusterEdit::redo()
{
    m_edited.showChangedTrial(apply(m_edited.cluster()));
}

void ClusterEdit::undo()
{
    m_before.restore(m_edited.cluster());
    m_edited.showChangedTrial(m_shownBefore);
}

AddTrialEdit::AddTrialEdit(EditedCluster &edited, int shown) : ClusterEdit(edited, shown, QStringLiteral("Add Trial"))
{
}

int AddTrialEdit::apply(ClusterModel &cluster)
{
    return addTrial(cluster).value_or(cluster.trialCount() - 1);
}

CopyTrialEdit::CopyTrialEdit(EditedCluster &edited, int source)
    : ClusterEdit(edited, source, QStringLiteral("Copy Trial %1").arg(source + 1)), m_source(source)
{
}

int CopyTrialEdit::apply(ClusterModel &cluster)
{
    return copyTrial(cluster, m_source).value_or(m_source);
}

DeleteTrialEdit::DeleteTrialEdit(EditedCluster &edited, int trial)
    : ClusterEdit(edited, trial, QStringLiteral("Delete Trial %1").arg(trial + 1)), m_trial(trial)
{
}

int DeleteTrialEdit::apply(ClusterModel &cluster)
{
    return deleteTrial(cluster, m_trial).value_or(m_trial);
}

MakeProblemEdit::MakeProblemEdit(EditedCluster &edited, int trial, const QString &object, std::vector<int> targets)
    : ClusterEdit(edited, trial, QStringLiteral("Make Problem of Trial %1").arg(trial + 1)), m_trial(trial),
      m_object(object), m_targets(std::move(targets))
{
}

int MakeProblemEdit::apply(ClusterModel &cluster)
{
    cluster = problemFromTrial(cluster, m_trial, m_object, m_targets);
    return 0;
}

ClearClusterEdit::ClearClusterEdit(EditedCluster &edited, int shown)
    : QUndoCommand(QStringLiteral("Clear Cluster")), m_edited(edited), m_shownBefore(shown), m_before(capture())
{
}

ClearClusterEdit::State ClearClusterEdit::capture() const
{
    State state{ClusterSnapshot::of(m_edited.cluster()), {}};
    for (std::size_t i = 0; i < Rows.size(); ++i)
        state.rows[i] = m_edited.rowNames(Rows[i]);
    return state;
}

void ClearClusterEdit::restore(const State &state, int shown)
{
    state.cluster.restore(m_edited.cluster());
    for (std::size_t i = 0; i < Rows.size(); ++i)
        m_edited.setRowNames(Rows[i], state.rows[i]);
    m_edited.showChangedTrial(shown);
}

void ClearClusterEdit::redo()
{
    // The first clearing reads the stored defaults; a redo must not read them again,
    // as Options may have changed them since.
    if (m_after) {
        restore(*m_after, 0);
        return;
    }
    m_edited.clearClusterWithoutAsking();
    m_after = capture();
}

void ClearClusterEdit::undo()
{
    restore(m_before, m_shownBefore);
}

RowPictureEdit::RowPictureEdit(EditedCluster &edited, DragSourceKind row, int index, const QString &name, int shown)
    : QUndoCommand(QStringLiteral("Replace %1 Picture %2").arg(rowCaption(row)).arg(index + 1)),
      m_edited(edited), m_row(row), m_index(index), m_before(edited.rowNames(row).value(index)), m_after(name),
      m_shown(shown)
{
}

void RowPictureEdit::show(const QString &name)
{
    QStringList names = m_edited.rowNames(m_row);
    if (m_index < names.size())
        names[m_index] = name;
    m_edited.setRowNames(m_row, names);
    m_edited.showChangedTrial(m_shown);
}

void RowPictureEdit::redo()
{
    if (m_after == m_before)
        setObsolete(true);
    show(m_after);
}

void RowPictureEdit::undo()
{
    show(m_before);
}

} // namespace kelvane

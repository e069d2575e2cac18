// The editor's commands that follow the standard-study rules: a trial's boxes placed at
// random, a trial made into a problem, and a whole study made in a folder.

#include "kelvane/editor/BoxSettings.h"

#include "kelvane/editor/NewStudyDialog.h"
#include "kelvane/editor/undo/ClusterEdits.h"
#include "kelvane/editor/undo/TrialEdits.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/study/ProblemCluster.h"
#include "kelvane/study/ProblemEditing.h"
#include "kelvane/study/RandomLayout.h"

#include <QRandomGenerator>

namespace kelvane {

namespace {

// Layouts made in the editor need not be made again, so any seed serves.
StudyRandom freshRandom()
{
    return StudyRandom(QRandomGenerator::global()->generate64());
}

} // namespace

void BoxSettings::randomLayoutAction_Click()
{
    const int boxes = m_program.Cluster.CountBoxes(m_shown);
    if (boxes == 0) {
        refuse(QStringLiteral("Random Layout"), QStringLiteral("Trial %1 has no boxes to place.").arg(m_shown + 1));
        return;
    }
    StudyRandom random = freshRandom();
    const LayoutOutcome layout = randomLayout(random, boxes, LayoutRules::forBoxSize(readIconSize(m_services.store)));
    if (!layout.refusal.isEmpty()) {
        refuse(QStringLiteral("Random Layout"), QStringLiteral("The boxes cannot be placed: %1.").arg(layout.refusal));
        return;
    }
    m_history.push(new RandomLayoutEdit(*this, m_shown, layout.corners));
}

void BoxSettings::makeProblemAction_Click()
{
    const int boxes = m_program.Cluster.CountBoxes(m_shown);
    if (boxes == 0) {
        refuse(QStringLiteral("Make Problem"),
               QStringLiteral("Trial %1 has no boxes to make a problem of.").arg(m_shown + 1));
        return;
    }
    const auto object = problemObject(m_program.Cluster, m_shown, Rows->DragBox->names());
    if (!object) {
        refuse(QStringLiteral("Make Problem"), QStringLiteral("There is no object picture to hide in the boxes."));
        return;
    }
    StudyRandom random = freshRandom();
    m_history.push(new MakeProblemEdit(*this, m_shown, *object, targetOrder(random, boxes)));
}

void BoxSettings::newStudyAction_Click()
{
    NewStudyDialog dialog(m_services.dialogs, m_services.store, this);
    dialog.exec();
}

} // namespace kelvane

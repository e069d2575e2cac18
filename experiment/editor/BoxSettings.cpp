#include "kelvane/editor/BoxSettings.h"

#include "kelvane/editor/LayoutEditing.h"
#include "kelvane/editor/TrialEditing.h"
#include "kelvane/editor/undo/ClusterEdits.h"
#include "kelvane/editor/undo/TrialEdits.h"
#include "kelvane/model/ClusterCheck.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/trial/ResultFile.h"
#include "kelvane/trial/TrialScreen.h"
#include "kelvane/widgets/PictureImport.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QTabBar>

namespace kelvane {

namespace {

template <std::size_t N>
QStringList firstNames(const std::array<QString, N> &list, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(list[std::size_t(i)]);
    return names;
}

template <std::size_t N>
void fillList(std::array<QString, N> &list, const QStringList &names)
{
    for (qsizetype i = 0; i < names.size() && std::size_t(i) < N; ++i)
        list[std::size_t(i)] = names[i];
}

} // namespace

// ---- Window load and the stored settings ----

void BoxSettings::Form_Load()
{
    // The fields' own values before the store is read; at the very first start they
    // become the stored first-run values.
    m_program.Cluster = ClusterModel();
    applyTrialDefaults(firstRunTrialDefaults(), m_program.Cluster.Trials.front());
    m_program.ClusterSaved = true;
    TrialLayout->setIconFolder(m_program.IconFolder);
    Rows->setIconFolder(m_program.IconFolder);
    syncTabs();
    tellProblems(GetRegistrySettings());
    ResetLayout();
    applyIconSize();
    showShownTrial();
    tellMissingPictures();
    m_history.clear();
}

QStringList BoxSettings::GetRegistrySettings()
{
    const QStringList problems = kelvane::GetRegistrySettings(m_services.store, m_program);
    if (m_shown == 0)
        SSTab1->showSettings(m_program.Cluster.Trials.front());
    return problems;
}

void BoxSettings::readPictureLists()
{
    const StoredDefaults stored = readStoredDefaults(m_services.store, trialDefaultsOf(shownSettings()));
    fillList(m_program.Pictures.DragBoxIconNames, stored.objectPictures);
    fillList(m_program.Pictures.EmptyBoxIconNames, stored.boxPictures);
    fillList(m_program.Pictures.EmptyIconNames, stored.emptyBoxPictures);
}

void BoxSettings::reloadRows()
{
    const PictureNameLists &names = m_program.Pictures;
    Rows->EmptyBox->setNames(firstNames(names.EmptyBoxIconNames, PictureNameLists::BoxCount));
    Rows->EmptyIcon->setNames(firstNames(names.EmptyIconNames, PictureNameLists::BoxCount));
    Rows->DragBox->setNames(firstNames(m_program.Pictures.DragBoxIconNames, PictureNameLists::ObjectCount));
}

void BoxSettings::applyIconSize()
{
    QString problem;
    TrialLayout->setBoxSize(readIconSize(m_services.store, &problem));
    Rows->setDragPictureSize(TrialLayout->boxPixels());
    if (!problem.isEmpty())
        tellProblems({problem});
}

// ---- Showing the selected trial ----

TrialSettings &BoxSettings::shownSettings()
{
    return m_program.Cluster.Trials.at(std::size_t(m_shown));
}

void BoxSettings::showShownTrial()
{
    TrialLayout->showTrial(m_program.Cluster, m_shown);
    SSTab1->showSettings(shownSettings());
    Target->showTarget(m_program.Cluster, m_shown, m_program.IconFolder);
}

void BoxSettings::NieuweTab()
{
    const int number = Trials->count() + 1;
    Trials->addTab(number == 1 ? QStringLiteral("1") : QStringLiteral(" %1").arg(number));
    Trials->setTabToolTip(number - 1, QStringLiteral("Trial %1").arg(number));
}

void BoxSettings::syncTabs()
{
    const QSignalBlocker blocker(Trials);
    while (Trials->count() < m_program.Cluster.trialCount())
        NieuweTab();
    while (Trials->count() > m_program.Cluster.trialCount())
        Trials->removeTab(Trials->count() - 1);
    m_shown = std::clamp(m_shown, 0, m_program.Cluster.trialCount() - 1);
    Trials->setCurrentIndex(m_shown);
}

void BoxSettings::showTabWithoutSelecting(int trial)
{
    const QSignalBlocker blocker(Trials);
    m_shown = trial;
    Trials->setCurrentIndex(trial);
    showShownTrial();
}

void BoxSettings::Trials_Click(int)
{
    // Looking at another trial changes nothing, so it leaves nothing to save.
    m_shown = std::max(0, Trials->currentIndex());
    showShownTrial();
}

void BoxSettings::selectTrial(int trial)
{
    const int previous = m_shown;
    {
        const QSignalBlocker blocker(Trials);
        Trials->setCurrentIndex(trial);
    }
    Trials_Click(previous);
}

// ---- Trials ----

void BoxSettings::AddLayout_Click()
{
    if (m_program.Cluster.trialCount() >= ClusterModel::MaxTrials) {
        refuse(QStringLiteral("Add Trial"), QStringLiteral("A cluster holds at most %1 trials.")
                                                .arg(ClusterModel::MaxTrials));
        return;
    }
    m_history.push(new AddTrialEdit(*this, m_shown));
}

void BoxSettings::CopyTrial_Click()
{
    if (m_program.Cluster.trialCount() >= ClusterModel::MaxTrials) {
        refuse(QStringLiteral("Copy Trial"), QStringLiteral("A cluster holds at most %1 trials.")
                                                 .arg(ClusterModel::MaxTrials));
        return;
    }
    m_history.push(new CopyTrialEdit(*this, m_shown));
}

void BoxSettings::DeleteTrial()
{
    if (m_program.Cluster.trialCount() <= 1) {
        m_services.dialogs.message(QStringLiteral("Delete Trial"),
                                   QStringLiteral("Can't delete the only trial in a cluster!"),
                                   MessageIcon::None);
        return;
    }
    m_history.push(new DeleteTrialEdit(*this, m_shown));
}

void BoxSettings::mnuClearLayout_Click()
{
    m_history.push(new ClearTrialEdit(*this, m_shown));
}

void BoxSettings::showChangedTrial(int trial)
{
    syncTabs();
    showTabWithoutSelecting(std::clamp(trial, 0, m_program.Cluster.trialCount() - 1));
}

QStringList BoxSettings::rowNames(DragSourceKind row) const
{
    const PictureRow *pictures = Rows->row(row);
    return pictures ? pictures->names() : QStringList();
}

void BoxSettings::setRowNames(DragSourceKind row, const QStringList &names)
{
    if (PictureRow *pictures = Rows->row(row); pictures && pictures->names() != names)
        pictures->setNames(names);
}

void BoxSettings::ResetLayout()
{
    reloadRows();
    TrialLayout->removeBoxes();
    tellProblems(GetRegistrySettings());
    SetTarget(0);
    m_program.ClusterSaved = true;
}

bool BoxSettings::ClearCluster()
{
    if (!m_program.ClusterSaved && !VraagSave())
        return false;
    // A cleared cluster counts as saved, yet the clearing can be undone. It is a new
    // cluster: saving it asks for a name rather than replacing the file it came from.
    m_history.push(new ClearClusterEdit(*this, m_shown));
    m_history.setClean();
    m_program.ClusterFile.clear();
    m_program.ClusterName.clear();
    setCaption(QStringLiteral("Settings"));
    return true;
}

void BoxSettings::clearClusterWithoutAsking()
{
    kelvane::resetToOneEmptyTrial(m_program.Cluster);
    m_shown = 0;
    syncTabs();
    ResetLayout();
    showTabWithoutSelecting(0);
    tellMissingPictures();
}

bool BoxSettings::VraagSave()
{
    const Answer answer = m_services.dialogs.message(
        QStringLiteral("Save Layout?"),
        QStringLiteral("Current layout has not been saved. Would you like to save it now?"),
        MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == Answer::Yes)
        return SaveCluster();
    return answer == Answer::No;
}

// ---- Cluster files ----

bool BoxSettings::SaveCluster()
{
    const bool saved = m_commands.SaveCluster();
    followFileCommand();
    return saved;
}

bool BoxSettings::OpenCluster()
{
    const bool opened = m_commands.OpenCluster();
    followFileCommand();
    return opened;
}

bool BoxSettings::openClusterFile(const QString &path)
{
    if (!m_program.ClusterSaved && !VraagSave())
        return false;
    const bool opened = m_commands.OpenClusterFile(path);
    followFileCommand();
    return opened;
}

void BoxSettings::followFileCommand()
{
    if (m_program.ClusterSaved)
        m_history.setClean();
    else if (m_history.isClean())
        m_history.resetClean();
}

bool BoxSettings::shownLayoutHasBoxes() const
{
    return TrialLayout->boxCount() > 0;
}

void BoxSettings::setCaption(const QString &caption)
{
    // The title names the file; its folder is in the status bar, and the mark after the
    // name shows unsaved changes.
    setWindowTitle(caption + QStringLiteral("[*]"));
    clusterFileLabel->setText(QDir::toNativeSeparators(m_program.ClusterFile));
}

QStringList BoxSettings::objectRowNames() const
{
    return Rows->DragBox->names();
}

void BoxSettings::setObjectRowNames(const QStringList &names)
{
    Rows->DragBox->setNames(names);
}

void BoxSettings::showCluster()
{
    // A cluster read from a file starts a history of its own.
    m_history.clear();
    m_shown = 0;
    syncTabs();
    showTabWithoutSelecting(0);
    tellMissingPictures();
}

// ---- Runs and the other windows ----

bool BoxSettings::allTrialsHaveTargets()
{
    for (int t = 0; t < m_program.Cluster.trialCount(); ++t) {
        if (m_program.Cluster.Trials[std::size_t(t)].TargetNumberText.isEmpty()) {
            refuse(QStringLiteral("No target set"),
                   QStringLiteral("No target set. Please set a target in trial %1.").arg(t + 1));
            selectTrial(t);
            return false;
        }
    }
    return true;
}

bool BoxSettings::clusterCanRun()
{
    QList<ClusterProblem> problems = checkCluster(m_program.Cluster, m_program.IconFolder);
    // Values the trial window would show wrongly (no layout area, a box off the square)
    // stop the run too; oddities it handles in a known way do not.
    for (const ClusterProblem &problem : reviewTrialValues(m_program.Cluster)) {
        if (problem.severity == Severity::Problem)
            problems.append(problem);
    }
    if (problems.isEmpty())
        return true;
    QStringList lines;
    for (const ClusterProblem &problem : problems)
        lines.append(problem.describe());
    refuse(QStringLiteral("Run Cluster"), QStringLiteral("The cluster cannot be run:\n") + lines.join(u'\n'));
    for (const ClusterProblem &problem : problems) {
        if (problem.trial >= 0) {
            selectTrial(problem.trial);
            break;
        }
    }
    return false;
}

TrialScreenServices BoxSettings::runServices() const
{
    return {m_services.dialogs, m_services.store, m_services.targetSound, m_services.clickSound,
            m_services.pointer};
}

void BoxSettings::Runtrial_Click()
{
    if (!allTrialsHaveTargets() || !clusterCanRun())
        return;
    // Results go beside the cluster file and copy it, so only a saved cluster runs.
    if ((!m_program.ClusterSaved || m_program.ClusterFile.isEmpty()) && !SaveCluster())
        return;
    m_program.Run.WholeExperiment = false;
    m_program.Run.ClusterMessageText.clear();
    m_program.Run.ResultFile.clear();
    // Each run of a cluster replaces its result file; an earlier subject's is kept
    // unless the researcher says otherwise.
    const QString result = runResultPath(m_program);
    if (holdsTrialLines(result) && !confirmOverwrite(m_services.dialogs, QStringLiteral("Run Cluster"), result))
        return;
    hide();
    {
        TrialScreen screen(m_program, runServices(), this);
        if (screen.runModal() != RunEnd::Refused)
            showSessionSummary(m_services.dialogs, screen.session());
    }
    show();
    activateWindow();
}

void BoxSettings::tryTrialAction_Click()
{
    if (m_program.Cluster.CountBoxes(m_shown) == 0) {
        refuse(QStringLiteral("Try Trial"), QStringLiteral("Trial %1 has no boxes to try.").arg(m_shown + 1));
        return;
    }
    m_program.Run.WholeExperiment = false;
    m_program.Run.ClusterMessageText.clear();
    hide();
    {
        TrialScreen screen(m_program, runServices(), this);
        screen.tryTrialModal(m_shown);
    }
    show();
    activateWindow();
}

void BoxSettings::mnuRunExperiment_Click()
{
    if (!m_hooks.showExperimentWindow || !ClearCluster())
        return;
    hide();
    m_hooks.showExperimentWindow([this] { experimentWindowClosed(); });
}

void BoxSettings::experimentWindowClosed()
{
    // The run loaded its own clusters into the model: start afresh, as a new cluster.
    clearClusterWithoutAsking();
    m_history.clear();
    m_program.ClusterFile.clear();
    m_program.ClusterName.clear();
    m_program.ClusterSaved = true;
    setCaption(QStringLiteral("Settings"));
    show();
    activateWindow();
}

void BoxSettings::mnuOptions_Click()
{
    if (!m_hooks.showOptionsDialog || !m_hooks.showOptionsDialog())
        return;
    // New defaults go to trial 1 only while nobody has built on it; a cluster being
    // designed keeps its settings and its object row, and gets the defaults when next
    // cleared.
    const PictureNameLists before = m_program.Pictures;
    const bool untouched = hasNoLayout(m_program.Cluster) && m_program.ClusterFile.isEmpty();
    if (untouched)
        tellProblems(GetRegistrySettings());
    else
        readPictureLists();
    applyChangedPictures(before, untouched);
    applyIconSize();
    showShownTrial();
    tellMissingPictures();
}

// Only the pictures changed in Options replace those of the rows: a picture the
// researcher chose in a row by right click stays.
void BoxSettings::applyChangedPictures(const PictureNameLists &before, bool objectsToo)
{
    const auto apply = [](PictureRow *row, const auto &was, const auto &now, int count) {
        for (int i = 0; i < count; ++i) {
            if (was[std::size_t(i)] != now[std::size_t(i)])
                row->setName(i, now[std::size_t(i)]);
        }
    };
    const PictureNameLists &now = m_program.Pictures;
    apply(Rows->EmptyBox, before.EmptyBoxIconNames, now.EmptyBoxIconNames, PictureNameLists::BoxCount);
    apply(Rows->EmptyIcon, before.EmptyIconNames, now.EmptyIconNames, PictureNameLists::BoxCount);
    if (objectsToo)
        apply(Rows->DragBox, before.DragBoxIconNames, now.DragBoxIconNames, PictureNameLists::ObjectCount);
}

void BoxSettings::mnuiconEdit_Click()
{
    if (m_hooks.showIconEditor)
        m_hooks.showIconEditor();
}

void BoxSettings::closeEvent(QCloseEvent *event)
{
    if (m_hooks.iconEditorAllowsQuit && !m_hooks.iconEditorAllowsQuit()) {
        event->ignore();
        return;
    }
    if (!m_program.ClusterSaved && !VraagSave()) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT programEnded();
}

// ---- Layout ----

void BoxSettings::TrialLayout_DragDrop(DragSource source, QPoint corner)
{
    ClusterModel &cluster = m_program.Cluster;
    switch (decideDrop(source.kind, DropTargetKind::LayoutArea)) {
    case DropAction::MoveBox:
        if (source.index >= 1 && source.index <= cluster.CountBoxes(m_shown))
            m_history.push(new MoveBoxEdit(*this, m_shown, source.index, corner));
        return;
    case DropAction::CreateBox: {
        const QString closed = Rows->EmptyBox->name(source.index);
        if (closed.isEmpty())
            return;
        if (cluster.CountBoxes(m_shown) >= ClusterModel::MaxBoxesPerTrial) {
            refuse(QStringLiteral("Trial Layout"), QStringLiteral("A trial holds at most %1 boxes.")
                                                       .arg(ClusterModel::MaxBoxesPerTrial));
            return;
        }
        m_history.push(new PlaceBoxEdit(*this, m_shown, closed, Rows->EmptyIcon->name(source.index), corner));
        return;
    }
    default:
        return;
    }
}

void BoxSettings::Boxes_DragDrop(int Index, DragSource source, QPoint corner)
{
    ClusterModel &cluster = m_program.Cluster;
    if (Index < 1 || Index > cluster.CountBoxes(m_shown))
        return;
    switch (decideDrop(source, DropTargetKind::Box, Index)) {
    case DropAction::PutObject:
        if (const QString object = Rows->DragBox->name(source.index); !object.isEmpty())
            m_history.push(new PutObjectEdit(*this, m_shown, Index, object));
        break;
    case DropAction::MakeEmpty:
        if (const QString opened = Rows->EmptyIcon->name(source.index); !opened.isEmpty())
            m_history.push(new MakeEmptyEdit(*this, m_shown, Index, opened));
        break;
    case DropAction::MoveBox:
        TrialLayout_DragDrop(source, corner);
        break;
    default:
        break;
    }
}

void BoxSettings::Delete_DragDrop(DragSource source)
{
    if (decideDrop(source.kind, DropTargetKind::DeleteArea) == DropAction::DeleteBox
        && source.index >= 1 && source.index <= m_program.Cluster.CountBoxes(m_shown))
        DeleteBox(source.index);
}

void BoxSettings::DeleteBox(int Index)
{
    if (Index >= 1 && Index <= m_program.Cluster.CountBoxes(m_shown))
        m_history.push(new DeleteBoxEdit(*this, m_shown, Index));
}

void BoxSettings::Boxes_MouseUp(int Index, Qt::MouseButton Button)
{
    if (Button == Qt::RightButton)
        SetTarget(Index);
}

void BoxSettings::SetTarget(int Index)
{
    if (Index != 0) {
        // An empty box cannot be the target: nothing happens, and nothing is recorded.
        const ClusterModel &cluster = m_program.Cluster;
        if (Index >= 1 && Index <= cluster.CountBoxes(m_shown) && !cluster.box(m_shown, Index).Empty)
            m_history.push(new SetTargetEdit(*this, m_shown, Index));
        return;
    }
    // Part of starting a trial afresh, not an edit of its own.
    clearTarget(m_program.Cluster, m_shown);
    TrialLayout->showTrial(m_program.Cluster, m_shown);
    Target->showTarget(m_program.Cluster, m_shown, m_program.IconFolder);
}

// ---- Picture rows ----

void BoxSettings::ChangeDragBoxIcon(int Index)
{
    changeRowPicture(DragSourceKind::ObjectPicture, Index);
}

void BoxSettings::ChangeEmptyBox(int Index)
{
    changeRowPicture(DragSourceKind::ClosedBoxPicture, Index);
}

void BoxSettings::ChangeEmptyIcon(int Index)
{
    changeRowPicture(DragSourceKind::OpenedBoxPicture, Index);
}

void BoxSettings::changeRowPicture(DragSourceKind row, int index)
{
    PictureRow *pictures = Rows->row(row);
    if (!pictures || index < 0 || index >= pictures->count())
        return;
    const auto name = choosePicture(m_services.dialogs, m_program.IconFolder, m_savedIcon);
    if (!name)
        return;
    m_savedIcon.clear();
    m_history.push(new RowPictureEdit(*this, row, index, *name, m_shown));
}

void BoxSettings::iconFileSaved(const QString &path)
{
    m_savedIcon = path;
    // Same names, but a file may have changed under one of them.
    for (PictureRow *row : {Rows->DragBox, Rows->EmptyBox, Rows->EmptyIcon})
        row->setNames(row->names());
    showShownTrial();
}

// ---- Telling the researcher ----

void BoxSettings::refuse(const QString &title, const QString &text)
{
    m_services.dialogs.message(title, text, MessageIcon::Exclamation);
}

void BoxSettings::tellProblems(const QStringList &problems)
{
    QStringList untold;
    for (const QString &problem : problems) {
        if (!m_toldProblems.contains(problem)) {
            m_toldProblems.insert(problem);
            untold.append(problem);
        }
    }
    if (!untold.isEmpty())
        m_services.dialogs.message(QStringLiteral("Kelvane"), untold.join(u'\n'), MessageIcon::Exclamation);
}

void BoxSettings::tellMissingPictures()
{
    QStringList rows;
    for (const PictureRow *row : {Rows->DragBox, Rows->EmptyBox, Rows->EmptyIcon})
        rows += row->names();
    QStringList missing = missingPictures(m_program.Cluster, rows, m_program.IconFolder);
    // A file that is there but is no picture shows as missing too.
    for (const QString &name : Rows->missingNames() + TrialLayout->missingNames()) {
        if (!missing.contains(name))
            missing.append(name);
    }
    const QStringList untold = m_missingNotice.untold(missing);
    if (!untold.isEmpty())
        m_services.dialogs.message(QStringLiteral("Missing pictures"),
                                   missingPicturesText(untold, m_program.IconFolder),
                                   MessageIcon::Exclamation);
}

} // namespace kelvane

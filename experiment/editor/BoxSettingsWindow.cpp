// The editor window's parts: menus, tabs, panels, picture rows and buttons, and what
// each of them starts.

#include "kelvane/editor/BoxSettings.h"

#include "kelvane/editor/undo/TrialEdits.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QUuid>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QAction *menuItem(QMenu *menu, const QString &caption, const QString &name)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QPushButton *button(QWidget *parent, const QString &caption, const QString &name)
{
    auto *pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    pushButton->setAccessibleName(caption);
    return pushButton;
}

} // namespace

BoxSettings::BoxSettings(Program &program, const EditorServices &services, EditorHooks hooks,
                         QWidget *parent)
    : QMainWindow(parent)
    , m_program(program)
    , m_services(services)
    , m_hooks(std::move(hooks))
    , m_commands(program, services.dialogs, *this)
    , m_token(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    buildWindow();
    setCaption(QStringLiteral("Settings"));
    buildMenus();
    connectParts();
}

BoxSettings::~BoxSettings() = default;

void BoxSettings::buildWindow()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    clusterFileLabel = new QLabel(this);
    clusterFileLabel->setAccessibleName(QStringLiteral("Cluster file"));
    clusterFileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(clusterFileLabel);

    Trials = new QTabBar(central);
    Trials->setAccessibleName(QStringLiteral("Trials"));
    Trials->setUsesScrollButtons(true);
    Trials->setExpanding(false);
    Trials->setDrawBase(false);
    layout->addWidget(Trials);

    auto *body = new QHBoxLayout;
    auto *layoutFrame = new QGroupBox(QStringLiteral("Trial Layout"), central);
    auto *layoutFrameLayout = new QVBoxLayout(layoutFrame);
    TrialLayout = new LayoutArea(layoutFrame);
    TrialLayout->setDragToken(m_token);
    layoutFrameLayout->addWidget(TrialLayout);
    TrialLayout->setEmptyHint(QStringLiteral(
        "Drag a picture from \"Box\" onto this area to place a box; drag boxes to move them.\n\n"
        "Drop an item on a box to hide it there, an \"EmptyBox\" picture to empty it again.\n\n"
        "Right-click a box holding an item to make it the target."));
    auto *targetAndDelete = new QHBoxLayout;
    Target = new TargetFrame(layoutFrame);
    Delete = new DeleteArea(layoutFrame);
    Delete->setDragToken(m_token);
    targetAndDelete->addWidget(Target, 1);
    targetAndDelete->addWidget(Delete);
    layoutFrameLayout->addLayout(targetAndDelete);
    layoutFrameLayout->addStretch(1);
    body->addWidget(layoutFrame, 0, Qt::AlignTop);

    auto *side = new QVBoxLayout;
    SSTab1 = new TrialSettingsPanel(m_services.dialogs, central);
    side->addWidget(SSTab1);
    Rows = new PictureRows(central);
    Rows->setDragToken(m_token);
    side->addWidget(Rows);
    side->addStretch(1);
    body->addLayout(side, 1);
    layout->addLayout(body);
    // The buttons stay under the layout they act on when the window is made taller.
    layout->addWidget(buildButtons());
    layout->addStretch(1);
    setCentralWidget(central);
}

QWidget *BoxSettings::buildButtons()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    CopyTrial = button(row, QStringLiteral("Copy Trial"), QStringLiteral("CopyTrial"));
    AddLayout = button(row, QStringLiteral("Add Trial"), QStringLiteral("AddLayout"));
    Runtrial = button(row, QStringLiteral("Run Cluster"), QStringLiteral("Runtrial"));
    SaveBoxFile = button(row, QStringLiteral("Save Cluster"), QStringLiteral("SaveBoxFile"));
    OpenBoxFile = button(row, QStringLiteral("Open Cluster"), QStringLiteral("OpenBoxFile"));
    layout->addWidget(CopyTrial);
    layout->addWidget(AddLayout);
    layout->addStretch(1);
    layout->addWidget(Runtrial);
    layout->addWidget(SaveBoxFile);
    layout->addWidget(OpenBoxFile);
    return row;
}

void BoxSettings::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuOpenTrial = menuItem(file, QStringLiteral("Open Cluster"), QStringLiteral("mnuOpenTrial"));
    mnuOpenTrial->setShortcut(QKeySequence::Open);
    mnuSaveTrial = menuItem(file, QStringLiteral("Save Cluster"), QStringLiteral("mnuSaveTrial"));
    mnuSaveTrial->setShortcut(QKeySequence::Save);
    mnuClearCluster = menuItem(file, QStringLiteral("Clear Cluster"), QStringLiteral("mnuClearCluster"));
    newStudyAction = menuItem(file, QStringLiteral("New Study..."), QStringLiteral("newStudyAction"));
    file->addSeparator();
    mnuExitKelvane = menuItem(file, QStringLiteral("Exit Kelvane"), QStringLiteral("mnuExitKelvane"));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    undoAction = m_history.createUndoAction(edit, QStringLiteral("Undo"));
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redoAction = m_history.createRedoAction(edit, QStringLiteral("Redo"));
    redoAction->setObjectName(QStringLiteral("redoAction"));
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undoAction);
    edit->addAction(redoAction);

    QMenu *run = menuBar()->addMenu(QStringLiteral("&Run"));
    run->setObjectName(QStringLiteral("mnuRun"));
    mnuRunExperiment = menuItem(run, QStringLiteral("Experiment"), QStringLiteral("mnuRunExperiment"));
    mnuRunCluster = menuItem(run, QStringLiteral("Cluster"), QStringLiteral("mnuRunCluster"));

    QMenu *trial = menuBar()->addMenu(QStringLiteral("&Trial"));
    trial->setObjectName(QStringLiteral("mnuTrial"));
    mnuClearLayout = menuItem(trial, QStringLiteral("Clear Trial"), QStringLiteral("mnuClearLayout"));
    mnuDeleteTrial = menuItem(trial, QStringLiteral("Delete Trial"), QStringLiteral("mnuDeleteTrial"));
    mnuAddLayout = menuItem(trial, QStringLiteral("Add Trial"), QStringLiteral("mnuAddLayout"));
    mnuCopylayout = menuItem(trial, QStringLiteral("Copy Trial"), QStringLiteral("mnuCopylayout"));
    trial->addSeparator();
    randomLayoutAction = menuItem(trial, QStringLiteral("Random Layout"), QStringLiteral("randomLayoutAction"));
    makeProblemAction = menuItem(trial, QStringLiteral("Make Problem"), QStringLiteral("makeProblemAction"));
    trial->addSeparator();
    tryTrialAction = menuItem(trial, QStringLiteral("Try Trial"), QStringLiteral("tryTrialAction"));

    QMenu *extra = menuBar()->addMenu(QStringLiteral("&Extra"));
    extra->setObjectName(QStringLiteral("mnuExtra"));
    mnuOptions = menuItem(extra, QStringLiteral("Options"), QStringLiteral("mnuOptions"));
    mnuiconEdit = menuItem(extra, QStringLiteral("Icon Editor"), QStringLiteral("mnuiconEdit"));

    // Windows another part of the program provides are offered only when it does.
    mnuRunExperiment->setEnabled(bool(m_hooks.showExperimentWindow));
    mnuOptions->setEnabled(bool(m_hooks.showOptionsDialog));
    mnuiconEdit->setEnabled(bool(m_hooks.showIconEditor));
}

void BoxSettings::connectParts()
{
    connect(mnuOpenTrial, &QAction::triggered, this, &BoxSettings::OpenBoxFile_Click);
    connect(mnuSaveTrial, &QAction::triggered, this, &BoxSettings::SaveBoxFile_Click);
    connect(mnuClearCluster, &QAction::triggered, this, &BoxSettings::mnuClearCluster_Click);
    connect(mnuExitKelvane, &QAction::triggered, this, &BoxSettings::mnuExitKelvane_Click);
    connect(mnuRunExperiment, &QAction::triggered, this, &BoxSettings::mnuRunExperiment_Click);
    connect(mnuRunCluster, &QAction::triggered, this, &BoxSettings::Runtrial_Click);
    connect(mnuClearLayout, &QAction::triggered, this, &BoxSettings::mnuClearLayout_Click);
    connect(mnuDeleteTrial, &QAction::triggered, this, &BoxSettings::mnuDeleteTrial_Click);
    connect(mnuAddLayout, &QAction::triggered, this, &BoxSettings::AddLayout_Click);
    connect(mnuCopylayout, &QAction::triggered, this, &BoxSettings::CopyTrial_Click);
    connect(mnuOptions, &QAction::triggered, this, &BoxSettings::mnuOptions_Click);
    connect(mnuiconEdit, &QAction::triggered, this, &BoxSettings::mnuiconEdit_Click);
    connect(tryTrialAction, &QAction::triggered, this, &BoxSettings::tryTrialAction_Click);
    connect(randomLayoutAction, &QAction::triggered, this, &BoxSettings::randomLayoutAction_Click);
    connect(makeProblemAction, &QAction::triggered, this, &BoxSettings::makeProblemAction_Click);
    connect(newStudyAction, &QAction::triggered, this, &BoxSettings::newStudyAction_Click);
    // Saved is where the history stood at the last save or open, wherever undo and
    // redo lead.
    const auto followHistory = [this] {
        m_program.ClusterSaved = m_history.isClean();
        setWindowModified(!m_history.isClean());
    };
    connect(&m_history, &QUndoStack::indexChanged, this, followHistory);
    connect(&m_history, &QUndoStack::cleanChanged, this, followHistory);

    connect(CopyTrial, &QPushButton::clicked, this, &BoxSettings::CopyTrial_Click);
    connect(AddLayout, &QPushButton::clicked, this, &BoxSettings::AddLayout_Click);
    connect(Runtrial, &QPushButton::clicked, this, &BoxSettings::Runtrial_Click);
    connect(SaveBoxFile, &QPushButton::clicked, this, &BoxSettings::SaveBoxFile_Click);
    connect(OpenBoxFile, &QPushButton::clicked, this, &BoxSettings::OpenBoxFile_Click);

    connect(Trials, &QTabBar::currentChanged, this, [this] { Trials_Click(m_shown); });
    SSTab1->setTrial([this]() -> const TrialSettings & { return shownSettings(); });
    connect(SSTab1, &TrialSettingsPanel::settingEdited, this, [this](const QString &setting, const TrialSettings &after) {
        m_history.push(new TrialSettingEdit(*this, m_shown, setting, after));
    });

    connect(TrialLayout, &LayoutArea::dropped, this,
            [this](const DragPayload &payload, DropTargetKind target, int box, QPoint corner) {
                if (target == DropTargetKind::Box)
                    Boxes_DragDrop(box, payload.source, corner);
                else
                    TrialLayout_DragDrop(payload.source, corner);
            });
    connect(TrialLayout, &LayoutArea::boxRightClicked, this,
            [this](int box) { Boxes_MouseUp(box, Qt::RightButton); });
    connect(Delete, &DeleteArea::dropped, this,
            [this](const DragPayload &payload) { Delete_DragDrop(payload.source); });
    connect(Rows, &PictureRows::replaceRequested, this, [this](DragSourceKind row, int index) {
        switch (row) {
        case DragSourceKind::ObjectPicture: ChangeDragBoxIcon(index); break;
        case DragSourceKind::ClosedBoxPicture: ChangeEmptyBox(index); break;
        case DragSourceKind::OpenedBoxPicture: ChangeEmptyIcon(index); break;
        case DragSourceKind::LayoutBox: break;
        }
    });
}

} // namespace kelvane

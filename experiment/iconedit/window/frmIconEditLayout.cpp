// The icon editor's widgets and menus, and how they are wired to its handlers.

#include "kelvane/iconedit/frmIconEdit.h"

#include "kelvane/iconedit/ToolPictures.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QToolButton *fileButton(QStyle::StandardPixmap picture, const QString &toolTip, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setAutoRaise(true);
    return button;
}

QLabel *infoLabel(const QString &accessibleName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAccessibleName(accessibleName);
    label->setMinimumWidth(90);
    return label;
}

} // namespace

void frmIconEdit::buildWidgets()
{
    auto *central = new QWidget(this);
    auto *page = new QVBoxLayout(central);
    auto *top = new QHBoxLayout;

    auto *left = new QVBoxLayout;
    auto *fileButtons = new QHBoxLayout;
    cmdNew = fileButton(QStyle::SP_FileIcon, QStringLiteral("New file"), central);
    cmdOpen = fileButton(QStyle::SP_DialogOpenButton, QStringLiteral("Open file"), central);
    cmdSave = fileButton(QStyle::SP_DialogSaveButton, QStringLiteral("Save to disk"), central);
    for (QToolButton *button : {cmdNew, cmdOpen, cmdSave})
        fileButtons->addWidget(button);
    fileButtons->addStretch();
    left->addLayout(fileButtons);

    const std::array<QString, ToolCount> toolTips = {
        QStringLiteral("Paint"),
        QStringLiteral("Fill"),
        QStringLiteral("Line (Shift if for 45 or 90 degree)"),
        QStringLiteral("Rectangle (Shift key if for square)"),
        QStringLiteral("Filled Rectangle (Shift key if for square)"),
        QStringLiteral("Oval (Shift key if for circle)"),
        QStringLiteral("Filled Oval (Shift key if for circle)"),
        QStringLiteral("Region"),
    };
    auto *tools = new QGridLayout;
    for (int i = 0; i < ToolCount; ++i) {
        // Only painting is built; the others are shown, greyed, as the tools they would be.
        const QPixmap picture = i == 0 ? toolPicture(Tool(i))
                                       : QIcon(toolPicture(Tool(i))).pixmap(toolPicture(Tool(i)).size(),
                                                                            QIcon::Disabled);
        toolImages[std::size_t(i)] = new ToolImage(picture, toolTips[std::size_t(i)], central);
        toolImages[std::size_t(i)]->setEnabled(i == 0);
        tools->addWidget(toolImages[std::size_t(i)], i / 2, i % 2);
    }
    imgPaint = toolImages[0];
    left->addLayout(tools);
    left->addStretch();
    top->addLayout(left);

    picBigContainer = new SurroundingArea(central);
    auto *viewFrame = new QFrame(picBigContainer);
    viewFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picBig = new MagnifiedView(viewFrame);
    auto *inFrame = new QVBoxLayout(viewFrame);
    inFrame->setContentsMargins(1, 1, 1, 1);
    inFrame->addWidget(picBig);
    auto *around = new QVBoxLayout(picBigContainer);
    around->setContentsMargins(16, 8, 16, 8);
    around->addWidget(viewFrame, 0, Qt::AlignCenter);
    top->addWidget(picBigContainer);

    auto *right = new QVBoxLayout;
    PicIcon = new IconPicture(QStringLiteral("Icon at actual size"), central);
    right->addWidget(PicIcon, 0, Qt::AlignHCenter);
    right->addSpacing(12);
    auto *panels = new QGridLayout;
    for (int i = 0; i < SlotCount; ++i) {
        PanelIcons[std::size_t(i)] = new IconPicture(QStringLiteral("Icon slot %1").arg(i + 1), central);
        lblIcons[std::size_t(i)] = new QLabel(QStringLiteral("\u25C4"), central);
        lblIcons[std::size_t(i)]->setAccessibleName(QStringLiteral("Current slot"));
        panels->addWidget(PanelIcons[std::size_t(i)], i, 0);
        panels->addWidget(lblIcons[std::size_t(i)], i, 1);
    }
    right->addLayout(panels);
    right->addStretch();
    top->addLayout(right);
    top->addStretch();
    page->addLayout(top);

    auto *info = new QHBoxLayout;
    lblBigXY = infoLabel(QStringLiteral("Cell under the pointer"), central);
    lblOffsetXY = infoLabel(QStringLiteral("Offset"), central);
    lblMix = infoLabel(QStringLiteral("Mixer information"), central);
    info->addWidget(lblBigXY);
    info->addWidget(lblOffsetXY);
    info->addWidget(lblMix);
    info->addStretch();
    page->addLayout(info);

    lblFileSpec = new QLabel(central);
    lblFileSpec->setAccessibleName(QStringLiteral("File name"));
    lblFileSpec->setTextInteractionFlags(Qt::TextSelectableByMouse);
    page->addWidget(lblFileSpec);

    colours = new ColourChooser(m_dialogs, central);
    page->addWidget(colours);
    page->addStretch();
    setCentralWidget(central);
}

void frmIconEdit::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileNew = mnuFile->addAction(QStringLiteral("&New"));
    mnuFileOpen = mnuFile->addAction(QStringLiteral("&Open"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("&Save"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuEditUndo = mnuEdit->addAction(QStringLiteral("&Undo"));
    mnuEdit->addSeparator();
    cutAction = mnuEdit->addAction(QStringLiteral("Cu&t"));
    copyAction = mnuEdit->addAction(QStringLiteral("&Copy"));
    pasteAction = mnuEdit->addAction(QStringLiteral("&Paste"));
    for (QAction *clipboard : {cutAction, copyAction, pasteAction})
        clipboard->setEnabled(false);
    mnuEdit->addSeparator();
    clearClipboardAction = mnuEdit->addAction(QStringLiteral("C&lear clipboard"));

    mnuEffects = menuBar()->addMenu(QStringLiteral("E&ffects"));
    mnuEffectsFlipHoriz = mnuEffects->addAction(QStringLiteral("Flip &Horizontal"));
    mnuEffectsFlipVert = mnuEffects->addAction(QStringLiteral("Flip &Vertical"));
    mnuEffects->addSeparator();
    mnuEffectsRotateLeft = mnuEffects->addAction(QStringLiteral("Rotate &left"));
    mnuEffectsRotateRight = mnuEffects->addAction(QStringLiteral("Rotate &right"));
    mnuEffects->addSeparator();
    mnuEffectsInvert = mnuEffects->addAction(QStringLiteral("&Invert"));

    mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    mnuOptionsSolidGridlines = mnuOptions->addAction(QStringLiteral("&Solid grid lines"));
    mnuOptionsDottedGridlines = mnuOptions->addAction(QStringLiteral("&Dotted grid lines"));
    mnuOptionsSolidGridlines->setCheckable(true);
    mnuOptionsDottedGridlines->setCheckable(true);

    // Kept for the tool strip's check mark, but not shown: painting is the only tool.
    mnuTools = menuBar()->addMenu(QStringLiteral("&Tools"));
    mnuToolsPaint = mnuTools->addAction(QStringLiteral("&Paint"));
    mnuToolsPaint->setCheckable(true);
    mnuTools->menuAction()->setVisible(false);

    extractionMenu = menuBar()->addMenu(QStringLiteral("Ext&raction"));
    showExtractionAction = extractionMenu->addAction(QStringLiteral("Show extraction panel"));
    showExtractionAction->setEnabled(false);
    extractionMenu->menuAction()->setVisible(false);
}

void frmIconEdit::connectWidgets()
{
    connect(mnuFile, &QMenu::aboutToShow, this, &frmIconEdit::mnuFile_Click);
    connect(mnuFileNew, &QAction::triggered, this, &frmIconEdit::mnuFileNew_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &frmIconEdit::mnuFileOpen_Click);
    connect(mnuFileSave, &QAction::triggered, this, &frmIconEdit::mnuFileSave_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmIconEdit::mnuFileExit_Click);
    connect(cmdNew, &QToolButton::clicked, this, &frmIconEdit::cmdNew_Click);
    connect(cmdOpen, &QToolButton::clicked, this, &frmIconEdit::cmdOpen_Click);
    connect(cmdSave, &QToolButton::clicked, this, &frmIconEdit::cmdSave_Click);
    for (int i = 0; i < SlotCount; ++i)
        connect(PanelIcons[std::size_t(i)], &IconPicture::clicked, this, [this, i] { PanelIcons_Click(i); });

    connect(picBig, &MagnifiedView::pressed, this, &frmIconEdit::picBig_MouseDown);
    connect(picBig, &MagnifiedView::moved, this, &frmIconEdit::picBig_MouseMove);
    connect(picBig, &MagnifiedView::released, this, &frmIconEdit::picBig_MouseUp);
    connect(picBigContainer, &SurroundingArea::pointerMoved, this, &frmIconEdit::picBigContainer_MouseMove);
    connect(imgPaint, &ToolImage::clicked, this, &frmIconEdit::imgPaint_Click);
    connect(mnuToolsPaint, &QAction::triggered, this, &frmIconEdit::mnuToolsPaint_Click);
    connect(mnuTools, &QMenu::aboutToShow, this, &frmIconEdit::mnuTools_Click);
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmIconEdit::mnuEdit_Click);
    connect(mnuEditUndo, &QAction::triggered, this, &frmIconEdit::mnuEditUndo_Click);
    connect(mnuOptions, &QMenu::aboutToShow, this, &frmIconEdit::mnuOptions_Click);
    connect(mnuOptionsSolidGridlines, &QAction::triggered, this, &frmIconEdit::mnuOptionsSolidGridlines_Click);
    connect(mnuOptionsDottedGridlines, &QAction::triggered, this, &frmIconEdit::mnuOptionsDottedGridlines_Click);

    connect(mnuEffects, &QMenu::aboutToShow, this, &frmIconEdit::mnuEffects_Click);
    connect(mnuEffectsFlipHoriz, &QAction::triggered, this, &frmIconEdit::mnuEffectsFlipHoriz_Click);
    connect(mnuEffectsFlipVert, &QAction::triggered, this, &frmIconEdit::mnuEffectsFlipVert_Click);
    connect(mnuEffectsRotateLeft, &QAction::triggered, this, &frmIconEdit::mnuEffectsRotateLeft_Click);
    connect(mnuEffectsRotateRight, &QAction::triggered, this, &frmIconEdit::mnuEffectsRotateRight_Click);
    connect(mnuEffectsInvert, &QAction::triggered, this, &frmIconEdit::mnuEffectsInvert_Click);

    connect(colours, &ColourChooser::infoLabelsToClear, this, &frmIconEdit::ClearInfoLabels);
    connect(colours, &ColourChooser::mixLabelToClear, lblMix, &QLabel::clear);
}

} // namespace kelvane

// The icon editor window: start-up, the icon slots and the File commands.

#include "kelvane/iconedit/frmIconEdit.h"

#include "kelvane/FileSaving.h"
#include "kelvane/iconedit/BuiltInIcons.h"
#include "kelvane/iconedit/IconCodec.h"
#include "kelvane/iconedit/IconEditorTexts.h"
#include "kelvane/iconedit/IconFileNames.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace kelvane {

namespace {

const QString OpenFilter = QStringLiteral(
    "Icon Files (*.ico)|*.ico|(*.bmp)|*.bmp|(*.wmf)|*.wmf|(*.cur)|*.cur|(*.*)|*.*|");
// Save writes icon data only, so it offers icon files only.
const QString SaveFilter = QStringLiteral("Icon Files (*.ico)|*.ico|");

// Counts a running File command, so the window is not closed underneath it.
class CommandScope
{
public:
    explicit CommandScope(int &depth) : m_depth(depth) { ++m_depth; }
    ~CommandScope() { --m_depth; }
    CommandScope(const CommandScope &) = delete;
    CommandScope &operator=(const CommandScope &) = delete;

private:
    int &m_depth;
};

} // namespace

frmIconEdit::frmIconEdit(const QString &iconFolder, Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_dialogs(dialogs), m_iconFolder(iconFolder)
{
    setWindowTitle(QStringLiteral(" Icon editor (32x32)"));
    buildWidgets();
    buildMenus();
    connectWidgets();
    Form_Load();
}

void frmIconEdit::Form_Load()
{
    colours->setUp();
    mnuOptionsSolidGridlines->setChecked(false);
    mnuOptionsDottedGridlines->setChecked(false);
    ClearInfoLabels();

    for (int i = 0; i < SlotCount; ++i)
        Slots[std::size_t(i)] = IconSlot{qint16(i), false, QString(), false, false};
    for (int i = 0; i < SlotCount; ++i) {
        PanelIcons[std::size_t(i)]->clear();
        lblIcons[std::size_t(i)]->setVisible(i == 0);
    }
    PanelIcons[0]->setIcon(startUpPicture());

    CurrentSlot = 0;
    Slots[0].InUse = true;
    Slots[0].FileSpec = UntitledName;
    mnuOptionsSolidGridlines->setChecked(true);
    PrepareEditor();
    // Slot 0 shows the start-up picture but holds nothing to edit until it is clicked.
    Slots[0].Loaded = false;
    imgPaint->setLooksSelected(false);
    mnuToolsPaint->setChecked(false);
    refreshCommands();
}

void frmIconEdit::Form_Activate()
{
    picBig->setFocus();
}

void frmIconEdit::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmIconEdit::refreshCommands()
{
    const bool loaded = current().Loaded;
    mnuFileSave->setEnabled(loaded);
    mnuEditUndo->setEnabled(loaded && UndoAvailable());
    for (QAction *effect : {mnuEffectsFlipHoriz, mnuEffectsFlipVert, mnuEffectsRotateLeft,
                            mnuEffectsRotateRight, mnuEffectsInvert})
        effect->setEnabled(loaded);
}

void frmIconEdit::mnuFile_Click()
{
    ClearInfoLabels();
    refreshCommands();
}

void frmIconEdit::ClearInfoLabels()
{
    lblBigXY->clear();
    lblOffsetXY->clear();
    lblMix->clear();
}

void frmIconEdit::picImageAndpicMask(IconPicture *inPic)
{
    inPic->setIcon(m_canvas.planes());
}

void frmIconEdit::ShowSlotIcon()
{
    const std::optional<IconImage> &shown = PanelIcons[std::size_t(CurrentSlot)]->icon();
    m_canvas.show(shown.value_or(blankIcon()));
    picImageAndpicMask(PicIcon);
    lblFileSpec->setText(current().FileSpec);
    PrepareEditor();
    MagnifyIcon();
    refreshCommands();
}

void frmIconEdit::PrepareEditor()
{
    SaveFailed = false;
    m_canvas.setUndoAvailable(false);
    m_canvas.endStroke();
    ClearToolImages();
    EnableToolMenus(true);
    imgPaint->setLooksSelected(true);
    mnuToolsPaint->setChecked(true);
    picBig->unsetCursor();
    lblFileSpec->setText(current().FileSpec);
    current().Loaded = true;
    current().Changed = false;
    CreateGrid();
    refreshCommands();
}

bool frmIconEdit::askToSaveCurrent()
{
    if (!current().Loaded || !current().Changed)
        return true;
    const Answer answer = m_dialogs.message(IconMessageTitle, SaveQuestionText, MessageIcon::Question,
                                            MessageButtons::YesNoCancel);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::Yes) {
        mnuFileSave_Click();
        return !SaveFailed;
    }
    return true;
}

void frmIconEdit::mnuFileNew_Click()
{
    const CommandScope scope(m_commandDepth);
    if (!askToSaveCurrent())
        return;
    PanelIcons[std::size_t(CurrentSlot)]->clear();
    current().Loaded = true;
    current().InUse = true;
    current().FileSpec = UntitledName;
    current().Changed = false;
    picBig->clear();
    PanelIcons[std::size_t(CurrentSlot)]->setIcon(blankIcon());
    ShowSlotIcon();
}

std::optional<IconImage> frmIconEdit::readPicture(const QString &path, const QString &procedure)
{
    QByteArray bytes;
    FileError error;
    if (!readWholeFile(path, &bytes, &error)) {
        ErrMsgProc(procedure, error.code, error.description);
        return std::nullopt;
    }
    const DecodedPicture decoded = decodePicture(bytes);
    if (decoded.problem == PictureProblem::WrongSize) {
        CheckIconSize(decoded.size, path);
        return std::nullopt;
    }
    if (!decoded.icon) {
        ErrMsgProc(procedure, InvalidPictureError, pictureProblemText(decoded, path));
        return std::nullopt;
    }
    return decoded.icon;
}

void frmIconEdit::mnuFileOpen_Click()
{
    const CommandScope scope(m_commandDepth);
    if (!askToSaveCurrent())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Open icon");
    request.filter = OpenFilter;
    request.initialFolder = m_iconFolder;
    const std::optional<QString> chosen = m_dialogs.openFile(request);
    if (!chosen || chosen->isEmpty())
        return;
    WorkFileName = *chosen;

    const std::optional<IconImage> icon = readPicture(WorkFileName, QStringLiteral("mnuFileOpen_Click"));
    if (!icon)
        return;
    PanelIcons[std::size_t(CurrentSlot)]->setIcon(*icon);
    current().Loaded = true;
    current().InUse = true;
    current().FileSpec = WorkFileName;
    current().Changed = false;
    ShowSlotIcon();
}

void frmIconEdit::mnuFileSave_Click()
{
    const CommandScope scope(m_commandDepth);
    SaveFailed = true;
    if (!current().Loaded) {
        m_dialogs.message(IconMessageTitle, NoIconLoadedText, MessageIcon::None);
        return;
    }
    WorkFileName = current().FileSpec;
    FileDialogRequest request;
    request.title = QStringLiteral("Save icon");
    request.filter = SaveFilter;
    request.initialFolder = m_iconFolder;
    request.proposedName = fileTitle(proposedIconName(current().FileSpec));
    const std::optional<QString> chosen = chooseSavePath(m_dialogs, request, withIconSuffix);
    if (!chosen)
        return;
    WorkFileName = *chosen;

    FileError error;
    if (!saveWholeFile(WorkFileName, encodeIcon(*PicIcon->icon()), &error)) {
        ErrMsgProc(QStringLiteral("mnuFileSave_Click"), error.code, error.description);
        return;
    }
    // Go on with the icon as the file now holds it.
    const std::optional<IconImage> written = readPicture(WorkFileName, QStringLiteral("mnuFileSave_Click"));
    if (!written)
        return;
    PanelIcons[std::size_t(CurrentSlot)]->setIcon(*written);
    current().FileSpec = WorkFileName;
    current().Changed = false;
    PrepareEditor();
    ShowSlotIcon();
    emit iconSaved(WorkFileName);
}

void frmIconEdit::mnuFileExit_Click()
{
    close();
}

void frmIconEdit::PanelIcons_Click(int index)
{
    if (index < 0 || index >= SlotCount)
        return;
    if (index == CurrentSlot && current().Loaded)
        return;
    if (current().Loaded) {
        const CommandScope scope(m_commandDepth);
        if (!askToSaveCurrent())
            return;
        current().Changed = false;
    }
    CurrentSlot = qint16(index);
    for (int i = 0; i < SlotCount; ++i)
        lblIcons[std::size_t(i)]->setVisible(i == CurrentSlot);

    if (!current().InUse) {
        PicIcon->clear();
        picBig->clear();
        current() = IconSlot{CurrentSlot, false, QString(), false, false};
        lblFileSpec->clear();
        ClearToolImages();
        UncheckToolMenus();
        EnableToolMenus(false);
        m_canvas.endStroke();
        refreshCommands();
        return;
    }
    ShowSlotIcon();
}

bool frmIconEdit::Form_QueryUnload()
{
    // A command that is asking or writing finishes first.
    if (m_commandDepth > 0)
        return false;
    const CommandScope scope(m_commandDepth);
    return askToSaveCurrent();
}

void frmIconEdit::closeEvent(QCloseEvent *event)
{
    if (!m_closeConfirmed && !Form_QueryUnload()) {
        event->ignore();
        return;
    }
    m_closeConfirmed = false;
    event->accept();
}

bool frmIconEdit::closeAskingToSave()
{
    if (!Form_QueryUnload())
        return false;
    m_closeConfirmed = true;
    close();
    return true;
}

bool frmIconEdit::CheckIconSize(QSize measured, const QString &path)
{
    if (measured == QSize(IconImage::Size, IconImage::Size))
        return true;
    m_dialogs.message(IconMessageTitle, wrongSizeText(measured, path), MessageIcon::None);
    return false;
}

void frmIconEdit::ErrMsgProc(const QString &mMsg, int number, const QString &description)
{
    m_dialogs.message(IconMessageTitle, errorMessageText(mMsg, number, description), MessageIcon::None);
}

frmIconEdit *showIconEditor(QPointer<frmIconEdit> &window, const QString &iconFolder, Dialogs &dialogs,
                            QWidget *parent)
{
    if (!window) {
        window = new frmIconEdit(iconFolder, dialogs, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace kelvane

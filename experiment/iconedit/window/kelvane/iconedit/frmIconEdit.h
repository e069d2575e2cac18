#pragma once
// The icon editor window: three icon slots, a magnified view to paint 32 x 32 icons
// pixel by pixel, effects, one level of undo, and the colour choice. Not modal; one
// at a time (see showIconEditor).

#include "kelvane/Dialogs.h"
#include "kelvane/iconedit/ColourChooser.h"
#include "kelvane/iconedit/IconCanvas.h"
#include "kelvane/iconedit/IconSlot.h"
#include "kelvane/iconedit/IconWidgets.h"
#include "kelvane/iconedit/MagnifiedGrid.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace kelvane {

class frmIconEdit : public QMainWindow
{
    Q_OBJECT

public:
    // `iconFolder` is where Open and Save start: the folder the cluster editor takes
    // its pictures from.
    frmIconEdit(const QString &iconFolder, Dialogs &dialogs, QWidget *parent = nullptr);

    // For the program's own Exit: asks "Save current icon?" when the current icon has
    // unsaved changes and closes the window. False when the researcher cancelled or
    // the save failed; the window then stays open.
    bool closeAskingToSave();

    // Start-up and the File commands.
    void Form_Load();
    void Form_Activate();
    void mnuFile_Click();
    void mnuFileNew_Click();
    void cmdNew_Click() { mnuFileNew_Click(); }
    void mnuFileOpen_Click();
    void cmdOpen_Click() { mnuFileOpen_Click(); }
    void mnuFileSave_Click();
    void cmdSave_Click() { mnuFileSave_Click(); }
    void mnuFileExit_Click();
    void PanelIcons_Click(int index);
    // True when the window may close.
    bool Form_QueryUnload();

    void picImageAndpicMask(IconPicture *inPic);
    void ShowSlotIcon();
    void PrepareEditor();
    void ClearInfoLabels();
    bool CheckIconSize(QSize measured, const QString &path);
    void ErrMsgProc(const QString &mMsg, int number, const QString &description);

    // The magnified view, painting, tools, grid and undo.
    void picBig_MouseDown(Qt::MouseButton button, double x, double y);
    void picBig_MouseMove(double x, double y);
    void picBig_MouseUp(Qt::MouseButton button, double x, double y);
    void picBigContainer_MouseMove();
    void imgPaint_Click();
    void mnuToolsPaint_Click(); // after "&Paint" changed its check mark
    void mnuTools_Click();
    void mnuEdit_Click();
    void mnuEditUndo_Click();
    void mnuOptions_Click();
    void mnuOptionsSolidGridlines_Click();  // after the item changed its check mark
    void mnuOptionsDottedGridlines_Click(); // after the item changed its check mark
    void CreateGrid();
    void MagnifyIcon();
    void SelectTool(QAction *menuItem, ToolImage *image);
    void ClearToolImages();
    void UncheckToolMenus();
    void EnableToolMenus(bool enabled);
    void SetPaintPointer();

    // Effects.
    void mnuEffects_Click();
    void mnuEffectsFlipHoriz_Click();
    void mnuEffectsFlipVert_Click();
    void mnuEffectsRotateLeft_Click();
    void mnuEffectsRotateRight_Click();
    void mnuEffectsInvert_Click();

    const IconSlot &slot(int index) const { return Slots[std::size_t(index)]; }
    const IconSlot &currentSlot() const { return slot(CurrentSlot); }
    IconColour PaintColor() const { return colours->PaintColor(); }
    bool UndoAvailable() const { return m_canvas.undoAvailable(); }
    bool MouseIsDown() const { return m_canvas.strokeInProgress(); }
    const IconImage &planes() const { return m_canvas.planes(); }
    const QImage &gridOverlayPicture() const { return m_gridOverlay; }

    // Widgets.
    QToolButton *cmdNew = nullptr;
    QToolButton *cmdOpen = nullptr;
    QToolButton *cmdSave = nullptr;
    std::array<ToolImage *, 8> toolImages{};
    ToolImage *imgPaint = nullptr;
    SurroundingArea *picBigContainer = nullptr;
    MagnifiedView *picBig = nullptr;
    IconPicture *PicIcon = nullptr;
    std::array<IconPicture *, SlotCount> PanelIcons{};
    std::array<QLabel *, SlotCount> lblIcons{};
    QLabel *lblFileSpec = nullptr;
    QLabel *lblBigXY = nullptr;
    QLabel *lblOffsetXY = nullptr;
    QLabel *lblMix = nullptr;
    ColourChooser *colours = nullptr;

    // Menus.
    QMenu *mnuFile = nullptr;
    QAction *mnuFileNew = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuEditUndo = nullptr;
    QAction *cutAction = nullptr;
    QAction *copyAction = nullptr;
    QAction *pasteAction = nullptr;
    QAction *clearClipboardAction = nullptr;
    QMenu *mnuEffects = nullptr;
    QAction *mnuEffectsFlipHoriz = nullptr;
    QAction *mnuEffectsFlipVert = nullptr;
    QAction *mnuEffectsRotateLeft = nullptr;
    QAction *mnuEffectsRotateRight = nullptr;
    QAction *mnuEffectsInvert = nullptr;
    QMenu *mnuOptions = nullptr;
    QAction *mnuOptionsSolidGridlines = nullptr;
    QAction *mnuOptionsDottedGridlines = nullptr;
    QMenu *mnuTools = nullptr;
    QAction *mnuToolsPaint = nullptr;
    QMenu *extractionMenu = nullptr;
    QAction *showExtractionAction = nullptr;

signals:
    // An icon file was written (and read back): the cluster editor may offer it now.
    void iconSaved(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWidgets();
    void buildMenus();
    void connectWidgets();
    IconSlot &current() { return Slots[std::size_t(CurrentSlot)]; }
    // The save question before New, Open, a slot switch and closing; false abandons.
    bool askToSaveCurrent();
    void applyEffect(const std::function<IconImage(const IconImage &)> &effect);
    bool requireLoaded();
    void paintCell(double x, double y, bool startsStroke);
    std::optional<IconImage> readPicture(const QString &path, const QString &procedure);
    GridStyle gridStyle() const;
    // Menu items and shortcuts follow the state at once, not only when a menu opens.
    void refreshCommands();

    Dialogs &m_dialogs;
    QString m_iconFolder;
    IconCanvas m_canvas;
    QImage m_gridOverlay;
    bool m_closeConfirmed = false;
    int m_commandDepth = 0; // a File command is asking or writing; the window stays open

    IconSlotTable Slots{};
    qint16 CurrentSlot = 0;
    bool SaveFailed = false;
    QString WorkFileName;
    qint32 CellX = 0;
    qint32 CellY = 0;
};

// Shows the one icon editor window, making it when `window` holds none (it deletes
// itself when closed, which empties `window`), and brings it to the front.
frmIconEdit *showIconEditor(QPointer<frmIconEdit> &window, const QString &iconFolder, Dialogs &dialogs,
                            QWidget *parent = nullptr);

} // namespace kelvane

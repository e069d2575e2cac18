// The icon editor's magnified view, painting, tools, grid, undo and effects.

#include "kelvane/iconedit/frmIconEdit.h"

#include "kelvane/iconedit/IconEditorTexts.h"
#include "kelvane/iconedit/IconEffects.h"

#include <QAction>
#include <QLabel>

#include <cmath>

namespace kelvane {

GridStyle frmIconEdit::gridStyle() const
{
    if (mnuOptionsDottedGridlines->isChecked())
        return GridStyle::Dotted;
    if (mnuOptionsSolidGridlines->isChecked())
        return GridStyle::Solid;
    return GridStyle::None;
}

void frmIconEdit::CreateGrid()
{
    if (!current().Loaded || gridStyle() == GridStyle::None)
        return;
    m_gridOverlay = gridOverlay(gridStyle());
}

void frmIconEdit::MagnifyIcon()
{
    if (!PicIcon->icon())
        return;
    const QImage actualSize = composedImage(*PicIcon->icon(), ViewBackground);
    picBig->setPicture(magnify(actualSize, gridStyle() == GridStyle::None ? QImage() : m_gridOverlay));
}

void frmIconEdit::paintCell(double x, double y, bool startsStroke)
{
    const std::optional<int> column = paintedCell(x);
    const std::optional<int> row = paintedCell(y);
    if (startsStroke) {
        m_canvas.beginStroke(column.value_or(-1), row.value_or(-1), PaintColor());
        // Painted pixels count as a change at once, not only when the button comes up,
        // so a stroke that never sees its release is still asked about.
        current().Changed = true;
    } else if (!column || !row || !m_canvas.continueStroke(*column, *row, PaintColor())) {
        return;
    }
    picImageAndpicMask(PicIcon);
    MagnifyIcon();
    refreshCommands();
}

void frmIconEdit::picBig_MouseDown(Qt::MouseButton button, double x, double y)
{
    if (button != Qt::LeftButton)
        return;
    if (!current().Loaded) {
        m_dialogs.message(IconMessageTitle, NothingToPaintText, MessageIcon::None);
        return;
    }
    if (!imgPaint->looksSelected())
        return;
    CellX = qint32(std::trunc(x / CellPixels));
    CellY = qint32(std::trunc(y / CellPixels));
    paintCell(x, y, true);
}

void frmIconEdit::picBig_MouseMove(double x, double y)
{
    SetPaintPointer();
    if (!current().Loaded)
        return;
    CellX = qint32(std::trunc(x / CellPixels));
    CellY = qint32(std::trunc(y / CellPixels));
    lblBigXY->setText(cellLabel(x, y));
    if (imgPaint->looksSelected() && m_canvas.strokeInProgress())
        paintCell(x, y, false);
}

void frmIconEdit::picBig_MouseUp(Qt::MouseButton, double, double)
{
    if (!current().Loaded || !imgPaint->looksSelected())
        return;
    current().Changed = true;
    m_canvas.endStroke();
}

void frmIconEdit::picBigContainer_MouseMove()
{
    lblBigXY->clear();
    lblOffsetXY->clear();
    m_canvas.endStroke();
    picBig->unsetCursor();
}

void frmIconEdit::SetPaintPointer()
{
    if (imgPaint->looksSelected())
        picBig->setCursor(Qt::UpArrowCursor);
}

void frmIconEdit::imgPaint_Click()
{
    mnuToolsPaint->setChecked(!mnuToolsPaint->isChecked());
    mnuToolsPaint_Click();
}

void frmIconEdit::mnuToolsPaint_Click()
{
    SelectTool(mnuToolsPaint, imgPaint);
}

void frmIconEdit::SelectTool(QAction *menuItem, ToolImage *image)
{
    if (!current().Loaded) {
        ClearToolImages();
        UncheckToolMenus();
        EnableToolMenus(false);
    } else if (!menuItem->isChecked()) {
        image->setLooksSelected(false);
    } else {
        UncheckToolMenus();
        ClearToolImages();
        menuItem->setChecked(true);
        image->setLooksSelected(true);
    }
}

void frmIconEdit::ClearToolImages()
{
    for (ToolImage *image : toolImages)
        image->setLooksSelected(false);
}

void frmIconEdit::UncheckToolMenus()
{
    mnuToolsPaint->setChecked(false);
}

void frmIconEdit::EnableToolMenus(bool enabled)
{
    mnuToolsPaint->setEnabled(enabled);
}

void frmIconEdit::mnuTools_Click()
{
    if (current().Loaded) {
        EnableToolMenus(true);
    } else {
        ClearToolImages();
        UncheckToolMenus();
        EnableToolMenus(false);
    }
}

void frmIconEdit::mnuEdit_Click()
{
    ClearInfoLabels();
    refreshCommands();
}

void frmIconEdit::mnuOptions_Click()
{
    ClearInfoLabels();
}

bool frmIconEdit::requireLoaded()
{
    if (current().Loaded)
        return true;
    m_dialogs.message(IconMessageTitle, NoIconLoadedText, MessageIcon::None);
    return false;
}

void frmIconEdit::mnuEditUndo_Click()
{
    if (!requireLoaded() || !m_canvas.undo())
        return;
    picImageAndpicMask(PicIcon);
    MagnifyIcon();
    // What Undo brings back differs from what was there, so it is a change to save.
    current().Changed = true;
    refreshCommands();
}

void frmIconEdit::mnuOptionsSolidGridlines_Click()
{
    if (mnuOptionsSolidGridlines->isChecked())
        mnuOptionsDottedGridlines->setChecked(false);
    if (current().Loaded) {
        CreateGrid();
        MagnifyIcon();
    }
}

void frmIconEdit::mnuOptionsDottedGridlines_Click()
{
    if (mnuOptionsDottedGridlines->isChecked())
        mnuOptionsSolidGridlines->setChecked(false);
    if (current().Loaded) {
        CreateGrid();
        MagnifyIcon();
    }
}

void frmIconEdit::mnuEffects_Click()
{
    ClearInfoLabels();
    refreshCommands();
}

void frmIconEdit::applyEffect(const std::function<IconImage(const IconImage &)> &effect)
{
    if (!requireLoaded())
        return;
    m_canvas.applyEffect(effect);
    picImageAndpicMask(PicIcon);
    MagnifyIcon();
    // An effect changes the icon as much as painting does.
    current().Changed = true;
    refreshCommands();
}

void frmIconEdit::mnuEffectsFlipHoriz_Click()
{
    applyEffect(flipHorizontal);
}

void frmIconEdit::mnuEffectsFlipVert_Click()
{
    applyEffect(flipVertical);
}

void frmIconEdit::mnuEffectsRotateLeft_Click()
{
    applyEffect(rotateLeft);
}

void frmIconEdit::mnuEffectsRotateRight_Click()
{
    applyEffect(rotateRight);
}

void frmIconEdit::mnuEffectsInvert_Click()
{
    applyEffect(invertColours);
}

} // namespace kelvane

#include "kelvane/iconedit/IconCanvas.h"

namespace kelvane {

void IconCanvas::show(const IconImage &icon)
{
    m_planes = icon;
    m_undo = icon;
    m_undoAvailable = false;
    m_stroke = false;
}

void IconCanvas::saveUndo()
{
    m_undo = m_planes;
    m_undoAvailable = true;
}

void IconCanvas::paint(int cellX, int cellY, IconColour colour)
{
    // Painting always makes the pixel opaque; there is no transparent paint.
    if (IconImage::inside(cellX, cellY))
        m_planes.setPixel(cellX, cellY, colour, false);
}

void IconCanvas::beginStroke(int cellX, int cellY, IconColour colour)
{
    saveUndo();
    m_stroke = true;
    paint(cellX, cellY, colour);
}

bool IconCanvas::continueStroke(int cellX, int cellY, IconColour colour)
{
    if (!m_stroke || !IconImage::inside(cellX, cellY))
        return false;
    paint(cellX, cellY, colour);
    return true;
}

void IconCanvas::applyEffect(const std::function<IconImage(const IconImage &)> &effect)
{
    saveUndo();
    m_planes = effect(m_planes);
}

bool IconCanvas::undo()
{
    if (!m_undoAvailable)
        return false;
    m_undoAvailable = false;
    m_planes = m_undo;
    return true;
}

} // namespace kelvane

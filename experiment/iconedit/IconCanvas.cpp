#include "kelvane/iconedit/IconCanvas.h"

#include <cstdlib>

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
    m_lastCell = IconImage::inside(cellX, cellY) ? std::optional<QPoint>(QPoint(cellX, cellY)) : std::nullopt;
}

bool IconCanvas::continueStroke(int cellX, int cellY, IconColour colour)
{
    if (!m_stroke || !IconImage::inside(cellX, cellY))
        return false;
    const QPoint to(cellX, cellY);
    QPoint at = m_lastCell.value_or(to);
    // Bresenham's line: every step goes to one of the eight neighbouring cells.
    const int dx = std::abs(to.x() - at.x());
    const int dy = -std::abs(to.y() - at.y());
    const int stepX = at.x() < to.x() ? 1 : -1;
    const int stepY = at.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        paint(at.x(), at.y(), colour);
        if (at == to)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    m_lastCell = to;
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

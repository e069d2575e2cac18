#pragma once
// The icon being edited with its one level of undo. The undo copy is taken once when a
// paint stroke starts and once before each effect, so Undo always takes back exactly
// the last stroke or the last effect, however many cells the stroke painted.

#include "kelvane/iconedit/IconImage.h"

#include <QPoint>

#include <functional>
#include <optional>

namespace kelvane {

class IconCanvas
{
public:
    const IconImage &planes() const { return m_planes; }
    // Starts afresh from `icon`; nothing to undo.
    void show(const IconImage &icon);

    bool strokeInProgress() const { return m_stroke; }
    // Takes the undo copy, then paints the cell (when it lies on the icon).
    void beginStroke(int cellX, int cellY, IconColour colour);
    // Paints the cells of a line from the stroke's last painted cell to this one, so a
    // quick stroke whose pointer skips cells leaves no gaps. Returns whether it painted.
    bool continueStroke(int cellX, int cellY, IconColour colour);
    void endStroke() { m_stroke = false; }

    void applyEffect(const std::function<IconImage(const IconImage &)> &effect);

    bool undoAvailable() const { return m_undoAvailable; }
    void setUndoAvailable(bool available) { m_undoAvailable = available; }
    // Restores the undo copy; false when there was none.
    bool undo();

private:
    void saveUndo();
    void paint(int cellX, int cellY, IconColour colour);

    IconImage m_planes = IconImage::blank();
    IconImage m_undo = IconImage::blank();
    bool m_undoAvailable = false;
    bool m_stroke = false;
    std::optional<QPoint> m_lastCell;
};

} // namespace kelvane

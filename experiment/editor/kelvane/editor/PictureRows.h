#pragma once
// The editor's three picture rows, which trials are built from by dragging: "Items"
// (objects, DragBox), "Box" (closed boxes, EmptyBox) and "EmptyBox" (opened empty
// boxes, EmptyIcon). A right click on a picture asks to replace it.

#include "kelvane/editor/EditorDrag.h"
#include "kelvane/widgets/PictureRow.h"

#include <QWidget>

namespace kelvane {

class PictureRows : public QWidget
{
    Q_OBJECT

public:
    explicit PictureRows(QWidget *parent = nullptr);

    void setIconFolder(const QString &folder);
    void setDragToken(const QString &token) { m_token = token; }
    // Dragged pictures are shown at the size they will have on the layout area.
    void setDragPictureSize(int pixels) { m_dragPixels = pixels; }

    PictureRow *row(DragSourceKind kind) const;
    QStringList missingNames() const;

    PictureRow *DragBox = nullptr;
    PictureRow *EmptyBox = nullptr;
    PictureRow *EmptyIcon = nullptr;

Q_SIGNALS:
    void replaceRequested(kelvane::DragSourceKind row, int index);

private:
    void addRow(PictureRow *row, const QString &caption, DragSourceKind kind);
    void startDrag(DragSourceKind kind, int index, QPoint hotSpot);

    QString m_token;
    int m_dragPixels = 32;
};

} // namespace kelvane

#include "kelvane/editor/DragStart.h"

#include <QDrag>

namespace kelvane {

void runEditorDrag(QObject *source, const QString &token, const DragPayload &payload,
                   const QPixmap &picture)
{
    auto *drag = new QDrag(source);
    drag->setMimeData(editorDragData(token, payload));
    drag->setPixmap(picture);
    drag->setHotSpot(payload.hotSpot);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

} // namespace kelvane

#include "kelvane/editor/EditorDrag.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace kelvane {

QMimeData *editorDragData(const QString &token, const DragPayload &payload)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << token << qint32(payload.source.kind) << qint32(payload.source.index) << payload.hotSpot;
    auto *data = new QMimeData;
    data->setData(EditorDragFormat, bytes);
    return data;
}

std::optional<DragPayload> readEditorDrag(const QMimeData *data, const QString &token)
{
    if (!data || !data->hasFormat(EditorDragFormat))
        return std::nullopt;
    QDataStream in(data->data(EditorDragFormat));
    QString from;
    qint32 kind = -1;
    qint32 index = -1;
    QPoint hotSpot;
    in >> from >> kind >> index >> hotSpot;
    if (in.status() != QDataStream::Ok || from.isEmpty() || from != token
        || kind < qint32(DragSourceKind::ObjectPicture) || kind > qint32(DragSourceKind::LayoutBox)
        || index < 0)
        return std::nullopt;
    return DragPayload{{DragSourceKind(kind), index}, hotSpot};
}

DropAction decideDrop(DragSourceKind source, DropTargetKind target)
{
    switch (target) {
    case DropTargetKind::LayoutArea:
        if (source == DragSourceKind::LayoutBox)
            return DropAction::MoveBox;
        if (source == DragSourceKind::ClosedBoxPicture)
            return DropAction::CreateBox;
        return DropAction::Ignore;
    case DropTargetKind::Box:
        switch (source) {
        case DragSourceKind::ObjectPicture: return DropAction::PutObject;
        case DragSourceKind::OpenedBoxPicture: return DropAction::MakeEmpty;
        case DragSourceKind::LayoutBox: return DropAction::MoveBox;
        case DragSourceKind::ClosedBoxPicture: return DropAction::Ignore;
        }
        return DropAction::Ignore;
    case DropTargetKind::DeleteArea:
        return source == DragSourceKind::LayoutBox ? DropAction::DeleteBox : DropAction::Ignore;
    }
    return DropAction::Ignore;
}

DropAction decideDrop(DragSource source, DropTargetKind target, int targetBox)
{
    if (source.kind == DragSourceKind::LayoutBox && target == DropTargetKind::Box && source.index != targetBox)
        return DropAction::Ignore;
    return decideDrop(source.kind, target);
}

} // namespace kelvane

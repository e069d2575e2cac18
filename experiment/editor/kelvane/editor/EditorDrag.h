#pragma once
// What a drag inside the editor carries, and what a drop does. A drag only counts when
// it started in the same editor window: its data carries that window's token, which
// nothing outside the window knows, so files from the desktop or drags from another
// program (or another copy of kelvane) are ignored.

#include <QByteArray>
#include <QPoint>
#include <QString>

#include <optional>

class QMimeData;

namespace kelvane {

enum class DragSourceKind {
    ObjectPicture,   // "Items" row (DragBox)
    ClosedBoxPicture, // "Box" row (EmptyBox)
    OpenedBoxPicture, // "EmptyBox" row (EmptyIcon)
    LayoutBox,       // a box picture of the layout area
};

struct DragSource
{
    DragSourceKind kind = DragSourceKind::LayoutBox;
    int index = 0; // row position (from 0), or box number (from 1)
    friend bool operator==(const DragSource &, const DragSource &) = default;
};

struct DragPayload
{
    DragSource source;
    QPoint hotSpot; // where the pointer holds the dragged picture, in pixels
};

inline constexpr QLatin1StringView EditorDragFormat{"application/x-kelvane-editor-drag"};

QMimeData *editorDragData(const QString &token, const DragPayload &payload);
// Nothing unless the data came from a drag of the window holding `token`.
std::optional<DragPayload> readEditorDrag(const QMimeData *data, const QString &token);

enum class DropTargetKind { LayoutArea, Box, DeleteArea };

enum class DropAction { Ignore, CreateBox, MoveBox, PutObject, MakeEmpty, DeleteBox };

// Closed-box pictures make boxes on the layout area; boxes move on the layout area and
// on any box (themselves included, so that a small move works); objects and opened
// empty-box pictures act on the box they are dropped on; only boxes can be deleted.
DropAction decideDrop(DragSourceKind source, DropTargetKind target);
// The same for a drop on box `targetBox` (or on no box): a box dropped on another box
// would come to lie over it, so only a drop on itself (a small move) moves it.
DropAction decideDrop(DragSource source, DropTargetKind target, int targetBox);

} // namespace kelvane

#pragma once

#include "kelvane/editor/EditorDrag.h"

#include <QPixmap>

class QObject;

namespace kelvane {

// Runs a drag of the editor: the picture follows the pointer, held at the payload's
// hot spot. Returns when the picture has been dropped or the drag abandoned.
void runEditorDrag(QObject *source, const QString &token, const DragPayload &payload,
                   const QPixmap &picture);

} // namespace kelvane

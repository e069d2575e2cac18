#include "kelvane/editor/DeleteArea.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace kelvane {

DeleteArea::DeleteArea(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAcceptDrops(true);
    setAccessibleName(QStringLiteral("Delete"));
    setToolTip(QStringLiteral("Drop a box here to delete it"));
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_TrashIcon).pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);
    icon->setAccessibleName(QStringLiteral("Waste bin"));
    auto *caption = new QLabel(QStringLiteral("Delete"), this);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    layout->addWidget(caption);
    setMinimumSize(90, 80);
}

bool DeleteArea::accepts(QDropEvent *event)
{
    const auto payload = readEditorDrag(event->mimeData(), m_token);
    if (!payload || decideDrop(payload->source.kind, DropTargetKind::DeleteArea) == DropAction::Ignore) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    return true;
}

void DeleteArea::setHighlighted(bool highlighted)
{
    setBackgroundRole(highlighted ? QPalette::Highlight : QPalette::Window);
}

void DeleteArea::dragEnterEvent(QDragEnterEvent *event)
{
    setHighlighted(accepts(event));
}

void DeleteArea::dragMoveEvent(QDragMoveEvent *event)
{
    accepts(event);
}

void DeleteArea::dragLeaveEvent(QDragLeaveEvent *)
{
    setHighlighted(false);
}

void DeleteArea::dropEvent(QDropEvent *event)
{
    setHighlighted(false);
    const auto payload = readEditorDrag(event->mimeData(), m_token);
    if (!payload) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    Q_EMIT dropped(*payload);
}

} // namespace kelvane

#include "kelvane/editor/LayoutArea.h"

#include "kelvane/editor/DragStart.h"
#include "kelvane/editor/LayoutEditing.h"
#include "kelvane/model/LayoutGeometry.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPainter>

#include <cmath>

namespace kelvane {

namespace {

int pixelsOf(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

} // namespace

LayoutArea::LayoutArea(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setAcceptDrops(true);
    setAccessibleName(QStringLiteral("Trial Layout"));
    const int side = pixelsOf(LayoutAreaTwips) + 2 * frameWidth();
    setFixedSize(side, side);
}

void LayoutArea::setEmptyHint(const QString &hint)
{
    m_emptyHint = hint;
    setToolTip(hint);
    update();
}

void LayoutArea::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!m_boxes.isEmpty() || m_emptyHint.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const QRect text = contentsRect().adjusted(40, 40, -40, -40);
    painter.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, m_emptyHint);
}

void LayoutArea::setBoxSize(double twips)
{
    m_boxTwips = twips;
    m_boxPixels = std::max(1, pixelsOf(twips));
    for (PictureWidget *box : std::as_const(m_boxes))
        box->setFixedSize(m_boxPixels, m_boxPixels);
}

QPoint LayoutArea::twipsAt(QPointF pixels) const
{
    const QPointF inside = pixels - QPointF(frameWidth(), frameWidth());
    return {int(std::lround(inside.x() * TwipsPerPixel)), int(std::lround(inside.y() * TwipsPerPixel))};
}

QPoint LayoutArea::pixelsAt(QPoint twips) const
{
    return QPoint(pixelsOf(twips.x()), pixelsOf(twips.y())) + QPoint(frameWidth(), frameWidth());
}

void LayoutArea::showTrial(const ClusterModel &cluster, int trial)
{
    const int count = cluster.CountBoxes(trial);
    while (m_boxes.size() > count)
        retire(m_boxes.takeLast());
    const int target = targetBox(cluster, trial);
    for (int k = 1; k <= count; ++k) {
        if (k > m_boxes.size())
            m_boxes.append(newBox());
        PictureWidget *picture = m_boxes[k - 1];
        const BoxRecord &record = cluster.box(trial, k);
        picture->setRole(QStringLiteral("Box %1").arg(k));
        picture->setPicture(m_iconFolder, record.Empty ? record.BoxIconFile : record.ContentFile);
        picture->setToolTip(boxToolTip(cluster, trial, k));
        picture->move(pixelsAt(QPoint(record.Left, record.Top)));
        picture->setFramed(k == target);
        picture->show();
    }
    update();
}

void LayoutArea::removeBoxes()
{
    while (!m_boxes.isEmpty())
        retire(m_boxes.takeLast());
    update();
}

QStringList LayoutArea::missingNames() const
{
    QStringList missing;
    for (const PictureWidget *box : m_boxes) {
        if (box->isMissing() && !missing.contains(box->fileName()))
            missing.append(box->fileName());
    }
    return missing;
}

PictureWidget *LayoutArea::newBox()
{
    auto *box = new PictureWidget(this);
    box->setFixedSize(m_boxPixels, m_boxPixels);
    box->setDragEnabled(true);
    // Numbers are looked up when the gesture happens: after a delete, this picture may
    // show another box.
    connect(box, &PictureWidget::rightClicked, this, [this, box] {
        if (const qsizetype at = m_boxes.indexOf(box); at >= 0)
            Q_EMIT boxRightClicked(int(at) + 1);
    });
    connect(box, &PictureWidget::dragRequested, this,
            [this, box](QPoint hotSpot) { startBoxDrag(box, hotSpot); });
    return box;
}

void LayoutArea::retire(PictureWidget *box)
{
    box->hide();
    if (m_dragging)
        m_retired.append(box);
    else
        box->deleteLater();
}

void LayoutArea::startBoxDrag(PictureWidget *box, QPoint hotSpot)
{
    const qsizetype at = m_boxes.indexOf(box);
    if (at < 0)
        return;
    m_dragging = true;
    runEditorDrag(this, m_token, {{DragSourceKind::LayoutBox, int(at) + 1}, hotSpot},
                  box->rendering(box->size()));
    m_dragging = false;
    for (const QPointer<PictureWidget> &retired : std::as_const(m_retired)) {
        if (retired)
            retired->deleteLater();
    }
    m_retired.clear();
}

int LayoutArea::boxAt(QPointF position) const
{
    // The topmost picture under the pointer, as the researcher sees them stacked.
    for (qsizetype i = m_boxes.size() - 1; i >= 0; --i) {
        if (m_boxes[i]->isVisible() && m_boxes[i]->geometry().contains(position.toPoint()))
            return int(i) + 1;
    }
    return 0;
}

void LayoutArea::dragEnterEvent(QDragEnterEvent *event)
{
    // Taken whatever lies under the pointer on the way in: an area that refuses the
    // enter gets no more moves, and an object must be carried across free space to
    // reach a box. Each move then says whether a drop there would do anything.
    if (readEditorDrag(event->mimeData(), m_token)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

std::optional<DragPayload> LayoutArea::acceptDrop(QDropEvent *event, DropTargetKind target, int box) const
{
    auto payload = readEditorDrag(event->mimeData(), m_token);
    if (!payload || decideDrop(payload->source, target, box) == DropAction::Ignore) {
        event->ignore();
        return std::nullopt;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    return payload;
}

void LayoutArea::dragMoveEvent(QDragMoveEvent *event)
{
    const int box = boxAt(event->position());
    acceptDrop(event, box ? DropTargetKind::Box : DropTargetKind::LayoutArea, box);
}

void LayoutArea::dropEvent(QDropEvent *event)
{
    const int box = boxAt(event->position());
    const DropTargetKind target = box ? DropTargetKind::Box : DropTargetKind::LayoutArea;
    const auto payload = acceptDrop(event, target, box);
    if (!payload)
        return;
    const QPoint corner = twipsAt(event->position() - QPointF(payload->hotSpot));
    Q_EMIT dropped(*payload, target, box, keptInLayout(corner, int(std::lround(m_boxTwips))));
}

} // namespace kelvane

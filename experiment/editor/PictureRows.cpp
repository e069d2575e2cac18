#include "kelvane/editor/PictureRows.h"

#include "kelvane/editor/DragStart.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kelvane {

namespace {

constexpr int RowPicturePixels = 32;

} // namespace

PictureRows::PictureRows(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    using Gesture = PictureRow::ReplaceGesture;
    DragBox = new PictureRow(6, QStringLiteral("Object picture"), Gesture::RightClick, this);
    EmptyBox = new PictureRow(4, QStringLiteral("Closed box picture"), Gesture::RightClick, this);
    EmptyIcon = new PictureRow(4, QStringLiteral("Opened empty box picture"), Gesture::RightClick, this);
    addRow(DragBox, QStringLiteral("Items"), DragSourceKind::ObjectPicture);
    addRow(EmptyBox, QStringLiteral("Box"), DragSourceKind::ClosedBoxPicture);
    addRow(EmptyIcon, QStringLiteral("EmptyBox"), DragSourceKind::OpenedBoxPicture);
}

void PictureRows::addRow(PictureRow *row, const QString &caption, DragSourceKind kind)
{
    auto *frame = new QGroupBox(caption, this);
    frame->setAccessibleName(caption);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(row);
    row->setPictureSize(RowPicturePixels);
    row->setNamesShown(true);
    row->setDragEnabled(true);
    connect(row, &PictureRow::replaceRequested, this,
            [this, kind](int index) { Q_EMIT replaceRequested(kind, index); });
    connect(row, &PictureRow::dragRequested, this,
            [this, kind](int index, QPoint hotSpot) { startDrag(kind, index, hotSpot); });
    layout()->addWidget(frame);
}

void PictureRows::setIconFolder(const QString &folder)
{
    for (PictureRow *row : {DragBox, EmptyBox, EmptyIcon})
        row->setIconFolder(folder);
}

PictureRow *PictureRows::row(DragSourceKind kind) const
{
    switch (kind) {
    case DragSourceKind::ObjectPicture: return DragBox;
    case DragSourceKind::ClosedBoxPicture: return EmptyBox;
    case DragSourceKind::OpenedBoxPicture: return EmptyIcon;
    case DragSourceKind::LayoutBox: break;
    }
    return nullptr;
}

QStringList PictureRows::missingNames() const
{
    QStringList missing;
    for (const PictureRow *row : {DragBox, EmptyBox, EmptyIcon}) {
        for (const QString &name : row->missingNames()) {
            if (!missing.contains(name))
                missing.append(name);
        }
    }
    return missing;
}

void PictureRows::startDrag(DragSourceKind kind, int index, QPoint hotSpot)
{
    PictureWidget *picture = row(kind)->picture(index);
    // Held at the same place of the larger (or smaller) picture the drop will make.
    const double scale = double(m_dragPixels) / double(std::max(1, picture->width()));
    const QPoint scaledHotSpot(int(hotSpot.x() * scale), int(hotSpot.y() * scale));
    runEditorDrag(this, m_token, {{kind, index}, scaledHotSpot},
                  picture->rendering(QSize(m_dragPixels, m_dragPixels)));
}

} // namespace kelvane

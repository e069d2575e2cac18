#pragma once
// The "Trial Layout" area: the boxes of the trial shown, at their places in the 7000 x
// 7000 twip square (15 twips to the pixel), as drop target and drag source.

#include "kelvane/editor/EditorDrag.h"
#include "kelvane/model/ClusterModel.h"
#include "kelvane/widgets/PictureWidget.h"

#include <QFrame>
#include <QList>
#include <QPointer>

namespace kelvane {

class LayoutArea : public QFrame
{
    Q_OBJECT

public:
    explicit LayoutArea(QWidget *parent = nullptr);

    void setIconFolder(const QString &folder) { m_iconFolder = folder; }
    void setDragToken(const QString &token) { m_token = token; }
    // Written across the area while it holds no box.
    void setEmptyHint(const QString &hint);
    // Width and height of every box picture, in twips.
    void setBoxSize(double twips);
    int boxPixels() const { return m_boxPixels; }

    // Shows boxes 1..n of the trial as the model holds them, the target framed.
    void showTrial(const ClusterModel &cluster, int trial);
    void removeBoxes();

    int boxCount() const { return int(m_boxes.size()); }
    // Box picture `number` (from 1).
    PictureWidget *box(int number) const { return m_boxes.at(number - 1); }
    QStringList missingNames() const;

    // The layout area's point for a point of this widget, and back.
    QPoint twipsAt(QPointF pixels) const;
    QPoint pixelsAt(QPoint twips) const;

Q_SIGNALS:
    // A drop of this window's drag, on a box or on the free area; `corner` is where the
    // top-left corner of the dropped picture was seen, in twips, kept inside the area.
    // Drags over a box come here too, so a box can refuse a drop without the area
    // beneath taking it.
    void dropped(const kelvane::DragPayload &payload, kelvane::DropTargetKind target, int box,
                 QPoint corner);
    void boxRightClicked(int box);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The box whose picture is under `position` (topmost first), or 0.
    int boxAt(QPointF position) const;
    // Accepts the drag event when a drop of it on `target` (box `box`, or 0) would do
    // something, and gives its payload; otherwise ignores the event.
    std::optional<DragPayload> acceptDrop(QDropEvent *event, DropTargetKind target, int box) const;
    PictureWidget *newBox();
    void retire(PictureWidget *box);
    void startBoxDrag(PictureWidget *box, QPoint hotSpot);

    QString m_iconFolder;
    QString m_token;
    QString m_emptyHint;
    double m_boxTwips = 480;
    int m_boxPixels = 32;
    QList<PictureWidget *> m_boxes;
    // A box removed while it is being dragged must outlive the drag.
    bool m_dragging = false;
    QList<QPointer<PictureWidget>> m_retired;
};

} // namespace kelvane

#include "kelvane/iconedit/ToolPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kelvane {

namespace {

constexpr int Side = 20;

void drawPencil(QPainter &p)
{
    // A pencil lying from the bottom left (its point) to the top right.
    QPainterPath body;
    body.moveTo(3, 17);
    body.lineTo(5, 12);
    body.lineTo(14, 3);
    body.lineTo(17, 6);
    body.lineTo(8, 15);
    body.closeSubpath();
    p.setBrush(QColor(240, 200, 40));
    p.drawPath(body);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(3, 17), QPointF(4, 14), QPointF(6, 16)}));
}

void drawBucket(QPainter &p)
{
    p.setBrush(QColor(200, 200, 200));
    p.drawPolygon(QPolygonF({QPointF(4, 8), QPointF(11, 3), QPointF(17, 10), QPointF(10, 16)}));
    p.setBrush(QColor(0, 0, 200));
    p.drawEllipse(QRectF(14, 12, 4, 5));
}

} // namespace

QPixmap toolPicture(Tool tool)
{
    QPixmap picture(Side, Side);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    const QRectF box(3.5, 5.5, 13, 9);
    switch (tool) {
    case Tool::Paint: drawPencil(p); break;
    case Tool::Fill: drawBucket(p); break;
    case Tool::Line: p.drawLine(QPointF(3.5, 16.5), QPointF(16.5, 3.5)); break;
    case Tool::Square: p.drawRect(box); break;
    case Tool::FilledSquare:
        p.setBrush(Qt::black);
        p.drawRect(box);
        break;
    case Tool::Circle: p.drawEllipse(box); break;
    case Tool::FilledCircle:
        p.setBrush(Qt::black);
        p.drawEllipse(box);
        break;
    case Tool::Region:
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(box);
        break;
    }
    return picture;
}

} // namespace kelvane

#include "kelvane/iconedit/IconWidgets.h"

#include "kelvane/iconedit/MagnifiedGrid.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvane {

IconPicture::IconPicture(const QString &accessibleName, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    const int side = IconImage::Size + 2 * frameWidth();
    setFixedSize(side, side);
    setAccessibleName(accessibleName);
}

void IconPicture::setIcon(const IconImage &icon)
{
    m_icon = icon;
    m_shown = composedImage(icon, ViewBackground);
    update();
}

void IconPicture::clear()
{
    m_icon.reset();
    m_shown = QImage();
    update();
}

void IconPicture::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.fillRect(inside, QColor::fromRgb(toQRgb(ViewBackground)));
    if (!m_shown.isNull())
        painter.drawImage(inside.topLeft(), m_shown);
}

void IconPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

MagnifiedView::MagnifiedView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(MagnifiedSize, MagnifiedSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Magnified icon"));
}

void MagnifiedView::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void MagnifiedView::clear()
{
    m_picture = QImage();
    update();
}

void MagnifiedView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), palette().base());
    else
        painter.drawImage(0, 0, m_picture);
}

void MagnifiedView::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), event->position().x(), event->position().y());
}

void MagnifiedView::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event->position().x(), event->position().y());
}

void MagnifiedView::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button(), event->position().x(), event->position().y());
}

SurroundingArea::SurroundingArea(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void SurroundingArea::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    emit pointerMoved();
}

ToolImage::ToolImage(const QPixmap &picture, const QString &toolTip, QWidget *parent) : QLabel(parent)
{
    setPixmap(picture);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setAlignment(Qt::AlignCenter);
    setLineWidth(2);
    setFixedSize(picture.width() + 8, picture.height() + 8);
    setLooksSelected(false);
}

void ToolImage::setLooksSelected(bool selected)
{
    m_selected = selected;
    setFrameStyle(selected ? (QFrame::Panel | QFrame::Raised) : QFrame::NoFrame);
}

void ToolImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

ColourBox::ColourBox(const QString &accessibleName, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAccessibleName(accessibleName);
}

void ColourBox::fill(IconColour colour)
{
    m_colour = colour & 0xFFFFFF;
    update();
}

void ColourBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(contentsRect(), QColor::fromRgb(toQRgb(m_colour)));
}

void ColourBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QFrame::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void ColourBox::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button());
}

} // namespace kelvane

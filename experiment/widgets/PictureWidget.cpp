#include "kelvane/widgets/PictureWidget.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

namespace kelvane {

namespace {

void paintPlaceholder(QPainter &painter, const QRect &area, const QString &name)
{
    painter.fillRect(area, QColor(224, 224, 224));
    painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPixelSize(qBound(7, area.height() / 4, 12));
    painter.setFont(font);
    painter.setPen(QColor(64, 64, 64));
    const QRect inner = area.adjusted(2, 2, -2, -2);
    // File names seldom have blanks: let them break anywhere rather than be cut off.
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWrapAnywhere, name);
}

// A layout shows the same few pictures on many boxes and is rebuilt after every
// gesture; a file is decoded again only when it has changed on disk.
QPixmap loadPicture(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    const QString key = QStringLiteral("kelvane-picture:%1:%2:%3")
                            .arg(file.absoluteFilePath())
                            .arg(file.lastModified().toMSecsSinceEpoch())
                            .arg(file.size());
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    const QImage image = QImageReader(path).read();
    if (image.isNull())
        return {};
    picture = QPixmap::fromImage(image);
    QPixmapCache::insert(key, picture);
    return picture;
}

} // namespace

PictureWidget::PictureWidget(QWidget *parent) : QWidget(parent)
{
    describe();
}

void PictureWidget::setRole(const QString &role)
{
    m_role = role;
    describe();
}

void PictureWidget::setPicture(const QString &iconFolder, const QString &name)
{
    m_name = name;
    m_picture = name.isEmpty() ? QPixmap() : loadPicture(QDir(iconFolder).filePath(name));
    describe();
    update();
}

void PictureWidget::clearPicture()
{
    m_name.clear();
    m_picture = QPixmap();
    describe();
    update();
}

QPixmap PictureWidget::rendering(QSize size) const
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintPicture(painter, QRect(QPoint(0, 0), size));
    return pixmap;
}

void PictureWidget::setFramed(bool framed)
{
    m_framed = framed;
    update();
}

void PictureWidget::describe()
{
    QString text = m_name.isEmpty() ? QStringLiteral("no picture") : m_name;
    if (isMissing())
        text += QStringLiteral(" (missing)");
    if (!m_role.isEmpty())
        text = m_role + QStringLiteral(": ") + text;
    setAccessibleName(text);
    setToolTip(text);
}

void PictureWidget::paintPicture(QPainter &painter, const QRect &area) const
{
    if (!m_picture.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, m_picture.size() != area.size());
        painter.drawPixmap(area, m_picture);
    } else if (!m_name.isEmpty()) {
        paintPlaceholder(painter, area, m_name);
    }
}

void PictureWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintPicture(painter, rect());
    if (m_name.isEmpty()) {
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (m_framed) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureWidget::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button();
    m_pressPosition = event->position().toPoint();
}

void PictureWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed != Qt::LeftButton || !m_dragEnabled)
        return;
    if ((event->position().toPoint() - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressed = Qt::NoButton;
    Q_EMIT dragRequested(m_pressPosition);
}

void PictureWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const bool onPicture = rect().contains(event->position().toPoint());
    const Qt::MouseButton pressed = m_pressed;
    m_pressed = Qt::NoButton;
    if (!onPicture || event->button() != pressed)
        return;
    if (pressed == Qt::LeftButton)
        Q_EMIT clicked();
    else if (pressed == Qt::RightButton)
        Q_EMIT rightClicked();
}

} // namespace kelvane

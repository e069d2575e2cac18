#pragma once
// A picture from the icon folder, shown by its bare file name. A file that is missing
// or cannot be read shows as a neutral placeholder naming the file, so a layout with a
// lost picture can still be seen and mended.

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace kelvane {

class PictureWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PictureWidget(QWidget *parent = nullptr);

    // What the picture stands for, e.g. "Closed box 2"; with the file name it makes the
    // tooltip and the name screen readers announce.
    void setRole(const QString &role);
    const QString &role() const { return m_role; }

    // Loads `name` from `iconFolder`. An empty name leaves the place empty.
    void setPicture(const QString &iconFolder, const QString &name);
    void clearPicture();

    const QString &fileName() const { return m_name; }
    // A name is set but its file could not be loaded.
    bool isMissing() const { return !m_name.isEmpty() && m_picture.isNull(); }
    const QPixmap &picture() const { return m_picture; }

    // What the widget shows, drawn at `size` (the placeholder when missing).
    QPixmap rendering(QSize size) const;

    // A single-line border round the picture.
    void setFramed(bool framed);
    bool isFramed() const { return m_framed; }

    // Pressing the left button and moving far enough asks for a drag.
    void setDragEnabled(bool enabled) { m_dragEnabled = enabled; }

    QSize sizeHint() const override { return {32, 32}; }

Q_SIGNALS:
    void clicked();
    void rightClicked();
    // Where in the picture the pointer took hold of it.
    void dragRequested(QPoint hotSpot);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintPicture(QPainter &painter, const QRect &area) const;
    void describe();

    QString m_role;
    QString m_name;
    QPixmap m_picture;
    bool m_framed = false;
    bool m_dragEnabled = false;
    Qt::MouseButton m_pressed = Qt::NoButton;
    QPoint m_pressPosition;
};

} // namespace kelvane

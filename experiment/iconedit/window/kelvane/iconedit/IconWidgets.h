#pragma once
// The picture widgets of the icon editor. They only show what they are given and
// report the mouse; the window decides what happens.

#include "kelvane/iconedit/IconImage.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <optional>

namespace kelvane {

// An icon at actual size over the editor's view background, or nothing (cleared).
class IconPicture : public QFrame
{
    Q_OBJECT

public:
    explicit IconPicture(const QString &accessibleName, QWidget *parent = nullptr);

    const std::optional<IconImage> &icon() const { return m_icon; }
    void setIcon(const IconImage &icon);
    void clear();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::optional<IconImage> m_icon;
    QImage m_shown;
};

// The 256 x 256 magnified view. Positions are reported in pixels of the view, as
// floating point, also outside it while a button is held.
class MagnifiedView : public QWidget
{
    Q_OBJECT

public:
    explicit MagnifiedView(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    void clear();

signals:
    void pressed(Qt::MouseButton button, double x, double y);
    void moved(double x, double y);
    void released(Qt::MouseButton button, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
};

// The area around a widget that reports pointer moves over itself only (not over the
// widget it holds), so leaving the inner widget can be noticed.
class SurroundingArea : public QWidget
{
    Q_OBJECT

public:
    explicit SurroundingArea(QWidget *parent = nullptr);

signals:
    void pointerMoved();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};

// A tool of the tool strip: a picture in a frame that looks raised when selected.
class ToolImage : public QLabel
{
    Q_OBJECT

public:
    ToolImage(const QPixmap &picture, const QString &toolTip, QWidget *parent = nullptr);

    bool looksSelected() const { return m_selected; }
    void setLooksSelected(bool selected);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_selected = false;
};

// A box filled with one colour.
class ColourBox : public QFrame
{
    Q_OBJECT

public:
    ColourBox(const QString &accessibleName, QWidget *parent = nullptr);

    IconColour colour() const { return m_colour; }
    void fill(IconColour colour);

signals:
    void doubleClicked();
    void released(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    IconColour m_colour = 0;
};

} // namespace kelvane

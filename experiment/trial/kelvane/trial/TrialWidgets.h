#pragma once
// The two kinds of drawn parts of the trial screen that are not stock widgets.

#include "kelvane/trial/PointerInput.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace kelvane {

// A picture scaled to the widget's size. A mouse click (press and release on it), a
// touch or a pen going down on it is reported with `clicked`; what it means is the
// trial window's to decide.
class BoxPicture : public QWidget
{
    Q_OBJECT

public:
    explicit BoxPicture(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

Q_SIGNALS:
    void clicked(const kelvane::BoxPress &press);
    // At the end of every paint; lets a benchmark see when a change has been drawn.
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    bool m_pressed = false;
    quint64 m_pressedAt = 0;
    bool m_pressMadeFromContact = false;
};

// A rectangle outline drawn in one colour; it lets clicks through.
class Outline : public QWidget
{
    Q_OBJECT

public:
    explicit Outline(QWidget *parent = nullptr);
    void setColour(const QColor &colour);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::white;
};

} // namespace kelvane

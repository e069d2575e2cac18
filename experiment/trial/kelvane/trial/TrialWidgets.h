#pragma once
// The two kinds of drawn parts of the trial screen that are not stock widgets.

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace kelvane {

// A picture scaled to the widget's size; a click (press and release on it) is
// reported with `clicked`, with the platform's timestamps of the press and the release
// (milliseconds of the platform's input clock; 0 where an event carried none).
class BoxPicture : public QWidget
{
    Q_OBJECT

public:
    explicit BoxPicture(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

Q_SIGNALS:
    void clicked(quint64 pressedAt, quint64 releasedAt);
    // At the end of every paint; lets a benchmark see when a change has been drawn.
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    bool m_pressed = false;
    quint64 m_pressedAt = 0;
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

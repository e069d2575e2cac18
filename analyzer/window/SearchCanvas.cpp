#include "SearchCanvas.h"

#include <QKeyEvent>
#include <QPainter>

namespace kelvane::analyzer {

SearchCanvas::SearchCanvas(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(240, 260);
    setAccessibleName(QStringLiteral("No search shown"));
}

void SearchCanvas::showSearch(const report::DrawnSearch &search, const std::optional<report::TrialLayout> &layout)
{
    m_search = search;
    m_layout = layout;
    setSteps(int(search.steps.size()));
}

void SearchCanvas::clear()
{
    m_search.reset();
    m_layout.reset();
    setSteps(0);
}

void SearchCanvas::stepForward()
{
    setSteps(m_steps + 1);
}

void SearchCanvas::stepBack()
{
    setSteps(m_steps - 1);
}

void SearchCanvas::setSteps(int steps)
{
    m_steps = std::clamp(steps, 0, stepCount());
    setAccessibleName(m_search ? QStringLiteral("Search of trial %1 on its layout, %2 of %3 clicks shown")
                                     .arg(m_search->trial).arg(m_steps).arg(stepCount())
                               : QStringLiteral("No search shown"));
    update();
    emit stepsChanged();
}

void SearchCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!m_search)
        return;
    const double legendHeight = fontMetrics().height() * 2.8;
    const QRectF drawing = QRectF(rect()).adjusted(6, 6, -6, -6 - legendHeight);
    report::drawSearch(painter, drawing, m_layout, *m_search, m_steps);
    report::drawLegend(painter, QRectF(6, height() - legendHeight, width() - 12, legendHeight),
                       fontMetrics().height() * 0.8);
}

void SearchCanvas::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        stepForward();
        break;
    case Qt::Key_Left:
        stepBack();
        break;
    case Qt::Key_Home:
        setSteps(0);
        break;
    case Qt::Key_End:
        setSteps(stepCount());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace kelvane::analyzer

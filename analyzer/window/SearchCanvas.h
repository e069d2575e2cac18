#pragma once
// One search drawn large, with the report's own drawing routine; the arrow keys add or
// take back one click at a time.

#include "ReportPages.h"

#include <QWidget>

namespace kelvane::analyzer {

class SearchCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit SearchCanvas(QWidget *parent = nullptr);

    // Shows `search` on `layout` (none: as box numbers) with every click drawn.
    void showSearch(const report::DrawnSearch &search, const std::optional<report::TrialLayout> &layout);
    void clear();

    int stepsShown() const { return m_steps; }
    int stepCount() const { return m_search ? int(m_search->steps.size()) : 0; }
    void stepForward();
    void stepBack();

    QSize sizeHint() const override { return {460, 500}; }

signals:
    void stepsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setSteps(int steps);

    std::optional<report::DrawnSearch> m_search;
    std::optional<report::TrialLayout> m_layout;
    int m_steps = 0;
};

} // namespace kelvane::analyzer

#pragma once
// A pair of arrow buttons that move the selected entry of a list one place up or down.

#include <QWidget>

class QToolButton;

namespace kelvane {

class UpDownButtons : public QWidget
{
    Q_OBJECT

public:
    explicit UpDownButtons(QWidget *parent = nullptr);

    QToolButton *up = nullptr;
    QToolButton *down = nullptr;

Q_SIGNALS:
    void upClicked();
    void downClicked();
};

} // namespace kelvane

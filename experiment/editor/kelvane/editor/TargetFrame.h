#pragma once
// The "Target" frame: the number of the selected trial's target box and its picture.

#include "kelvane/model/ClusterModel.h"
#include "kelvane/widgets/PictureWidget.h"

#include <QGroupBox>

class QLabel;

namespace kelvane {

class TargetFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit TargetFrame(QWidget *parent = nullptr);

    // The trial's target as the model holds it; no number and no picture without one.
    void showTarget(const ClusterModel &cluster, int trial, const QString &iconFolder);
    void setPictureSize(int pixels);

    QLabel *TargetNumberText = nullptr;
    PictureWidget *TargetIcon = nullptr;
};

} // namespace kelvane

#include "kelvane/editor/TargetFrame.h"

#include "kelvane/editor/LayoutEditing.h"

#include <QHBoxLayout>
#include <QLabel>

namespace kelvane {

TargetFrame::TargetFrame(QWidget *parent) : QGroupBox(QStringLiteral("Target"), parent)
{
    setAccessibleName(QStringLiteral("Target"));
    auto *layout = new QHBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("Field number:"), this);
    TargetNumberText = new QLabel(this);
    TargetNumberText->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
    caption->setBuddy(TargetNumberText);
    TargetIcon = new PictureWidget(this);
    TargetIcon->setRole(QStringLiteral("Target picture"));
    layout->addWidget(caption);
    layout->addWidget(TargetNumberText);
    layout->addWidget(TargetIcon);
    layout->addStretch(1);
    setPictureSize(32);
    TargetNumberText->setAccessibleName(QStringLiteral("Field number: none"));
}

void TargetFrame::setPictureSize(int pixels)
{
    TargetIcon->setFixedSize(pixels, pixels);
}

void TargetFrame::showTarget(const ClusterModel &cluster, int trial, const QString &iconFolder)
{
    const int box = targetBox(cluster, trial);
    if (box == 0) {
        TargetNumberText->clear();
        TargetNumberText->setAccessibleName(QStringLiteral("Field number: none"));
        TargetIcon->clearPicture();
        return;
    }
    TargetNumberText->setText(QString::number(box));
    TargetNumberText->setAccessibleName(QStringLiteral("Field number: %1").arg(box));
    TargetIcon->setPicture(iconFolder, cluster.box(trial, box).ContentFile);
}

} // namespace kelvane

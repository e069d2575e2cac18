#include "kelvane/widgets/PictureRow.h"

#include <QGridLayout>
#include <QLabel>

namespace kelvane {

PictureRow::PictureRow(int count, const QString &role, ReplaceGesture gesture, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(2);
    for (int i = 0; i < count; ++i) {
        auto *picture = new PictureWidget(this);
        picture->setRole(QStringLiteral("%1 %2").arg(role).arg(i + 1));
        picture->setFixedSize(m_pictureSize, m_pictureSize);
        connect(picture, gesture == ReplaceGesture::Click ? &PictureWidget::clicked
                                                          : &PictureWidget::rightClicked,
                this, [this, i] { Q_EMIT replaceRequested(i); });
        connect(picture, &PictureWidget::dragRequested, this, [this, i](QPoint hotSpot) {
            if (!name(i).isEmpty())
                Q_EMIT dragRequested(i, hotSpot);
        });
        layout->addWidget(picture, 0, i, Qt::AlignHCenter);
        auto *caption = new QLabel(this);
        QFont font = caption->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        caption->setFont(font);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->hide();
        layout->addWidget(caption, 1, i, Qt::AlignHCenter);
        m_pictures.append(picture);
        m_captions.append(caption);
    }
    layout->setColumnStretch(count, 1);
}

void PictureRow::setPictureSize(int pixels)
{
    m_pictureSize = pixels;
    for (PictureWidget *picture : std::as_const(m_pictures))
        picture->setFixedSize(pixels, pixels);
}

void PictureRow::setNamesShown(bool shown)
{
    for (QLabel *caption : std::as_const(m_captions))
        caption->setVisible(shown);
}

void PictureRow::setNames(const QStringList &names)
{
    for (int i = 0; i < count(); ++i)
        setName(i, i < names.size() ? names[i] : QString());
}

void PictureRow::setName(int index, const QString &name)
{
    setName(index, name, m_iconFolder);
}

void PictureRow::setName(int index, const QString &name, const QString &folder)
{
    m_pictures.at(index)->setPicture(folder, name);
    m_pictures.at(index)->setDragEnabled(m_dragEnabled && !name.isEmpty());
    updateCaption(index);
}

QStringList PictureRow::names() const
{
    QStringList names;
    for (const PictureWidget *picture : m_pictures)
        names.append(picture->fileName());
    return names;
}

QStringList PictureRow::missingNames() const
{
    QStringList missing;
    for (const PictureWidget *picture : m_pictures) {
        if (picture->isMissing())
            missing.append(picture->fileName());
    }
    return missing;
}

void PictureRow::setDragEnabled(bool enabled)
{
    m_dragEnabled = enabled;
    for (PictureWidget *picture : std::as_const(m_pictures))
        picture->setDragEnabled(enabled && !picture->fileName().isEmpty());
}

void PictureRow::updateCaption(int index)
{
    QLabel *caption = m_captions.at(index);
    caption->setText(m_pictures.at(index)->fileName());
    caption->setAccessibleName(caption->text());
}

} // namespace kelvane

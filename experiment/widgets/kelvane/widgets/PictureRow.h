#pragma once
// A row of pictures from the icon folder, each known by its bare file name: the
// objects, closed boxes and opened empty boxes the researcher builds trials from.

#include "kelvane/widgets/PictureWidget.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;

namespace kelvane {

class PictureRow : public QWidget
{
    Q_OBJECT

public:
    // How the researcher asks to replace a picture of the row.
    enum class ReplaceGesture { Click, RightClick };

    // `role` names each picture with its place: "Object picture" gives "Object picture 3".
    PictureRow(int count, const QString &role, ReplaceGesture gesture, QWidget *parent = nullptr);

    int count() const { return int(m_pictures.size()); }
    PictureWidget *picture(int index) const { return m_pictures.at(index); }

    void setIconFolder(const QString &folder) { m_iconFolder = folder; }
    const QString &iconFolder() const { return m_iconFolder; }

    // Width and height of every picture, in pixels.
    void setPictureSize(int pixels);
    int pictureSize() const { return m_pictureSize; }

    // Shows each file name under its picture.
    void setNamesShown(bool shown);

    // Loads the pictures for the names; positions beyond the names are left empty.
    void setNames(const QStringList &names);
    void setName(int index, const QString &name);
    // Shows the picture `name` from `folder` instead of the icon folder, still known by
    // its bare name: a picture chosen elsewhere that is copied in only later.
    void setName(int index, const QString &name, const QString &folder);
    QString name(int index) const { return m_pictures.at(index)->fileName(); }
    QStringList names() const;
    // Names whose files could not be loaded.
    QStringList missingNames() const;

    // Pressing and moving on a picture with a name asks for a drag; an empty position
    // cannot be dragged.
    void setDragEnabled(bool enabled);

Q_SIGNALS:
    void replaceRequested(int index);
    void dragRequested(int index, QPoint hotSpot);

private:
    void updateCaption(int index);

    QList<PictureWidget *> m_pictures;
    QList<QLabel *> m_captions;
    QString m_iconFolder;
    int m_pictureSize = 32;
    bool m_dragEnabled = false;
};

} // namespace kelvane

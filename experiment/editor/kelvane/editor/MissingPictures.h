#pragma once
// Pictures a cluster or a picture row names but the icon folder lacks. They show as
// placeholders; the researcher is told about each once, not at every trial shown.

#include "kelvane/model/ClusterModel.h"

#include <QSet>
#include <QStringList>

namespace kelvane {

// Names used by the cluster's boxes (closed and opened pictures, and the object of a
// box holding one) and by `rows`, without a file in `iconFolder`; each once, in the
// order first used.
QStringList missingPictures(const ClusterModel &cluster, const QStringList &rows,
                            const QString &iconFolder);

class MissingPictureNotice
{
public:
    // The names not told about before; they count as told from now on.
    QStringList untold(const QStringList &missing);

private:
    QSet<QString> m_told;
};

// "These pictures are not in the icon folder ...", naming the folder and the files.
QString missingPicturesText(const QStringList &names, const QString &iconFolder);

} // namespace kelvane

#include "kelvane/editor/MissingPictures.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

QStringList missingPictures(const ClusterModel &cluster, const QStringList &rows,
                            const QString &iconFolder)
{
    QStringList missing;
    const QDir folder(iconFolder);
    const auto note = [&](const QString &name) {
        if (!name.isEmpty() && !missing.contains(name) && !QFileInfo(folder.filePath(name)).isFile())
            missing.append(name);
    };
    for (int t = 0; t < cluster.trialCount(); ++t) {
        for (int k = 1; k <= cluster.CountBoxes(t); ++k) {
            const BoxRecord &record = cluster.box(t, k);
            note(record.BoxIconFile);
            note(record.EmptyIconFile);
            if (!record.Empty)
                note(record.ContentFile);
        }
    }
    for (const QString &name : rows)
        note(name);
    return missing;
}

QStringList MissingPictureNotice::untold(const QStringList &missing)
{
    QStringList names;
    for (const QString &name : missing) {
        if (!m_told.contains(name)) {
            m_told.insert(name);
            names.append(name);
        }
    }
    return names;
}

QString missingPicturesText(const QStringList &names, const QString &iconFolder)
{
    return QStringLiteral("These pictures are not in the icon folder %1:\n%2\n\nUntil the files "
                          "are put there, they show as grey squares with their file name.")
        .arg(QDir::toNativeSeparators(iconFolder), names.join(QStringLiteral(", ")));
}

} // namespace kelvane

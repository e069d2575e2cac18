#include "kelvane/TypedPath.h"

#include <QDir>

namespace kelvane {

QString typedPath(const QString &typed)
{
    const QString path = QDir::fromNativeSeparators(typed.trimmed());
    if (path == u'~')
        return QDir::homePath();
    if (path.startsWith(QStringLiteral("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

} // namespace kelvane

#include "OutputPath.h"

#include <QFileInfo>

namespace kelvane::analyzer {

QString outputPathWithExtension(const QString &typed, bool spssData)
{
    const QFileInfo info(typed);
    if (typed.isEmpty() || info.isDir() || !info.suffix().isEmpty())
        return typed;
    const QString extension = spssData ? QStringLiteral("sav") : QStringLiteral("dat");
    return typed.endsWith(u'.') ? typed + extension : typed + u'.' + extension;
}

QString outputPathForKind(const QString &path, bool spssData)
{
    const QLatin1StringView other = spssData ? QLatin1StringView(".dat") : QLatin1StringView(".sav");
    if (!path.endsWith(other, Qt::CaseInsensitive))
        return path;
    return path.chopped(other.size()) + (spssData ? QStringLiteral(".sav") : QStringLiteral(".dat"));
}

} // namespace kelvane::analyzer

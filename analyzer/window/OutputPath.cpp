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

} // namespace kelvane::analyzer

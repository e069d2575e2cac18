#include "kelvane/iconedit/IconFileNames.h"

#include <QFileInfo>

namespace kelvane {

namespace {

const QString IconSuffix = QStringLiteral(".ico");

} // namespace

QString proposedIconName(const QString &fileSpec)
{
    if (fileSpec.isEmpty() || fileSpec == UntitledName || fileSpec.endsWith(IconSuffix, Qt::CaseInsensitive))
        return fileSpec;
    const QFileInfo info(fileSpec);
    const QString stem = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    const QString folder = fileSpec.left(fileSpec.size() - info.fileName().size());
    return folder + stem + IconSuffix;
}

QString withIconSuffix(const QString &path)
{
    if (path.endsWith(IconSuffix, Qt::CaseInsensitive))
        return path;
    return path + IconSuffix;
}

} // namespace kelvane

#include "TestIcons.h"

#include <QImage>

namespace kelvane::test {

void writeTestIcon(const QString &path, const QColor &colour)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(colour);
    if (!image.save(path, "ICO"))
        qFatal("cannot write test icon %s", qPrintable(path));
}

} // namespace kelvane::test

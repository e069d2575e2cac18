#include "TestFiles.h"

#include <QFile>
#include <QTest>

namespace kelvane::test {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("cannot read %s", qPrintable(path));
        return {};
    }
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
}

QString dataFile(const QString &name)
{
    return qEnvironmentVariable("KELVANE_TEST_DATA") + u'/' + name;
}

} // namespace kelvane::test

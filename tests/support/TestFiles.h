#pragma once
// Small helpers for tests that read and write files.

#include <QByteArray>
#include <QString>

namespace kelvane::test {

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
// A file from tests/data.
QString dataFile(const QString &name);

} // namespace kelvane::test

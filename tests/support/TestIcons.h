#pragma once

#include <QColor>
#include <QString>

namespace kelvane::test {

// Writes a 32 x 32 icon file of one colour.
void writeTestIcon(const QString &path, const QColor &colour);

} // namespace kelvane::test

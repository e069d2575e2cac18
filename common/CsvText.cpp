#include "kelvane/CsvText.h"

namespace kelvane {

QString csvValue(const QString &value)
{
    const bool quoted = value.contains(u',') || value.contains(u'"') || value.contains(u'\r')
                        || value.contains(u'\n');
    if (!quoted)
        return value;
    QString doubled = value;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

} // namespace kelvane

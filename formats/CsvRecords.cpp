#include "kelvane/formats/CsvRecords.h"

namespace kelvane {

bool CsvRecordReader::next(QList<QByteArray> *values)
{
    values->clear();
    if (m_at >= m_bytes.size())
        return false;
    QByteArray value;
    bool quoted = false;
    while (m_at < m_bytes.size()) {
        const char c = m_bytes[m_at++];
        if (quoted) {
            if (c != '"')
                value += c;
            else if (m_at < m_bytes.size() && m_bytes[m_at] == '"')
                value += m_bytes[m_at++];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            values->append(value);
            value.clear();
        } else if (c == '\n') {
            break;
        } else if (c != '\r') {
            value += c;
        }
    }
    values->append(value);
    return true;
}

} // namespace kelvane

#include "kelvane/ValueWriter.h"

#include "kelvane/TextNumbers.h"

namespace kelvane {

void ValueWriter::text(QStringView value)
{
    m_out += u'"';
    m_out += value;
    m_out += QLatin1StringView("\",");
}

void ValueWriter::number(double value)
{
    m_out += shortNumberForm(value).trimmed();
    m_out += u',';
}

void ValueWriter::boolean(bool value)
{
    m_out += value ? QLatin1StringView("#TRUE#,") : QLatin1StringView("#FALSE#,");
}

void ValueWriter::value(const Value &value)
{
    switch (value.kind) {
    case Value::Kind::Text:
        text(value.text);
        break;
    case Value::Kind::Boolean:
        boolean(value.boolean);
        break;
    case Value::Kind::Number:
        number(leadingNumber(value.text));
        break;
    case Value::Kind::Empty:
        m_out += u',';
        break;
    }
}

} // namespace kelvane

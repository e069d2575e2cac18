#include "kelvane/ValueReader.h"

#include "kelvane/TextNumbers.h"

namespace kelvane {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

ValueReader::ValueReader(QString text)
    : m_text(std::move(text))
{
}

bool ValueReader::atLineEnd() const
{
    return m_pos < m_text.size() && (m_text[m_pos] == u'\n' || m_text[m_pos] == u'\r');
}

void ValueReader::consumeLineEnd()
{
    if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
}

void ValueReader::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
}

QString ValueReader::skipPastSeparator()
{
    const qsizetype start = m_pos;
    while (m_pos < m_text.size()) {
        if (m_text[m_pos] == u',' || atLineEnd())
            break;
        ++m_pos;
    }
    const QString skipped = m_text.mid(start, m_pos - start);
    if (m_pos < m_text.size()) {
        if (m_text[m_pos] == u',')
            ++m_pos;
        else
            consumeLineEnd();
    }
    return skipped;
}

bool ValueReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        const QChar c = m_text[i];
        if (!isBlank(c) && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

std::optional<Value> ValueReader::next()
{
    // Line ends before a value are not values of their own when the file is read in
    // one go; only commas make empty values.
    while (true) {
        skipBlanks();
        if (!atLineEnd())
            break;
        consumeLineEnd();
    }
    if (m_pos >= m_text.size())
        return std::nullopt;

    Value value;
    value.line = m_line;
    if (m_text[m_pos] == u'"') {
        const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
        const qsizetype end = close < 0 ? m_text.size() : close;
        value.kind = Value::Kind::Text;
        value.text = m_text.mid(m_pos + 1, end - m_pos - 1);
        value.unclosed = close < 0;
        m_line += int(value.text.count(u'\n'));
        m_pos = close < 0 ? end : close + 1;
        value.skipped = skipPastSeparator().trimmed();
        return value;
    }

    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != u',' && !atLineEnd())
        ++m_pos;
    value.text = m_text.mid(start, m_pos - start).trimmed();
    skipPastSeparator();

    if (value.text == QLatin1StringView("#TRUE#") || value.text == QLatin1StringView("#FALSE#")) {
        value.kind = Value::Kind::Boolean;
        value.boolean = value.text == QLatin1StringView("#TRUE#");
    } else if (value.text.isEmpty()) {
        value.kind = Value::Kind::Empty;
    } else if (isPlainNumber(value.text)) {
        value.kind = Value::Kind::Number;
    } else {
        value.kind = Value::Kind::Text;
    }
    return value;
}

} // namespace kelvane

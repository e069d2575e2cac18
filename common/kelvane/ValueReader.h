#pragma once
// Reads the comma-separated values of cluster files, experiment files and the first
// line of a cluster result file. Commas and line ends separate values alike, so a
// file whose values are spread over several lines reads the same as a one-line file.

#include <QString>

#include <optional>

namespace kelvane {

struct Value
{
    enum class Kind { Text, Number, Boolean, Empty };
    Kind kind = Kind::Empty;
    QString text;          // the value as read (quotes removed); "#TRUE#" for a boolean
    bool boolean = false;  // for Kind::Boolean
    int line = 0;          // 1-based line on which the value starts
    // What stood between a closing quote and the next separator: the reader drops it,
    // so "Klik op ""START""" reads as "Klik op " and drops START"".
    QString dropped;
};

class ValueReader
{
public:
    explicit ValueReader(QString text);

    // The next value, or nothing when only blanks and line ends remain.
    std::optional<Value> next();

    // True when only blanks and line ends remain.
    bool atEnd() const;

    // 1-based line of the reading position (the last line, once at the end).
    int line() const { return m_line; }

private:
    void skipBlanks();
    // Moves past the next comma or line end; returns what it passed over, trimmed.
    QString skipPastSeparator();
    bool atLineEnd() const;
    void consumeLineEnd();

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace kelvane

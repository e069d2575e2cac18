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
    int line = 0;          // 1-based line where the value starts
    // A quoted text whose closing quote never came: it ran to the end of the text.
    bool unclosed = false;
    // What stood between a quoted text's closing quote and the separator; the reader
    // skips it, so a reader that must not lose text can refuse it.
    QString skipped;
};

class ValueReader
{
public:
    explicit ValueReader(QString text);

    // The next value, or nothing when only blanks and line ends remain.
    std::optional<Value> next();

    // True when only blanks and line ends remain.
    bool atEnd() const;

    // 1-based line of the position where the next value starts (for messages).
    int line() const { return m_line; }

private:
    void skipBlanks();
    // Returns the text passed over before the separator.
    QString skipPastSeparator();
    bool atLineEnd() const;
    void consumeLineEnd();

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace kelvane

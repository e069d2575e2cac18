#pragma once
// All text files of both programs are single-byte Windows-1252 with CR LF line ends, so
// that a file written on Windows reads the same on Linux and the other way round.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelvane {

// Encodes text as Windows-1252. Characters the code page lacks become "?"; when
// `unmappable` is given it receives the first such character (or stays null).
QByteArray toWindows1252(QStringView text, QChar *unmappable = nullptr);

QString fromWindows1252(QByteArrayView bytes);

// Splits text into lines at CR LF or at LF alone. A final line without line end is
// kept; the empty text after a final line end is not a line.
QStringList splitLines(QStringView text);

inline constexpr QLatin1StringView lineEnd{"\r\n"};

} // namespace kelvane

#include "kelvane/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace kelvane {

QByteArray toWindows1252(QStringView text, QChar *unmappable)
{
    QStringEncoder encoder("windows-1252");
    Q_ASSERT(encoder.isValid());
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;

    // Encode character by character to find what failed and to put "?" in its place.
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder single("windows-1252");
        const QByteArray one = single.encode(text.mid(i, length));
        if (single.hasError()) {
            if (unmappable && unmappable->isNull())
                *unmappable = text[i];
            bytes.append('?');
        } else {
            bytes.append(one);
        }
        i += length - 1;
    }
    return bytes;
}

QString fromWindows1252(QByteArrayView bytes)
{
    // The code page differs from Latin-1 only in 0x80-0x9F; text without those bytes,
    // which is nearly every name and line, needs no converter (making one costs more
    // than decoding a short text).
    const bool latin1 = std::none_of(bytes.begin(), bytes.end(), [](char c) {
        return uchar(c) >= 0x80 && uchar(c) <= 0x9F;
    });
    if (latin1)
        return QString::fromLatin1(bytes);
    QStringDecoder decoder("windows-1252");
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            lines.append(text.mid(start).toString());
            break;
        }
        qsizetype lineEndAt = end;
        if (lineEndAt > start && text[lineEndAt - 1] == u'\r')
            --lineEndAt;
        lines.append(text.mid(start, lineEndAt - start).toString());
        start = end + 1;
    }
    return lines;
}

} // namespace kelvane

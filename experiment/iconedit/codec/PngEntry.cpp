#include "PngEntry.h"

#include <QImage>

namespace kelvane::codec {

namespace {

constexpr char Signature[] = "\x89PNG\r\n\x1a\n";
constexpr qint64 SignatureSize = 8;

std::uint32_t bigEndian32(QByteArrayView data, qint64 at)
{
    std::uint32_t value = 0;
    for (qint64 i = 0; i < 4; ++i)
        value = (value << 8) | std::uint8_t(data[at + i]);
    return value;
}

} // namespace

bool startsAsPng(QByteArrayView entry)
{
    return entry.startsWith(QByteArrayView(Signature, SignatureSize));
}

std::optional<QSize> pngSize(QByteArrayView entry)
{
    // Signature, then the first chunk: length, "IHDR", width, height (big-endian).
    if (entry.size() < SignatureSize + 16 || entry.sliced(SignatureSize + 4, 4) != "IHDR")
        return std::nullopt;
    const std::uint32_t width = bigEndian32(entry, SignatureSize + 8);
    const std::uint32_t height = bigEndian32(entry, SignatureSize + 12);
    if (width == 0 || height == 0 || width > (1u << 20) || height > (1u << 20))
        return std::nullopt;
    return QSize(int(width), int(height));
}

DecodedPicture decodePng(QByteArrayView entry)
{
    DecodedPicture result;
    const QImage decoded = QImage::fromData(entry, "PNG");
    if (decoded.isNull() || decoded.size() != QSize(IconImage::Size, IconImage::Size)) {
        result.problem = PictureProblem::Damaged;
        result.reason = QStringLiteral("the PNG image in it cannot be decoded");
        return result;
    }
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    IconImage icon;
    for (int y = 0; y < IconImage::Size; ++y) {
        for (int x = 0; x < IconImage::Size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128)
                icon.setPixel(x, y, 0, true);
            else
                icon.setPixel(x, y, iconRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)), false);
        }
    }
    result.icon = icon;
    result.size = image.size();
    return result;
}

} // namespace kelvane::codec

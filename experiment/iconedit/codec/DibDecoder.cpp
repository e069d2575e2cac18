#include "DibDecoder.h"

#include <array>

namespace kelvane::codec {

namespace {

constexpr qint64 InfoHeaderSize = 40;
constexpr std::uint32_t Uncompressed = 0;
constexpr std::uint32_t BitFields = 3;

DecodedPicture damaged(const QString &reason)
{
    DecodedPicture result;
    result.problem = PictureProblem::Damaged;
    result.reason = reason;
    return result;
}

DecodedPicture unsupported(const QString &reason)
{
    DecodedPicture result;
    result.problem = PictureProblem::Unsupported;
    result.reason = reason;
    return result;
}

bool supportedBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// Rows are padded to whole 32-bit words.
qint64 rowBytes(int bits)
{
    return (qint64(IconImage::Size) * bits + 31) / 32 * 4;
}

struct Header
{
    qint64 size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

std::optional<Header> readHeader(const LittleEndian &data, qint64 at, QString *reason)
{
    if (!data.holds(at, 4)) {
        *reason = QStringLiteral("the bitmap header is missing");
        return std::nullopt;
    }
    Header header;
    header.size = data.u32(at);
    if (header.size < InfoHeaderSize) {
        *reason = QStringLiteral("the bitmap header has an unknown size (%1 bytes)").arg(header.size);
        return std::nullopt;
    }
    if (!data.holds(at, header.size)) {
        *reason = QStringLiteral("the bitmap header (%1 bytes) runs past the end of the data").arg(header.size);
        return std::nullopt;
    }
    header.width = data.i32(at + 4);
    header.height = data.i32(at + 8);
    header.bitCount = data.u16(at + 14);
    header.compression = data.u32(at + 16);
    header.coloursUsed = data.u32(at + 32);
    return header;
}

// A 32-bit bitmap with bit fields is taken only in the plain layout (8 bits each of
// blue, green and red from the low byte up), which is what writers produce for it.
bool plainBitFields(const LittleEndian &data, qint64 headerAt, const Header &header, qint64 *masksEnd)
{
    const qint64 masksAt = headerAt + InfoHeaderSize;
    if (!data.holds(masksAt, 12))
        return false;
    *masksEnd = header.size == InfoHeaderSize ? masksAt + 12 : headerAt + header.size;
    return data.u32(masksAt) == 0x00FF0000 && data.u32(masksAt + 4) == 0x0000FF00
           && data.u32(masksAt + 8) == 0x000000FF;
}

bool alphaMatchesMask(const std::array<std::uint8_t, IconImage::PixelCount> &alpha, const IconImage &icon)
{
    for (std::size_t i = 0; i < alpha.size(); ++i) {
        if ((alpha[i] != 0 && alpha[i] != 255) || (alpha[i] == 0) != icon.transparent[i])
            return false;
    }
    return true;
}

} // namespace

std::optional<DibSize> dibSize(const LittleEndian &data, qint64 headerAt, DibUse use, QString *reason)
{
    const auto header = readHeader(data, headerAt, reason);
    if (!header)
        return std::nullopt;
    if (header->width <= 0 || header->height == 0
        || (use == DibUse::IconEntry && (header->height < 0 || header->height % 2 != 0))) {
        *reason = QStringLiteral("the bitmap header gives an impossible size (%1 x %2)")
                      .arg(header->width)
                      .arg(header->height);
        return std::nullopt;
    }
    const qint64 height = use == DibUse::IconEntry ? header->height / 2 : qAbs(qint64(header->height));
    if (height > 1 << 20 || header->width > 1 << 20) {
        *reason = QStringLiteral("the bitmap header gives an impossible size (%1 x %2)")
                      .arg(header->width)
                      .arg(height);
        return std::nullopt;
    }
    return DibSize{QSize(header->width, int(height)), header->bitCount};
}

DecodedPicture decodeDib(const LittleEndian &data, qint64 headerAt, std::optional<qint64> pixelsAt,
                         DibUse use)
{
    QString reason;
    const auto header = readHeader(data, headerAt, &reason);
    if (!header)
        return damaged(reason);
    const bool withMask = use == DibUse::IconEntry;
    const bool topDown = !withMask && header->height < 0;
    if (header->width != IconImage::Size
        || (withMask ? header->height != 2 * IconImage::Size : qAbs(header->height) != IconImage::Size)) {
        return damaged(QStringLiteral("the bitmap header says %1 x %2 where %3 was expected")
                           .arg(header->width)
                           .arg(header->height)
                           .arg(withMask ? QStringLiteral("32 x 64 (colour and mask rows)")
                                         : QStringLiteral("32 x 32")));
    }
    const int bits = header->bitCount;
    if (!supportedBitCount(bits))
        return unsupported(QStringLiteral("%1-bit colour is not supported").arg(bits));

    qint64 paletteAt = headerAt + header->size;
    if (header->compression == BitFields && bits == 32) {
        if (!plainBitFields(data, headerAt, *header, &paletteAt))
            return unsupported(QStringLiteral("bitmaps with unusual colour masks are not supported"));
    } else if (header->compression != Uncompressed) {
        return unsupported(QStringLiteral("compressed bitmaps are not supported (compression %1)")
                               .arg(header->compression));
    }

    const qint64 maxColours = bits <= 8 ? (qint64(1) << bits) : 0;
    qint64 paletteColours = header->coloursUsed;
    if (bits <= 8) {
        if (paletteColours == 0)
            paletteColours = maxColours;
        if (paletteColours > maxColours) {
            return damaged(QStringLiteral("the palette has %1 colours, more than %2-bit colour can use")
                               .arg(paletteColours)
                               .arg(bits));
        }
    }
    // A colour table beside 24- or 32-bit pixels is only a hint for old displays; skip it.
    if (!data.holds(paletteAt, 4 * paletteColours))
        return damaged(QStringLiteral("the palette of %1 colours runs past the end of the data").arg(paletteColours));

    const qint64 colourAt = pixelsAt.value_or(paletteAt + 4 * paletteColours);
    const qint64 stride = rowBytes(bits);
    const qint64 colourBytes = stride * IconImage::Size;
    if (colourAt < paletteAt + 4 * paletteColours || !data.holds(colourAt, colourBytes))
        return damaged(QStringLiteral("the colour rows run past the end of the data"));
    const qint64 maskAt = colourAt + colourBytes;
    const qint64 maskStride = rowBytes(1);
    if (withMask && !data.holds(maskAt, maskStride * IconImage::Size))
        return damaged(QStringLiteral("the mask rows are missing"));

    std::array<IconColour, 256> palette{};
    for (qint64 i = 0; i < std::min<qint64>(paletteColours, maxColours); ++i) {
        const qint64 at = paletteAt + 4 * i;
        palette[std::size_t(i)] = iconRgb(data.u8(at + 2), data.u8(at + 1), data.u8(at));
    }

    IconImage icon;
    bool alphaUsed = false;
    std::array<std::uint8_t, IconImage::PixelCount> alpha{};
    for (int row = 0; row < IconImage::Size; ++row) {
        const int y = topDown ? row : IconImage::Size - 1 - row;
        const qint64 rowAt = colourAt + row * stride;
        const qint64 maskRowAt = maskAt + row * maskStride;
        for (int x = 0; x < IconImage::Size; ++x) {
            IconColour colour = 0;
            if (bits <= 8) {
                const qint64 bitAt = qint64(x) * bits;
                const int shift = 8 - bits - int(bitAt % 8);
                const int index = (data.u8(rowAt + bitAt / 8) >> shift) & ((1 << bits) - 1);
                if (index >= paletteColours) {
                    return damaged(QStringLiteral("pixel (%1, %2) uses colour %3 of a palette of %4")
                                       .arg(x)
                                       .arg(y)
                                       .arg(index)
                                       .arg(paletteColours));
                }
                colour = palette[std::size_t(index)];
            } else {
                const qint64 at = rowAt + qint64(x) * (bits / 8);
                colour = iconRgb(data.u8(at + 2), data.u8(at + 1), data.u8(at));
                if (bits == 32) {
                    alpha[std::size_t(IconImage::index(x, y))] = data.u8(at + 3);
                    alphaUsed = alphaUsed || data.u8(at + 3) != 0;
                }
            }
            const bool maskBit = withMask && ((data.u8(maskRowAt + x / 8) >> (7 - x % 8)) & 1);
            icon.setPixel(x, y, colour, maskBit);
        }
    }

    // A 32-bit icon whose fourth bytes are not all zero carries its transparency there,
    // and programs that read alpha ignore the mask. When alpha is only ever 0 or 255 and
    // 0 exactly where the mask is set (as this editor writes icons), both say the same
    // and the colours are kept as stored, a colour under the mask included. Otherwise
    // alpha decides, and what it hides becomes transparent black, so the icon looks
    // the same drawn through the mask as drawn through alpha.
    if (withMask && alphaUsed && !alphaMatchesMask(alpha, icon)) {
        for (std::size_t i = 0; i < alpha.size(); ++i) {
            const bool hidden = alpha[i] < 128;
            icon.transparent[i] = hidden;
            if (hidden)
                icon.colour[i] = 0;
        }
    }

    DecodedPicture result;
    result.icon = icon;
    result.size = QSize(IconImage::Size, IconImage::Size);
    return result;
}

} // namespace kelvane::codec

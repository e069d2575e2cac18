#include "kelvane/iconedit/IconCodec.h"

namespace kelvane {

namespace {

void put16(QByteArray &out, quint32 value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

constexpr quint32 Side = IconImage::Size;
constexpr quint32 InfoHeaderSize = 40;
constexpr quint32 ColourBytes = Side * Side * 4;
constexpr quint32 MaskRowBytes = 4;                // 32 bits, already a whole word
constexpr quint32 MaskBytes = MaskRowBytes * Side;
constexpr quint32 ImageOffset = 6 + 16;

} // namespace

QByteArray encodeIcon(const IconImage &icon)
{
    QByteArray out;
    out.reserve(int(ImageOffset + InfoHeaderSize + ColourBytes + MaskBytes));

    // Directory: reserved, type icon, one image.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // Its entry: 32 x 32, no palette, one plane, 32 bits, size and place of the image.
    out.append(char(Side));
    out.append(char(Side));
    out.append(char(0));
    out.append(char(0));
    put16(out, 1);
    put16(out, 32);
    put32(out, InfoHeaderSize + ColourBytes + MaskBytes);
    put32(out, ImageOffset);

    // The image header; its height counts the colour rows and the mask rows.
    put32(out, InfoHeaderSize);
    put32(out, Side);
    put32(out, 2 * Side);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // uncompressed
    put32(out, ColourBytes + MaskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    // Bottom row first, blue-green-red, then alpha: 0 where the mask is set.
    for (int row = 0; row < int(Side); ++row) {
        const int y = int(Side) - 1 - row;
        for (int x = 0; x < int(Side); ++x) {
            const IconColour colour = icon.colourAt(x, y);
            out.append(char(blueOf(colour)));
            out.append(char(greenOf(colour)));
            out.append(char(redOf(colour)));
            out.append(icon.isTransparent(x, y) ? char(0) : char(0xFF));
        }
    }
    for (int row = 0; row < int(Side); ++row) {
        const int y = int(Side) - 1 - row;
        for (int byte = 0; byte < int(MaskRowBytes); ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (icon.isTransparent(byte * 8 + bit, y))
                    bits |= 0x80u >> bit;
            }
            out.append(char(bits));
        }
    }
    return out;
}

} // namespace kelvane

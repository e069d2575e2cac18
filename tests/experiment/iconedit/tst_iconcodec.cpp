#include "IconTestPictures.h"
#include "TestFiles.h"

#include "kelvane/iconedit/IconCodec.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace kelvane;
using namespace kelvane::test;

Q_DECLARE_METATYPE(kelvane::PictureProblem)
Q_DECLARE_METATYPE(kelvane::test::Pattern)

namespace {

// Decodes from a heap block of exactly the file's size, so that a read past the end is
// caught by the address sanitizer (a QByteArray has a terminating zero beyond its end).
DecodedPicture decodeExact(const QByteArray &bytes)
{
    const std::vector<char> exact(bytes.cbegin(), bytes.cend());
    return decodePicture(QByteArrayView(exact.data(), qsizetype(exact.size())));
}

QByteArray fixture(const char *name)
{
    return readBytes(dataFile(QStringLiteral("ico/") + QLatin1StringView(name)));
}

void put16(QByteArray &bytes, qsizetype at, quint32 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, value >> 16);
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    put32(bytes, 0, value);
    return bytes;
}

// A DIB as icon files hold it: header, palette, colour rows, mask rows.
struct Dib
{
    int width = 32;
    int height = 64;
    int bits = 24;
    quint32 compression = 0;
    quint32 coloursUsed = 0;
    quint32 headerSize = 40;
    QByteArray afterHeader; // palette, pixels and mask, as they follow the header

    QByteArray bytes() const
    {
        QByteArray header(int(headerSize < 40 ? 40 : headerSize), '\0');
        put32(header, 0, headerSize);
        put32(header, 4, quint32(width));
        put32(header, 8, quint32(height));
        put16(header, 12, 1);
        put16(header, 14, quint32(bits));
        put32(header, 16, compression);
        put32(header, 32, coloursUsed);
        return header + afterHeader;
    }
};

// An icon file (or cursor file, type 2) around the given images.
QByteArray iconFile(const QList<QByteArray> &images, int type = 1)
{
    QByteArray file(6, '\0');
    put16(file, 2, quint32(type));
    put16(file, 4, quint32(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    QByteArray body;
    for (const QByteArray &image : images) {
        QByteArray entry(16, '\0');
        entry[0] = char(32);
        entry[1] = char(32);
        put32(entry, 8, quint32(image.size()));
        put32(entry, 12, offset);
        file += entry;
        body += image;
        offset += quint32(image.size());
    }
    return file + body;
}

QByteArray allMaskBits(bool transparent)
{
    return QByteArray(128, transparent ? char(0xFF) : '\0');
}

// A 32 x 32 image whose pixels all use palette colour `index`.
QByteArray eightBitImage(quint32 coloursUsed, int paletteEntries, quint8 index)
{
    Dib dib;
    dib.bits = 8;
    dib.coloursUsed = coloursUsed;
    for (int i = 0; i < paletteEntries; ++i)
        dib.afterHeader += QByteArray::fromHex("10203000");
    dib.afterHeader += QByteArray(32 * 32, char(index)) + allMaskBits(false);
    return dib.bytes();
}

Pixel stripesPattern(int x, int y)
{
    static const IconColour stripes[14] = {
        iconRgb(0, 0, 0),       iconRgb(128, 0, 0),   iconRgb(0, 128, 0),   iconRgb(128, 128, 0),
        iconRgb(0, 0, 128),     iconRgb(128, 0, 128), iconRgb(0, 128, 128), iconRgb(192, 192, 192),
        iconRgb(128, 128, 128), iconRgb(255, 0, 0),   iconRgb(0, 255, 0),   iconRgb(255, 255, 0),
        iconRgb(0, 0, 255),     iconRgb(255, 255, 255)};
    if (x >= 28 && y >= 28)
        return {0, true};
    return {stripes[(x / 2) % 14], false};
}

Pixel opaquePattern(int x, int y)
{
    return {iconRgb(x * 8, y * 8, ((x + y) * 4) & 255), false};
}

// What the 32-bit pictures (alpha graded from the top down) become: alpha of at least
// one half keeps the colour, less than half is transparent black.
Pixel gradedPattern(int x, int y)
{
    if (y >= 20)
        return {0, true};
    return {iconRgb(x * 8, y * 8, 200), false};
}

} // namespace

class IconCodecTest : public QObject
{
    Q_OBJECT

private slots:
    void writesOneImageWithColourAlphaAndMask();
    void roundTripKeepsEveryPixelAndTheBytes();
    void writtenFilesLoadThroughQt();
    void readsImageMagickFiles_data();
    void readsImageMagickFiles();
    void namesTheLargestSizeWhenNoImageIs32_data();
    void namesTheLargestSizeWhenNoImageIs32();
    void readsIconsWrittenByQtAndCursors();
    void readsHandMadeMasksAndAlpha();
    void readsBitmapFilesAsOpaqueIcons();
    void readsTheDefaultPictures();
    void refusesMalformedFiles_data();
    void refusesMalformedFiles();
};

void IconCodecTest::writesOneImageWithColourAlphaAndMask()
{
    IconImage icon = IconImage::blank();
    icon.setPixel(0, 0, iconRgb(0x56, 0x34, 0x12), false);  // top left, opaque
    icon.setPixel(31, 31, iconRgb(0xFF, 0xFF, 0xFF), true); // bottom right, inverts

    const QByteArray header = QByteArray::fromHex(
        "000001000100"                                  // icon file, one image
        "20200000" "01002000" "a8100000" "16000000"     // 32 x 32, 1 plane, 32 bits, 4264 bytes at 22
        "28000000" "20000000" "40000000" "0100" "2000"  // 40-byte header, 32 x 64, 1 plane, 32 bits
        "00000000" "80100000"                           // uncompressed, 4096 + 128 bytes
        "00000000" "00000000" "00000000" "00000000");
    QByteArray colour(4096, '\0');
    // Rows are stored bottom first: the bottom right pixel is the 32nd of the first row,
    // the top left pixel the first of the last row; each blue, green, red, alpha.
    colour.replace(31 * 4, 4, QByteArray::fromHex("ffffff00"));
    colour.replace(31 * 128, 4, QByteArray::fromHex("123456ff"));
    QByteArray mask(128, char(0xFF));
    mask[31 * 4] = char(0x7F); // top row: the first pixel opaque

    const QByteArray written = encodeIcon(icon);
    QCOMPARE(written.size(), 4286);
    QCOMPARE(written.left(62).toHex(), header.toHex());
    QCOMPARE(written.mid(62, 4096).toHex(), colour.toHex());
    QCOMPARE(written.mid(62 + 4096).toHex(), mask.toHex());
}

void IconCodecTest::roundTripKeepsEveryPixelAndTheBytes()
{
    for (const IconImage &icon : {mixedIcon(), IconImage::blank(), iconFrom(opaquePattern)}) {
        const QByteArray first = encodeIcon(icon);
        const DecodedPicture decoded = decodeExact(first);
        QCOMPARE(decoded.problem, PictureProblem::None);
        QCOMPARE(decoded.kind, PictureKind::Icon);
        QCOMPARE(firstDifference(*decoded.icon, icon), QString());
        QCOMPARE(encodeIcon(*decoded.icon), first);
    }
}

void IconCodecTest::writtenFilesLoadThroughQt()
{
    const IconImage icon = mixedIcon();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mixed.ico"));
    writeBytes(path, encodeIcon(icon));

    const QImage image = QPixmap(path).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(QIcon(path).availableSizes().value(0), QSize(32, 32));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb shown = image.pixel(x, y);
            if (icon.isTransparent(x, y)) {
                QVERIFY2(qAlpha(shown) == 0, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            } else {
                const IconColour c = icon.colourAt(x, y);
                QCOMPARE(shown, qRgba(redOf(c), greenOf(c), blueOf(c), 255));
            }
        }
    }
}

void IconCodecTest::readsImageMagickFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Pattern>("pattern");

    QTest::newRow("1-bit") << QStringLiteral("im-1bit.ico") << Pattern([](int x, int) {
        return Pixel{x < 16 ? iconRgb(255, 0, 0) : iconRgb(0, 0, 255), false};
    });
    QTest::newRow("4-bit, transparent corner") << QStringLiteral("im-4bit.ico") << Pattern(stripesPattern);
    QTest::newRow("8-bit, transparent diagonals") << QStringLiteral("im-8bit.ico") << Pattern([](int x, int y) {
        if ((x + y) % 11 == 0)
            return Pixel{0, true};
        return Pixel{iconRgb(x * 8, (y / 8) * 64, 100), false};
    });
    QTest::newRow("24-bit, inverting diagonal") << QStringLiteral("im-24bit.ico") << Pattern([](int x, int y) {
        return Pixel{opaquePattern(x, y).colour, x == y};
    });
    QTest::newRow("32-bit, graded alpha") << QStringLiteral("im-32bit.ico") << Pattern(gradedPattern);
    QTest::newRow("PNG entry") << QStringLiteral("png-entry.ico") << Pattern(gradedPattern);
    QTest::newRow("16, 32 and 48 in one file") << QStringLiteral("im-three-sizes.ico") << Pattern(stripesPattern);
}

void IconCodecTest::readsImageMagickFiles()
{
    QFETCH(QString, file);
    QFETCH(Pattern, pattern);
    const QByteArray bytes = readBytes(dataFile(QStringLiteral("ico/") + file));
    QVERIFY(!bytes.isEmpty());
    const DecodedPicture decoded = decodeExact(bytes);
    QCOMPARE(decoded.reason, QString());
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(decoded.size, QSize(32, 32));
    QCOMPARE(firstDifference(*decoded.icon, iconFrom(pattern)), QString());
}

void IconCodecTest::namesTheLargestSizeWhenNoImageIs32_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("named");
    QTest::newRow("16 only") << QStringLiteral("im-16.ico") << QSize(16, 16);
    QTest::newRow("16 and 48 (a cursor)") << QStringLiteral("im-16-and-48.ico") << QSize(48, 48);
    QTest::newRow("256, PNG") << QStringLiteral("im-256-png.ico") << QSize(256, 256);
    QTest::newRow("16 x 16 bitmap") << QStringLiteral("im-16.bmp") << QSize(16, 16);
}

void IconCodecTest::namesTheLargestSizeWhenNoImageIs32()
{
    QFETCH(QString, file);
    QFETCH(QSize, named);
    const DecodedPicture decoded = decodeExact(readBytes(dataFile(QStringLiteral("ico/") + file)));
    QCOMPARE(decoded.problem, PictureProblem::WrongSize);
    QCOMPARE(decoded.size, named);
    QVERIFY(!decoded.icon);
}

void IconCodecTest::readsIconsWrittenByQtAndCursors()
{
    QImage drawn(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const Pixel p = stripesPattern(x, y);
            drawn.setPixel(x, y, p.transparent ? qRgba(0, 0, 0, 0)
                                               : qRgba(redOf(p.colour), greenOf(p.colour), blueOf(p.colour), 255));
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    QVERIFY2(writer.write(drawn), qPrintable(writer.errorString()));
    DecodedPicture decoded = decodeExact(buffer.data());
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(decoded.kind, PictureKind::Icon);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom(stripesPattern)), QString());

    // Qt writes its cursors as icon files; a real cursor file has type 2 and a hot spot
    // where an icon has planes and bit count.
    QByteArray cursor = buffer.data();
    put16(cursor, 2, 2);
    put16(cursor, 6 + 4, 5);
    put16(cursor, 6 + 6, 7);
    decoded = decodeExact(cursor);
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(decoded.kind, PictureKind::Cursor);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom(stripesPattern)), QString());
}

void IconCodecTest::readsHandMadeMasksAndAlpha()
{
    // 1-bit with a two-colour palette: columns alternate, the left half transparent.
    Dib mono;
    mono.bits = 1;
    mono.afterHeader = QByteArray::fromHex("0000ff00" "00ff0000") + QByteArray(32 * 4, char(0x55));
    for (int row = 0; row < 32; ++row)
        mono.afterHeader += QByteArray::fromHex("ffff0000");
    DecodedPicture decoded = decodeExact(iconFile({mono.bytes()}));
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom([](int x, int) {
                                 return Pixel{x % 2 == 0 ? iconRgb(255, 0, 0) : iconRgb(0, 255, 0), x < 16};
                             })),
             QString());

    // 32-bit whose fourth bytes are all zero: the mask decides, colours stay.
    Dib plain;
    plain.bits = 32;
    for (int i = 0; i < 32 * 32; ++i)
        plain.afterHeader += QByteArray::fromHex("30201000");
    plain.afterHeader += QByteArray(64, char(0xFF)) + QByteArray(64, '\0'); // bottom half transparent
    decoded = decodeExact(iconFile({plain.bytes()}));
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(firstDifference(*decoded.icon,
                             iconFrom([](int, int y) { return Pixel{iconRgb(0x10, 0x20, 0x30), y >= 16}; })),
             QString());

    // 32-bit whose alpha is 0 and 255 but not where the mask is set: alpha decides.
    Dib disagreeing = plain;
    disagreeing.afterHeader.clear();
    for (int i = 0; i < 32 * 32; ++i)
        disagreeing.afterHeader += QByteArray::fromHex(i < 512 ? "302010ff" : "30201000");
    disagreeing.afterHeader += QByteArray(128, '\0');
    decoded = decodeExact(iconFile({disagreeing.bytes()}));
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom([](int, int y) {
                                 return y >= 16 ? Pixel{iconRgb(0x10, 0x20, 0x30), false} : Pixel{0, true};
                             })),
             QString());

    // Of two 32 x 32 images the deeper one is taken, wherever it stands.
    const QByteArray flatRed = eightBitImage(1, 1, 0);
    decoded = decodeExact(iconFile({flatRed, encodeIcon(mixedIcon()).mid(22)}));
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(firstDifference(*decoded.icon, mixedIcon()), QString());
    // Of two as deep, the first.
    QByteArray flatBlue = flatRed;
    flatBlue.replace(40, 4, QByteArray::fromHex("ff000000"));
    decoded = decodeExact(iconFile({flatBlue, flatRed}));
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom([](int, int) { return Pixel{iconRgb(0, 0, 0xFF), false}; })),
             QString());
}

void IconCodecTest::readsBitmapFilesAsOpaqueIcons()
{
    DecodedPicture decoded = decodeExact(fixture("im-24bit.bmp"));
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(decoded.kind, PictureKind::Bitmap);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom(opaquePattern)), QString());

    decoded = decodeExact(fixture("im-8bit.bmp"));
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom([](int x, int) {
                                 return Pixel{iconRgb(x * 8, x * 8, x * 8), false};
                             })),
             QString());

    // A negative height stores the top row first.
    QByteArray topDown = fixture("im-24bit.bmp");
    put32(topDown, 22, quint32(-32));
    decoded = decodeExact(topDown);
    QCOMPARE(decoded.problem, PictureProblem::None);
    QCOMPARE(firstDifference(*decoded.icon, iconFrom([](int x, int y) { return opaquePattern(x, 31 - y); })),
             QString());

    decoded = decodeExact(fixture("im-8bit-rle.bmp"));
    QCOMPARE(decoded.problem, PictureProblem::Unsupported);
    QCOMPARE(decoded.reason, QStringLiteral("compressed bitmaps are not supported (compression 1)"));
}

void IconCodecTest::readsTheDefaultPictures()
{
    // Drawn with soft edges: alpha of at least one half is opaque. Qt's reader keeps these
    // pictures premultiplied, and undoing that rounds differently on different processors,
    // so our straight colours are compared with Qt's stored pixels premultiplied, which is exact.
    const QString folder = dataFile(QStringLiteral("../../experiment/resources/ico/"));
    for (const QString &name : {QStringLiteral("Box1.ico"), QStringLiteral("EmptyBox3.ico"),
                                QStringLiteral("Content6.ico")}) {
        const QImage qt = QImage(folder + name).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const DecodedPicture decoded = decodeExact(readBytes(folder + name));
        QCOMPARE(decoded.problem, PictureProblem::None);
        QCOMPARE(qt.size(), QSize(32, 32));
        for (int y = 0; y < IconImage::Size; ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(qt.constScanLine(y));
            for (int x = 0; x < IconImage::Size; ++x) {
                const int alpha = qAlpha(row[x]);
                const IconColour ours = decoded.icon->colourAt(x, y);
                const bool transparent = decoded.icon->isTransparent(x, y);
                const QRgb oursStored = qPremultiply(qRgba(redOf(ours), greenOf(ours), blueOf(ours), alpha));
                const QString where = QStringLiteral("%1 (%2, %3)").arg(name).arg(x).arg(y);
                QVERIFY2(transparent == (alpha < 128), qPrintable(where));
                if (!transparent)
                    QVERIFY2(oursStored == row[x], qPrintable(where + QStringLiteral(": %1 against %2")
                                                              .arg(oursStored, 8, 16).arg(row[x], 8, 16)));
            }
        }
    }
}

void IconCodecTest::refusesMalformedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<PictureProblem>("problem");
    QTest::addColumn<QString>("reason");

    const QByteArray valid = encodeIcon(mixedIcon());
    const auto changed = [&valid](qsizetype at, quint32 value, bool wide = true) {
        QByteArray bytes = valid;
        if (wide)
            put32(bytes, at, value);
        else
            put16(bytes, at, value);
        return bytes;
    };
    constexpr qsizetype Count = 4, EntrySize = 14, EntryOffset = 18;
    constexpr qsizetype HeaderSize = 22, Width = 26, Height = 30, Bits = 36, Compression = 38;
    const auto damaged = PictureProblem::Damaged;
    const auto unsupported = PictureProblem::Unsupported;

    QTest::newRow("empty") << QByteArray() << PictureProblem::NotPicture << QString();
    QTest::newRow("text") << QByteArray("just some text\r\n") << PictureProblem::NotPicture << QString();
    QTest::newRow("icon header cut short") << QByteArray::fromHex("00000100") << PictureProblem::NotPicture
                                           << QString();
    QTest::newRow("no images") << changed(Count, 0, false) << damaged << QStringLiteral("the file lists no images");
    QTest::newRow("directory past the end")
        << changed(Count, 300, false) << damaged
        << QStringLiteral("the file lists 300 images but ends inside their directory, after 4286 bytes");
    QTest::newRow("image past the end")
        << changed(EntryOffset, 5000) << damaged
        << QStringLiteral("image 1 of 1 is said to take bytes 5000 to 9264, but the file has only 4286 bytes");
    QTest::newRow("image longer than the file")
        << changed(EntrySize, 4265) << damaged
        << QStringLiteral("image 1 of 1 is said to take bytes 22 to 4287, but the file has only 4286 bytes");
    QTest::newRow("offset and size wrap around")
        << [&] {
               QByteArray bytes = changed(EntryOffset, 0xFFFFFFF0u);
               put32(bytes, EntrySize, 0x20);
               return bytes;
           }()
        << damaged
        << QStringLiteral("image 1 of 1 is said to take bytes 4294967280 to 4294967312, but the file has only 4286 bytes");
    QTest::newRow("image inside the directory")
        << changed(EntryOffset, 10) << damaged
        << QStringLiteral("image 1 of 1 is said to start at byte 10, inside the image directory");
    QTest::newRow("second image past the end")
        << [&] {
               QByteArray bytes = iconFile({valid.mid(22), valid.mid(22)});
               put32(bytes, 6 + 16 + 12, 100000);
               return bytes;
           }()
        << damaged
        << QStringLiteral("image 2 of 2 is said to take bytes 100000 to 104264, but the file has only 8566 bytes");
    QTest::newRow("core bitmap header") << changed(HeaderSize, 12) << damaged
                                        << QStringLiteral("image 1 of 1: the bitmap header has an unknown size (12 bytes)");
    QTest::newRow("header longer than the image")
        << changed(HeaderSize, 5000) << damaged
        << QStringLiteral("image 1 of 1: the bitmap header (5000 bytes) runs past the end of the data");
    QTest::newRow("negative width") << changed(Width, quint32(-32)) << damaged
                                    << QStringLiteral("image 1 of 1: the bitmap header gives an impossible size (-32 x 64)");
    QTest::newRow("odd height") << changed(Height, 63) << damaged
                                << QStringLiteral("image 1 of 1: the bitmap header gives an impossible size (32 x 63)");
    QTest::newRow("height without mask rows") << changed(Height, 32) << PictureProblem::WrongSize << QString();
    QTest::newRow("16-bit colour") << changed(Bits, 16, false) << unsupported
                                   << QStringLiteral("16-bit colour is not supported");
    QTest::newRow("7-bit colour") << changed(Bits, 7, false) << unsupported
                                  << QStringLiteral("7-bit colour is not supported");
    QTest::newRow("run-length compression") << changed(Compression, 1) << unsupported
                                            << QStringLiteral("compressed bitmaps are not supported (compression 1)");
    QTest::newRow("unusual bit fields")
        << [&] {
               Dib dib;
               dib.bits = 32;
               dib.compression = 3;
               dib.afterHeader = le32(0x7C00) + le32(0x3E0) + le32(0x1F) + QByteArray(4096 + 128, '\0');
               return iconFile({dib.bytes()});
           }()
        << unsupported << QStringLiteral("bitmaps with unusual colour masks are not supported");
    QTest::newRow("palette larger than 8 bits allow")
        << iconFile({eightBitImage(300, 300, 0)}) << damaged
        << QStringLiteral("the palette has 300 colours, more than 8-bit colour can use");
    QTest::newRow("palette index beyond the palette")
        << iconFile({eightBitImage(4, 4, 200)}) << damaged
        << QStringLiteral("pixel (0, 31) uses colour 200 of a palette of 4");
    QTest::newRow("palette past the end")
        << iconFile({eightBitImage(0, 20, 0).left(40 + 80)}) << damaged
        << QStringLiteral("the palette of 256 colours runs past the end of the data");
    QTest::newRow("colour rows cut short")
        << iconFile({valid.mid(22, 40 + 1000)}) << damaged << QStringLiteral("the colour rows run past the end of the data");
    QTest::newRow("mask rows missing")
        << iconFile({valid.mid(22, 40 + 4096)}) << damaged << QStringLiteral("the mask rows are missing");
    QTest::newRow("mask rows cut short")
        << iconFile({valid.mid(22, 40 + 4096 + 127)}) << damaged << QStringLiteral("the mask rows are missing");
    QTest::newRow("PNG header cut short")
        << iconFile({QByteArray::fromHex("89504e470d0a1a0a0000000d49484452")}) << damaged
        << QStringLiteral("image 1 of 1 has a damaged PNG header");
    QTest::newRow("PNG data damaged")
        << iconFile({QByteArray::fromHex("89504e470d0a1a0a0000000d494844520000002000000020080600000000000000")
                     + QByteArray(50, 'x')})
        << damaged << QStringLiteral("the PNG image in it cannot be decoded");
    QTest::newRow("bitmap file header cut short") << QByteArray("BM\x10\0\0") << damaged
                                                  << QStringLiteral("the bitmap file header is cut short");
    QTest::newRow("bitmap without its info header") << QByteArray("BM").append(14, '\0') << damaged
                                                    << QStringLiteral("the bitmap header is missing");
    QTest::newRow("bitmap pixels past the end")
        << [] {
               QByteArray bytes = fixture("im-24bit.bmp");
               put32(bytes, 10, 100000);
               return bytes;
           }()
        << damaged << QStringLiteral("the colour rows run past the end of the data");
    QTest::newRow("bitmap pixels inside the header")
        << [] {
               QByteArray bytes = fixture("im-24bit.bmp");
               put32(bytes, 10, 20);
               return bytes;
           }()
        << damaged << QStringLiteral("the colour rows run past the end of the data");
    QTest::newRow("bitmap of no height")
        << [] {
               QByteArray bytes = fixture("im-24bit.bmp");
               put32(bytes, 22, 0);
               return bytes;
           }()
        << damaged << QStringLiteral("the bitmap header gives an impossible size (32 x 0)");
    QTest::newRow("placeable metafile") << QByteArray::fromHex("d7cdc69a0000000000002000200060") + QByteArray(30, '\0')
                                        << PictureProblem::Metafile << QString();
    QTest::newRow("plain metafile") << QByteArray::fromHex("010009000003") + QByteArray(30, '\0')
                                    << PictureProblem::Metafile << QString();
    QTest::newRow("enhanced metafile")
        << QByteArray::fromHex("01000000") + QByteArray(36, '\0') + QByteArray(" EMF") + QByteArray(20, '\0')
        << PictureProblem::Metafile << QString();
}

void IconCodecTest::refusesMalformedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PictureProblem, problem);
    QFETCH(QString, reason);
    const DecodedPicture decoded = decodeExact(bytes);
    QCOMPARE(decoded.problem, problem);
    QCOMPARE(decoded.reason, reason);
    QVERIFY(!decoded.icon);
}

QTEST_MAIN(IconCodecTest)
#include "tst_iconcodec.moc"

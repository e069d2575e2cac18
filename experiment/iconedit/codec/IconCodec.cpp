#include "kelvane/iconedit/IconCodec.h"

#include "DibDecoder.h"
#include "PngEntry.h"

#include <vector>

namespace kelvane {

using codec::DibUse;
using codec::LittleEndian;

namespace {

constexpr qint64 DirectoryHeaderSize = 6;
constexpr qint64 DirectoryEntrySize = 16;
constexpr qint64 FileHeaderSize = 14; // of a bitmap file, before its DIB header

DecodedPicture refused(PictureProblem problem, const QString &reason = {})
{
    DecodedPicture result;
    result.problem = problem;
    result.reason = reason;
    return result;
}

DecodedPicture wrongSize(QSize size, PictureKind kind)
{
    DecodedPicture result;
    result.problem = PictureProblem::WrongSize;
    result.size = size;
    result.kind = kind;
    return result;
}

bool isMetafile(const LittleEndian &data)
{
    // A placeable metafile starts with its own key; a plain one with its type (memory
    // or disk), a header of nine words and version 1 or 3; an enhanced one has its
    // signature " EMF" at byte 40.
    if (data.holds(0, 4) && data.u32(0) == 0x9AC6CDD7)
        return true;
    if (data.holds(0, 6) && (data.u16(0) == 1 || data.u16(0) == 2) && data.u16(2) == 9
        && (data.u16(4) == 0x0100 || data.u16(4) == 0x0300))
        return true;
    return data.holds(0, 44) && data.u32(0) == 1 && data.u32(40) == 0x464D4520;
}

struct Candidate
{
    qint64 offset = 0;
    qint64 bytes = 0;
    QSize size;
    int depth = 0;
    bool png = false;
};

DecodedPicture decodeIconDirectory(const LittleEndian &data, PictureKind kind)
{
    const int count = data.u16(4);
    if (count == 0)
        return refused(PictureProblem::Damaged, QStringLiteral("the file lists no images"));
    const qint64 directoryEnd = DirectoryHeaderSize + DirectoryEntrySize * count;
    if (!data.holds(0, directoryEnd)) {
        return refused(PictureProblem::Damaged,
                       QStringLiteral("the file lists %1 images but ends inside their directory, after %2 bytes")
                           .arg(count)
                           .arg(data.size()));
    }

    std::vector<Candidate> candidates;
    for (int i = 0; i < count; ++i) {
        const qint64 entryAt = DirectoryHeaderSize + DirectoryEntrySize * i;
        Candidate candidate;
        candidate.bytes = data.u32(entryAt + 8);
        candidate.offset = data.u32(entryAt + 12);
        if (candidate.offset < directoryEnd) {
            return refused(PictureProblem::Damaged,
                           QStringLiteral("image %1 of %2 is said to start at byte %3, inside the image directory")
                               .arg(i + 1)
                               .arg(count)
                               .arg(candidate.offset));
        }
        if (!data.holds(candidate.offset, candidate.bytes)) {
            return refused(PictureProblem::Damaged,
                           QStringLiteral("image %1 of %2 is said to take bytes %3 to %4, but the file has "
                                          "only %5 bytes")
                               .arg(i + 1)
                               .arg(count)
                               .arg(candidate.offset)
                               .arg(candidate.offset + candidate.bytes)
                               .arg(data.size()));
        }
        const QByteArrayView entry = data.slice(candidate.offset, candidate.bytes);
        QString reason;
        if (codec::startsAsPng(entry)) {
            const auto size = codec::pngSize(entry);
            if (!size) {
                return refused(PictureProblem::Damaged,
                               QStringLiteral("image %1 of %2 has a damaged PNG header").arg(i + 1).arg(count));
            }
            candidate.size = *size;
            candidate.depth = 32;
            candidate.png = true;
        } else if (const auto dib = codec::dibSize(LittleEndian(entry), 0, DibUse::IconEntry, &reason)) {
            candidate.size = dib->size;
            candidate.depth = dib->bitCount;
        } else {
            return refused(PictureProblem::Damaged, QStringLiteral("image %1 of %2: %3").arg(i + 1).arg(count).arg(reason));
        }
        candidates.push_back(candidate);
    }

    // The deepest 32 x 32 image; the first of equals.
    const Candidate *chosen = nullptr;
    const Candidate *largest = nullptr;
    for (const Candidate &candidate : candidates) {
        if (candidate.size == QSize(IconImage::Size, IconImage::Size)
            && (!chosen || candidate.depth > chosen->depth))
            chosen = &candidate;
        const auto area = [](const Candidate &c) { return qint64(c.size.width()) * c.size.height(); };
        if (!largest || area(candidate) > area(*largest))
            largest = &candidate;
    }
    if (!chosen)
        return wrongSize(largest->size, kind);

    const QByteArrayView entry = data.slice(chosen->offset, chosen->bytes);
    DecodedPicture result = chosen->png ? codec::decodePng(entry)
                                        : codec::decodeDib(LittleEndian(entry), 0, std::nullopt, DibUse::IconEntry);
    result.kind = kind;
    return result;
}

DecodedPicture decodeBitmapFile(const LittleEndian &data)
{
    QString reason;
    const auto dib = codec::dibSize(data, FileHeaderSize, DibUse::BitmapFile, &reason);
    if (!dib)
        return refused(PictureProblem::Damaged, reason);
    if (dib->size != QSize(IconImage::Size, IconImage::Size))
        return wrongSize(dib->size, PictureKind::Bitmap);
    const qint64 pixelsAt = data.u32(10);
    DecodedPicture result = codec::decodeDib(data, FileHeaderSize, pixelsAt, DibUse::BitmapFile);
    result.kind = PictureKind::Bitmap;
    return result;
}

} // namespace

DecodedPicture decodePicture(QByteArrayView bytes)
{
    const LittleEndian data(bytes);
    if (data.holds(0, DirectoryHeaderSize) && data.u16(0) == 0 && (data.u16(2) == 1 || data.u16(2) == 2))
        return decodeIconDirectory(data, data.u16(2) == 1 ? PictureKind::Icon : PictureKind::Cursor);
    if (data.holds(0, 2) && data.u8(0) == 'B' && data.u8(1) == 'M') {
        if (!data.holds(0, FileHeaderSize))
            return refused(PictureProblem::Damaged, QStringLiteral("the bitmap file header is cut short"));
        return decodeBitmapFile(data);
    }
    if (isMetafile(data))
        return refused(PictureProblem::Metafile);
    return refused(PictureProblem::NotPicture);
}

} // namespace kelvane

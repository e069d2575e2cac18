#pragma once
// Device-independent bitmaps: the images inside icon and cursor files, and the body of
// a bitmap file.

#include "kelvane/iconedit/IconCodec.h"

#include "LittleEndian.h"

#include <optional>

namespace kelvane::codec {

enum class DibUse {
    IconEntry,  // colour rows followed by AND-mask rows; the height counts both
    BitmapFile, // colour rows only, opaque; a negative height means top row first
};

struct DibSize
{
    QSize size;
    int bitCount = 0;
};

// The image size a DIB header at `headerAt` announces, or a reason why it cannot be
// believed.
std::optional<DibSize> dibSize(const LittleEndian &data, qint64 headerAt, DibUse use, QString *reason);

// Decodes the 32 x 32 DIB whose header lies at `headerAt`. The colour rows start right
// after the palette, or at `pixelsAt` when given (bitmap files say where).
DecodedPicture decodeDib(const LittleEndian &data, qint64 headerAt, std::optional<qint64> pixelsAt,
                         DibUse use);

} // namespace kelvane::codec

#pragma once
// PNG-compressed images inside icon files.

#include "kelvane/iconedit/IconCodec.h"

#include "LittleEndian.h"

#include <optional>

namespace kelvane::codec {

bool startsAsPng(QByteArrayView entry);
// The size its header announces; nothing when the header is cut short.
std::optional<QSize> pngSize(QByteArrayView entry);
// Decodes an entry whose header announces 32 x 32: pixels that are less than half
// opaque become transparent black, the others opaque in their own colour.
DecodedPicture decodePng(QByteArrayView entry);

} // namespace kelvane::codec

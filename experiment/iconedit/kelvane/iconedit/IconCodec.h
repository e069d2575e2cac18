#pragma once
// Reading and writing picture files for the icon editor, over bytes.
//
// Read: icon and cursor files (1-, 4-, 8-, 24- and 32-bit colour bitmaps with their
// AND masks, and PNG-compressed entries), from which the 32 x 32 image is taken, and
// 32 x 32 bitmap files, which open as opaque icons. Every size and offset is checked
// against the file before it is used, so a damaged file is refused with a reason and
// never read past its end.
//
// Write: one 32 x 32 image, 24-bit colour with an alpha byte (0 where the mask is set,
// 255 elsewhere), plus the 1-bit AND mask. The mask and the colours keep the icon
// exactly (a transparent pixel with a colour other than black included); the alpha
// byte is there because readers that honour alpha, Qt's among them, ignore the mask of
// a 24-bit image. The same icon always gives the same bytes.

#include "kelvane/iconedit/IconImage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>
#include <QString>

#include <optional>

namespace kelvane {

enum class PictureKind { Icon, Cursor, Bitmap };

enum class PictureProblem {
    None,
    WrongSize,   // readable, but no 32 x 32 image; `size` is the (largest) size found
    Metafile,    // a metafile: pictures without pixels cannot be edited
    NotPicture,  // neither icon, cursor, bitmap nor metafile
    Damaged,     // sizes or offsets in the file do not hold; `reason` says which
    Unsupported, // a well-formed image in a form the editor does not read
};

struct DecodedPicture
{
    PictureProblem problem = PictureProblem::None;
    std::optional<IconImage> icon; // set exactly when problem is None
    PictureKind kind = PictureKind::Icon;
    QSize size;                    // the image taken, or the one named by WrongSize
    QString reason;                // for Damaged and Unsupported, lower case, no full stop
};

DecodedPicture decodePicture(QByteArrayView bytes);

QByteArray encodeIcon(const IconImage &icon);

} // namespace kelvane

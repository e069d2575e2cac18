#include "kelvane/iconedit/IconEditorTexts.h"

#include "kelvane/iconedit/IconCodec.h"
#include "kelvane/iconedit/IconImage.h"

namespace kelvane {

QString wrongSizeText(QSize found, const QString &path)
{
    return QStringLiteral("Image is not of %1 x %2\n\n%3 x %4\n%5")
        .arg(IconImage::Size)
        .arg(IconImage::Size)
        .arg(found.width())
        .arg(found.height())
        .arg(path);
}

QString errorMessageText(const QString &procedure, int number, const QString &description)
{
    return procedure + u'\n' + QString::number(number) + QStringLiteral("     ") + description;
}

QString pictureProblemText(const DecodedPicture &decoded, const QString &path)
{
    switch (decoded.problem) {
    case PictureProblem::Metafile:
        return QStringLiteral("%1 is a metafile. Only icons, cursors and 32 x 32 bitmaps can be edited.").arg(path);
    case PictureProblem::NotPicture:
        return QStringLiteral("%1 is not an icon, cursor or bitmap file.").arg(path);
    case PictureProblem::Damaged:
        return QStringLiteral("%1 is damaged: %2.").arg(path, decoded.reason);
    case PictureProblem::Unsupported:
        return QStringLiteral("%1 cannot be opened: %2.").arg(path, decoded.reason);
    case PictureProblem::WrongSize:
        return wrongSizeText(decoded.size, path);
    case PictureProblem::None:
        break;
    }
    return {};
}

QString colourReportText(int red, int green, int blue)
{
    return QStringLiteral("Currently selected color: \n\nRGB(%1, %2, %3)").arg(red).arg(green).arg(blue);
}

} // namespace kelvane

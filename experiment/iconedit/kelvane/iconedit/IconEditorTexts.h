#pragma once
// The icon editor's messages.

#include <QSize>
#include <QString>

namespace kelvane {

struct DecodedPicture;

// Message boxes carry the program's title.
inline constexpr QLatin1StringView IconMessageTitle{"Kelvane"};
inline constexpr QLatin1StringView NoIconLoadedText{"No icon loaded yet"};
// A press on the magnified view with nothing to paint on says how to get something.
inline constexpr QLatin1StringView NothingToPaintText{
    "No icon loaded yet. To paint, choose New or Open, or click the picture to the right to edit it."};
inline constexpr QLatin1StringView SaveQuestionText{"Save current icon?"};

// "Image is not of 32 x 32", a blank line, the size found and a line break; then the
// file it came from.
QString wrongSizeText(QSize found, const QString &path);

// The common error message: the procedure that failed, then the error number, five
// blanks and the description.
QString errorMessageText(const QString &procedure, int number, const QString &description);

// The error number of a file that cannot be read as a picture.
inline constexpr int InvalidPictureError = 481;

// Why a picture file could not be opened, naming the file; for every problem but a
// wrong size, which has its own message.
QString pictureProblemText(const DecodedPicture &decoded, const QString &path);

// "Currently selected color: ", a blank line, "RGB(r, g, b)".
QString colourReportText(int red, int green, int blue);

} // namespace kelvane

#pragma once
// Every number that goes into or comes out of a file passes through here, so that
// both programs read and write them the same way whatever the regional settings.

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <cmath>
#include <optional>

namespace kelvane {

// The locale-independent reading of a number at the start of a text: blanks, TABs and
// line feeds are ignored wherever they stand, "." is the decimal point, an exponent
// ("E" or "D") is taken when digits follow it, and reading stops at the first
// character that cannot continue the number. A text without a number gives 0.
// "2.5s" gives 2.5 and "1 0" gives 10.
double leadingNumber(QStringView text);

namespace detail {
double leadingNumberOfBytes(QByteArrayView text);
double roundHalfEvenScaled(double value, int decimals);
} // namespace detail

// The same for the bytes of a file in a single-byte code page such as Windows-1252:
// every character that can be part of a number is ASCII, so the bytes need no decoding.
inline double leadingNumber(QByteArrayView text)
{
    // Nearly every number in a file is a few digits between blanks, perhaps with a
    // decimal point; those are read here, everything else the general way. With at
    // most 15 digits both the digits as a whole number and the power of ten are exact
    // doubles, so their quotient is the correctly rounded value, the one the general
    // way reads.
    constexpr double powersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char *at = text.data();
    const char *const end = at + text.size();
    while (at != end && *at == ' ')
        ++at;
    quint64 digits = 0;
    int digitCount = 0;
    int decimals = 0;
    bool point = false;
    for (; at != end && digitCount <= 15; ++at) {
        if (unsigned(*at - '0') < 10) {
            digits = digits * 10 + unsigned(*at - '0');
            ++digitCount;
            decimals += point;
        } else if (*at == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (at != end && *at == ' ')
        ++at;
    if (at == end && digitCount <= 15)
        return digitCount > 0 ? double(digits) / powersOfTen[decimals] : 0.0;
    return detail::leadingNumberOfBytes(text);
}

// Whether the text is one number and nothing else (blanks around it aside): "12",
// " .1714286", "-3.5E-05". Such a text reads whole; any other is read only in part.
bool isPlainNumber(QStringView text);

// The reading of leadingNumber, but nothing when the text holds no number at all
// ("abc", "", "-"), for those who must tell "0" from "not a number".
std::optional<double> findLeadingNumber(QStringView text);

// Rounds to the given number of decimals; a value exactly halfway goes to the even
// neighbour (2.5 -> 2, 3.5 -> 4).
inline double roundHalfEven(double value, int decimals = 0)
{
    // nearbyint follows the default rounding mode, which sends exact halves to even.
    return decimals == 0 ? std::nearbyint(value) : detail::roundHalfEvenScaled(value, decimals);
}

// " 7 ": one blank, the digits, one blank; a minus sign takes the first blank's place.
QString numberForm(qint64 value);
// The same written at `out`, which has room for NumberFormSpace bytes; returns the end.
inline constexpr int NumberFormSpace = 22;
char *writeNumberForm(char *out, qint64 value);

// The short number form: one blank before a value that is not negative (a minus sign
// in its place otherwise), "." as decimal point, no trailing zeros, no decimal point
// for a whole value and no zero before the point below 1: " 5.7", " .1714286", " 0",
// "-.5". At most `significantDigits` digits are kept; a value below 0.0001 (or too
// large for that many digits) takes the scientific form " 1.428571E-05".
QString shortNumberForm(double value, int significantDigits = 15);

// The short number form of a single-precision value: seven significant digits.
QString shortNumberForm(float value);

// The short number form of a whole number: " 16777215", "-1".
QString shortNumberForm(qint64 value);

// A measure in the pattern "###0.000" (decimals = 3) or "###0.0000" (decimals = 4):
// at least one digit before the separator, exactly `decimals` after it, halves rounded
// away from zero, with the decimal separator of `locale`.
QString fixedDecimals(double value, int decimals, const QLocale &locale);

// The same written at `out`, with `decimalPoint` (the locale's separator already in the
// file's code page) between the whole digits and the decimals. `out` has room for
// fixedDecimalsSpace(decimals, decimalPoint.size()) bytes; returns the end.
char *writeFixedDecimals(char *out, double value, int decimals, QByteArrayView decimalPoint);
constexpr qsizetype fixedDecimalsSpace(int decimals, qsizetype decimalPointSize)
{
    // A sign, up to 309 whole digits, the separator and the decimals.
    return 1 + 309 + decimalPointSize + decimals;
}

// Reads a whole number the way a 32-bit integer conversion does: optional blanks, an
// optional sign and digits, optional trailing blanks; anything else fails.
bool parseWholeNumber(QStringView text, qint64 *value);

// The ordinary text-to-number conversion of a 32-bit whole number, which hand-edited
// files and other tools rely on: blanks around it, an optional sign and decimal digits
// with an optional fraction and exponent (rounded to whole, halves to even), or "&H"
// hexadecimal and "&O" octal digits read as the 32 bits they spell ("&HFF" is 255,
// "&HFFFFFFFF" is -1). Nothing for any other text or a value outside 32 bits.
std::optional<qint32> convertToWholeNumber(QStringView text);

} // namespace kelvane

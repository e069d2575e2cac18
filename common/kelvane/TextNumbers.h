#pragma once
// Every number that goes into or comes out of a file passes through here, so that
// both programs read and write them the same way whatever the regional settings.

#include <QLocale>
#include <QString>
#include <QStringView>

namespace kelvane {

// The locale-independent reading of a number at the start of a text: blanks, TABs and
// line feeds are ignored wherever they stand, "." is the decimal point, an exponent
// ("E" or "D") is taken when digits follow it, and reading stops at the first
// character that cannot continue the number. A text without a number gives 0.
// "2.5s" gives 2.5 and "1 0" gives 10.
double leadingNumber(QStringView text);

// Rounds to the given number of decimals; a value exactly halfway goes to the even
// neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value, int decimals = 0);

// " 7 ": one blank, the digits, one blank; a minus sign takes the first blank's place.
QString numberForm(qint64 value);

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

// Reads a whole number the way a 32-bit integer conversion does: optional blanks, an
// optional sign and digits, optional trailing blanks; anything else fails.
bool parseWholeNumber(QStringView text, qint64 *value);

} // namespace kelvane

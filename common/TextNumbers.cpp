#include "kelvane/TextNumbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <limits>
#include <string>

namespace kelvane {

namespace {

char16_t codeOf(QChar c)
{
    return c.unicode();
}

char16_t codeOf(char c)
{
    return char16_t(static_cast<unsigned char>(c));
}

bool isIgnoredInNumber(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isExponentMark(char16_t c)
{
    return c == u'E' || c == u'e' || c == u'D' || c == u'd';
}

// Most numbers in our files are whole: a sign and a few digits among blanks. They are
// read here without building a text for from_chars. False when the text goes on with a
// decimal point or an exponent, or has too many digits for a 64-bit integer; the
// general reading then takes over.
template <typename Unit>
bool readWholeNumber(const Unit *at, const Unit *end, double *value)
{
    while (at != end && isIgnoredInNumber(codeOf(*at)))
        ++at;
    bool negative = false;
    if (at != end && (codeOf(*at) == u'-' || codeOf(*at) == u'+')) {
        negative = codeOf(*at) == u'-';
        ++at;
    }
    int digits = 0;
    quint64 whole = 0;
    for (; at != end; ++at) {
        const char16_t c = codeOf(*at);
        const unsigned digit = unsigned(c) - unsigned(u'0');
        if (digit < 10) {
            if (++digits > 19)
                return false;
            whole = whole * 10 + digit;
            continue;
        }
        if (isIgnoredInNumber(c))
            continue;
        if (c == u'.' || (digits > 0 && isExponentMark(c)))
            return false;
        break;
    }
    // The conversion rounds to nearest as from_chars does; "-0" stays a negative zero.
    if (digits == 0)
        *value = 0.0;
    else
        *value = negative ? -double(whole) : double(whole);
    return true;
}

template <typename View>
double readGeneralNumber(View text)
{
    std::string number;
    enum class Stage { Sign, Whole, Fraction, ExponentSign, Exponent };
    Stage stage = Stage::Sign;
    std::size_t beforeExponent = 0;
    bool hasDigits = false;

    for (const auto unit : text) {
        const char16_t c = codeOf(unit);
        if (isIgnoredInNumber(c))
            continue;
        if (stage == Stage::Sign) {
            stage = Stage::Whole;
            if (c == u'-' || c == u'+') {
                number.push_back(char(c));
                continue;
            }
        }
        if (isDigit(c)) {
            number.push_back(char(c));
            if (stage == Stage::ExponentSign)
                stage = Stage::Exponent;
            if (stage == Stage::Whole || stage == Stage::Fraction)
                hasDigits = true;
            continue;
        }
        if (c == u'.' && stage == Stage::Whole) {
            number.push_back('.');
            stage = Stage::Fraction;
            continue;
        }
        if (isExponentMark(c) && hasDigits && (stage == Stage::Whole || stage == Stage::Fraction)) {
            beforeExponent = number.size();
            number.push_back('e');
            stage = Stage::ExponentSign;
            continue;
        }
        if ((c == u'-' || c == u'+') && stage == Stage::ExponentSign && number.back() == 'e') {
            number.push_back(char(c));
            continue;
        }
        break;
    }
    // An exponent mark without digits after it is not part of the number.
    if (stage == Stage::ExponentSign)
        number.resize(beforeExponent);
    if (!hasDigits)
        return 0.0;

    const char *first = number.data();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        const bool negative = number.front() == '-';
        const bool tiny = number.find("e-") != std::string::npos;
        if (tiny)
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return value;
}

template <typename View>
double readLeadingNumber(View text)
{
    double value = 0.0;
    if (readWholeNumber(text.data(), text.data() + text.size(), &value))
        return value;
    return readGeneralNumber(text);
}

// The decimal digits of |value| rounded to `digits` significant digits (at most 17),
// and the power of ten of the first digit: 0.1714286 -> ("1714286", -1).
struct Decimal
{
    std::array<char, 17> digits{};
    int count = 0;
    int exponent = 0;
};

Decimal toDecimal(double magnitude, int digits)
{
    // "d.ddddde-xx", rounded exactly as printf's "%.*e" rounds.
    std::array<char, 40> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                            std::chars_format::scientific, digits - 1);
    (void)error;
    Decimal result;
    const char *p = text.data();
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.')
            result.digits[std::size_t(result.count++)] = *p;
    }
    std::from_chars(p + 1 + (p[1] == '+'), end, result.exponent);
    return result;
}

void dropTrailingZeros(std::string &digits)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

// The digits of |value| rounded to `decimals` places (halves away from zero, after
// taking the value to 15 significant digits as a decimal), without leading zeros but
// at least decimals + 1 of them: 0.0625, 3 -> "0063". Returns how many were written.
constexpr std::size_t FixedDigitsSpace = 310 + MaxFixedDecimals + 2;

// Measures are small and seldom near a tie. For |value| < 1e4 and at most four decimals,
// s = |value| * 10^decimals differs from the 15-digit decimal that the general way
// rounds by less than 6e-7 (5e-15 of s for the decimal, one rounding of the product);
// unless the fraction of s lies closer than 1e-5 to one half, rounding s itself gives
// the same whole number.
bool fixedDigitsDirectly(double value, int decimals, char *kept, int *count)
{
    if (!(std::fabs(value) < 1e4) || decimals > 4)
        return false;
    constexpr std::array<double, 5> scales{1, 10, 100, 1000, 10000};
    const double scaled = std::fabs(value) * scales[std::size_t(decimals)];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-5)
        return false;
    const auto rounded = quint64(whole) + (fraction > 0.5 ? 1 : 0);
    *count = int(std::to_chars(kept, kept + 20, rounded).ptr - kept);
    return true;
}

int fixedDigits(double value, int decimals, char *kept, bool *negative)
{
    Q_ASSERT(decimals >= 0 && decimals <= MaxFixedDecimals);
    int count = 0;
    const bool direct = fixedDigitsDirectly(value, decimals, kept, &count);
    if (!direct && value != 0.0 && std::isfinite(value)) {
        // The value is first taken to 15 significant digits, as a decimal, and rounded
        // there, so that 0.0625 gives 0.063 and not the binary neighbour's 0.062.
        const Decimal decimal = toDecimal(std::fabs(value), 15);
        const int last = decimal.exponent + decimals; // index of the last kept digit
        if (last >= -1) {
            for (int i = 0; i <= last; ++i)
                kept[count++] = i < decimal.count ? decimal.digits[std::size_t(i)] : '0';
            const int next = last + 1;
            if (next < decimal.count && decimal.digits[std::size_t(next)] >= '5') {
                int i = count - 1;
                for (; i >= 0 && kept[i] == '9'; --i)
                    kept[i] = '0';
                if (i >= 0) {
                    ++kept[i];
                } else {
                    std::memmove(kept + 1, kept, std::size_t(count));
                    kept[0] = '1';
                    ++count;
                }
            }
        }
    }
    int zeros = 0;
    while (zeros < count && kept[zeros] == '0')
        ++zeros;
    count -= zeros;
    std::memmove(kept, kept + zeros, std::size_t(count));
    *negative = value < 0 && count > 0;
    const int wanted = decimals + 1;
    if (count < wanted) {
        std::memmove(kept + (wanted - count), kept, std::size_t(count));
        std::memset(kept, '0', std::size_t(wanted - count));
        count = wanted;
    }
    return count;
}

} // namespace

double leadingNumber(QStringView text)
{
    return readLeadingNumber(text);
}

double detail::leadingNumberOfBytes(QByteArrayView text)
{
    return readLeadingNumber(text);
}

double detail::roundHalfEvenScaled(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

QString numberForm(qint64 value)
{
    if (value < 0)
        return QString::number(value) + u' ';
    return u' ' + QString::number(value) + u' ';
}

char *writeNumberForm(char *out, qint64 value)
{
    if (value >= 0)
        *out++ = ' ';
    out = std::to_chars(out, out + 20, value).ptr;
    *out++ = ' ';
    return out;
}

QString shortNumberForm(double value, int significantDigits)
{
    if (value == 0.0 || std::isnan(value))
        return QStringLiteral(" 0");
    const QString sign = value < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    if (std::isinf(value))
        return sign + QStringLiteral("1E+308");

    const Decimal decimal = toDecimal(std::fabs(value), significantDigits);
    std::string d(decimal.digits.data(), std::size_t(decimal.count));
    dropTrailingZeros(d);
    const int e = decimal.exponent;

    std::string text;
    if (e < -4 || e >= significantDigits) {
        text.push_back(d.front());
        if (d.size() > 1) {
            text.push_back('.');
            text.append(d, 1);
        }
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        text.append(exponent);
    } else if (e >= 0) {
        const std::size_t wholeDigits = std::size_t(e) + 1;
        if (d.size() <= wholeDigits) {
            text = d + std::string(wholeDigits - d.size(), '0');
        } else {
            text = d.substr(0, wholeDigits) + '.' + d.substr(wholeDigits);
        }
    } else {
        text = '.' + std::string(std::size_t(-e - 1), '0') + d;
    }
    return sign + QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString shortNumberForm(float value)
{
    return shortNumberForm(double(value), 7);
}

QString shortNumberForm(qint64 value)
{
    if (value < 0)
        return QString::number(value);
    return u' ' + QString::number(value);
}

QString fixedDecimals(double value, int decimals, const QLocale &locale)
{
    std::array<char, FixedDigitsSpace> kept{};
    bool negative = false;
    const int count = fixedDigits(value, decimals, kept.data(), &negative);
    QString text = QString::fromLatin1(kept.data(), count);
    if (decimals > 0)
        text.insert(text.size() - decimals, locale.decimalPoint());
    return negative ? u'-' + text : text;
}

char *writeFixedDecimals(char *out, double value, int decimals, QByteArrayView decimalPoint)
{
    std::array<char, FixedDigitsSpace> kept{};
    bool negative = false;
    const int count = fixedDigits(value, decimals, kept.data(), &negative);
    if (negative)
        *out++ = '-';
    out = std::copy_n(kept.data(), count - decimals, out);
    if (decimals > 0) {
        out = std::copy_n(decimalPoint.data(), decimalPoint.size(), out);
        out = std::copy_n(kept.data() + count - decimals, decimals, out);
    }
    return out;
}

bool parseWholeNumber(QStringView text, qint64 *value)
{
    const QString trimmed = text.trimmed().toString();
    if (trimmed.isEmpty())
        return false;
    const QByteArray latin = trimmed.toLatin1();
    const char *first = latin.constData();
    const char *last = first + latin.size();
    if (*first == '+')
        ++first;
    qint64 parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || end != last)
        return false;
    *value = parsed;
    return true;
}

} // namespace kelvane

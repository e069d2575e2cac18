#include "kelvane/TextNumbers.h"

#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace kelvane {

namespace {

bool isIgnoredInNumber(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The decimal digits of |value| rounded to `digits` significant digits, and the power
// of ten of the first digit: 0.1714286 -> ("1714286", -1).
struct Decimal
{
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(double magnitude, int digits)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, magnitude);
    Decimal result;
    const char *p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            result.digits.push_back(*p);
    }
    result.exponent = std::atoi(p + 1);
    return result;
}

void dropTrailingZeros(std::string &digits)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

// Measures are small and seldom near a tie. For |value| < 1e4 and at most four decimals,
// s = |value| * 10^decimals differs from the 15-digit decimal that the general way
// rounds by less than 6e-7 (5e-15 of s for the decimal, one rounding of the product);
// unless the fraction of s lies closer than 1e-5 to one half, rounding s itself gives
// the same whole number.
bool roundedDirectly(double value, int decimals, std::string *kept)
{
    if (!(std::fabs(value) < 1e4) || decimals > 4)
        return false;
    constexpr double scales[] = {1, 10, 100, 1000, 10000};
    const double scaled = std::fabs(value) * scales[decimals];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-5)
        return false;
    const auto rounded = quint64(whole) + (fraction > 0.5 ? 1 : 0);
    char digits[24];
    kept->assign(digits, std::to_chars(digits, digits + sizeof digits, rounded).ptr);
    return true;
}

// The digits of round(|value| * 10^decimals), at least decimals + 1 of them, and whether
// the result is negative: 0.0625, 3 -> "0063".
std::string fixedDigits(double value, int decimals, bool *negative)
{
    std::string kept;
    if (!roundedDirectly(value, decimals, &kept) && value != 0.0 && std::isfinite(value)) {
        // The value is first taken to 15 significant digits, as a decimal, and rounded
        // there, so that 0.0625 gives 0.063 and not the binary neighbour's 0.062.
        const Decimal decimal = toDecimal(std::fabs(value), 15);
        const int last = decimal.exponent + decimals; // index of the last kept digit
        if (last >= -1) {
            for (int i = 0; i <= last; ++i)
                kept.push_back(i < int(decimal.digits.size()) ? decimal.digits[std::size_t(i)] : '0');
            const int next = last + 1;
            const bool roundUp = next < int(decimal.digits.size())
                                 && decimal.digits[std::size_t(next)] >= '5';
            if (roundUp) {
                int i = int(kept.size()) - 1;
                for (; i >= 0 && kept[std::size_t(i)] == '9'; --i)
                    kept[std::size_t(i)] = '0';
                if (i < 0)
                    kept.insert(kept.begin(), '1');
                else
                    ++kept[std::size_t(i)];
            }
        }
    }
    const std::size_t at = kept.find_first_not_of('0');
    kept.erase(0, at == std::string::npos ? kept.size() : at);
    *negative = value < 0 && !kept.empty();
    if (kept.size() < std::size_t(decimals) + 1)
        kept.insert(0, std::size_t(decimals) + 1 - kept.size(), '0');
    return kept;
}

} // namespace

double leadingNumber(QStringView text)
{
    return findLeadingNumber(text).value_or(0.0);
}

bool isPlainNumber(QStringView text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([EeDd][+-]?[0-9]+)?$)"));
    return number.match(text.trimmed().toString()).hasMatch();
}

std::optional<double> findLeadingNumber(QStringView text)
{
    std::string number;
    enum class Stage { Sign, Whole, Fraction, ExponentSign, Exponent };
    Stage stage = Stage::Sign;
    std::size_t beforeExponent = 0;
    bool hasDigits = false;

    for (const QChar c : text) {
        if (isIgnoredInNumber(c))
            continue;
        if (stage == Stage::Sign) {
            stage = Stage::Whole;
            if (c == u'-' || c == u'+') {
                number.push_back(char(c.unicode()));
                continue;
            }
        }
        if (isDigit(c)) {
            number.push_back(char(c.unicode()));
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
        const bool exponentMark = c == u'E' || c == u'e' || c == u'D' || c == u'd';
        if (exponentMark && hasDigits && (stage == Stage::Whole || stage == Stage::Fraction)) {
            beforeExponent = number.size();
            number.push_back('e');
            stage = Stage::ExponentSign;
            continue;
        }
        if ((c == u'-' || c == u'+') && stage == Stage::ExponentSign
            && number.back() == 'e') {
            number.push_back(char(c.unicode()));
            continue;
        }
        break;
    }
    // An exponent mark without digits after it is not part of the number.
    if (stage == Stage::ExponentSign)
        number.resize(beforeExponent);
    if (!hasDigits)
        return std::nullopt;

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

double detail::leadingNumberOfBytes(QByteArrayView text)
{
    // Every character a number is read from is ASCII, the same in Latin-1 as in the
    // files' Windows-1252.
    return leadingNumber(QString::fromLatin1(text));
}

double detail::roundHalfEvenScaled(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    return std::nearbyint(scaled) / scale;
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

    Decimal decimal = toDecimal(std::fabs(value), significantDigits);
    dropTrailingZeros(decimal.digits);
    const std::string &d = decimal.digits;
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
    bool negative = false;
    const std::string kept = fixedDigits(value, decimals, &negative);
    QString text = QString::fromLatin1(kept.data(), qsizetype(kept.size()));
    if (decimals > 0)
        text.insert(text.size() - decimals, locale.decimalPoint());
    return negative ? u'-' + text : text;
}

char *writeFixedDecimals(char *out, double value, int decimals, QByteArrayView decimalPoint)
{
    bool negative = false;
    const std::string kept = fixedDigits(value, decimals, &negative);
    if (negative)
        *out++ = '-';
    out = std::copy_n(kept.data(), kept.size() - std::size_t(decimals), out);
    if (decimals > 0) {
        out = std::copy_n(decimalPoint.data(), decimalPoint.size(), out);
        out = std::copy_n(kept.data() + kept.size() - std::size_t(decimals), decimals, out);
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

std::optional<qint32> convertToWholeNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.size() > 2 && trimmed[0] == u'&') {
        const QChar radixMark = trimmed[1].toUpper();
        const int radix = radixMark == u'H' ? 16 : radixMark == u'O' ? 8 : 0;
        if (radix == 0)
            return std::nullopt;
        bool ok = false;
        const qulonglong bits = trimmed.mid(2).toULongLong(&ok, radix);
        // toULongLong would also take a sign or a "0x"; only bare digits belong here.
        const bool bareDigits = std::all_of(trimmed.begin() + 2, trimmed.end(), [radix](QChar c) {
            const char16_t u = c.unicode();
            if (radix == 8)
                return u >= u'0' && u <= u'7';
            return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        });
        if (!ok || !bareDigits || bits > std::numeric_limits<quint32>::max())
            return std::nullopt;
        return qint32(quint32(bits));
    }

    if (!isPlainNumber(trimmed))
        return std::nullopt;
    const double rounded = roundHalfEven(leadingNumber(trimmed));
    if (!(rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(rounded);
}

} // namespace kelvane

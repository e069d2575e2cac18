#include "ReferenceNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace kelvane::reference {

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

} // namespace

double leadingNumber(QStringView text)
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

double roundHalfEven(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // nearbyint follows the default rounding mode, which sends exact halves to even.
    return std::nearbyint(scaled) / scale;
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

QString fixedDecimals(double value, int decimals, const QLocale &locale)
{
    // The value is first taken to 15 significant digits, as a decimal, and rounded
    // there, so that 0.0625 gives 0.063 and not the binary neighbour's 0.062.
    std::string kept; // the digits of round(|value| * 10^decimals)
    if (value != 0.0 && std::isfinite(value)) {
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
    kept = at == std::string::npos ? std::string() : kept.substr(at);
    const bool negative = value < 0 && !kept.empty();
    if (kept.size() < std::size_t(decimals) + 1)
        kept.insert(0, std::size_t(decimals) + 1 - kept.size(), '0');

    QString text = QString::fromLatin1(kept.data(), qsizetype(kept.size()));
    if (decimals > 0)
        text.insert(text.size() - decimals, locale.decimalPoint());
    return negative ? u'-' + text : text;
}

} // namespace kelvane::reference

#include "scripting/valuetext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tintwell::script {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int hexValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - '0';
    const char16_t u = c.unicode();
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// "&H..." or "&O..." after trimming. A Long holds 32 bits; more digits than
// that is an overflow, not a wrap.
std::optional<double> parseRadix(const QString &s)
{
    const QChar kind = s.size() > 1 ? s[1].toUpper() : QChar();
    const int radix = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
    if (radix == 0 || s.size() < 3)
        return std::nullopt;
    quint64 value = 0;
    for (qsizetype i = 2; i < s.size(); ++i) {
        const int digit = hexValue(s[i]);
        if (digit < 0 || digit >= radix)
            return std::nullopt;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFull)
            return std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(static_cast<qint32>(static_cast<quint32>(value)));
}

QString formatSignificant(double value, int digits)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0, which VBScript never shows
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, digits);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    return text.replace(QLatin1Char('e'), QLatin1Char('E'));
}

} // namespace

std::optional<double> parseNumberText(const QString &text)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    if (s[0] == QLatin1Char('&'))
        return parseRadix(s);

    // Check the shape by hand so that only what VBScript accepts gets through
    // (no "inf", "nan", hex floats or locale separators), then let from_chars
    // do the correctly rounded conversion.
    std::string ascii;
    ascii.reserve(s.size());
    qsizetype i = 0;
    bool negative = false;
    if (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    int mantissaDigits = 0;
    // Decimal position of the first significant digit: > 0 for numbers >= 1.
    long long magnitude = 0;
    bool seenNonZero = false;
    int fractionLeadingZeros = 0;
    int integerDigits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        ascii += char(s[i].unicode());
        ++mantissaDigits;
        if (seenNonZero || s[i] != QLatin1Char('0')) {
            seenNonZero = true;
            ++integerDigits;
        }
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ascii += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            ascii += char(s[i].unicode());
            ++mantissaDigits;
            if (!seenNonZero) {
                if (s[i] == QLatin1Char('0'))
                    ++fractionLeadingZeros;
                else
                    seenNonZero = true;
            }
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    long long exponent = 0;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        ascii += 'e';
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
            expNegative = s[i] == QLatin1Char('-');
            ascii += char(s[i].unicode());
            ++i;
        }
        int expDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits) {
            ascii += char(s[i].unicode());
            if (exponent < 1000000)
                exponent = exponent * 10 + (s[i].unicode() - '0');
        }
        if (expDigits == 0)
            return std::nullopt;
        if (expNegative)
            exponent = -exponent;
    }
    if (i != s.size())
        return std::nullopt;
    if (!seenNonZero)
        return negative ? -0.0 : 0.0;

    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = (integerDigits > 0 ? integerDigits : -fractionLeadingZeros) + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

QString numberText(double value)
{
    return formatSignificant(value, 15);
}

QString singleText(float value)
{
    return formatSignificant(value, 7);
}

} // namespace tintwell::script

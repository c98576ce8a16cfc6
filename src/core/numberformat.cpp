#include "core/numberformat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace tintwell {

namespace {

// A non-negative decimal number as digit strings; the sign is kept apart so
// rounding works on magnitudes (which makes "half away from zero" simply
// "a 5 rounds up").
struct DecimalDigits {
    bool negative = false;
    std::string integer;  // no leading zeros; "" for a zero integer part
    std::string fraction; // as many digits as the value has
};

// The shortest digits that read back as the same value. The scientific form of
// std::to_chars gives them as d.ddd e±x.
template<typename T>
DecimalDigits ToDecimalDigits(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    DecimalDigits out;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '-') {
        out.negative = true;
        pos = 1;
    }
    std::string digits;
    while (pos < text.size() && text[pos] != 'e') {
        if (text[pos] != '.')
            digits.push_back(text[pos]);
        ++pos;
    }
    int exponent = 0;
    if (pos < text.size())
        exponent = std::atoi(std::string(text.substr(pos + 1)).c_str());

    if (exponent >= 0) {
        const auto intLength = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLength) {
            out.integer = digits;
            out.integer.append(intLength - digits.size(), '0');
        } else {
            out.integer = digits.substr(0, intLength);
            out.fraction = digits.substr(intLength);
        }
    } else {
        out.fraction.assign(static_cast<std::size_t>(-exponent - 1), '0');
        out.fraction += digits;
    }
    const auto firstNonZero = out.integer.find_first_not_of('0');
    out.integer.erase(0, firstNonZero == std::string::npos ? out.integer.size() : firstNonZero);
    return out;
}

// Keeps `places` fraction digits (padding with zeros), rounding half away from
// zero on the decimal digits.
void RoundToPlaces(DecimalDigits &number, std::size_t places)
{
    if (number.fraction.size() <= places) {
        number.fraction.append(places - number.fraction.size(), '0');
        return;
    }
    const bool roundUp = number.fraction[places] >= '5';
    number.fraction.resize(places);
    if (!roundUp)
        return;
    for (auto i = number.fraction.size(); i-- > 0;) {
        if (number.fraction[i] != '9') {
            ++number.fraction[i];
            return;
        }
        number.fraction[i] = '0';
    }
    for (auto i = number.integer.size(); i-- > 0;) {
        if (number.integer[i] != '9') {
            ++number.integer[i];
            return;
        }
        number.integer[i] = '0';
    }
    number.integer.insert(number.integer.begin(), '1');
}

bool IsPlaceholder(QChar c)
{
    return c == u'0' || c == u'#';
}

struct ParsedPattern {
    QString integerPart; // placeholders and literals before the decimal point, commas removed
    QString fractionPart;
    bool hasPoint = false;
    bool grouping = false;
    int integerPlaceholders = 0;
    int fractionPlaceholders = 0;
};

ParsedPattern ParsePattern(const QString &pattern)
{
    ParsedPattern parsed;
    for (const QChar c : pattern) {
        if (c == u',') {
            parsed.grouping = true;
        } else if (c == u'.') {
            parsed.hasPoint = true; // a second period is ignored
        } else if (parsed.hasPoint) {
            parsed.fractionPart.append(c);
            if (IsPlaceholder(c))
                ++parsed.fractionPlaceholders;
        } else {
            parsed.integerPart.append(c);
            if (IsPlaceholder(c))
                ++parsed.integerPlaceholders;
        }
    }
    return parsed;
}

QString FormatDigits(DecimalDigits number, const QString &pattern)
{
    const ParsedPattern p = ParsePattern(pattern);
    RoundToPlaces(number, static_cast<std::size_t>(p.fractionPlaceholders));

    // The integer part is laid out right to left: each placeholder takes the
    // next digit, the leftmost one takes all digits still left over.
    QString reversed;
    int position = 0; // digits placed so far, counted from the decimal point
    auto pushDigit = [&](char digit) {
        if (p.grouping && position > 0 && position % 3 == 0)
            reversed.append(u',');
        reversed.append(QChar(digit));
        ++position;
    };
    auto remaining = number.integer.size();
    if (p.integerPlaceholders == 0) {
        while (remaining > 0)
            pushDigit(number.integer[--remaining]);
    }
    int placeholdersSeen = 0;
    for (auto i = p.integerPart.size(); i-- > 0;) {
        const QChar c = p.integerPart[i];
        if (!IsPlaceholder(c)) {
            reversed.append(c);
            continue;
        }
        ++placeholdersSeen;
        const bool leftmost = placeholdersSeen == p.integerPlaceholders;
        if (remaining > 0) {
            pushDigit(number.integer[--remaining]);
            while (leftmost && remaining > 0)
                pushDigit(number.integer[--remaining]);
        } else if (c == u'0') {
            pushDigit('0');
        }
    }

    QString text;
    const bool isZero = number.integer.empty()
                        && number.fraction.find_first_not_of('0') == std::string::npos;
    if (number.negative && !isZero)
        text.append(u'-');
    for (auto i = reversed.size(); i-- > 0;)
        text.append(reversed[i]);

    if (p.hasPoint) {
        text.append(u'.');
        // A "#" digit is shown when a later digit is significant or a later
        // "0" forces it.
        int lastShown = -1;
        const auto lastNonZero = number.fraction.find_last_not_of('0');
        if (lastNonZero != std::string::npos)
            lastShown = static_cast<int>(lastNonZero);
        int index = 0;
        for (const QChar c : p.fractionPart) {
            if (c == u'0')
                lastShown = std::max(lastShown, index);
            if (IsPlaceholder(c))
                ++index;
        }
        index = 0;
        for (const QChar c : p.fractionPart) {
            if (!IsPlaceholder(c)) {
                text.append(c);
                continue;
            }
            if (index <= lastShown)
                text.append(QChar(number.fraction[static_cast<std::size_t>(index)]));
            ++index;
        }
    }
    return text;
}

std::optional<QString> NonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    return std::nullopt;
}

QString GeneralText(double value, int precision)
{
    if (auto special = NonFiniteText(value))
        return *special;
    return QString::number(value, 'g', precision).toUpper();
}

// Strict check of the accepted form, so that std::from_chars (which also takes
// "inf", "nan" and hex forms) only sees plain decimal numbers.
bool IsPlainDecimal(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == s.size();
}

template<typename T>
std::optional<T> ParsePlain(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(end - begin));
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c > 0x7F)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    if (!IsPlainDecimal(ascii))
        return std::nullopt;
    std::string_view digits(ascii);
    if (digits.front() == '+')
        digits.remove_prefix(1);
    T value{};
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

QString FormatNumber(double value, const QString &pattern)
{
    if (auto special = NonFiniteText(value))
        return *special;
    if (pattern.isEmpty())
        return GeneralNumberText(value);
    return FormatDigits(ToDecimalDigits(value), pattern);
}

QString FormatSingle(float value, const QString &pattern)
{
    if (auto special = NonFiniteText(value))
        return *special;
    if (pattern.isEmpty())
        return GeneralText(value, 7);
    return FormatDigits(ToDecimalDigits(value), pattern);
}

QString GeneralNumberText(double value)
{
    return GeneralText(value, 15);
}

std::optional<double> ParseSchemeNumber(QStringView text)
{
    return ParsePlain<double>(text);
}

std::optional<float> ParseSchemeSingle(QStringView text)
{
    return ParsePlain<float>(text);
}

} // namespace tintwell

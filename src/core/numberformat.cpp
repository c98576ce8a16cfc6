#include "core/numberformat.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace tintwell {

namespace {

// A decimal number as its significant digits and the place of the decimal
// point: value = 0.d[0]d[1]... x 10^point. The sign is kept apart so rounding
// works on magnitudes (which makes "half away from zero" simply "a 5 rounds
// up"). Fixed storage: the shortest digits of a double are at most 17.
struct DecimalDigits {
    bool negative = false;
    char digits[24] = {};
    int count = 0; // 0 for zero
    int point = 0;

    char at(int index) const { return index >= 0 && index < count ? digits[index] : '0'; }
    int integerLength() const { return point > 0 ? point : 0; }
    // k = 0 is the units digit, 1 the tens ...
    char integerDigit(int k) const { return at(point - 1 - k); }
    // j = 0 is the first digit after the point.
    char fractionDigit(int j) const { return at(point + j); }
};

// The shortest digits that read back as the same value, from the scientific
// form d.ddd e±x of std::to_chars.
template<typename T>
DecimalDigits ToDecimalDigits(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific);
    const char *pos = buffer;
    const char *const end = result.ptr;

    DecimalDigits out;
    if (pos < end && *pos == '-') {
        out.negative = true;
        ++pos;
    }
    while (pos < end && *pos != 'e') {
        if (*pos != '.' && out.count < int(sizeof out.digits))
            out.digits[out.count++] = *pos;
        ++pos;
    }
    int exponent = 0;
    if (pos < end) {
        ++pos;
        if (pos < end && *pos == '+')
            ++pos;
        std::from_chars(pos, end, exponent);
    }
    out.point = exponent + 1;
    if (out.count == 1 && out.digits[0] == '0')
        out.count = out.point = 0;
    return out;
}

// Keeps `places` fraction digits, rounding half away from zero.
void RoundToPlaces(DecimalDigits &number, int places)
{
    const int cut = number.point + places;
    if (cut >= number.count)
        return;
    if (cut < 0) {
        number.count = number.point = 0;
        return;
    }
    const bool roundUp = number.digits[cut] >= '5';
    number.count = cut;
    if (!roundUp) {
        if (number.count == 0)
            number.point = 0;
        return;
    }
    for (int i = number.count; i-- > 0;) {
        if (number.digits[i] != '9') {
            ++number.digits[i];
            return;
        }
        number.digits[i] = '0';
    }
    // Carried out of the first digit (or there were none kept): a leading 1.
    for (int i = number.count; i > 0; --i)
        number.digits[i] = number.digits[i - 1];
    number.digits[0] = '1';
    ++number.count;
    ++number.point;
}

bool IsPlaceholder(QChar c)
{
    return c == u'0' || c == u'#';
}

struct PatternShape {
    qsizetype point = -1; // index of the decimal point, -1 for none
    bool grouping = false;
    int integerPlaceholders = 0;
    int fractionPlaceholders = 0;
};

PatternShape ShapeOf(const QString &pattern)
{
    PatternShape shape;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u',')
            shape.grouping = true;
        else if (c == u'.' && shape.point < 0)
            shape.point = i;
        else if (IsPlaceholder(c))
            ++(shape.point < 0 ? shape.integerPlaceholders : shape.fractionPlaceholders);
    }
    return shape;
}

QString FormatDigits(DecimalDigits number, const QString &pattern)
{
    const PatternShape shape = ShapeOf(pattern);
    RoundToPlaces(number, shape.fractionPlaceholders);
    const int integerLength = number.integerLength();
    const qsizetype integerEnd = shape.point < 0 ? pattern.size() : shape.point;

    // The integer part is laid out right to left: each placeholder takes the
    // next digit, the leftmost one takes all digits still left over.
    QVarLengthArray<QChar, 64> reversed;
    int position = 0; // digits placed so far, counted from the decimal point
    auto pushDigit = [&](char digit) {
        if (shape.grouping && position > 0 && position % 3 == 0)
            reversed.append(u',');
        reversed.append(QChar(digit));
        ++position;
    };
    int placed = 0; // significant integer digits placed
    auto pushNext = [&] { pushDigit(number.integerDigit(placed++)); };
    if (shape.integerPlaceholders == 0) {
        while (placed < integerLength)
            pushNext();
    }
    int placeholdersSeen = 0;
    for (qsizetype i = integerEnd; i-- > 0;) {
        const QChar c = pattern[i];
        if (c == u',')
            continue;
        if (!IsPlaceholder(c)) {
            reversed.append(c);
            continue;
        }
        ++placeholdersSeen;
        const bool leftmost = placeholdersSeen == shape.integerPlaceholders;
        if (placed < integerLength) {
            pushNext();
            while (leftmost && placed < integerLength)
                pushNext();
        } else if (c == u'0') {
            pushDigit('0');
        }
    }

    QString text;
    text.reserve(reversed.size() + (pattern.size() - integerEnd) + 1);
    bool isZero = true;
    for (int i = 0; i < number.count; ++i)
        isZero = isZero && number.digits[i] == '0';
    if (number.negative && !isZero)
        text.append(u'-');
    for (auto i = reversed.size(); i-- > 0;)
        text.append(reversed[i]);

    if (shape.point >= 0) {
        text.append(u'.');
        // A "#" digit is shown when a later digit is significant or a later
        // "0" forces it.
        int lastShown = -1;
        int index = 0;
        for (qsizetype i = shape.point + 1; i < pattern.size(); ++i) {
            const QChar c = pattern[i];
            if (!IsPlaceholder(c))
                continue;
            if (c == u'0' || number.fractionDigit(index) != '0')
                lastShown = index;
            ++index;
        }
        index = 0;
        for (qsizetype i = shape.point + 1; i < pattern.size(); ++i) {
            const QChar c = pattern[i];
            if (c == u',' || c == u'.')
                continue;
            if (!IsPlaceholder(c)) {
                text.append(c);
                continue;
            }
            if (index <= lastShown)
                text.append(QChar(number.fractionDigit(index)));
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

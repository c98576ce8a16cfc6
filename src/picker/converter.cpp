#include "picker/converter.h"

#include "core/colormodel.h"

#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <optional>
#include <string>

namespace tintwell {

int SchemeFormatOfConvertType(int type)
{
    if (type >= ConvertHTML && type <= ConvertDecimal)
        return type + 4;
    if (type >= ConvertRGB && type <= ConvertCMY)
        return type - 3;
    return -1;
}

namespace {

// What a failing step leaves behind: the conversion goes on, the last one counts.
struct Run {
    ConvertError last = ConvertError::None;
    void fail(ConvertError e) { last = e; }
};

QString Keep(const QString &text, QLatin1StringView allowed)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (allowed.contains(c))
            out.append(c);
    return out;
}

// Digits of `base` (already filtered) read as a 32-bit value the way "&H" and
// "&O" literals are read: up to 32 bits of pattern, so FFFFFFFF is -1; more
// is an overflow.
std::optional<std::int32_t> ReadRadix(const QString &digits, int base, Run &run)
{
    if (digits.isEmpty()) {
        run.fail(ConvertError::NotANumber);
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (QChar c : digits) {
        const int d = c.isDigit() ? c.unicode() - '0' : c.unicode() - 'A' + 10;
        value = value * std::uint64_t(base) + std::uint64_t(d);
        if (value > 0xFFFFFFFFull) {
            run.fail(ConvertError::Overflow);
            return std::nullopt;
        }
    }
    return std::int32_t(std::uint32_t(value));
}

std::optional<std::int32_t> ReadDecimal(const QString &digits, Run &run)
{
    if (digits.isEmpty()) {
        run.fail(ConvertError::NotANumber);
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (QChar c : digits) {
        value = value * 10 + (c.unicode() - '0');
        if (value > 2147483647) {
            run.fail(ConvertError::Overflow);
            return std::nullopt;
        }
    }
    return std::int32_t(value);
}

// A piece of digits and at most one ".", read as a 32-bit float.
std::optional<float> ReadSingle(const QString &piece, Run &run)
{
    const std::string s = piece.toStdString();
    const bool hasDigit = std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!hasDigit || std::count(s.begin(), s.end(), '.') > 1) {
        run.fail(ConvertError::NotANumber);
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && value > FLT_MAX)) {
        run.fail(ConvertError::Overflow);
        return std::nullopt;
    }
    if (ec != std::errc() || end != s.data() + s.size()) {
        run.fail(ConvertError::NotANumber);
        return std::nullopt;
    }
    return float(value);
}

QString ReplaceAll(QString text, const QString &what, const QString &with)
{
    if (!what.isEmpty())
        text.replace(what, with);
    return text;
}

// Rounded half to even into the 16-bit range the component variables hold.
std::int16_t Component(float product, Run &run)
{
    if (!std::isfinite(product)) {
        run.fail(ConvertError::Overflow);
        return 0;
    }
    const auto v = ToInt16(product);
    if (!v) {
        run.fail(ConvertError::Overflow);
        return 0;
    }
    return *v;
}

std::uint8_t Channel(std::int16_t v)
{
    return std::uint8_t(std::clamp<int>(v, 0, 255));
}

std::int32_t ReadThree(QString text, int format, const FormatScheme &scheme, const ScaleFactors &factors,
                       Run &run)
{
    const OutputSeparator &sep = scheme.OutputSeparators[std::size_t(format)];
    const QString comma = QStringLiteral(",");
    text = ReplaceAll(text, sep.LeftSeparator.toUpper(), comma);
    text = ReplaceAll(text, sep.RightSeparator.toUpper(), comma);
    text = ReplaceAll(text, sep.LeftEnd.toUpper(), QString());
    text = ReplaceAll(text, sep.RightEnd.toUpper(), QString());
    text = Keep(text, QLatin1StringView("1234567890.,"));

    float component[3] = {0, 0, 0};
    if (!text.contains(QLatin1Char(','))) {
        if (auto v = ReadSingle(text, run))
            component[0] = *v;
    } else {
        const QStringList pieces = text.split(QLatin1Char(','));
        for (int i = 0; i < 3; ++i) {
            if (i >= pieces.size()) {
                run.fail(ConvertError::MissingPiece);
                continue;
            }
            if (auto v = ReadSingle(pieces[i], run))
                component[i] = *v;
        }
    }

    std::int16_t value[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const float product = component[i] * factors[std::size_t(format)][std::size_t(kInternalPerOutput + i)];
        value[i] = Component(product, run);
    }

    std::uint8_t r = 0, g = 0, b = 0;
    switch (format) {
    case TN_RGB:
        r = Channel(value[0]), g = Channel(value[1]), b = Channel(value[2]);
        break;
    case TN_HSL:
    case TN_HSB: {
        // A hue past the full circle is the full circle, as a channel past 255 is 255.
        const std::int32_t hue = std::clamp<int>(value[0], 0, 360);
        const bool ok = format == TN_HSL ? HSLToRGB(hue, Channel(value[1]), Channel(value[2]), r, g, b)
                                         : HSBToRGB(hue, Channel(value[1]), Channel(value[2]), r, g, b);
        if (!ok)
            run.fail(ConvertError::Overflow);
        break;
    }
    case TN_CMY:
        RGBToCMY(Channel(value[0]), Channel(value[1]), Channel(value[2]), r, g, b);
        break;
    default:
        break;
    }
    return MakeColor(r, g, b);
}

} // namespace

ConvertResult ConvertText(const QString &input, int type, const FormatScheme &scheme,
                          const ScaleFactors &factors)
{
    Run run;
    ConvertResult result;
    const QString text = input.toUpper();
    std::int32_t color = 0;
    bool converted = false;
    const QLatin1StringView hexDigits("1234567890ABCDEF");

    switch (type) {
    case ConvertHTML: {
        const QString digits = Keep(text, hexDigits);
        // RRGGBB becomes BBGGRR; positions past the end add nothing.
        QString reordered;
        for (int pos : {4, 5, 2, 3, 0, 1})
            if (pos < digits.size())
                reordered.append(digits[pos]);
        if (auto v = ReadRadix(reordered, 16, run))
            color = *v;
        converted = true;
        break;
    }
    case ConvertHex:
        if (auto v = ReadRadix(Keep(text, hexDigits), 16, run))
            color = *v;
        converted = true;
        break;
    case ConvertDecimal:
        if (auto v = ReadDecimal(Keep(text, QLatin1StringView("1234567890")), run))
            color = *v;
        converted = true;
        break;
    case ConvertRGB:
    case ConvertHSL:
    case ConvertHSB:
    case ConvertCMY:
        color = ReadThree(text, SchemeFormatOfConvertType(type), scheme, factors, run);
        converted = true;
        break;
    case ConvertOctal:
        if (auto v = ReadRadix(Keep(text, QLatin1StringView("12345670")), 8, run))
            color = *v;
        converted = true;
        break;
    default:
        break;
    }

    if (color > 0xFFFFFF || color < 0)
        run.fail(ConvertError::Overflow);

    result.color = color;
    result.lastError = run.last;
    switch (run.last) {
    case ConvertError::Overflow:
        result.outcome = ConvertOutcome::TooLarge;
        break;
    case ConvertError::NotANumber:
        result.outcome = ConvertOutcome::Invalid;
        break;
    default:
        result.outcome = converted ? ConvertOutcome::SetColor : ConvertOutcome::Invalid;
        break;
    }
    return result;
}

} // namespace tintwell

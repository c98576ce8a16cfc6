// Number patterns and scheme numbers come from hand-edited slot files: any
// pattern with any value must give a text, any line a number or nothing.
// The same bytes also drive the conversions with hues far outside 0-360.

#include "core/colormodel.h"
#include "core/numberformat.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < sizeof(double) + 4)
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    std::int32_t hue;
    std::memcpy(&hue, data + sizeof value, sizeof hue);
    const auto *rest = reinterpret_cast<const char *>(data + sizeof value + sizeof hue);
    const auto restSize = static_cast<qsizetype>(size - sizeof value - sizeof hue);
    const QString pattern = QString::fromLatin1(rest, restSize);

    (void)tintwell::FormatNumber(value, pattern);
    (void)tintwell::FormatSingle(static_cast<float>(value), pattern);
    if (const auto parsed = tintwell::ParseSchemeNumber(pattern))
        (void)tintwell::FormatNumber(*parsed, QStringLiteral("#,##0.00"));
    (void)tintwell::ParseSchemeSingle(pattern);

    const auto s = static_cast<std::uint8_t>(hue >> 8), l = static_cast<std::uint8_t>(hue >> 16);
    std::uint8_t r, g, b;
    (void)tintwell::HSLToRGB(hue, s, l, r, g, b);
    (void)tintwell::HSBToRGB(hue, s, l, r, g, b);
    (void)tintwell::ToByte(value);
    (void)tintwell::ToInt32(value);
    return 0;
}

#include "core/colormodel.h"

#include <cmath>
#include <limits>

namespace tintwell {

namespace {

// Every assignment in the conversions goes through this, so that each stored
// intermediate is a 32-bit float while the expression itself ran in double.
inline float F(double value)
{
    return static_cast<float>(value);
}

template<typename T>
std::optional<T> RoundInto(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = RoundHalfEven(value);
    if (rounded < double(std::numeric_limits<T>::min())
        || rounded > double(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(rounded);
}

// The three-way min/max scan shared by the HSL and HSB conversions.
void MinMax(float r, float g, float b, float &minimum, float &maximum)
{
    minimum = 255;
    maximum = 0;
    for (const float v : {r, g, b}) {
        if (v < minimum)
            minimum = v;
        if (v > maximum)
            maximum = v;
    }
}

} // namespace

double RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5)
        return floor;
    if (diff > 0.5)
        return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<std::int32_t> ToInt32(double value)
{
    return RoundInto<std::int32_t>(value);
}

std::optional<std::int16_t> ToInt16(double value)
{
    return RoundInto<std::int16_t>(value);
}

std::optional<std::uint8_t> ToByte(double value)
{
    return RoundInto<std::uint8_t>(value);
}

void RGBToHSL(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::int32_t &hue,
              std::uint8_t &saturation, std::uint8_t &lightness)
{
    const float r = red, g = green, b = blue;
    float minimum, maximum;
    MinMax(r, g, b, minimum, maximum);
    float h = 0, s = 0, l;

    if (minimum == maximum) {
        l = maximum;
    } else {
        l = F((double(minimum) + maximum) / 2);
        // Strictly below 127: a lightness of exactly 127 already divides by
        // 510 - max - min.
        const float d = l < 127 ? F(double(maximum) + minimum) : F(510.0 - maximum - minimum);
        const double range = double(maximum) - minimum;
        s = F(range / d * 255);
        if (r == maximum)
            h = F((double(g) - b) / range);
        if (g == maximum)
            h = F(2 + (double(b) - r) / range);
        if (b == maximum)
            h = F(4 + (double(r) - g) / range);
    }
    h = F(h * 60.0);
    if (h < 0)
        h = F(h + 360.0);

    // All three lie in range for 8-bit inputs: s <= 255 because d >= max - min.
    hue = ToInt32(h).value_or(0);
    saturation = ToByte(s).value_or(0);
    lightness = ToByte(l).value_or(0);
}

bool HSLToRGB(std::int32_t hue, std::uint8_t saturation, std::uint8_t lightness,
              std::uint8_t &red, std::uint8_t &green, std::uint8_t &blue)
{
    float h = F(hue);
    const float s = F(saturation / 255.0);
    const float l = F(lightness / 255.0);
    float v[3];

    if (s == 0) {
        v[0] = v[1] = v[2] = l;
    } else {
        const float t2 = l < 0.5 ? F(double(l) * (1 + double(s))) : F((double(s) + l) - double(s) * l);
        const float t1 = F(2.0 * l - t2);
        h = F(h / 360.0);
        float t[3] = {F(h + 1.0 / 3), h, F(h - 1.0 / 3)};
        for (int c = 0; c < 3; ++c) {
            if (t[c] < 0)
                t[c] = F(t[c] + 1.0);
            if (t[c] > 1)
                t[c] = F(t[c] - 1.0);
            if (6.0 * t[c] < 1) {
                const float product = F((double(t2) - t1) * 6 * t[c]);
                v[c] = F(double(t1) + product);
            } else if (2.0 * t[c] < 1) {
                v[c] = t2;
            } else if (3.0 * t[c] < 2) {
                const float product = F((double(t2) - t1) * (2.0 / 3 - t[c]) * 6);
                v[c] = F(double(t1) + product);
            } else {
                v[c] = t1;
            }
        }
    }

    const auto r = ToByte(v[0] * 255.0), g = ToByte(v[1] * 255.0), b = ToByte(v[2] * 255.0);
    if (!r || !g || !b)
        return false;
    red = *r;
    green = *g;
    blue = *b;
    return true;
}

void RGBToHSB(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::int32_t &hue,
              std::uint8_t &saturation, std::uint8_t &brightness)
{
    const float r = red, g = green, b = blue;
    float minimum, maximum;
    MinMax(r, g, b, minimum, maximum);
    const float delta = F(double(maximum) - minimum);
    if (maximum == 0)
        return;

    const float s = F(delta / double(maximum));
    auto part = [delta](double difference) { return delta != 0 ? difference / delta : difference; };
    float h;
    if (r == maximum)
        h = F(part(double(g) - b));
    else if (g == maximum)
        h = F(2 + part(double(b) - r));
    else
        h = F(4 + part(double(r) - g));
    h = F(h * 60.0);
    if (h < 0)
        h = F(h + 360.0);

    hue = ToInt32(h).value_or(0);
    saturation = ToByte(s * 255.0).value_or(0);
    brightness = static_cast<std::uint8_t>(maximum);
}

bool HSBToRGB(std::int32_t hue, std::uint8_t saturation, std::uint8_t brightness,
              std::uint8_t &red, std::uint8_t &green, std::uint8_t &blue)
{
    if (saturation == 0) {
        red = green = blue = brightness;
        return true;
    }
    const float s = F(saturation / 255.0);
    const float v = F(brightness / 255.0);
    const float h = F(hue / 60.0);
    const int sector = static_cast<int>(std::trunc(h));
    const float f = F(h - sector);
    const float p = F((1 - double(s)) * v);
    const float q = F((1 - double(f) * s) * v);
    const float t = F((1 - (1 - double(f)) * s) * v);
    const auto P = ToByte(p * 255.0), Q = ToByte(q * 255.0), T = ToByte(t * 255.0);
    if (!P || !Q || !T)
        return false;
    const std::uint8_t V = brightness;

    switch (sector) {
    case 0:
    case 6:
        red = V, green = *T, blue = *P;
        break;
    case 1:
        red = *Q, green = V, blue = *P;
        break;
    case 2:
        red = *P, green = V, blue = *T;
        break;
    case 3:
        red = *P, green = *Q, blue = V;
        break;
    case 4:
        red = *T, green = *P, blue = V;
        break;
    default:
        red = V, green = *P, blue = *Q;
        break;
    }
    return true;
}

void RGBToCMY(std::uint8_t in1, std::uint8_t in2, std::uint8_t in3, std::uint8_t &out1,
              std::uint8_t &out2, std::uint8_t &out3)
{
    out1 = static_cast<std::uint8_t>(255 - in1);
    out2 = static_cast<std::uint8_t>(255 - in2);
    out3 = static_cast<std::uint8_t>(255 - in3);
}

bool SplitColor(std::int32_t color, std::int16_t &red, std::int16_t &green, std::int16_t &blue)
{
    if ((static_cast<std::uint32_t>(color) & 0xFF000000u) != 0)
        return false;
    red = static_cast<std::int16_t>(color & 0xFF);
    green = static_cast<std::int16_t>((color >> 8) & 0xFF);
    blue = static_cast<std::int16_t>((color >> 16) & 0xFF);
    return true;
}

bool DivMod(std::int32_t dividend, std::int32_t divisor, std::int32_t &remainder,
            std::int32_t &quotient)
{
    if (divisor == 0)
        return false;
    if (divisor == -1 && dividend == std::numeric_limits<std::int32_t>::min())
        return false;
    remainder = dividend % divisor; // C++ gives the remainder the dividend's sign
    quotient = (dividend - remainder) / divisor;
    return true;
}

std::optional<std::int32_t> GridIndex(std::int32_t column, std::int32_t row,
                                      std::int32_t columnsPerRow)
{
    const std::int64_t index = std::int64_t(row) * columnsPerRow + column;
    if (index < std::numeric_limits<std::int32_t>::min()
        || index > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(index);
}

QString FilterChars(const QString &text, const QString &list, bool removeListed,
                    bool caseSensitive)
{
    const QString compareList = caseSensitive ? list : list.toUpper();
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const QChar compared = caseSensitive ? c : c.toUpper();
        if (compareList.contains(compared) != removeListed)
            result.append(c);
    }
    return result;
}

std::optional<int> FindPaletteColor(const PaletteTable &table, std::int32_t color)
{
    for (int i = 0; i < int(table.size()); ++i) {
        if (table[std::size_t(i)] == color)
            return i;
    }
    return std::nullopt;
}

std::optional<int> FindPaletteColor(const PaletteState &palette, std::int32_t color)
{
    return FindPaletteColor(palette.PaletteColors, color);
}

std::int32_t NearestPaletteColor(const PaletteTable &table, std::int32_t color, int &index)
{
    auto channel = [](std::int32_t c, int shift) { return (c >> shift) & 0xFF; };
    int bestDistance = 765;
    int bestIndex = 0;
    for (int i = 0; i < int(table.size()); ++i) {
        const std::int32_t entry = table[std::size_t(i)];
        if (entry == color) {
            bestIndex = i;
            break;
        }
        int distance = 0;
        for (int shift : {0, 8, 16})
            distance += std::abs(channel(entry, shift) - channel(color, shift));
        if (distance < bestDistance) {
            bestDistance = distance;
            bestIndex = i;
        }
    }
    index = bestIndex;
    return table[std::size_t(bestIndex)];
}

std::int32_t NearestPaletteColor(const PaletteState &palette, std::int32_t color, int &index)
{
    return NearestPaletteColor(palette.PaletteColors, color, index);
}

} // namespace tintwell

#pragma once
// The colour value and the conversions between colour systems.
//
// A colour value is a signed 32-bit integer laid out 0x00BBGGRR (red in the
// lowest byte). Internal ranges: red, green, blue, saturation, lightness,
// brightness, cyan, magenta, yellow 0-255; hue 0-360 degrees, where 360 can
// come out of a conversion and means the same as 0.
//
// Float semantics matter for the last bit of rare ties: every intermediate
// quantity is stored as a 32-bit float, while the arithmetic inside one
// expression runs in double. Conversions to integers round half to even.
// Routines that can fail (only with inputs outside the ranges above) say so in
// their result instead of wrapping around.

#include "core/palettestate.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace tintwell {

using PaletteTable = std::array<std::int32_t, 256>;

// Round half to even (126.5 -> 126, 127.5 -> 128).
double RoundHalfEven(double value);
// Rounded half to even, nullopt when the result leaves the target's range
// (or the value is NaN).
std::optional<std::int32_t> ToInt32(double value);
std::optional<std::int16_t> ToInt16(double value);
std::optional<std::uint8_t> ToByte(double value);

// Hue in degrees; saturation and lightness 0-255. Cannot fail.
void RGBToHSL(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::int32_t &hue,
              std::uint8_t &saturation, std::uint8_t &lightness);
// False (outputs untouched) only for a hue far outside 0-360 that drives a
// channel out of 0-255.
bool HSLToRGB(std::int32_t hue, std::uint8_t saturation, std::uint8_t lightness,
              std::uint8_t &red, std::uint8_t &green, std::uint8_t &blue);
// Black leaves all three outputs as they were: callers preset them (to 0).
void RGBToHSB(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::int32_t &hue,
              std::uint8_t &saturation, std::uint8_t &brightness);
// False (outputs untouched) only for a negative hue that drives a channel out
// of 0-255. Hue 360 gives the colour of hue 0.
bool HSBToRGB(std::int32_t hue, std::uint8_t saturation, std::uint8_t brightness,
              std::uint8_t &red, std::uint8_t &green, std::uint8_t &blue);
// 255 minus each input; the same call turns CMY back into RGB.
void RGBToCMY(std::uint8_t in1, std::uint8_t in2, std::uint8_t in3, std::uint8_t &out1,
              std::uint8_t &out2, std::uint8_t &out3);

// Components as 16-bit values 0-255. A colour with a non-zero top byte (a
// system-colour reference, or -1) is not a plain colour: false, outputs
// untouched.
bool SplitColor(std::int32_t color, std::int16_t &red, std::int16_t &green, std::int16_t &blue);
// Packs 0x00BBGGRR.
constexpr std::int32_t MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return std::int32_t(red) | (std::int32_t(green) << 8) | (std::int32_t(blue) << 16);
}

// Remainder with the sign of the dividend, quotient = (dividend - remainder) /
// divisor. False for a zero divisor and for INT32_MIN / -1.
bool DivMod(std::int32_t dividend, std::int32_t divisor, std::int32_t &remainder,
            std::int32_t &quotient);
// row x columns + column; nullopt when the 32-bit arithmetic overflows.
std::optional<std::int32_t> GridIndex(std::int32_t column, std::int32_t row,
                                      std::int32_t columnsPerRow);

// Keeps (removeListed false) or drops (removeListed true) the characters of
// `text` that occur in `list`, comparing upper-case forms unless caseSensitive.
// Kept characters keep their own case.
QString FilterChars(const QString &text, const QString &list, bool removeListed,
                    bool caseSensitive);

// The first index holding exactly this colour.
std::optional<int> FindPaletteColor(const PaletteTable &table, std::int32_t color);
std::optional<int> FindPaletteColor(const PaletteState &palette, std::int32_t color);
// The entry closest by |dR| + |dG| + |dB| (ties keep the lower index; an exact
// match ends the search); its index goes to `index`, its colour is returned.
std::int32_t NearestPaletteColor(const PaletteTable &table, std::int32_t color, int &index);
std::int32_t NearestPaletteColor(const PaletteState &palette, std::int32_t color, int &index);

} // namespace tintwell

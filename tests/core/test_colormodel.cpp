#include "core/colormodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

using namespace tintwell;

namespace {

struct Triple {
    int a, b, c;
    bool operator==(const Triple &) const = default;
};

void PrintTo(const Triple &t, std::ostream *os) { *os << "(" << t.a << ", " << t.b << ", " << t.c << ")"; }

Triple Hsl(Triple rgb)
{
    std::int32_t h = -1;
    std::uint8_t s = 99, l = 99;
    RGBToHSL(std::uint8_t(rgb.a), std::uint8_t(rgb.b), std::uint8_t(rgb.c), h, s, l);
    return {h, s, l};
}

Triple Hsb(Triple rgb, Triple preset = {0, 0, 0})
{
    std::int32_t h = preset.a;
    std::uint8_t s = std::uint8_t(preset.b), v = std::uint8_t(preset.c);
    RGBToHSB(std::uint8_t(rgb.a), std::uint8_t(rgb.b), std::uint8_t(rgb.c), h, s, v);
    return {h, s, v};
}

Triple FromHsl(Triple hsl)
{
    std::uint8_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(HSLToRGB(hsl.a, std::uint8_t(hsl.b), std::uint8_t(hsl.c), r, g, b));
    return {r, g, b};
}

Triple FromHsb(Triple hsb)
{
    std::uint8_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(HSBToRGB(hsb.a, std::uint8_t(hsb.b), std::uint8_t(hsb.c), r, g, b));
    return {r, g, b};
}

} // namespace

TEST(Rounding, HalfToEvenWithOverflowAsResult)
{
    EXPECT_EQ(RoundHalfEven(127.5), 128);
    EXPECT_EQ(RoundHalfEven(126.5), 126);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(ToByte(-0.5), 0);
    EXPECT_FALSE(ToByte(255.5).has_value()); // rounds to 256
    EXPECT_FALSE(ToByte(-0.6).has_value());
    EXPECT_FALSE(ToByte(std::nan("")).has_value());
    EXPECT_EQ(ToInt32(-2147483648.4), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(ToInt32(2147483647.5).has_value()); // ties to the even 2147483648
    EXPECT_FALSE(ToInt32(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(ToInt16(32767.5).has_value());
}

TEST(Conversions, WorkedColoursBothWays)
{
    const struct {
        Triple rgb, hsl, hsb;
    } forward[] = {
        {{255, 128, 0}, {30, 255, 128}, {30, 255, 255}}, // lightness 127.5 ties up to 128
        {{51, 102, 153}, {210, 128, 102}, {210, 170, 153}},
        {{255, 0, 1}, {360, 255, 128}, {360, 255, 255}}, // hue just below zero rounds to 360
        {{128, 128, 128}, {0, 0, 128}, {0, 0, 128}},
        {{255, 255, 255}, {0, 0, 255}, {0, 0, 255}},
        // Min + Max = 254 gives L = 127, which already divides by 510 - Max - Min.
        {{254, 0, 0}, {0, 253, 127}, {0, 255, 254}},
        {{253, 0, 0}, {0, 255, 126}, {0, 255, 253}}, // L = 126.5 ties down
    };
    for (const auto &c : forward) {
        EXPECT_EQ(Hsl(c.rgb), c.hsl) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
        EXPECT_EQ(Hsb(c.rgb), c.hsb) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
    }
    EXPECT_EQ(Hsl({0, 0, 0}), (Triple{0, 0, 0}));
    EXPECT_EQ(Hsb({0, 0, 0}, {7, 8, 9}), (Triple{7, 8, 9})) << "black writes nothing";
    std::uint8_t c, m, y;
    RGBToCMY(255, 128, 0, c, m, y);
    EXPECT_EQ((Triple{c, m, y}), (Triple{0, 127, 255}));

    const struct {
        Triple in, rgb;
    } fromHsl[] = {{{30, 255, 128}, {255, 128, 1}}, {{210, 128, 102}, {51, 102, 153}},
                   {{0, 255, 128}, {255, 1, 1}},    {{120, 255, 64}, {0, 128, 0}},
                   {{123, 0, 77}, {77, 77, 77}}},
      fromHsb[] = {{{360, 255, 255}, {255, 0, 0}}, {{120, 255, 255}, {0, 255, 0}},
                   {{300, 255, 255}, {255, 0, 255}}, {{210, 170, 153}, {51, 102, 153}},
                   {{123, 0, 77}, {77, 77, 77}}};
    for (const auto &c : fromHsl)
        EXPECT_EQ(FromHsl(c.in), c.rgb) << "HSL " << c.in.a << "," << c.in.b << "," << c.in.c;
    for (const auto &c : fromHsb)
        EXPECT_EQ(FromHsb(c.in), c.rgb) << "HSB " << c.in.a << "," << c.in.b << "," << c.in.c;
}

TEST(Conversions, RoundTripsStayCloseOverTheCube)
{
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 15) {
                const Triple rgb{r, g, b};
                for (const Triple &back : {FromHsl(Hsl(rgb)), FromHsb(Hsb(rgb))}) {
                    ASSERT_LE(std::max({std::abs(back.a - r), std::abs(back.b - g), std::abs(back.c - b)}), 3)
                        << r << " " << g << " " << b;
                }
            }
}

TEST(Conversions, HuesFarOutOfRangeFailWithoutWriting)
{
    std::uint8_t r = 1, g = 2, b = 3;
    EXPECT_FALSE(HSBToRGB(-59, 255, 255, r, g, b));
    EXPECT_FALSE(HSLToRGB(-720, 255, 128, r, g, b));
    EXPECT_EQ((Triple{r, g, b}), (Triple{1, 2, 3}));
    EXPECT_TRUE(HSBToRGB(1000, 255, 255, r, g, b)); // large hues fall into the last sector
}

TEST(Arithmetic, ColorValuesDivModAndGridIndex)
{
    std::int16_t r = -1, g = -1, b = -1;
    ASSERT_TRUE(SplitColor(0x0080FF, r, g, b));
    EXPECT_EQ((Triple{r, g, b}), (Triple{255, 128, 0}));
    EXPECT_EQ(MakeColor(255, 128, 0), 33023);
    r = g = b = 7;
    for (std::int32_t bad : {-1, std::int32_t(0x80000005u), 0x01000000})
        EXPECT_FALSE(SplitColor(bad, r, g, b)) << bad;
    EXPECT_EQ((Triple{r, g, b}), (Triple{7, 7, 7}));

    std::int32_t rem = 0, quot = 0;
    ASSERT_TRUE(DivMod(-37, 16, rem, quot));
    EXPECT_EQ((Triple{rem, quot, 0}), (Triple{-5, -2, 0}));
    rem = quot = 42;
    EXPECT_FALSE(DivMod(5, 0, rem, quot));
    EXPECT_FALSE(DivMod(std::numeric_limits<std::int32_t>::min(), -1, rem, quot));
    EXPECT_EQ(rem, 42);

    EXPECT_EQ(GridIndex(15, 15, 16), 255);
    EXPECT_EQ(GridIndex(-1, 0, 16), -1);
    EXPECT_FALSE(GridIndex(0, std::numeric_limits<std::int32_t>::max(), 2).has_value());
    EXPECT_FALSE(GridIndex(1, std::numeric_limits<std::int32_t>::max(), 1).has_value());
}

TEST(FilterChars, KeepsOrRemovesListedCharacters)
{
    const struct {
        const char *text, *chars;
        bool remove, caseSensitive;
        const char *result;
    } cases[] = {{"&&R&GB", "&", true, false, "RGB"},  {"1.5e", "1234567890.", false, false, "1.5"},
                 {"aBcA", "a", true, false, "Bc"},     {"aBcA", "a", true, true, "BcA"},
                 {"AbXa", "ab", false, false, "Aba"},  {"AbXa", "ab", false, true, "ba"},
                 {"abc", "", true, false, "abc"}};
    for (const auto &c : cases)
        EXPECT_EQ(FilterChars(c.text, c.chars, c.remove, c.caseSensitive), c.result) << c.text << " " << c.chars;
}

TEST(Palette, FindAndNearest)
{
    PaletteTable table{};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = MakeColor(std::uint8_t(i), 0, 0);
    table[200] = MakeColor(10, 0, 0); // a duplicate of entry 10
    EXPECT_EQ(FindPaletteColor(table, MakeColor(10, 0, 0)), 10);
    EXPECT_FALSE(FindPaletteColor(table, MakeColor(10, 1, 0)).has_value());

    // Entries 99 and 101 are both at distance 1 once 100 is gone: the earlier one wins.
    int index = -1;
    table[100] = MakeColor(0, 255, 255);
    EXPECT_EQ(NearestPaletteColor(table, MakeColor(100, 0, 0), index), MakeColor(99, 0, 0));
    EXPECT_EQ(index, 99);

    // An exact match later in the table beats a close one earlier.
    table.fill(MakeColor(255, 255, 255));
    table[3] = MakeColor(0, 0, 1);
    table[10] = MakeColor(0, 0, 2);
    EXPECT_EQ(NearestPaletteColor(table, MakeColor(0, 0, 2), index), MakeColor(0, 0, 2));
    EXPECT_EQ(index, 10);

    PaletteState state;
    EXPECT_EQ(FindPaletteColor(state, 0), 0);
    EXPECT_EQ(NearestPaletteColor(state, MakeColor(255, 255, 255), index), 0);
}

#include "core/colormodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace tintwell;

namespace {

struct Triple {
    int a, b, c;
    bool operator==(const Triple &) const = default;
};

void PrintTo(const Triple &t, std::ostream *os)
{
    *os << "(" << t.a << ", " << t.b << ", " << t.c << ")";
}

Triple Hsl(int r, int g, int b)
{
    std::int32_t h = -1;
    std::uint8_t s = 99, l = 99;
    RGBToHSL(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), h, s, l);
    return {h, s, l};
}

Triple Hsb(int r, int g, int b, Triple preset = {0, 0, 0})
{
    std::int32_t h = preset.a;
    std::uint8_t s = std::uint8_t(preset.b), v = std::uint8_t(preset.c);
    RGBToHSB(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), h, s, v);
    return {h, s, v};
}

Triple FromHsl(int h, int s, int l)
{
    std::uint8_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(HSLToRGB(h, std::uint8_t(s), std::uint8_t(l), r, g, b));
    return {r, g, b};
}

Triple FromHsb(int h, int s, int v)
{
    std::uint8_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(HSBToRGB(h, std::uint8_t(s), std::uint8_t(v), r, g, b));
    return {r, g, b};
}

} // namespace

TEST(Rounding, HalfToEvenWithOverflowAsResult)
{
    EXPECT_EQ(RoundHalfEven(127.5), 128);
    EXPECT_EQ(RoundHalfEven(126.5), 126);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.4999999), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);

    EXPECT_EQ(ToByte(255.4), 255);
    EXPECT_EQ(ToByte(-0.5), 0);
    EXPECT_FALSE(ToByte(255.5).has_value()); // rounds to 256
    EXPECT_FALSE(ToByte(-0.6).has_value());
    EXPECT_FALSE(ToByte(std::nan("")).has_value());
    EXPECT_EQ(ToInt32(359.6), 360);
    EXPECT_EQ(ToInt32(-2147483648.4), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(ToInt32(2147483647.5).has_value()); // ties to the even 2147483648
    EXPECT_FALSE(ToInt32(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_EQ(ToInt16(-32768.0), -32768);
    EXPECT_FALSE(ToInt16(32767.5).has_value());
}

TEST(Conversions, WorkedColours)
{
    EXPECT_EQ(Hsl(255, 128, 0), (Triple{30, 255, 128})); // lightness 127.5 ties up to 128
    EXPECT_EQ(Hsb(255, 128, 0), (Triple{30, 255, 255}));
    std::uint8_t c, m, y;
    RGBToCMY(255, 128, 0, c, m, y);
    EXPECT_EQ((Triple{c, m, y}), (Triple{0, 127, 255}));

    EXPECT_EQ(Hsl(51, 102, 153), (Triple{210, 128, 102}));
    EXPECT_EQ(Hsb(51, 102, 153), (Triple{210, 170, 153}));
    EXPECT_EQ(FromHsb(210, 170, 153), (Triple{51, 102, 153}));
}

TEST(Conversions, HueJustBelowZeroRoundsTo360)
{
    EXPECT_EQ(Hsl(255, 0, 1).a, 360);
    EXPECT_EQ(Hsb(255, 0, 1).a, 360);
}

TEST(Conversions, GreysWhiteAndBlack)
{
    EXPECT_EQ(Hsl(128, 128, 128), (Triple{0, 0, 128}));
    EXPECT_EQ(Hsb(128, 128, 128), (Triple{0, 0, 128}));
    EXPECT_EQ(Hsl(255, 255, 255), (Triple{0, 0, 255}));
    EXPECT_EQ(Hsb(255, 255, 255), (Triple{0, 0, 255}));
    EXPECT_EQ(Hsl(0, 0, 0), (Triple{0, 0, 0}));
    // Black writes nothing: the caller's values survive.
    EXPECT_EQ(Hsb(0, 0, 0, {7, 8, 9}), (Triple{7, 8, 9}));
    EXPECT_EQ(FromHsl(123, 0, 77), (Triple{77, 77, 77}));
    EXPECT_EQ(FromHsb(123, 0, 77), (Triple{77, 77, 77}));
}

TEST(Conversions, LightnessBranchIsStrictlyBelow127)
{
    // Min + Max = 254 gives L = 127, which already divides by 510 - Max - Min =
    // 256 (254 / 256 x 255 = 253); the other branch would give 255.
    EXPECT_EQ(Hsl(254, 0, 0), (Triple{0, 253, 127}));
    EXPECT_EQ(Hsl(253, 0, 0), (Triple{0, 255, 126})); // L = 126.5 ties down, D = 253
}

TEST(Conversions, HslJustAboveHalfKeepsASmallestChannelOfOne)
{
    EXPECT_EQ(FromHsl(30, 255, 128), (Triple{255, 128, 1}));
    EXPECT_EQ(FromHsl(210, 128, 102), (Triple{51, 102, 153}));
    EXPECT_EQ(FromHsl(0, 255, 128), (Triple{255, 1, 1}));
    EXPECT_EQ(FromHsl(120, 255, 64), (Triple{0, 128, 0}));
}

TEST(Conversions, HsbHue360IsHueZero)
{
    EXPECT_EQ(FromHsb(360, 255, 255), (Triple{255, 0, 0}));
    EXPECT_EQ(FromHsb(120, 255, 255), (Triple{0, 255, 0}));
    EXPECT_EQ(FromHsb(240, 255, 255), (Triple{0, 0, 255}));
    EXPECT_EQ(FromHsb(300, 255, 255), (Triple{255, 0, 255}));
}

TEST(Conversions, RoundTripsStayCloseOverTheCube)
{
    for (int r = 0; r <= 255; r += 15) {
        for (int g = 0; g <= 255; g += 15) {
            for (int b = 0; b <= 255; b += 15) {
                const Triple hsl = Hsl(r, g, b);
                const Triple hsb = Hsb(r, g, b);
                ASSERT_GE(hsl.a, 0);
                ASSERT_LE(hsl.a, 360);
                const Triple back1 = FromHsl(hsl.a, hsl.b, hsl.c);
                const Triple back2 = FromHsb(hsb.a, hsb.b, hsb.c);
                for (const Triple &back : {back1, back2}) {
                    EXPECT_LE(std::abs(back.a - r), 3) << r << " " << g << " " << b;
                    EXPECT_LE(std::abs(back.b - g), 3) << r << " " << g << " " << b;
                    EXPECT_LE(std::abs(back.c - b), 3) << r << " " << g << " " << b;
                }
            }
        }
    }
}

TEST(Conversions, HuesFarOutOfRangeFailWithoutWriting)
{
    std::uint8_t r = 1, g = 2, b = 3;
    EXPECT_FALSE(HSBToRGB(-59, 255, 255, r, g, b));
    EXPECT_FALSE(HSLToRGB(-720, 255, 128, r, g, b));
    EXPECT_EQ((Triple{r, g, b}), (Triple{1, 2, 3}));
    // Large positive hues fall into the last sector instead of failing.
    EXPECT_TRUE(HSBToRGB(1000, 255, 255, r, g, b));
}

TEST(ColorValue, SplitAndPack)
{
    std::int16_t r = -1, g = -1, b = -1;
    ASSERT_TRUE(SplitColor(0x0080FF, r, g, b));
    EXPECT_EQ((Triple{r, g, b}), (Triple{255, 128, 0}));
    ASSERT_TRUE(SplitColor(0xFF0000, r, g, b));
    EXPECT_EQ((Triple{r, g, b}), (Triple{0, 0, 255}));
    EXPECT_EQ(MakeColor(255, 128, 0), 33023);
    EXPECT_EQ(MakeColor(0, 0, 255), 0xFF0000);

    r = g = b = 7;
    EXPECT_FALSE(SplitColor(-1, r, g, b));
    EXPECT_FALSE(SplitColor(std::int32_t(0x80000005u), r, g, b));
    EXPECT_FALSE(SplitColor(0x01000000, r, g, b));
    EXPECT_EQ((Triple{r, g, b}), (Triple{7, 7, 7}));
}

TEST(Arithmetic, DivModAndGridIndex)
{
    std::int32_t rem = 0, quot = 0;
    ASSERT_TRUE(DivMod(37, 16, rem, quot));
    EXPECT_EQ(rem, 5);
    EXPECT_EQ(quot, 2);
    ASSERT_TRUE(DivMod(-37, 16, rem, quot));
    EXPECT_EQ(rem, -5);
    EXPECT_EQ(quot, -2);
    ASSERT_TRUE(DivMod(255, 16, rem, quot));
    EXPECT_EQ(rem, 15);
    EXPECT_EQ(quot, 15);
    rem = quot = 42;
    EXPECT_FALSE(DivMod(5, 0, rem, quot));
    EXPECT_FALSE(DivMod(std::numeric_limits<std::int32_t>::min(), -1, rem, quot));
    EXPECT_EQ(rem, 42);

    EXPECT_EQ(GridIndex(3, 2, 16), 35);
    EXPECT_EQ(GridIndex(15, 15, 16), 255);
    EXPECT_FALSE(GridIndex(0, std::numeric_limits<std::int32_t>::max(), 2).has_value());
    EXPECT_EQ(GridIndex(std::numeric_limits<std::int32_t>::max(), 0, 16),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(GridIndex(-1, 0, 16), -1);
    EXPECT_FALSE(GridIndex(1, std::numeric_limits<std::int32_t>::max(), 1).has_value());
}

TEST(FilterChars, KeepsOrRemovesListedCharacters)
{
    EXPECT_EQ(FilterChars("He&xadecimal", "&", true, false), "Hexadecimal");
    EXPECT_EQ(FilterChars("&&R&GB", "&", true, false), "RGB");
    EXPECT_EQ(FilterChars("12a3", "1234567890.", false, false), "123");
    EXPECT_EQ(FilterChars("1.5e", "1234567890.", false, false), "1.5");
    EXPECT_EQ(FilterChars("aBcA", "a", true, false), "Bc");
    EXPECT_EQ(FilterChars("aBcA", "a", true, true), "BcA");
    EXPECT_EQ(FilterChars("AbXa", "ab", false, false), "Aba"); // kept in their own case
    EXPECT_EQ(FilterChars("AbXa", "ab", false, true), "ba");
    EXPECT_EQ(FilterChars("", "abc", false, false), "");
    EXPECT_EQ(FilterChars("abc", "", true, false), "abc");
}

TEST(Palette, FindAndNearest)
{
    PaletteTable table{};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = MakeColor(std::uint8_t(i), 0, 0);
    table[200] = MakeColor(10, 0, 0); // a duplicate of entry 10

    EXPECT_EQ(FindPaletteColor(table, MakeColor(10, 0, 0)), 10);
    EXPECT_FALSE(FindPaletteColor(table, MakeColor(10, 1, 0)).has_value());

    int index = -1;
    EXPECT_EQ(NearestPaletteColor(table, MakeColor(100, 0, 0), index), MakeColor(100, 0, 0));
    EXPECT_EQ(index, 100);

    // Entries 99 and 101 are both at distance 1 from (100, 0, 0) once 100 is gone:
    // the earlier one wins.
    table[100] = MakeColor(0, 255, 255);
    EXPECT_EQ(NearestPaletteColor(table, MakeColor(100, 0, 0), index), MakeColor(99, 0, 0));
    EXPECT_EQ(index, 99);

    // An exact match later in the table beats a close one earlier.
    PaletteTable two;
    two.fill(MakeColor(255, 255, 255));
    two[3] = MakeColor(0, 0, 1);
    two[10] = MakeColor(0, 0, 2);
    EXPECT_EQ(NearestPaletteColor(two, MakeColor(0, 0, 2), index), MakeColor(0, 0, 2));
    EXPECT_EQ(index, 10);

    PaletteState state;
    EXPECT_EQ(FindPaletteColor(state, 0), 0);
    EXPECT_EQ(NearestPaletteColor(state, MakeColor(255, 255, 255), index), 0);
    EXPECT_EQ(index, 0);
}

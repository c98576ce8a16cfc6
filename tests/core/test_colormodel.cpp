#include "core/colormodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

using namespace tintwell;

namespace {

using T = std::array<int, 3>;

// From RGB into the values given, which a conversion that writes nothing leaves.
template<auto fromRgb>
T To(T c, T preset = {-1, 99, 99})
{
    std::int32_t h = preset[0];
    std::uint8_t s = preset[1], v = preset[2];
    fromRgb(c[0], c[1], c[2], h, s, v);
    return {h, s, v};
}

template<auto toRgb>
T Back(T c)
{
    std::uint8_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(toRgb(c[0], c[1], c[2], r, g, b));
    return {r, g, b};
}

} // namespace

TEST(Rounding, HalfToEvenWithOverflowAsResult)
{
    EXPECT_EQ(RoundHalfEven(127.5), 128);
    EXPECT_EQ(RoundHalfEven(126.5), 126);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(ToByte(-0.5), 0);
    for (double bad : {255.5, -0.6, std::nan("")}) // 255.5 rounds to 256
        EXPECT_FALSE(ToByte(bad).has_value()) << bad;
    EXPECT_EQ(ToInt32(-2147483648.4), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(ToInt32(2147483647.5).has_value()); // ties to the even 2147483648
    EXPECT_FALSE(ToInt32(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(ToInt16(32767.5).has_value());
}

TEST(Conversions, WorkedColoursBothWays)
{
    const std::array<T, 3> forward[] = {
        // RGB, HSL, HSB
        {T{255, 128, 0}, T{30, 255, 128}, T{30, 255, 255}}, // lightness 127.5 ties up to 128
        {T{51, 102, 153}, T{210, 128, 102}, T{210, 170, 153}},
        {T{255, 0, 1}, T{360, 255, 128}, T{360, 255, 255}}, // hue just below zero rounds to 360
        {T{128, 128, 128}, T{0, 0, 128}, T{0, 0, 128}},
        {T{254, 0, 0}, T{0, 253, 127}, T{0, 255, 254}}, // L = 127 already divides by 510 - Max - Min
        {T{253, 0, 0}, T{0, 255, 126}, T{0, 255, 253}}, // L = 126.5 ties down
    };
    for (const auto &[rgb, hsl, hsb] : forward) {
        EXPECT_EQ(To<RGBToHSL>(rgb), hsl);
        EXPECT_EQ(To<RGBToHSB>(rgb), hsb);
    }
    EXPECT_EQ(To<RGBToHSB>({0, 0, 0}, {7, 8, 9}), (T{7, 8, 9})) << "black writes nothing";

    const std::array<T, 3> back[] = {// HSL or HSB, RGB from HSL, RGB from HSB
                                     {T{30, 255, 128}, T{255, 128, 1}, T{128, 64, 0}},
                                     {T{210, 128, 102}, T{51, 102, 153}, T{51, 76, 102}},
                                     {T{360, 255, 255}, T{255, 255, 255}, T{255, 0, 0}},
                                     {T{300, 255, 64}, T{128, 0, 128}, T{64, 0, 64}},
                                     {T{123, 0, 77}, T{77, 77, 77}, T{77, 77, 77}}};
    for (const auto &[in, fromHsl, fromHsb] : back) {
        EXPECT_EQ(Back<HSLToRGB>(in), fromHsl) << "HSL " << in[0] << "," << in[1] << "," << in[2];
        EXPECT_EQ(Back<HSBToRGB>(in), fromHsb) << "HSB " << in[0] << "," << in[1] << "," << in[2];
    }
}

TEST(Conversions, RoundTripsStayCloseAndFarHuesFailWithoutWriting)
{
    for (int i = 0; i < 18 * 18 * 18; ++i) { // every 15th step of each channel
        const int r = i / 324 * 15, g = i / 18 % 18 * 15, b = i % 18 * 15;
        for (const T &back : {Back<HSLToRGB>(To<RGBToHSL>({r, g, b})), Back<HSBToRGB>(To<RGBToHSB>({r, g, b}, {}))})
            ASSERT_LE(std::max({std::abs(back[0] - r), std::abs(back[1] - g), std::abs(back[2] - b)}), 3)
                << r << " " << g << " " << b;
    }

    std::uint8_t r = 1, g = 2, b = 3;
    EXPECT_FALSE(HSBToRGB(-59, 255, 255, r, g, b));
    EXPECT_FALSE(HSLToRGB(-720, 255, 128, r, g, b));
    EXPECT_EQ((T{r, g, b}), (T{1, 2, 3}));
    EXPECT_TRUE(HSBToRGB(1000, 255, 255, r, g, b)); // large hues fall into the last sector
}

TEST(Arithmetic, AColourValueOutsideTheCubeIsRefused)
{
    std::int16_t r = -1, g = -1, b = -1;
    ASSERT_TRUE(SplitColor(0x0080FF, r, g, b));
    for (std::int32_t bad : {-1, std::int32_t(0x80000005u), 0x01000000})
        EXPECT_FALSE(SplitColor(bad, r, g, b)) << bad;
    EXPECT_EQ((T{r, g, b}), (T{255, 128, 0})) << "a failed split writes nothing";
}

TEST(Arithmetic, DivModKeepsTheDividendsSignAndRefusesWhatOverflows)
{
    std::int32_t rem = 99, quot = 99;
    ASSERT_TRUE(DivMod(-37, 16, rem, quot));
    EXPECT_EQ((T{rem, quot, 0}), (T{-5, -2, 0}));
    ASSERT_TRUE(DivMod(255, -16, rem, quot));
    EXPECT_EQ((T{rem, quot, 0}), (T{15, -15, 0}));
    EXPECT_FALSE(DivMod(5, 0, rem, quot));
    EXPECT_FALSE(DivMod(std::numeric_limits<std::int32_t>::min(), -1, rem, quot));
    EXPECT_EQ((T{rem, quot, 0}), (T{15, -15, 0})) << "a refused division writes nothing";
}

TEST(Palette, FindAndNearest)
{
    PaletteTable table;
    table.fill(MakeColor(255, 255, 255));
    table[3] = table[7] = MakeColor(0, 0, 1);
    table[5] = MakeColor(0, 0, 3);
    table[10] = MakeColor(0, 0, 2);
    EXPECT_EQ(FindPaletteColor(table, MakeColor(0, 0, 1)), 3) << "the first of two";
    EXPECT_FALSE(FindPaletteColor(table, MakeColor(0, 1, 0)).has_value());
    int index = -1;
    EXPECT_EQ(NearestPaletteColor(table, MakeColor(0, 0, 2), index), MakeColor(0, 0, 2)); // exact beats earlier close
    EXPECT_EQ(index, 10);
    table[10] = MakeColor(9, 9, 9);
    EXPECT_EQ(NearestPaletteColor(table, MakeColor(0, 0, 2), index), MakeColor(0, 0, 1)) << "a tie: the earlier wins";
    EXPECT_EQ(index, 3);
}

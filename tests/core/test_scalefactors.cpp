#include "core/scalefactors.h"
#include "core/scheme.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

ScaleFactors factorsOf(int index)
{
    FormatScheme s;
    RecordingMessages messages;
    LoadScheme(s, index, messages, QString());
    return ComputeScaleFactors(s);
}

} // namespace

TEST(ComputeScaleFactors, StandardRgb)
{
    const auto rgb = factorsOf(0)[TN_RGB];
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rgb[0 + i], 174.0f / 255.0f);
        EXPECT_EQ(rgb[4 + i], 255.0f / 174.0f);
        EXPECT_EQ(rgb[8 + i], 1.0f);
        EXPECT_EQ(rgb[12 + i], 1.0f);
        EXPECT_EQ(rgb[16 + i], 1.0f);
        EXPECT_EQ(rgb[19 + i], 1.0f);
    }
    EXPECT_EQ(rgb[3], 198.0f / 255.0f);
    EXPECT_EQ(rgb[7], 255.0f / 198.0f);
    EXPECT_EQ(rgb[11], 1.0f);
    EXPECT_EQ(rgb[15], 1.0f);
}

TEST(ComputeScaleFactors, HueItemsOfHslAndHsbUse360Inside)
{
    const ScaleFactors f = factorsOf(0);
    for (int sys : {TN_HSL, TN_HSB}) {
        SCOPED_TRACE(sys);
        EXPECT_EQ(f[sys][0], 174.0f / 360.0f); // the track keeps its pixels
        EXPECT_EQ(f[sys][4], 360.0f / 174.0f);
        EXPECT_EQ(f[sys][8], 1.0f);
        EXPECT_EQ(f[sys][12], 1.0f);
        EXPECT_EQ(f[sys][16], 1.0f);
        EXPECT_EQ(f[sys][19], 1.0f);
        EXPECT_EQ(f[sys][9], 255.0f / 100.0f);
        EXPECT_EQ(f[sys][13], 100.0f / 255.0f);
        EXPECT_EQ(f[sys][3], 198.0f / 100.0f);
        EXPECT_EQ(f[sys][11], 255.0f / 100.0f);
    }
    // CMY has no hue: a base of 100 is 255/100 throughout.
    EXPECT_EQ(f[TN_CMY][8], 255.0f / 100.0f);

    const ScaleFactors dec = factorsOf(3);
    EXPECT_EQ(dec[TN_RGB][8], 255.0f);
    EXPECT_EQ(dec[TN_RGB][12], 1.0f / 255.0f);
    EXPECT_EQ(dec[TN_HSL][8], 360.0f);
    EXPECT_EQ(dec[TN_HSL][12], 1.0f / 360.0f);
    EXPECT_EQ(dec[TN_HSB][19], 1.0f / 360.0f);
}

TEST(ComputeScaleFactors, ZeroBaseGivesZeroFactorsNotInfinity)
{
    FormatScheme s;
    RecordingMessages messages;
    LoadScheme(s, 0, messages, QString());
    s.Formats[TN_HSL].InputBase = {0, 0, 100, 0};
    s.Formats[TN_HSL].OutputBase = {0, 100, 0};
    const auto hsl = ComputeScaleFactors(s)[TN_HSL];
    for (int e : {0, 1, 3, 8, 9, 11, 16, 18})
        EXPECT_EQ(hsl[e], 0.0f) << e;
    for (int e : {4, 5, 7, 12, 13, 15, 19, 21})
        EXPECT_EQ(hsl[e], 0.0f) << e;
    EXPECT_EQ(hsl[2], 174.0f / 100.0f);
    EXPECT_EQ(hsl[17], 255.0f / 100.0f);
}

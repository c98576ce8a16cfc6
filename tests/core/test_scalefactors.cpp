#include "core/scalefactors.h"
#include "core/scheme.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

using namespace tintwell;

TEST(ComputeScaleFactors, TrackPixelsSchemeUnitsTheHueInDegreesAndNoInfinity)
{
    FormatScheme s;
    RecordingMessages messages;
    LoadScheme(s, 0, messages, QString());
    const ScaleFactors f = ComputeScaleFactors(s);
    const std::tuple<int, int, float> cases[] = {
        {TN_RGB, 0, 174.0f / 255.0f}, {TN_RGB, 4, 255.0f / 174.0f}, {TN_RGB, 3, 198.0f / 255.0f},
        {TN_RGB, 7, 255.0f / 198.0f}, {TN_RGB, 8, 1.0f},            {TN_RGB, 19, 1.0f},
        // The hue keeps its track pixels over 360 degrees inside, whatever its base.
        {TN_HSL, 0, 174.0f / 360.0f}, {TN_HSB, 4, 360.0f / 174.0f}, {TN_HSL, 8, 1.0f}, {TN_HSB, 19, 1.0f},
        {TN_HSL, 9, 255.0f / 100.0f}, {TN_HSB, 13, 100.0f / 255.0f}, {TN_HSL, 3, 198.0f / 100.0f},
        {TN_CMY, 8, 255.0f / 100.0f}, // no hue: a base of 100 throughout
    };
    for (const auto &[sys, element, value] : cases)
        EXPECT_EQ(f[sys][element], value) << "system " << sys << " element " << element;

    s.Formats[TN_HSL].InputBase = {0, 0, 100, 0};
    s.Formats[TN_HSL].OutputBase = {0, 100, 0};
    const auto hsl = ComputeScaleFactors(s)[TN_HSL];
    for (int e : {0, 1, 3, 4, 5, 7, 8, 9, 11, 12, 13, 15, 16, 18, 19, 21})
        EXPECT_EQ(hsl[e], 0.0f) << "a zero base gives zero, not infinity: " << e;
    EXPECT_EQ(hsl[2], 174.0f / 100.0f);
    EXPECT_EQ(hsl[17], 255.0f / 100.0f);
}

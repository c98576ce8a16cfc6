#include "core/colormodel.h"
#include "core/scalefactors.h"
#include "core/slidervalues.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

struct Fixture {
    explicit Fixture(int index)
    {
        RecordingMessages messages;
        LoadScheme(scheme, index, messages, QString());
        factors = ComputeScaleFactors(scheme);
    }
    FormatScheme scheme;
    ScaleFactors factors{};
    SliderState state;
};

} // namespace

TEST(CommitSliderText, CleansAndLimitsTheBox)
{
    Fixture f(0);
    const std::pair<const char *, const char *> cases[] = {
        {"300", "255"}, {"12a3", "123"}, {"", "0"}, {"abc", "0"}, {".", "0"}, {"254.6", "255"}, {"-5", "5"},
        {"1,000", "255"}, {"99999999999999999999999999999999999999999999999999", "255"}};
    for (const auto &[typed, shown] : cases) {
        f.state.BoxText[1] = typed;
        EXPECT_EQ(CommitSliderText(f.state, f.scheme, 1), shown) << typed;
        EXPECT_EQ(f.state.BoxText[1], shown) << typed;
    }
    f.state.SliderMode = TN_HSL; // the hue's maximum is 360, not 255
    f.state.BoxText[0] = "361";
    EXPECT_EQ(CommitSliderText(f.state, f.scheme, 0), "360");

    Fixture d(3); // two periods keep the previous value
    d.state.SliderValue[2] = 0.25f;
    d.state.BoxText[2] = "0.5.1";
    EXPECT_EQ(CommitSliderText(d.state, d.scheme, 2), "0.25");
    d.state.BoxText[2] = "7";
    EXPECT_EQ(CommitSliderText(d.state, d.scheme, 2), "1.00");
}

TEST(SliderUnits, ReadWithThePreviousModeWriteWithTheCurrent)
{
    Fixture d(3); // Decimal: 0.5 reads as 127.5 and snaps to 128
    d.state.BoxText[0] = "0.5";
    EXPECT_FLOAT_EQ(ReadSliderText(d.state, d.factors, 0), 127.5f);
    EXPECT_FLOAT_EQ(ToSliderUnits(d.state, d.factors, 0, 128), 0.5019608f); // 128 / 255
    EXPECT_EQ(ToInternalByte(d.state, d.factors, 0, 0.5f), 128);
    WriteSliderValue(d.state, d.scheme, d.factors, 0, 128);
    EXPECT_EQ(d.state.BoxText[0], "0.50");

    Fixture f(0);
    f.state.PrevSliderMode = TN_HSL; // boxes still hold HSL values: 50 of 100
    f.state.SliderMode = TN_CMY;
    f.state.BoxText = {"180", "50", "1,234.5"};
    EXPECT_FLOAT_EQ(ReadSliderText(f.state, f.factors, 1), 127.5f);
    EXPECT_FLOAT_EQ(ReadSliderText(f.state, f.factors, 0), 180.0f); // hue stays degrees
    EXPECT_FLOAT_EQ(GetSliderText(f.state, 2), 1234.5f);
    WriteSliderValue(f.state, f.scheme, f.factors, 2, 51);
    EXPECT_EQ(f.state.BoxText[2], "20");
}

TEST(SliderUnits, ToInternalByteLimitsAndRoundsTiesToEven)
{
    Fixture f(1); // Byte: one scheme unit is one internal unit
    const std::tuple<int, float, int> cases[] = {{0, -3, 0},       {0, 300, 255},    {0, 126.5f, 126}, {0, 127.5f, 128},
                                                 {3, 254.5f, 254}, {0, std::nanf(""), 0}, {4, 100, 0}};
    for (const auto &[item, value, byte] : cases)
        EXPECT_EQ(ToInternalByte(f.state, f.factors, item, value), byte) << item << " " << value;
}

TEST(OldThumbSize, OneLargeStepOfTheTrack)
{
    Fixture f(0);
    f.state.UseOldSliders = true;
    f.state.SliderMode = TN_HSL;
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 0), 25);
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, TN_SHADE), 33);
    NumericFormat &hsl = f.scheme.Formats[TN_HSL];
    hsl.InputLargeStep = {0, hsl.InputBase[1], 1, 0};
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 1), 88); // 87.5 to even
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7) << "101 steps: the minimum";
    hsl.InputLargeStep[2] = 0;
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7) << "no steps";
    hsl.InputBase[2] = 0;
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7) << "0 / 0";
}

TEST(ComputeScaleFactors, TrackPixelsSchemeUnitsTheHueInDegreesAndNoInfinity)
{
    Fixture standard(0);
    FormatScheme &s = standard.scheme;
    const ScaleFactors &f = standard.factors;
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

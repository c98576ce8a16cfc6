#include "core/colormodel.h"
#include "core/slidervalues.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

struct Fixture {
    FormatScheme scheme;
    ScaleFactors factors{};
    SliderState state;

    explicit Fixture(int index) { load(index); }
    void load(int index)
    {
        RecordingMessages messages;
        LoadScheme(scheme, index, messages, QString());
        factors = ComputeScaleFactors(scheme);
    }
};

} // namespace

TEST(CommitSliderText, CleansAndLimitsTheBox)
{
    Fixture f(0);
    const struct {
        const char *typed;
        const char *shown;
    } cases[] = {{"300", "255"}, {"12a3", "123"}, {"", "0"},      {"abc", "0"},
                 {".", "0"},     {"254.6", "255"}, {"-5", "5"},    {"1,000", "255"},
                 {"99999999999999999999999999999999999999999999999999", "255"}};
    for (const auto &c : cases) {
        f.state.BoxText[1] = c.typed;
        EXPECT_EQ(CommitSliderText(f.state, f.scheme, 1), c.shown) << c.typed;
        EXPECT_EQ(f.state.BoxText[1], c.shown) << c.typed;
    }

    // Hue of the HSL mode: the maximum is 360, not 255.
    f.state.SliderMode = TN_HSL;
    f.state.BoxText[0] = "300";
    EXPECT_EQ(CommitSliderText(f.state, f.scheme, 0), "300");
    f.state.BoxText[0] = "361";
    EXPECT_EQ(CommitSliderText(f.state, f.scheme, 0), "360");
}

TEST(CommitSliderText, TwoPeriodsKeepThePreviousValue)
{
    Fixture f(3);
    f.state.SliderValue[2] = 0.25f;
    f.state.BoxText[2] = "0.5.1";
    EXPECT_EQ(CommitSliderText(f.state, f.scheme, 2), "0.25");
    f.state.BoxText[2] = "0.5";
    EXPECT_EQ(CommitSliderText(f.state, f.scheme, 2), "0.50");
    f.state.BoxText[2] = "7";
    EXPECT_EQ(CommitSliderText(f.state, f.scheme, 2), "1.00");
}

TEST(SliderUnits, DecimalHalfReadsAs127Point5AndSnapsTo128)
{
    Fixture f(3);
    f.state.BoxText[0] = "0.5";
    EXPECT_FLOAT_EQ(GetSliderText(f.state, 0), 0.5f);
    const float internal = ReadSliderText(f.state, f.factors, 0);
    EXPECT_FLOAT_EQ(internal, 127.5f);
    const double rounded = RoundHalfEven(internal);
    EXPECT_EQ(rounded, 128);
    EXPECT_FLOAT_EQ(ToSliderUnits(f.state, f.factors, 0, float(rounded)), 0.5019608f); // 128 / 255
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 0, 0.5f), 128);
    WriteSliderValue(f.state, f.scheme, f.factors, 0, 128);
    EXPECT_EQ(f.state.BoxText[0], "0.50");
}

TEST(SliderUnits, ReadUsesThePreviousModeAndWriteTheCurrent)
{
    Fixture f(0);
    f.state.PrevSliderMode = TN_HSL; // boxes still hold HSL values: 50 of 100
    f.state.SliderMode = TN_RGB;
    f.state.BoxText[1] = "50";
    EXPECT_FLOAT_EQ(ReadSliderText(f.state, f.factors, 1), 127.5f);
    f.state.BoxText[0] = "180";
    EXPECT_FLOAT_EQ(ReadSliderText(f.state, f.factors, 0), 180.0f); // hue stays degrees

    f.state.SliderMode = TN_CMY;
    WriteSliderValue(f.state, f.scheme, f.factors, 2, 51);
    EXPECT_EQ(f.state.BoxText[2], "20");
    f.state.BoxText[2] = "1,234.5";
    EXPECT_FLOAT_EQ(GetSliderText(f.state, 2), 1234.5f);
    f.state.BoxText[2] = "x";
    EXPECT_EQ(GetSliderText(f.state, 2), 0.0f);
    EXPECT_EQ(GetSliderText(f.state, 3), 0.0f);
}

TEST(SliderUnits, ToInternalByteLimitsAndRoundsTiesToEven)
{
    Fixture f(1); // Byte: one scheme unit is one internal unit
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 0, -3), 0);
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 0, 300), 255);
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 0, 126.5f), 126);
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 0, 127.5f), 128);
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 3, 254.5f), 254);
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 0, std::nanf("")), 0);
    EXPECT_EQ(ToInternalByte(f.state, f.factors, 4, 100), 0);
}

TEST(OldThumbSize, OneLargeStepOfTheTrack)
{
    Fixture f(0);
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 0), 0) << "new style";
    f.state.UseOldSliders = true;
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 0), 29);
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, TN_SHADE), 33);
    f.state.SliderMode = TN_HSL;
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 0), 25);

    f.scheme.Formats[TN_HSL].InputLargeStep[1] = f.scheme.Formats[TN_HSL].InputBase[1];
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 1), 88); // 87.5 to even
    f.scheme.Formats[TN_HSL].InputLargeStep[2] = 1;   // 101 steps: below the minimum
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7);
    f.scheme.Formats[TN_HSL].InputLargeStep[2] = 0;
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7);
    f.scheme.Formats[TN_HSL].InputBase[2] = 0;        // 0 / 0
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7);
}

TEST(FixValues, KeepTheColourWhileTheUnitsChange)
{
    Fixture f(1); // Byte
    f.state.SliderValue = {128, 255, 0, 51};
    f.state.ShadeValue = 51;
    f.state.LastDrawnValue[3] = 102;
    InitFixValues(f.state, f.factors);
    EXPECT_FLOAT_EQ(f.state.FixValue[0], 128);
    EXPECT_FLOAT_EQ(f.state.FixValue[4], 51);
    EXPECT_FLOAT_EQ(f.state.FixValue[5], 102);

    f.load(2); // Percentage
    FixValues(f.state, f.scheme, f.factors);
    EXPECT_FLOAT_EQ(f.state.SliderValue[0], 50.19608f); // 128 of 255 in percent
    EXPECT_EQ(f.state.BoxText[0], "50");
    EXPECT_EQ(f.state.BoxText[1], "100");
    EXPECT_EQ(f.state.BoxText[2], "0");
    EXPECT_FLOAT_EQ(f.state.ShadeValue, 20);
    EXPECT_FLOAT_EQ(f.state.LastDrawnValue[3], 40);

    Fixture g(1);
    g.state.SliderValue = {255, 0, 128, 0};
    InitFixValues(g.state, g.factors);
    g.load(3); // Decimal
    FixValues(g.state, g.scheme, g.factors);
    EXPECT_EQ(g.state.BoxText[0], "1.00");
    EXPECT_EQ(g.state.BoxText[1], "0.00");
    EXPECT_EQ(g.state.BoxText[2], "0.50");

    Fixture h(1);
    h.state.SliderMode = TN_HSB; // the hue keeps its degrees: 90 of 360
    h.state.SliderValue = {90, 0, 0, 0};
    InitFixValues(h.state, h.factors);
    h.load(3);
    FixValues(h.state, h.scheme, h.factors);
    EXPECT_EQ(h.state.BoxText[0], "0.25");
}

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
    const std::pair<const char *, const char *> cases[] = {
        {"300", "255"}, {"12a3", "123"}, {"", "0"},          {"abc", "0"},
        {".", "0"},     {"254.6", "255"}, {"-5", "5"},       {"1,000", "255"},
        {"99999999999999999999999999999999999999999999999999", "255"}};
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

TEST(SliderUnits, DecimalHalfReadsAs127Point5AndSnapsTo128)
{
    Fixture f(3);
    f.state.BoxText[0] = "0.5";
    EXPECT_FLOAT_EQ(ReadSliderText(f.state, f.factors, 0), 127.5f);
    EXPECT_FLOAT_EQ(ToSliderUnits(f.state, f.factors, 0, 128), 0.5019608f); // 128 / 255
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
}

TEST(SliderUnits, ToInternalByteLimitsAndRoundsTiesToEven)
{
    Fixture f(1); // Byte: one scheme unit is one internal unit
    const std::tuple<int, float, int> cases[] = {{0, -3, 0},        {0, 300, 255},         {0, 126.5f, 126},
                                                 {0, 127.5f, 128},  {3, 254.5f, 254},      {0, std::nanf(""), 0},
                                                 {4, 100, 0}};
    for (const auto &[item, value, byte] : cases)
        EXPECT_EQ(ToInternalByte(f.state, f.factors, item, value), byte) << item << " " << value;
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
    NumericFormat &hsl = f.scheme.Formats[TN_HSL];
    hsl.InputLargeStep[1] = hsl.InputBase[1];
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 1), 88); // 87.5 to even
    for (float large : {1.0f, 0.0f}) {                  // 101 steps or none: the minimum
        hsl.InputLargeStep[2] = large;
        EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7) << large;
    }
    hsl.InputBase[2] = 0; // 0 / 0
    EXPECT_EQ(OldThumbSize(f.state, f.scheme, 2), 7);
}

TEST(FixValues, KeepTheColourWhileTheUnitsChange)
{
    const struct {
        int to, mode;
        std::array<float, 4> values;
        QStringList texts;
    } cases[] = {{2, TN_RGB, {128, 255, 0, 51}, {"50", "100", "0"}}, // Byte to Percentage
                 {3, TN_RGB, {255, 0, 128, 0}, {"1.00", "0.00", "0.50"}},
                 {3, TN_HSB, {90, 0, 0, 0}, {"0.25", "0.00", "0.00"}}}; // the hue keeps its degrees
    for (const auto &c : cases) {
        Fixture f(1);
        f.state.SliderMode = c.mode;
        f.state.SliderValue = c.values;
        f.state.ShadeValue = 51;
        f.state.LastDrawnValue[3] = 102;
        InitFixValues(f.state, f.factors);
        f.load(c.to);
        FixValues(f.state, f.scheme, f.factors);
        EXPECT_EQ(QStringList({f.state.BoxText[0], f.state.BoxText[1], f.state.BoxText[2]}), c.texts);
        if (c.to == 2) {
            EXPECT_FLOAT_EQ(f.state.SliderValue[0], 50.19608f); // 128 of 255 in percent
            EXPECT_FLOAT_EQ(f.state.ShadeValue, 20);
            EXPECT_FLOAT_EQ(f.state.LastDrawnValue[3], 40);
        }
    }
}

#include "core/appcontext.h"
#include "core/outputengine.h"
#include "core/scheme.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace tintwell;

namespace {

using T3 = std::array<std::int32_t, 3>;

FormatScheme Loaded(int resourceId)
{
    FormatScheme scheme;
    RecordingMessages messages;
    EXPECT_EQ(LoadDefaultScheme(scheme, resourceId, messages).errors, 0);
    return scheme;
}

QStringList Texts(const std::array<QString, kBoxCount> &boxes) { return QStringList(boxes.begin(), boxes.end()); }

QStringList BuiltIn(int resourceId, std::uint8_t r, std::uint8_t g, std::uint8_t b, OutputOptions options = {})
{
    return Texts(BuiltInBoxTexts(ComputeColorValues(r, g, b), Loaded(resourceId), options));
}

} // namespace

TEST(OutputEngine, WorkedColourInEveryBuiltInScheme)
{
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "255,128,0", "30,100,50", "30,100,100", "0,50,100"}));
    EXPECT_EQ(BuiltIn(kSchemeDecimal, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "1.00,0.50,0.00", "0.08,1.00,0.50", "0.08,1.00,1.00",
                           "0.00,0.50,1.00"}));
    EXPECT_EQ(BuiltIn(kSchemeByte, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "255,128,0", "30,255,128", "30,255,255", "0,127,255"}));
    EXPECT_EQ(BuiltIn(kSchemePercentage, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "100,50,0", "30,100,50", "30,100,100", "0,50,100"}));
    EXPECT_EQ(BuiltIn(kSchemeStandard, 1, 2, 3).mid(0, 3), QStringList({"010203", "30201", "197121"}));
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 0)[kBoxHex], "0");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 0, {true, true}).mid(0, 2), QStringList({"000000", "00000000"}));
}

TEST(OutputEngine, HueAndSaturationCorrections)
{
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 0, 1).mid(kBoxHSL, 2), QStringList({"0,100,50", "0,100,100"})); // not 360
    const FormatScheme standard = Loaded(kSchemeStandard);
    const std::tuple<std::array<std::uint8_t, 3>, int, T3, int, const char *> cases[] = {
        {{128, 128, 128}, kSliderModeHSL, {200, 0, 128}, kBoxHSL, "0,0,50"}, // saturation 0 shows hue 0
        {{255, 255, 255}, kSliderModeHSL, {120, 255, 255}, kBoxHSL, "0,0,100"}, // lightness 0 or 255 hides both
        {{0, 0, 0}, kSliderModeHSL, {120, 255, 0}, kBoxHSL, "0,0,0"},
        {{0, 0, 0}, kSliderModeHSB, {120, 255, 0}, kBoxHSB, "0,0,0"}, // brightness 0 hides both
        {{255, 0, 0}, kSliderModeHSB, {360, 255, 255}, kBoxHSB, "0,100,100"},
        {{255, 0, 0}, kSliderModeHSB, {359, 255, 255}, kBoxHSB, "359,100,100"},
        {{255, 0, 0}, kSliderModeHSB, {359, 255, 255}, kBoxHSL, "0,100,50"}, // other systems come from RGB
    };
    for (const auto &[rgb, mode, values, box, text] : cases) {
        const ColorValues v = ComputeColorValues(rgb[0], rgb[1], rgb[2], mode, values);
        EXPECT_EQ(BuiltInBoxText(box, v, standard, {}), text) << text;
    }

    FormatScheme decimal = Loaded(kSchemeDecimal);
    decimal.Formats[TN_HSL].OutputFormat[0] = "0.0000000000";
    // 30/360 in double; a float product would end ...3253 instead.
    EXPECT_EQ(BuiltInBoxText(kBoxHSL, ComputeColorValues(255, 128, 0), decimal, {}).section(',', 0, 0),
              "0.0833333333");
}

// Separators surround every format; export scripts replace their boxes, run
// quietly under their script's name, and a failed one shows zeros.
TEST(OutputEngine, SeparatorsAndExportScripts)
{
    FormatScheme scheme = Loaded(kSchemeStandard);
    scheme.OutputSeparators[TN_HTML] = {"#", "x", "y", ";"};
    scheme.OutputSeparators[TN_DEC] = {"(", "", "", ")"};
    scheme.OutputSeparators[TN_RGB] = {"rgb(", ", ", " / ", ")"};
    scheme.Formats[TN_RGB].OutputFormat = {"0.0", "#", "000"};
    scheme.OutputSeparators[TN_HSL] = {"[", ";", ";", "]"};
    const QString scripts[] = {"", "text", "", "values", "fails", "", "both"}; // by box
    for (int box = 0; box < kBoxCount; ++box)
        scheme.Info[SchemeFormatOfBox(box)].ExportScript = scripts[box];
    ScriptResult script;
    script.Echo = true;
    script.OutputText = "stale";
    QStringList seen;
    const auto runner = [&](const QString &code) {
        seen << code + "|" + script.ScriptName + "|" + (script.Echo ? "echo" : "quiet");
        if (code == "values" || code == "both")
            script.OutputValue = code == "values" ? std::array<double, 3>{12, 34, 56} : std::array<double, 3>{1, 2, 3};
        if (code == "text" || code == "both")
            script.OutputText = code == "text" ? "&H80FF" : "cmy!";
    };
    const auto values = ComputeColorValues(255, 128, 0);
    // Output values are shown as they are, not scaled by OutputBase.
    EXPECT_EQ(Texts(FillOutputBoxes(values, scheme, {}, script, runner)),
              QStringList({"#FF8000;", "&H80FF", "(33023)", "rgb(12.0, 34 / 056)", "[0;0;0]", "30,100,100", "cmy!"}));
    EXPECT_EQ(seen, QStringList({"text|Hexadecimal Export Formatting|quiet", "values|RGB Export Formatting|quiet",
                                 "fails|HSL Export Formatting|quiet", "both|CMY Export Formatting|quiet"}));
    EXPECT_TRUE(script.Echo);
    EXPECT_EQ(script.ScriptName, "");
    // Without a host every box is built in.
    EXPECT_EQ(Texts(FillOutputBoxes(values, scheme, {}, script)),
              QStringList({"#FF8000;", "80FF", "(33023)", "rgb(255.0, 128 / 000)", "[30;100;50]", "30,100,100",
                           "0,50,100"}));
}

#include "core/appcontext.h"
#include "core/outputengine.h"
#include "core/scheme.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace tintwell;

namespace {

FormatScheme Loaded(int resourceId)
{
    FormatScheme scheme;
    RecordingMessages messages;
    const SchemeLoadResult result = LoadDefaultScheme(scheme, resourceId, messages);
    EXPECT_EQ(result.errors, 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    return scheme;
}

QStringList Texts(const std::array<QString, kBoxCount> &boxes)
{
    return QStringList(boxes.begin(), boxes.end());
}

QStringList BuiltIn(int resourceId, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                    OutputOptions options = {})
{
    return Texts(BuiltInBoxTexts(ComputeColorValues(r, g, b), Loaded(resourceId), options));
}

} // namespace

TEST(OutputEngine, BoxAndSchemeIndexesMapBothWays)
{
    const int expected[kBoxCount] = {TN_HTML, TN_HEX, TN_DEC, TN_RGB, TN_HSL, TN_HSB, TN_CMY};
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_EQ(SchemeFormatOfBox(box), expected[box]);
        EXPECT_EQ(BoxOfSchemeFormat(expected[box]), box);
    }
    EXPECT_EQ(SchemeFormatOfBox(7), -1);
    EXPECT_EQ(SchemeFormatOfBox(-1), -1);
    EXPECT_EQ(BoxOfSchemeFormat(7), -1);
}

TEST(OutputEngine, WorkedColourInEveryBuiltInScheme)
{
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "255,128,0", "30,100,50", "30,100,100",
                           "0,50,100"}));
    EXPECT_EQ(BuiltIn(kSchemeDecimal, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "1.00,0.50,0.00", "0.08,1.00,0.50",
                           "0.08,1.00,1.00", "0.00,0.50,1.00"}));
    EXPECT_EQ(BuiltIn(kSchemeByte, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "255,128,0", "30,255,128", "30,255,255",
                           "0,127,255"}));
    EXPECT_EQ(BuiltIn(kSchemePercentage, 255, 128, 0),
              QStringList({"FF8000", "80FF", "33023", "100,50,0", "30,100,50", "30,100,100",
                           "0,50,100"}));
}

TEST(OutputEngine, HexOptions)
{
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 128, 0, {true, false}).mid(0, 2),
              QStringList({"ff8000", "80ff"}));
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 128, 0, {false, true})[1], "000080FF");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 128, 0, {true, true})[1], "000080ff");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 255)[1], "FF0000");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 255)[0], "0000FF");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 0, 0)[1], "FF");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 0)[1], "0");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 0, {false, true})[1], "00000000");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 1, 2, 3).mid(0, 3),
              QStringList({"010203", "30201", "197121"}));
}

TEST(OutputEngine, HueAndSaturationCorrections)
{
    // The conversion gives hue 360; the boxes show 0.
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 0, 1)[kBoxHSL], "0,100,50");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 0, 1)[kBoxHSB], "0,100,100");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 255, 255, 255)[kBoxHSL], "0,0,100");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 0)[kBoxHSB], "0,0,0");
    EXPECT_EQ(BuiltIn(kSchemeStandard, 0, 0, 0)[kBoxHSL], "0,0,0");

    const FormatScheme standard = Loaded(kSchemeStandard);
    // A hue set on a grey stays in the values, but a zero saturation shows hue 0.
    ColorValues grey = ComputeColorValues(128, 128, 128, kSliderModeHSL, {200, 0, 128});
    EXPECT_EQ(grey.HSLHue, 200);
    EXPECT_EQ(BuiltInBoxText(kBoxHSL, grey, standard, {}), "0,0,50");
    // Lightness 0 or 255 hides hue and saturation.
    ColorValues white = ComputeColorValues(255, 255, 255, kSliderModeHSL, {120, 255, 255});
    EXPECT_EQ(BuiltInBoxText(kBoxHSL, white, standard, {}), "0,0,100");
    ColorValues dark = ComputeColorValues(0, 0, 0, kSliderModeHSL, {120, 255, 0});
    EXPECT_EQ(BuiltInBoxText(kBoxHSL, dark, standard, {}), "0,0,0");
    // Brightness 0 hides hue and saturation in HSB only.
    ColorValues black = ComputeColorValues(0, 0, 0, kSliderModeHSB, {120, 255, 0});
    EXPECT_EQ(black.HSBHue, 120);
    EXPECT_EQ(BuiltInBoxText(kBoxHSB, black, standard, {}), "0,0,0");
    // A hue with saturation survives, and 360 from the sliders shows as 0.
    ColorValues red = ComputeColorValues(255, 0, 0, kSliderModeHSB, {360, 255, 255});
    EXPECT_EQ(BuiltInBoxText(kBoxHSB, red, standard, {}), "0,100,100");
    ColorValues kept = ComputeColorValues(255, 0, 0, kSliderModeHSB, {359, 255, 255});
    EXPECT_EQ(BuiltInBoxText(kBoxHSB, kept, standard, {}), "359,100,100");
    // The other systems come from RGB, not from the mode's values.
    EXPECT_EQ(BuiltInBoxText(kBoxHSL, kept, standard, {}), "0,100,50");
}

TEST(OutputEngine, HueProductsStayInDouble)
{
    FormatScheme decimal = Loaded(kSchemeDecimal);
    decimal.Formats[TN_HSL].OutputFormat[0] = "0.000000000";
    // 30/360 in double; a float product would end ...3253 instead.
    const ColorValues v = ComputeColorValues(255, 128, 0);
    EXPECT_EQ(BuiltInBoxText(kBoxHSL, v, decimal, {}).section(',', 0, 0), "0.083333333");
    decimal.Formats[TN_HSL].OutputFormat[0] = "0.0000000000";
    EXPECT_EQ(BuiltInBoxText(kBoxHSL, v, decimal, {}).section(',', 0, 0), "0.0833333333");
}

TEST(OutputEngine, SeparatorsSurroundEveryFormat)
{
    FormatScheme scheme = Loaded(kSchemeStandard);
    scheme.OutputSeparators[TN_HTML] = {"#", "x", "y", ";"};
    scheme.OutputSeparators[TN_HEX] = {"0x", "", "", ""};
    scheme.OutputSeparators[TN_DEC] = {"(", "", "", ")"};
    scheme.OutputSeparators[TN_RGB] = {"rgb(", ", ", " / ", ")"};
    scheme.Formats[TN_RGB].OutputFormat = {"0.0", "#", "000"};
    const auto boxes = BuiltInBoxTexts(ComputeColorValues(255, 128, 0), scheme, {});
    EXPECT_EQ(boxes[kBoxHTML], "#FF8000;");
    EXPECT_EQ(boxes[kBoxHex], "0x80FF");
    EXPECT_EQ(boxes[kBoxDecimal], "(33023)");
    EXPECT_EQ(boxes[kBoxRGB], "rgb(255.0, 128 / 000)");
}

TEST(OutputEngine, ScriptNames)
{
    const FormatScheme scheme = Loaded(kSchemeStandard);
    EXPECT_EQ(ExportScriptName(scheme, kBoxHex), "Hexadecimal Export Formatting");
    EXPECT_EQ(ExportScriptName(scheme, kBoxHSB), "HSB/HSV Export Formatting");
    EXPECT_EQ(ExportScriptName(scheme, kBoxHTML), "HTML Export Formatting");
    EXPECT_EQ(ExportScriptName(scheme, 9), "");
}

TEST(OutputEngine, ExportScriptsReplaceTheirBoxes)
{
    FormatScheme scheme = Loaded(kSchemeStandard);
    scheme.Info[TN_RGB].ExportScript = "values";
    scheme.Info[TN_HEX].ExportScript = "text";
    scheme.Info[TN_CMY].ExportScript = "both";
    ScriptResult script;
    script.Echo = true;
    QStringList seen;
    auto runner = [&](const QString &code) {
        seen << code + "|" + script.ScriptName + "|" + (script.Echo ? "echo" : "quiet");
        if (code == "values")
            script.OutputValue = {12, 34, 56};
        if (code == "text")
            script.OutputText = "&H80FF";
        if (code == "both") {
            script.OutputValue = {1, 2, 3};
            script.OutputText = "cmy!";
        }
    };
    const auto boxes = FillOutputBoxes(ComputeColorValues(255, 128, 0), scheme, {}, script, runner);
    // Output values are shown as they are, not scaled by OutputBase.
    EXPECT_EQ(Texts(boxes), QStringList({"FF8000", "&H80FF", "33023", "12,34,56", "30,100,50",
                                         "30,100,100", "cmy!"}));
    EXPECT_EQ(seen, QStringList({"text|Hexadecimal Export Formatting|quiet",
                                 "values|RGB Export Formatting|quiet",
                                 "both|CMY Export Formatting|quiet"}));
    EXPECT_TRUE(script.Echo);
    EXPECT_EQ(script.ScriptName, "");
}

TEST(OutputEngine, AFailingScriptShowsItsSeparatorsAroundZeros)
{
    FormatScheme scheme = Loaded(kSchemeDecimal);
    scheme.Info[TN_HSL].ExportScript = "fails";
    scheme.Info[TN_HTML].ExportScript = "fails";
    ScriptResult script;
    script.OutputText = "stale";
    script.OutputValue = {9, 9, 9};
    const auto boxes = FillOutputBoxes(ComputeColorValues(255, 128, 0), scheme, {}, script,
                                       [](const QString &) {});
    EXPECT_EQ(boxes[kBoxHSL], "0.00,0.00,0.00");
    EXPECT_EQ(boxes[kBoxHTML], "");
    EXPECT_EQ(boxes[kBoxRGB], "1.00,0.50,0.00");
}

TEST(OutputEngine, WithoutAScriptHostEveryBoxIsBuiltIn)
{
    FormatScheme scheme = Loaded(kSchemeStandard);
    scheme.Info[TN_RGB].ExportScript = "anything";
    ScriptResult script;
    EXPECT_FALSE(RunExportScript(kBoxRGB, scheme, script, {}).has_value());
    EXPECT_FALSE(RunExportScript(kBoxHSL, scheme, script, [](const QString &) {}).has_value());
    EXPECT_EQ(RunExportScript(7, scheme, script, [](const QString &) {}), QString());
    const auto boxes = FillOutputBoxes(ComputeColorValues(255, 128, 0), scheme, {}, script);
    EXPECT_EQ(boxes[kBoxRGB], "255,128,0");
}

TEST(OutputEngine, ContextSuppliesSchemeOptionsAndScriptState)
{
    AppContext context;
    ASSERT_EQ(context.loadScheme(0), 0);
    context.LowercaseHex = true;
    context.AddExtraZerosToHex = true;
    context.Script.Echo = true;
    const auto boxes = FillOutputBoxes(context, ComputeColorValues(255, 128, 0));
    EXPECT_EQ(boxes[kBoxHTML], "ff8000");
    EXPECT_EQ(boxes[kBoxHex], "000080ff");
    EXPECT_EQ(boxes[kBoxHSL], "30,100,50");
    EXPECT_TRUE(context.Script.Echo);
}

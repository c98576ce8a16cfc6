// The three script objects, and export scripts run the way SetColors runs them.
// The prelude's values, the members' types, tnDebugString, tnFormat, tnOption
// and the snapshot's hue: the examples objects_and_constants and debug_members.

#include "hostfixture.h"

#include "core/colormodel.h"

namespace tintwell::script::test {
namespace {

using ScriptObjectsTest = HostFixture;

TEST_F(ScriptObjectsTest, SchemeFieldsAreClampedIntoRange)
{
    const FormatScheme &s = context.Scheme;
    // Separator 9 of the Decimal format is its last one.
    EXPECT_EQ(SchemeField(s, 1, 6, 0, 9), QVariant(s.OutputSeparators[6].RightEnd));
    EXPECT_EQ(SchemeField(s, 1, 99, -5, 1), QVariant(s.OutputSeparators[6].LeftSeparator));
    EXPECT_EQ(SchemeField(s, 1, -3, 0, -1), QVariant(s.OutputSeparators[0].LeftEnd));
    EXPECT_EQ(SchemeField(s, 1, 3, 0, 2), QVariant(s.OutputSeparators[3].RightSeparator));
    // HTML has no numeric record: format 4 reads CMY's.
    EXPECT_EQ(SchemeField(s, 0, 4, 5, 0), QVariant(s.Formats[3].OutputFormat[0]));
    EXPECT_EQ(SchemeField(s, 0, 1, 9, 9), QVariant(s.Formats[1].OutputFormat[2]));
    EXPECT_EQ(SchemeField(s, 0, 2, 0, 9), QVariant(s.Formats[2].InputBase[3]));
    EXPECT_EQ(SchemeField(s, 0, 2, 1, 3), QVariant(s.Formats[2].InputStep[3]));
    EXPECT_EQ(SchemeField(s, 0, 0, 2, 1), QVariant(s.Formats[0].InputLargeStep[1]));
    EXPECT_EQ(SchemeField(s, 0, 0, 3, 7), QVariant(s.Formats[0].InputFormat[2]));
    EXPECT_EQ(SchemeField(s, 0, 1, 4, 1), QVariant(s.Formats[1].OutputBase[1]));
    EXPECT_EQ(SchemeField(s, 0, 1, 4, 1).typeId(), QMetaType::Float);
    for (int type : {2, -1, 99})
        EXPECT_FALSE(SchemeField(s, type, 0, 0, 0).isValid());

    // The same through a script, after the scheme changed under it.
    context.Scheme.OutputSeparators[6].RightEnd = QStringLiteral("<end>");
    context.Scheme.Formats[3].OutputFormat[0] = QStringLiteral("0.0#");
    EXPECT_EQ(printed(QStringLiteral("tnPrint tnFmt(TN_OUTPUT_SEP, TN_DEC, 0, 9) & tnFmt(TN_FORMATTING, TN_HTML, FMT_oFormat, TN_VAL1)")),
              QStringLiteral("<end>0.0#\r\n"));
}

TEST_F(ScriptObjectsTest, RgbBoxFromOutputValuesOnly)
{
    context.Scheme.Info[TN_RGB].ExportScript = QStringLiteral("tnOutValues 12, 34, 56");
    session.setColors(MakeColor(1, 2, 3));
    EXPECT_EQ(session.boxes()[kBoxRGB], QStringLiteral("12,34,56")); // not scaled by OutputBase

    FormatScheme &s = context.Scheme;
    s.OutputSeparators[TN_RGB] = {QStringLiteral("rgb("), QStringLiteral("; "), QStringLiteral(" / "), QStringLiteral(")")};
    s.Formats[TN_RGB].OutputFormat = {QStringLiteral("0.0"), QStringLiteral("00"), QStringLiteral("#")};
    s.Info[TN_RGB].ExportScript = QStringLiteral("// javascript\r\ntnOutValues(1, 2, 3);");
    session.setColors(MakeColor(9, 9, 9));
    EXPECT_EQ(session.boxes()[kBoxRGB], QStringLiteral("rgb(1.0; 02 / 3)"));
    // A failing export script writes nothing anywhere and leaves its separators.
    s.Info[TN_RGB].ExportScript = QStringLiteral("tnPrint \"x\" : Err.Raise 5");
    s.Info[TN_HTML].ExportScript = QStringLiteral("tnOutput \"#\" & Hex(tnColor) : x = 1 / 0");
    context.Script.Echo = true;
    session.setColors(MakeColor(0, 0, 255));
    EXPECT_TRUE(context.Script.Echo) << "the echo flag is restored";
    context.Script.Echo = false;
    EXPECT_EQ(session.boxes()[kBoxRGB], QStringLiteral("rgb(0.0; 00 / )"));
    EXPECT_EQ(session.boxes()[kBoxHTML], QStringLiteral("#FF0000"));
    EXPECT_TRUE(pane.text.isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ScriptObjectsTest, ConverterScriptReentersSetColorsThroughTheSecondEngine)
{
    // Export scripts in both languages that read the live colour.
    context.Scheme.Info[TN_HTML].ExportScript = QStringLiteral("tnOutput \"#\" & Right(\"00000\" & Hex(tnColor), 6)");
    context.Scheme.Info[TN_DEC].ExportScript = QStringLiteral("// jscript\r\ntnOutput('d' + tnRed());");
    context.Scheme.Info[TN_RGB].ConverterScript = QStringLiteral(
        "tnPrint tnRed & \"/\" & tnColor & vbCrLf\r\n"
        "For i = 1 To 3\r\n"
        "  tnConverterRGB 10 * i, 0, 0\r\n"
        "  tnPrint tnRed & \"/\" & tnColor & vbCrLf\r\n"
        "Next\r\n"
        "tnConverterCMY 255, 0, 255\r\n"
        "tnPrint tnRed & \"/\" & tnColor & vbCrLf");
    session.setColors(MakeColor(7, 0, 0));
    const int callsBefore = session.setColorsCalls();

    context.Script.Echo = true;
    EXPECT_TRUE(host->RunConverterScript(kBoxRGB));
    context.Script.Echo = false;
    // tnRed keeps the snapshot of the run's start; tnColor follows every change.
    EXPECT_EQ(pane.text, QStringLiteral("--- Executing Script (VBScript) ---\r\n"
                                        "7/7\r\n"
                                        "tnConverterRGB(10, 0, 0)\r\n7/10\r\n"
                                        "tnConverterRGB(20, 0, 0)\r\n7/20\r\n"
                                        "tnConverterRGB(30, 0, 0)\r\n7/30\r\n"
                                        "tnConverterCMY(255, 0, 255)\r\n7/65280\r\nNo errors."));
    EXPECT_EQ(session.setColorsCalls(), callsBefore + 4);
    EXPECT_EQ(context.Script.ScriptName, QStringLiteral("RGB Format Converter")); // kept across the nested rounds
    // The nested rounds ran the export scripts on the second engine.
    EXPECT_EQ(session.boxes()[kBoxHTML], QStringLiteral("#00FF00"));
    EXPECT_EQ(session.boxes()[kBoxDecimal], QStringLiteral("d0"));
    EXPECT_FALSE(host->RunConverterScript(kBoxHSL)); // no converter script
    EXPECT_FALSE(host->RunConverterScript(7));

    // From JScript (HSL and CMY: the converter_hsl example).
    EXPECT_EQ(printed(QStringLiteral("// jscript\r\ntnConverterColor(255); tnConverterHSB(240, 255, 255); "
                                     "tnPrint(tnRed() + '/' + tnColor());")),
              QStringLiteral("tnConverterColor(\"255\")\r\ntnConverterHSB(240, 255, 255)\r\n0/16711680\r\n"));
    EXPECT_EQ(session.boxes()[kBoxHTML], QStringLiteral("#FF0000"));
}

TEST_F(ScriptObjectsTest, ConversionFailuresInsideConverterMembersNeverReachTheScript)
{
    std::uint8_t r = 9, g = 9, b = 9;
    ASSERT_FALSE(HSLToRGB(-100000, 255, 128, r, g, b)); // the conversion itself fails
    session.setColors(MakeColor(1, 2, 3));
    EXPECT_EQ(printed(QStringLiteral("tnConverterHSL -100000, 255, 128\r\ntnPrint \"after \" & tnColor")),
              QStringLiteral("tnConverterHSL(-100000, 255, 128)\r\nafter 0\r\n"));
    EXPECT_EQ(printed(QStringLiteral("// jscript\r\ntnConverterHSB(-100000, 255, 255); tnPrint('on');")),
              QStringLiteral("tnConverterHSB(-100000, 255, 255)\r\non\r\n"));
}

TEST_F(ScriptObjectsTest, ExportScriptThatSetsAColourDoesNotRunTwiceOnItsEngine)
{
    context.Scheme.Info[TN_HTML].ExportScript = QStringLiteral("tnConverterRGB 1, 2, 3 : tnOutput \"html\"");
    session.setColors(MakeColor(50, 50, 50));
    // The nested round filled the box with the built-in text; the outer one wins.
    EXPECT_EQ(session.boxes()[kBoxHTML], QStringLiteral("html"));
    EXPECT_EQ(session.currentColor(), MakeColor(1, 2, 3));
    EXPECT_FALSE(host->script2Running());
}

TEST_F(ScriptObjectsTest, ExportScriptThatTimesOutIsStoppedUntilTheSchemeLoadsAgain)
{
    host->setTimeLimit(150);
    context.Scheme.Info[TN_HEX].FormatName = QStringLiteral("He&xadecimal");
    context.Scheme.Info[TN_HEX].ExportScript = QStringLiteral("tnOutput \"left\" : Do : Loop");
    session.setColors(MakeColor(1, 1, 1));
    EXPECT_EQ(session.boxes()[kBoxHex], QStringLiteral("left"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(std::tuple(messages.shown[0].title, messages.shown[0].text, messages.shown[0].icon),
              std::tuple(QStringLiteral("Timeout"), QStringLiteral("The script (Hexadecimal Export Formatting) timed out."),
                         MsgIcon::Information));
    EXPECT_TRUE(host->isStoppedExportScript(context.Scheme.Info[TN_HEX].ExportScript));

    // Not run again: no new message, the box keeps what the script left, the
    // other boxes still follow the colour.
    session.setColors(MakeColor(2, 2, 2));
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(session.boxes()[kBoxHex], QStringLiteral("left"));
    EXPECT_EQ(session.boxes()[kBoxDecimal], QString::number(MakeColor(2, 2, 2)));

    host->forgetStoppedExportScripts();
    session.setColors(MakeColor(3, 3, 3));
    EXPECT_EQ(messages.shown.size(), 2);
}

} // namespace
} // namespace tintwell::script::test

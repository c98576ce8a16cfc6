// The host over the program's colour session, as the application joins them.

#include "hostfixture.h"

#include "core/colorsession.h"
#include "core/colormodel.h"
#include "scripting/host/sessionaccess.h"

namespace tintwell::script::test {
namespace {

using SessionColorAccessTest = HostFixture;

TEST_F(SessionColorAccessTest, ConverterScriptReentersTheSessionAndExportScriptsFollow)
{
    ColorSession real(context);
    SessionColorAccess colors(real);
    ScriptHost realHost(context, colors);
    real.setExportScriptRunner(realHost.exportRunner());

    context.Scheme.Info[TN_HTML].ExportScript = QStringLiteral("tnOutput \"#\" & tnRed & \"-\" & tnBlue");
    context.Scheme.Info[TN_RGB].ExportScript = QStringLiteral("// jscript\r\ntnOutValues(tnRed(), tnGreen(), tnBlue());");
    context.Scheme.Info[TN_HSL].ConverterScript = QStringLiteral(
        "For i = 1 To 3 : tnConverterRGB CInt(tnConverter) * i, 0, i : Next\r\ntnOutput tnRed & \"/\" & tnColor");
    real.setColor(MakeColor(4, 5, 6));
    EXPECT_EQ(real.outputs()[kBoxHTML], QStringLiteral("#4-6"));

    colors.setConverterText(QStringLiteral("10"));
    real.ShadeDriven = true;
    ASSERT_TRUE(realHost.RunConverterScript(kBoxHSL));
    EXPECT_FALSE(real.ShadeDriven);
    EXPECT_EQ(real.color(), MakeColor(30, 0, 3));
    EXPECT_EQ(context.Script.OutputText, QStringLiteral("4/") + QString::number(MakeColor(30, 0, 3)));
    EXPECT_EQ(real.outputs()[kBoxHTML], QStringLiteral("#30-3"));
    EXPECT_EQ(real.outputs()[kBoxRGB], QStringLiteral("30,0,3"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
} // namespace tintwell::script::test

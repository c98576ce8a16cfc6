// The host over the program's colour session, as the application joins them.

#include "core/colorsession.h"
#include "core/colormodel.h"
#include "scripting/host/scripthost.h"
#include "scripting/host/sessionaccess.h"

#include <gtest/gtest.h>

namespace tintwell::script {
namespace {

TEST(SessionColorAccess, ConverterScriptReentersTheSessionAndExportScriptsFollow)
{
    RecordingMessages messages;
    AppContext context;
    context.Messages = &messages;
    LoadDefaultScheme(context.Scheme, kSchemeStandard, messages);
    context.Factors = ComputeScaleFactors(context.Scheme);
    ColorSession session(context);
    SessionColorAccess colors(session);
    ScriptHost host(context, colors);
    session.setExportScriptRunner(host.exportRunner());

    context.Scheme.Info[TN_HTML].ExportScript = QStringLiteral("tnOutput \"#\" & tnRed & \"-\" & tnBlue");
    context.Scheme.Info[TN_RGB].ExportScript = QStringLiteral("// jscript\r\ntnOutValues(tnRed(), tnGreen(), tnBlue());");
    context.Scheme.Info[TN_HSL].ConverterScript = QStringLiteral(
        "For i = 1 To 3 : tnConverterRGB CInt(tnConverter) * i, 0, i : Next\r\ntnOutput tnRed & \"/\" & tnColor");
    session.setColor(MakeColor(4, 5, 6));
    EXPECT_EQ(session.outputs()[kBoxHTML], QStringLiteral("#4-6"));

    colors.setConverterText(QStringLiteral("10"));
    session.ShadeDriven = true;
    ASSERT_TRUE(host.RunConverterScript(kBoxHSL));
    EXPECT_FALSE(session.ShadeDriven);
    EXPECT_EQ(session.color(), MakeColor(30, 0, 3));
    EXPECT_EQ(context.Script.OutputText, QStringLiteral("4/") + QString::number(MakeColor(30, 0, 3)));
    EXPECT_EQ(session.outputs()[kBoxHTML], QStringLiteral("#30-3"));
    EXPECT_EQ(session.outputs()[kBoxRGB], QStringLiteral("30,0,3"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
} // namespace tintwell::script

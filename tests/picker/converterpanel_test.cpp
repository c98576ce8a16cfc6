// The converter's controls: Ctrl+C, the two messages with their Help button,
// and converter scripts.
#include "picker/converter.h"
#include "picker/converterpanel.h"

#include "core/appcontext.h"
#include "core/usermessages.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

struct ConverterPanelTest : ::testing::Test, ConverterScriptRunner {
    AppContext ctx;
    RecordingMessages messages;
    QWidget frame;
    std::unique_ptr<ConverterPanel> panel;
    QList<std::int32_t> colours;
    bool scriptFound = false;
    QList<std::pair<int, QString>> scriptsRun;

    bool RunConverterScript(int type, const QString &text) override
    {
        scriptsRun.append({type, text});
        return scriptFound;
    }
    void SetUp() override
    {
        ctx.Messages = &messages;
        ctx.loadScheme(0);
        panel = std::make_unique<ConverterPanel>(&frame, ctx, *this);
        QObject::connect(panel.get(), &ConverterPanel::colorChosen, [this](std::int32_t c) { colours.append(c); });
        frame.show();
    }
    void convert(int index, const QString &text)
    {
        panel->cboConvertType()->setCurrentIndex(index);
        panel->txtConvert()->setText(text);
        panel->cmdConvert_Click();
    }
};

TEST_F(ConverterPanelTest, BadValuesShowTheirMessageAndKeepTheColour)
{
    convert(ConvertDecimal, QStringLiteral("16777216"));
    for (int t = 0; t < kConvertTypeCount; ++t)
        convert(t, QString());
    EXPECT_TRUE(colours.isEmpty());
    ASSERT_EQ(messages.shown.size(), 9);
    for (const auto &m : messages.shown) {
        EXPECT_EQ(m.text, &m == &messages.shown.constFirst() ? "Conversion value is too large."
                                                             : "Invalid conversion value.");
        EXPECT_EQ(m.title, QStringLiteral("Conversion Error"));
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::OkHelp);
        EXPECT_EQ(m.helpTopic, 9);
    }
}

TEST_F(ConverterPanelTest, CtrlCCopiesTheWholeBox)
{
    panel->txtConvert()->setText(QStringLiteral("0080FF"));
    panel->txtConvert()->setSelection(0, 2);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(panel->txtConvert(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0080FF"));
}

// The format's name, access keys taken out, names the list item and the script.
TEST_F(ConverterPanelTest, AFormatWithAScriptNeverReachesTheBuiltInRule)
{
    ctx.Scheme.Info[TN_RGB].FormatName = QStringLiteral("R&G&&B");
    panel->SetFormatNames();
    EXPECT_EQ(panel->cboConvertType()->itemText(ConvertRGB), QStringLiteral("RGB"));
    scriptFound = true;
    convert(ConvertRGB, QStringLiteral("10,,30")); // invalid for the built-in rule
    convert(ConvertOctal, QStringLiteral("7"));    // belongs to no format: never a script
    EXPECT_EQ(scriptsRun, (QList<std::pair<int, QString>>{{ConvertRGB, QStringLiteral("10,,30")}}));
    EXPECT_EQ(ctx.Script.ScriptName, QStringLiteral("RGB Format Converter"));
    EXPECT_TRUE(messages.shown.isEmpty());
    scriptFound = false; // no script found: the built-in rule works
    convert(ConvertHex, QStringLiteral("FF"));
    EXPECT_EQ(colours, (QList<std::int32_t>{7, 255}));
}

} // namespace
} // namespace tintwell

// The converter's controls: list captions, Enter and the button, Ctrl+C, the
// two messages with their Help button, and converter scripts.
#include "picker/converter.h"
#include "picker/converterpanel.h"

#include "core/appcontext.h"
#include "core/usermessages.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tintwell {
namespace {

class CountingScripts : public ConverterScriptRunner
{
public:
    bool RunConverterScript(int type, const QString &text) override
    {
        ran.append(type);
        texts.append(text);
        return handles;
    }
    bool handles = true;
    QList<int> ran;
    QStringList texts;
};

struct ConverterPanelTest : ::testing::Test {
    AppContext ctx;
    RecordingMessages messages;
    NoConverterScripts noScripts;
    std::unique_ptr<QWidget> frame;
    std::unique_ptr<ConverterPanel> panel;
    QList<std::int32_t> colours;

    void SetUp() override
    {
        ctx.Messages = &messages;
        ctx.loadScheme(0);
        make(noScripts);
    }
    void make(ConverterScriptRunner &scripts)
    {
        panel.reset();
        frame = std::make_unique<QWidget>();
        frame->resize(240, 42);
        panel = std::make_unique<ConverterPanel>(frame.get(), ctx, scripts);
        QObject::connect(panel.get(), &ConverterPanel::colorChosen, [this](std::int32_t c) { colours.append(c); });
        frame->show();
    }
    void type(int index, const QString &text)
    {
        panel->cboConvertType()->setCurrentIndex(index);
        panel->txtConvert()->setText(text);
    }
};

TEST_F(ConverterPanelTest, ListCaptionsComeFromTheSchemeWithoutAccessKeys)
{
    QComboBox *list = panel->cboConvertType();
    ASSERT_EQ(list->count(), 8);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(list->itemText(7), QStringLiteral("Octal"));
    ctx.Scheme.Info[TN_HTML].FormatName = QStringLiteral("We&b");
    ctx.Scheme.Info[TN_CMY].FormatName = QStringLiteral("&&Ink");
    panel->SetFormatNames();
    EXPECT_EQ(list->itemText(0), QStringLiteral("Web"));
    EXPECT_EQ(list->itemText(6), QStringLiteral("Ink"));
    EXPECT_EQ(list->itemText(3), QString(ctx.Scheme.Info[TN_RGB].FormatName).remove(QLatin1Char('&')));
    EXPECT_EQ(list->itemText(7), QStringLiteral("Octal"));
    EXPECT_EQ(panel->cmdConvert()->text(), QStringLiteral("Con&vert"));
}

TEST_F(ConverterPanelTest, BadValuesShowTheirMessageAndKeepTheColour)
{
    type(2, QStringLiteral("16777216"));
    panel->cmdConvert_Click();
    type(3, QStringLiteral("10,,30"));
    panel->cmdConvert_Click();
    EXPECT_TRUE(colours.isEmpty());
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Conversion Error"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Conversion value is too large."));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Invalid conversion value."));
    for (const auto &m : messages.shown) {
        EXPECT_EQ(m.buttons, MsgButtons::OkHelp);
        EXPECT_EQ(m.helpTopic, 9);
    }
    // Every type refuses an empty box.
    for (int t = 0; t < 8; ++t) {
        type(t, QString());
        panel->cmdConvert_Click();
    }
    EXPECT_EQ(messages.shown.size(), 10);
    EXPECT_EQ(messages.shown.last().text, QStringLiteral("Invalid conversion value."));
    EXPECT_TRUE(colours.isEmpty());
}

TEST_F(ConverterPanelTest, CtrlCCopiesTheWholeBox)
{
    type(1, QStringLiteral("0080FF"));
    panel->txtConvert()->setSelection(0, 2);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(panel->txtConvert(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0080FF"));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(panel->txtConvert(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
}

TEST_F(ConverterPanelTest, AFormatWithAScriptNeverReachesTheBuiltInRule)
{
    CountingScripts scripts;
    make(scripts);
    type(3, QStringLiteral("10,,30")); // would be invalid for the built-in rule
    panel->cmdConvert_Click();
    EXPECT_EQ(scripts.ran, QList<int>{3});
    EXPECT_EQ(scripts.texts, QStringList{QStringLiteral("10,,30")});
    EXPECT_EQ(ctx.Script.ScriptName, QStringLiteral("RGB Format Converter"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(colours.isEmpty());
    // Octal belongs to no scheme format: never a script.
    type(7, QStringLiteral("7"));
    panel->cmdConvert_Click();
    EXPECT_EQ(scripts.ran, QList<int>{3});
    EXPECT_EQ(colours, QList<std::int32_t>{7});
    // A runner that finds no script leaves the built-in rule to work.
    scripts.handles = false;
    type(1, QStringLiteral("FF"));
    panel->cmdConvert_Click();
    EXPECT_EQ(colours.last(), 255);
}

} // namespace
} // namespace tintwell

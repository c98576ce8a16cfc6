#include "core/scheme.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QStringList>

using namespace tintwell;

namespace {

using F4 = std::array<float, 4>;

struct Expected {
    F4 base, step, large;
    const char *pattern;
};

const F4 kOnes = {1, 1, 1, 1}, kCents = {0.01f, 0.01f, 0.01f, 0.01f};
const Expected kRgb255 = {{255, 255, 255, 255}, kOnes, {51, 51, 51, 51}, "0"};
const Expected kPct = {{100, 100, 100, 100}, kOnes, {20, 20, 20, 20}, "0"};
const Expected kHue100 = {{360, 100, 100, 100}, kOnes, {60, 20, 20, 20}, "0"};
const Expected kHue255 = {{360, 255, 255, 255}, kOnes, {60, 51, 51, 51}, "0"};
const Expected kDec = {kOnes, kCents, {0.2f, 0.2f, 0.2f, 0.2f}, "0.00"};
const Expected kDecHue = {kOnes, kCents, {0.16666f, 0.2f, 0.2f, 0.2f}, "0.00"};

// A scheme as a custom slot would leave it: scripts, odd separators and names.
FormatScheme customLooking()
{
    FormatScheme s;
    for (int f = 0; f < kFormatCount; ++f) {
        s.OutputSeparators[f] = {"(", ";", ";", ")"};
        s.Info[f] = {QStringLiteral("Mine %1").arg(f), "Export", "Convert"};
        s.CustomNames[f % kCustomSlotCount] = QStringLiteral("Slot %1").arg(f % kCustomSlotCount + 1);
        s.Formats[f % kSystemCount].InputBase = {7, 7, 7, 7};
    }
    return s;
}

// The Standard text with some lines replaced; loaded over customLooking().
SchemeLoadResult loadDamaged(FormatScheme &s, RecordingMessages &messages, const QMap<int, QString> &lines,
                             int keep = 84)
{
    QStringList text = QString::fromLatin1(BuiltInSchemeText(kSchemeStandard)).split("\r\n").mid(0, keep);
    for (auto it = lines.begin(); it != lines.end(); ++it)
        text[it.key()] = it.value();
    s = customLooking();
    return LoadDefaultSchemeFromText(s, (text.join("\r\n") + "\r\n").toLatin1(), messages);
}

} // namespace

TEST(LoadScheme, FourBuiltInSchemesOf84CrLfLines)
{
    const Expected *expected[4][kSystemCount] = {{&kRgb255, &kHue100, &kHue100, &kPct},
                                                 {&kRgb255, &kHue255, &kHue255, &kRgb255},
                                                 {&kPct, &kHue100, &kHue100, &kPct},
                                                 {&kDec, &kDecHue, &kDecHue, &kDec}};
    for (int index = 0; index < 4; ++index) {
        const QByteArray text = BuiltInSchemeText(kSchemeStandard + index);
        EXPECT_TRUE(text.count('\n') == 84 && text.count("\r\n") == 84 && text.count('\r') == 84) << index;
        FormatScheme s;
        RecordingMessages messages;
        EXPECT_EQ(LoadScheme(s, index, messages, QString()), 0);
        for (int sys = TN_RGB; sys <= TN_CMY; ++sys) {
            const NumericFormat &r = s.Formats[sys];
            const Expected &e = *expected[index][sys];
            EXPECT_EQ((std::array{r.InputBase, r.InputStep, r.InputLargeStep}), (std::array{e.base, e.step, e.large}))
                << "scheme " << index << " system " << sys;
            EXPECT_EQ(r.InputFormat[2], QLatin1String(e.pattern));
        }
    }
}

TEST(LoadScheme, BuiltInResetsNamesSeparatorsAndScriptsButNotSlotNames)
{
    const QStringList names = {"&RGB", "HS&L", "HS&B/HSV", "C&MY", "H&TML", "He&xadecimal", "&Decimal"};
    for (int index : {0, 3, -1, 9}) {
        SCOPED_TRACE(index);
        const bool builtIn = index >= 0 && index < 4; // an index outside the nine loads nothing
        FormatScheme s = customLooking();
        RecordingMessages messages;
        int calls = 0;
        EXPECT_EQ(LoadScheme(s, index, messages, QString(), [&] { ++calls; }), 0);
        EXPECT_EQ(calls, builtIn ? 1 : 0);
        for (int f = 0; f < kFormatCount; ++f) {
            const QString comma = f < kSystemCount ? "," : "";
            const OutputSeparator &sep = s.OutputSeparators[f];
            EXPECT_EQ(s.Info[f].FormatName, builtIn ? names[f] : QStringLiteral("Mine %1").arg(f));
            EXPECT_EQ(s.Info[f].ExportScript.isEmpty() && s.Info[f].ConverterScript.isEmpty(), builtIn);
            EXPECT_EQ(QStringList({sep.LeftEnd, sep.LeftSeparator, sep.RightSeparator, sep.RightEnd}),
                      builtIn ? QStringList({"", comma, comma, ""}) : QStringList({"(", ";", ";", ")"}));
        }
        EXPECT_EQ(s.Formats[0].InputBase[0] == 7, !builtIn);
        EXPECT_EQ(s.CustomNames[4], "Slot 5");
    }
}

TEST(LoadDefaultScheme, BadLinesAreReportedSkippedAndTheThirdAborts)
{
    FormatScheme s;
    RecordingMessages two;
    // RGB InputBase 0, and HSL InputBase 1 where a comma is no decimal point.
    SchemeLoadResult r = loadDamaged(s, two, {{0, "abc"}, {22, "1,5"}});
    EXPECT_EQ(r.errors, 2);
    EXPECT_FALSE(r.aborted);
    ASSERT_EQ(two.shown.size(), 2);
    EXPECT_EQ(two.shown[0].title, "Error");
    EXPECT_EQ(two.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(two.shown[0].text, "There was an error reading the default format:\nError: 13\nType mismatch");
    EXPECT_EQ(s.Formats[TN_RGB].InputBase, (F4{7, 255, 255, 255})); // kept its old value
    EXPECT_EQ(s.Formats[TN_HSL].InputBase, (F4{360, 7, 100, 100}));
    EXPECT_EQ(s.Info[TN_HEX].FormatName, "He&xadecimal") << "not aborted: the built-in names are set";

    RecordingMessages three;
    r = loadDamaged(s, three, {{1, ""}, {2, "x"}, {30, "1e39"}}); // 1e39 is beyond a 32-bit float
    EXPECT_EQ(r.errors, 3);
    EXPECT_TRUE(r.aborted);
    ASSERT_EQ(three.shown.size(), 4);
    EXPECT_EQ(three.shown[2].text, "There was an error reading the default format:\nError: 6\nOverflow");
    EXPECT_EQ(three.shown[3].title, "Aborting Load");
    EXPECT_EQ(three.shown[3].icon, MsgIcon::Information);
    EXPECT_EQ(three.shown[3].text, "There have been more than 3 errors loading the default format. Aborting. "
                                   "Please obtain another copy of Tintwell.exe.");
    EXPECT_EQ(s.Formats[TN_RGB].InputBase, (F4{255, 7, 7, 255})); // read before the abort
    EXPECT_EQ(s.Formats[TN_HSL].InputLargeStep, (F4{60, 0, 0, 0})) << "line 30 is not stored";
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].InputBase[0], 7); // never reached
    EXPECT_EQ(s.Info[0].ExportScript, "Export") << "aborted: names, separators and scripts stay";
    EXPECT_EQ(s.OutputSeparators[0].LeftEnd, "(");

    // A short text: line 80 is the empty rest after the last CR LF, 81 and 82 are missing.
    RecordingMessages cut;
    EXPECT_TRUE(loadDamaged(s, cut, {}, 80).aborted);
    ASSERT_EQ(cut.shown.size(), 4);
    EXPECT_TRUE(cut.shown[0].text.endsWith("Error: 13\nType mismatch"));
    EXPECT_TRUE(cut.shown[2].text.endsWith("Error: 9\nSubscript out of range"));
    EXPECT_EQ(s.Formats[TN_CMY].OutputBase, (std::array<float, 3>{100, 100, 0}));
}

#include "core/scheme.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace tintwell;

namespace {

struct Expected {
    std::array<float, 4> base, step, large;
    std::array<float, 3> out;
    const char *pattern;
};

void expectRecord(const NumericFormat &r, const Expected &e)
{
    EXPECT_EQ(r.InputBase, e.base);
    EXPECT_EQ(r.InputStep, e.step);
    EXPECT_EQ(r.InputLargeStep, e.large);
    EXPECT_EQ(r.OutputBase, e.out);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.InputFormat[i], QLatin1String(e.pattern)) << "InputFormat " << i;
        EXPECT_EQ(r.OutputFormat[i], QLatin1String(e.pattern)) << "OutputFormat " << i;
    }
}

constexpr std::array<float, 4> kOnes = {1, 1, 1, 1};
const Expected kRgb255 = {{255, 255, 255, 255}, kOnes, {51, 51, 51, 51}, {255, 255, 255}, "0"};
const Expected kPct = {{100, 100, 100, 100}, kOnes, {20, 20, 20, 20}, {100, 100, 100}, "0"};
const Expected kHue100 = {{360, 100, 100, 100}, kOnes, {60, 20, 20, 20}, {360, 100, 100}, "0"};
const Expected kHue255 = {{360, 255, 255, 255}, kOnes, {60, 51, 51, 51}, {360, 255, 255}, "0"};
constexpr std::array<float, 4> kCents = {0.01f, 0.01f, 0.01f, 0.01f};
const Expected kDec = {kOnes, kCents, {0.2f, 0.2f, 0.2f, 0.2f}, {1, 1, 1}, "0.00"};
const Expected kDecHue = {kOnes, kCents, {0.16666f, 0.2f, 0.2f, 0.2f}, {1, 1, 1}, "0.00"};

FormatScheme loaded(int index)
{
    FormatScheme s;
    RecordingMessages messages;
    EXPECT_EQ(LoadScheme(s, index, messages, QString()), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    return s;
}

// A scheme as a custom slot would leave it: scripts, odd separators and names.
FormatScheme customLooking()
{
    FormatScheme s;
    for (int f = 0; f < kFormatCount; ++f) {
        s.OutputSeparators[f] = {"(", ";", ";", ")"};
        s.Info[f] = {QStringLiteral("Mine %1").arg(f), "Export", "Convert"};
    }
    for (int n = 0; n < kCustomSlotCount; ++n)
        s.CustomNames[n] = QStringLiteral("Slot %1").arg(n + 1);
    for (NumericFormat &r : s.Formats)
        r.InputBase = {7, 7, 7, 7};
    return s;
}

QByteArray textOf(const QStringList &lines)
{
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

QStringList standardLines()
{
    QStringList lines = QString::fromLatin1(BuiltInSchemeText(kSchemeStandard)).split("\r\n");
    lines.removeLast(); // after the final CR LF
    return lines;
}

} // namespace

TEST(LoadScheme, FourBuiltInSchemesOf84CrLfLines)
{
    for (int id = kSchemeStandard; id <= kSchemeDecimal; ++id) {
        const QByteArray text = BuiltInSchemeText(id);
        EXPECT_EQ(text.count("\r\n"), 84) << id;
        EXPECT_EQ(text.count('\n'), 84) << id << ": a line break without CR";
        EXPECT_EQ(text.count('\r'), 84) << id;
    }
    EXPECT_TRUE(BuiltInSchemeText(149).isEmpty());
    const Expected *expected[4][kSystemCount] = {{&kRgb255, &kHue100, &kHue100, &kPct},
                                                 {&kRgb255, &kHue255, &kHue255, &kRgb255},
                                                 {&kPct, &kHue100, &kHue100, &kPct},
                                                 {&kDec, &kDecHue, &kDecHue, &kDec}};
    for (int index = 0; index < 4; ++index) {
        const FormatScheme s = loaded(index);
        for (int sys = TN_RGB; sys <= TN_CMY; ++sys) {
            SCOPED_TRACE(testing::Message() << "scheme " << index << " system " << sys);
            expectRecord(s.Formats[sys], *expected[index][sys]);
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
        for (int n = 0; n < kCustomSlotCount; ++n)
            EXPECT_EQ(s.CustomNames[n], QStringLiteral("Slot %1").arg(n + 1));
    }
}

TEST(LoadDefaultScheme, OneOrTwoBadLinesAreReportedAndSkipped)
{
    QStringList lines = standardLines();
    lines[0] = "abc";  // RGB InputBase 0
    lines[22] = "1,5"; // HSL InputBase 1: a comma is no decimal point here
    FormatScheme s = customLooking();
    RecordingMessages messages;
    const SchemeLoadResult r = LoadDefaultSchemeFromText(s, textOf(lines), messages);
    EXPECT_EQ(r.errors, 2);
    EXPECT_FALSE(r.aborted);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].title, "Error");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].text, "There was an error reading the default format:\nError: 13\nType mismatch");
    EXPECT_EQ(s.Formats[TN_RGB].InputBase, (std::array<float, 4>{7, 255, 255, 255})); // kept its old value
    EXPECT_EQ(s.Formats[TN_HSL].InputBase, (std::array<float, 4>{360, 7, 100, 100}));
    // Not aborted: the defaults of the built-in schemes are set.
    EXPECT_EQ(s.Info[TN_HEX].FormatName, "He&xadecimal");
}

TEST(LoadDefaultScheme, ThirdErrorAbortsAndKeepsWhatWasRead)
{
    QStringList lines = standardLines();
    lines[1] = "";
    lines[2] = "x";
    lines[30] = "1e39"; // beyond a 32-bit float
    FormatScheme s = customLooking();
    RecordingMessages messages;
    const SchemeLoadResult r = LoadDefaultSchemeFromText(s, textOf(lines), messages);
    EXPECT_EQ(r.errors, 3);
    EXPECT_TRUE(r.aborted);
    ASSERT_EQ(messages.shown.size(), 4);
    EXPECT_EQ(messages.shown[2].text, "There was an error reading the default format:\nError: 6\nOverflow");
    EXPECT_EQ(messages.shown[3].title, "Aborting Load");
    EXPECT_EQ(messages.shown[3].icon, MsgIcon::Information);
    EXPECT_EQ(messages.shown[3].text, "There have been more than 3 errors loading the default format. Aborting. "
                                      "Please obtain another copy of Tintwell.exe.");
    EXPECT_EQ(s.Formats[TN_RGB].InputBase, (std::array<float, 4>{255, 7, 7, 255})); // read before the abort
    EXPECT_EQ(s.Formats[TN_HSL].InputLargeStep, (std::array<float, 4>{60, 0, 0, 0})) << "line 30 is not stored";
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].InputBase[0], 7); // never reached
    // Aborted: names, separators and scripts stay.
    EXPECT_EQ(s.Info[0].FormatName, "Mine 0");
    EXPECT_EQ(s.Info[0].ExportScript, "Export");
    EXPECT_EQ(s.OutputSeparators[0].LeftEnd, "(");

    // A short text: line 80 is the empty rest after the last CR LF (a type
    // mismatch), lines 81 and 82 are missing.
    RecordingMessages cut;
    EXPECT_TRUE(LoadDefaultSchemeFromText(s, textOf(standardLines().mid(0, 80)), cut).aborted);
    ASSERT_EQ(cut.shown.size(), 4);
    EXPECT_TRUE(cut.shown[0].text.endsWith("Error: 13\nType mismatch"));
    EXPECT_TRUE(cut.shown[1].text.endsWith("Error: 9\nSubscript out of range"));
    EXPECT_TRUE(cut.shown[2].text.endsWith("Error: 9\nSubscript out of range"));
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].OutputBase[1], 100);
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].OutputBase[2], 0);
}

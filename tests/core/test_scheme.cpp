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

void expectRecord(const NumericFormat &r, const Expected &e, const char *what)
{
    SCOPED_TRACE(what);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(r.InputBase[i], e.base[i]) << "InputBase " << i;
        EXPECT_FLOAT_EQ(r.InputStep[i], e.step[i]) << "InputStep " << i;
        EXPECT_FLOAT_EQ(r.InputLargeStep[i], e.large[i]) << "InputLargeStep " << i;
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(r.OutputBase[i], e.out[i]) << "OutputBase " << i;
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

TEST(BuiltInSchemeText, EachIs84CrLfLinesOfPlainText)
{
    for (int id = kSchemeStandard; id <= kSchemeDecimal; ++id) {
        SCOPED_TRACE(id);
        const QByteArray text = BuiltInSchemeText(id);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_EQ(text.count("\r\n"), 84);
        EXPECT_EQ(text.count('\n'), 84) << "a line break without CR";
        EXPECT_EQ(text.count('\r'), 84);
        EXPECT_TRUE(text.endsWith("\r\n"));
    }
    EXPECT_TRUE(BuiltInSchemeText(149).isEmpty());
    EXPECT_TRUE(BuiltInSchemeText(154).isEmpty());
}

TEST(LoadScheme, FourBuiltInVariants)
{
    const FormatScheme standard = loaded(0);
    expectRecord(standard.Formats[TN_RGB], kRgb255, "Standard RGB");
    expectRecord(standard.Formats[TN_HSL], kHue100, "Standard HSL");
    expectRecord(standard.Formats[TN_HSB], kHue100, "Standard HSB");
    expectRecord(standard.Formats[TN_CMY], kPct, "Standard CMY");

    const FormatScheme byte = loaded(1);
    expectRecord(byte.Formats[TN_RGB], kRgb255, "Byte RGB");
    expectRecord(byte.Formats[TN_HSL], kHue255, "Byte HSL");
    expectRecord(byte.Formats[TN_HSB], kHue255, "Byte HSB");
    expectRecord(byte.Formats[TN_CMY], kRgb255, "Byte CMY");

    const FormatScheme percentage = loaded(2);
    expectRecord(percentage.Formats[TN_RGB], kPct, "Percentage RGB");
    expectRecord(percentage.Formats[TN_HSL], kHue100, "Percentage HSL");
    expectRecord(percentage.Formats[TN_HSB], kHue100, "Percentage HSB");
    expectRecord(percentage.Formats[TN_CMY], kPct, "Percentage CMY");

    const FormatScheme decimal = loaded(3);
    expectRecord(decimal.Formats[TN_RGB], kDec, "Decimal RGB");
    expectRecord(decimal.Formats[TN_HSL], kDecHue, "Decimal HSL");
    expectRecord(decimal.Formats[TN_HSB], kDecHue, "Decimal HSB");
    expectRecord(decimal.Formats[TN_CMY], kDec, "Decimal CMY");
}

bool sameRecord(const NumericFormat &a, const NumericFormat &b)
{
    return a.InputBase == b.InputBase && a.InputStep == b.InputStep
        && a.InputLargeStep == b.InputLargeStep && a.InputFormat == b.InputFormat
        && a.OutputBase == b.OutputBase && a.OutputFormat == b.OutputFormat;
}

TEST(LoadScheme, StandardAndPercentageDifferOnlyInRgb)
{
    const FormatScheme standard = loaded(0);
    const FormatScheme percentage = loaded(2);
    EXPECT_FALSE(sameRecord(standard.Formats[TN_RGB], percentage.Formats[TN_RGB]));
    for (int sys = TN_HSL; sys <= TN_CMY; ++sys)
        EXPECT_TRUE(sameRecord(standard.Formats[sys], percentage.Formats[sys])) << sys;
}

TEST(LoadScheme, BuiltInResetsNamesSeparatorsAndScriptsButNotSlotNames)
{
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        FormatScheme s = customLooking();
        RecordingMessages messages;
        int calls = 0;
        EXPECT_EQ(LoadScheme(s, index, messages, QString(), [&] { ++calls; }), 0);
        EXPECT_EQ(calls, 1);
        const QStringList names = {"&RGB", "HS&L", "HS&B/HSV", "C&MY", "H&TML", "He&xadecimal",
                                   "&Decimal"};
        for (int f = 0; f < kFormatCount; ++f) {
            const QString comma = f < kSystemCount ? "," : "";
            EXPECT_EQ(s.Info[f].FormatName, names[f]);
            EXPECT_TRUE(s.Info[f].ExportScript.isEmpty());
            EXPECT_TRUE(s.Info[f].ConverterScript.isEmpty());
            EXPECT_EQ(s.OutputSeparators[f].LeftEnd, "");
            EXPECT_EQ(s.OutputSeparators[f].LeftSeparator, comma);
            EXPECT_EQ(s.OutputSeparators[f].RightSeparator, comma);
            EXPECT_EQ(s.OutputSeparators[f].RightEnd, "");
        }
        for (int n = 0; n < kCustomSlotCount; ++n)
            EXPECT_EQ(s.CustomNames[n], QStringLiteral("Slot %1").arg(n + 1));
    }
}

TEST(LoadScheme, IndexOutsideTheNineLoadsNothing)
{
    for (int index : {-1, 9, 10, 1000}) {
        FormatScheme s = customLooking();
        RecordingMessages messages;
        int calls = 0;
        EXPECT_EQ(LoadScheme(s, index, messages, QString(), [&] { ++calls; }), 0);
        EXPECT_EQ(calls, 0);
        EXPECT_EQ(s.Info[0].FormatName, "Mine 0");
        EXPECT_FLOAT_EQ(s.Formats[0].InputBase[0], 7);
    }
}

TEST(LoadDefaultScheme, OneOrTwoBadLinesAreReportedAndSkipped)
{
    QStringList lines = standardLines();
    lines[0] = "abc";       // RGB InputBase 0
    lines[22] = "1,5";      // HSL InputBase 1: a comma is no decimal point here
    FormatScheme s = customLooking();
    RecordingMessages messages;
    const SchemeLoadResult r = LoadDefaultSchemeFromText(s, textOf(lines), messages);
    EXPECT_EQ(r.errors, 2);
    EXPECT_FALSE(r.aborted);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].title, "Error");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].text,
              "There was an error reading the default format:\nError: 13\nType mismatch");
    EXPECT_FLOAT_EQ(s.Formats[TN_RGB].InputBase[0], 7); // kept its old value
    EXPECT_FLOAT_EQ(s.Formats[TN_RGB].InputBase[1], 255);
    EXPECT_FLOAT_EQ(s.Formats[TN_HSL].InputBase[1], 7);
    EXPECT_FLOAT_EQ(s.Formats[TN_HSL].InputBase[2], 100);
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].OutputBase[2], 100);
    // Not aborted: the defaults of the built-in schemes are set.
    EXPECT_EQ(s.Info[TN_HEX].FormatName, "He&xadecimal");
    EXPECT_EQ(s.OutputSeparators[TN_RGB].LeftEnd, "");
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
    EXPECT_EQ(messages.shown[2].text,
              "There was an error reading the default format:\nError: 6\nOverflow");
    EXPECT_EQ(messages.shown[3].title, "Aborting Load");
    EXPECT_EQ(messages.shown[3].icon, MsgIcon::Information);
    EXPECT_EQ(messages.shown[3].text,
              "There have been more than 3 errors loading the default format. Aborting. "
              "Please obtain another copy of Tintwell.exe.");
    EXPECT_FLOAT_EQ(s.Formats[TN_RGB].InputBase[0], 255); // read before the abort
    EXPECT_FLOAT_EQ(s.Formats[TN_RGB].InputBase[1], 7);
    EXPECT_FLOAT_EQ(s.Formats[TN_HSL].InputLargeStep[0], 60); // line 29
    EXPECT_EQ(s.Formats[TN_HSL].InputLargeStep[1], 0.0f) << "line 30 must not be stored";
    EXPECT_FLOAT_EQ(s.Formats[TN_HSL].InputLargeStep[2], 0.0f);
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].InputBase[0], 7); // never reached
    // Aborted: names, separators and scripts stay.
    EXPECT_EQ(s.Info[0].FormatName, "Mine 0");
    EXPECT_EQ(s.Info[0].ExportScript, "Export");
    EXPECT_EQ(s.OutputSeparators[0].LeftEnd, "(");
}

TEST(LoadDefaultScheme, ShortTextCountsMissingLines)
{
    const QStringList lines = standardLines().mid(0, 80);
    FormatScheme s = customLooking();
    RecordingMessages messages;
    const SchemeLoadResult r = LoadDefaultSchemeFromText(s, textOf(lines), messages);
    // Line 80 is the empty rest after the last CR LF: a type mismatch for
    // OutputBase 2 of CMY; lines 81 and 82 are missing.
    EXPECT_TRUE(r.aborted);
    ASSERT_EQ(messages.shown.size(), 4);
    EXPECT_TRUE(messages.shown[0].text.endsWith("Error: 13\nType mismatch"));
    EXPECT_TRUE(messages.shown[1].text.endsWith("Error: 9\nSubscript out of range"));
    EXPECT_TRUE(messages.shown[2].text.endsWith("Error: 9\nSubscript out of range"));
    EXPECT_EQ(messages.shown[3].title, "Aborting Load");
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].OutputBase[1], 100);
    EXPECT_FLOAT_EQ(s.Formats[TN_CMY].OutputBase[2], 0);
}

// The converter's reading rules, with the built-in schemes and with schemes
// made for the test (other separators, other output ranges).
#include "picker/converter.h"

#include "core/usermessages.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

// What a text gives: a colour, or one of the two messages.
constexpr std::int32_t Invalid = -1, TooLarge = -2;
constexpr std::int32_t Value(int r, int g, int b) { return r | g << 8 | b << 16; }

FormatScheme BuiltIn(int id)
{
    FormatScheme scheme;
    RecordingMessages messages;
    LoadDefaultScheme(scheme, id, messages);
    return scheme;
}

void Check(const FormatScheme &scheme, std::initializer_list<std::tuple<QString, int, std::int32_t>> cases)
{
    const ScaleFactors factors = ComputeScaleFactors(scheme);
    for (const auto &[text, type, expected] : cases) {
        const ConvertResult r = ConvertText(text, type, scheme, factors);
        const std::int32_t got = r.outcome == ConvertOutcome::SetColor ? r.color
                                 : r.outcome == ConvertOutcome::TooLarge ? TooLarge : Invalid;
        EXPECT_EQ(got, expected) << "'" << text.left(40).toStdString() << "' as type " << type;
    }
}

TEST(Converter, StandardScheme)
{
    const QString huge(41, QLatin1Char('9')), digits(100000, QLatin1Char('7'));
    Check(BuiltIn(kSchemeStandard), {
        {"#ff8000", ConvertHTML, Value(255, 128, 0)},
        {"FF", ConvertHTML, Value(255, 0, 0)},
        {"0x0080FF", ConvertHex, Value(255, 128, 0)},
        {"0000000000FF", ConvertHex, 255}, // leading zeros are no digits of value
        {"-5", ConvertDecimal, 5},
        {"1892", ConvertOctal, 10}, // 8 and 9 are dropped
        {"16777216", ConvertDecimal, TooLarge},
        {"99999999999999999999", ConvertDecimal, TooLarge},
        {"FFFFFFFF", ConvertHex, TooLarge}, // reads as -1
        {"777777777777", ConvertOctal, TooLarge},
        {"rgb(10, 20, 30)", ConvertRGB, Value(10, 20, 30)},
        {"10,20", ConvertRGB, Value(10, 20, 0)}, // a missing piece counts as 0
        {"77", ConvertRGB, Value(77, 0, 0)},
        {"300,0,1000", ConvertRGB, Value(255, 0, 255)},
        {"10.5,11.5,0.4", ConvertRGB, Value(10, 12, 0)}, // "." whatever the locale, halves to even
        {"10,,30", ConvertRGB, Invalid},
        {"1.2.3,0,0", ConvertRGB, Invalid},
        {"40000,0,0", ConvertRGB, TooLarge},
        {QString(60, QLatin1Char('9')), ConvertRGB, TooLarge}, // beyond a float: no infinity
        {"0,100,50", ConvertHSL, Value(255, 1, 1)},            // 50 % of 255 is 127.5 -> 128
        {"400,100,100", ConvertHSB, Value(255, 0, 0)}, // past the circle is its end
        {"100,0,20", ConvertCMY, Value(0, 255, 204)},  // percent of ink
        // The last failure decides: empty, missing gives a colour; huge, empty: invalid; the reverse: too large.
        {"10,", ConvertRGB, Value(10, 0, 0)},
        {huge + ",,", ConvertRGB, Invalid},
        {",," + huge, ConvertRGB, TooLarge},
        {digits, ConvertDecimal, TooLarge}, // huge pastes get an answer
        {QStringLiteral("1,,").repeated(25000), ConvertRGB, Invalid},
    });
    for (int type = 0; type < kConvertTypeCount; ++type)
        Check(BuiltIn(kSchemeStandard), {{"", type, Invalid}, {"#", type, Invalid}, {"xyz!", type, Invalid}});
}

TEST(Converter, SchemesSetSeparatorsAndRanges)
{
    Check(BuiltIn(kSchemePercentage), {{"100,50,0", ConvertRGB, Value(255, 128, 0)}});
    FormatScheme scheme = BuiltIn(kSchemeStandard);
    scheme.OutputSeparators[TN_RGB] = {"<", " ; ", "|", ">"};
    scheme.Formats[TN_RGB].OutputBase = {2, 2, 2};             // each step is 127.5
    scheme.OutputSeparators[TN_HSL] = {"hsl(", "x", "y", ")"}; // matched against upper case
    scheme.OutputSeparators[TN_CMY] = {};
    scheme.Formats[TN_HSB].OutputBase = {0.001f, 255, 255}; // beyond 16 bits per unit
    scheme.Formats[TN_CMY].OutputBase = {0, 0, 0};          // a factor of 0: no ink, not a fault
    Check(scheme, {
        {"<2 ; 1|0>", ConvertRGB, Value(255, 128, 0)},
        {"0,2,1", ConvertRGB, Value(0, 255, 128)}, // "," separates whatever the scheme says
        {"HSL(0x100y50)", ConvertHSL, Value(255, 1, 1)},
        {"5,5,5", ConvertCMY, 0xFFFFFF},
        {"1,0,0", ConvertHSB, TooLarge},
    });
}

} // namespace
} // namespace tintwell

// The converter's reading rules, with the built-in schemes and with schemes
// made for the test (other separators, other output ranges).
#include "picker/converter.h"

#include "core/usermessages.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

constexpr auto Set = ConvertOutcome::SetColor, Large = ConvertOutcome::TooLarge, Bad = ConvertOutcome::Invalid;
constexpr std::int32_t Value(int r, int g, int b) { return r | g << 8 | b << 16; }

struct Case {
    QString text;
    int type;
    ConvertOutcome outcome;
    std::int32_t colour = 0;
};

struct Converter : ::testing::Test {
    FormatScheme scheme;

    void SetUp() override { load(kSchemeStandard); }
    void load(int id)
    {
        RecordingMessages messages;
        LoadDefaultScheme(scheme, id, messages);
        ASSERT_TRUE(messages.shown.isEmpty());
    }
    void check(std::initializer_list<Case> cases)
    {
        const ScaleFactors factors = ComputeScaleFactors(scheme);
        for (const Case &c : cases) {
            const ConvertResult r = ConvertText(c.text, c.type, scheme, factors);
            EXPECT_EQ(r.outcome, c.outcome) << "'" << c.text.left(50).toStdString() << "' as " << c.type;
            if (c.outcome == Set) {
                EXPECT_EQ(r.color, c.colour) << std::hex << "'" << c.text.left(50).toStdString() << "'";
            }
        }
    }
};

TEST_F(Converter, StandardScheme)
{
    const QString huge(41, QLatin1Char('9'));
    check({
        {"#ff8000", ConvertHTML, Set, Value(255, 128, 0)},
        {"FF", ConvertHTML, Set, Value(255, 0, 0)},
        {"0x0080FF", ConvertHex, Set, Value(255, 128, 0)},
        {"&hff", ConvertHex, Set, 255},
        {"0000000000FF", ConvertHex, Set, 255}, // leading zeros are no digits of value
        {"xaybz", ConvertHex, Set, 0xAB},       // hex letters count wherever they stand
        {"-5", ConvertDecimal, Set, 5},
        {"16777215", ConvertDecimal, Set, 0xFFFFFF},
        {"77", ConvertOctal, Set, 63},
        {"&O77777777", ConvertOctal, Set, 0xFFFFFF},
        {"1892", ConvertOctal, Set, 10}, // 8 and 9 are dropped
        {"16777216", ConvertDecimal, Large},
        {"99999999999999999999", ConvertDecimal, Large},
        {"FFFFFFFF", ConvertHex, Large}, // reads as -1
        {"123456789", ConvertHex, Large},
        {"100000000", ConvertOctal, Large},
        {"777777777777", ConvertOctal, Large},
        {"10,20,30", ConvertRGB, Set, Value(10, 20, 30)},
        {"rgb(10, 20, 30)", ConvertRGB, Set, Value(10, 20, 30)},
        {"10,20", ConvertRGB, Set, Value(10, 20, 0)}, // a missing piece counts as 0
        {"77", ConvertRGB, Set, Value(77, 0, 0)},
        {"300,0,1000", ConvertRGB, Set, Value(255, 0, 255)},
        {"10.5,11.5,0.4", ConvertRGB, Set, Value(10, 12, 0)}, // "." point, halves to even
        {"10,,30", ConvertRGB, Bad},
        {"1.2.3,0,0", ConvertRGB, Bad},
        {".", ConvertRGB, Bad},
        {"40000,0,0", ConvertRGB, Large},
        {QString(60, QLatin1Char('9')), ConvertRGB, Large}, // beyond a float: no infinity
        // 50 % of 255 is 127.5 -> lightness 128.
        {"0,100,50", ConvertHSL, Set, Value(255, 1, 1)},
        {"120,100,100", ConvertHSB, Set, Value(0, 255, 0)},
        {"400,100,100", ConvertHSB, Set, Value(255, 0, 0)}, // past the circle is its end
        {"100,0,20", ConvertCMY, Set, Value(0, 255, 204)},  // percent of ink
        // The last failure decides: a missing piece after an empty one still sets a colour,
        {"10,", ConvertRGB, Set, Value(10, 0, 0)},
        // an empty piece after a huge one is invalid, the other way round too large.
        {huge + ",,", ConvertRGB, Bad},
        {",," + huge, ConvertRGB, Large},
    });
    for (int type = 0; type < kConvertTypeCount; ++type)
        check({{"", type, Bad}, {"#", type, Bad}, {"xyz!", type, Bad}});
}

TEST_F(Converter, SchemesSetSeparatorsAndRanges)
{
    load(kSchemePercentage);
    check({{"100,50,0", ConvertRGB, Set, Value(255, 128, 0)}});
    load(kSchemeDecimal);
    check({{"1,0.5,0", ConvertRGB, Set, Value(255, 128, 0)}});

    load(kSchemeStandard);
    scheme.OutputSeparators[TN_RGB] = {"<", " ; ", "|", ">"};
    scheme.Formats[TN_RGB].OutputBase = {2, 2, 2}; // each step is 127.5
    scheme.OutputSeparators[TN_HSL] = {"hsl(", "x", "y", ")"}; // matched against upper case
    scheme.OutputSeparators[TN_CMY] = {};
    check({
        {"<2 ; 1|0>", ConvertRGB, Set, Value(255, 128, 0)},
        {"0,2,1", ConvertRGB, Set, Value(0, 255, 128)}, // "," separates whatever the scheme says
        {"HSL(0x100y50)", ConvertHSL, Set, Value(255, 1, 1)},
        {"0,0,0", ConvertCMY, Set, 0xFFFFFF},
    });
    scheme.Formats[TN_RGB].OutputBase = {0.001f, 255, 255}; // beyond 16 bits per unit
    check({{"1,0,0", ConvertRGB, Large}});
    scheme.Formats[TN_RGB].OutputBase = {0, 0, 0}; // a factor of 0: black, not a fault
    check({{"5,5,5", ConvertRGB, Set, 0}});
}

TEST_F(Converter, HugePastesGetAnAnswer)
{
    const QString digits(100000, QLatin1Char('7'));
    check({
        {digits, ConvertDecimal, Large},
        {digits, ConvertOctal, Large},
        {digits, ConvertHTML, Set, Value(0x77, 0x77, 0x77)},
        {QString(100000, QLatin1Char('0')) + "12", ConvertHex, Set, 0x12},
        {QStringLiteral("1,,").repeated(25000), ConvertRGB, Bad},
        {QString(100000, QLatin1Char(',')), ConvertRGB, Bad},
    });
}

} // namespace
} // namespace tintwell

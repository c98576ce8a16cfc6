// The converter's reading rules, with the built-in schemes and with schemes
// made for the test (other separators, other output ranges).
#include "picker/converter.h"

#include "core/colormodel.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::int32_t Value(int r, int g, int b) { return r | g << 8 | b << 16; }

std::int32_t ViaHSL(int h, int s, int l)
{
    std::uint8_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(HSLToRGB(h, std::uint8_t(s), std::uint8_t(l), r, g, b));
    return Value(r, g, b);
}

struct Converter : ::testing::Test {
    FormatScheme scheme;
    ScaleFactors factors{};

    void SetUp() override { load(kSchemeStandard); }
    void load(int id)
    {
        RecordingMessages messages;
        LoadDefaultScheme(scheme, id, messages);
        ASSERT_TRUE(messages.shown.isEmpty());
        factors = ComputeScaleFactors(scheme);
    }
    ConvertResult convert(const QString &text, int type) { return ConvertText(text, type, scheme, factors); }
    ::testing::AssertionResult gives(const QString &text, int type, std::int32_t colour)
    {
        const ConvertResult r = convert(text, type);
        if (r.outcome != ConvertOutcome::SetColor)
            return ::testing::AssertionFailure() << text.toStdString() << ": no colour, error " << int(r.lastError);
        if (r.color != colour)
            return ::testing::AssertionFailure() << text.toStdString() << ": " << std::hex << r.color
                                                 << " instead of " << colour;
        return ::testing::AssertionSuccess();
    }
};

TEST_F(Converter, HtmlHexDecimalAndOctalText)
{
    EXPECT_TRUE(gives(QStringLiteral("#ff8000"), ConvertHTML, Value(255, 128, 0)));
    EXPECT_TRUE(gives(QStringLiteral("FF"), ConvertHTML, Value(255, 0, 0)));
    EXPECT_TRUE(gives(QStringLiteral("0x0080FF"), ConvertHex, Value(255, 128, 0)));
    EXPECT_TRUE(gives(QStringLiteral("0080FF"), ConvertHex, Value(255, 128, 0)));
    EXPECT_TRUE(gives(QStringLiteral("&hff"), ConvertHex, Value(255, 0, 0)));
    EXPECT_TRUE(gives(QStringLiteral("-5"), ConvertDecimal, Value(5, 0, 0)));
    EXPECT_TRUE(gives(QStringLiteral("16777215"), ConvertDecimal, Value(255, 255, 255)));
    EXPECT_TRUE(gives(QStringLiteral("77"), ConvertOctal, Value(63, 0, 0)));
    EXPECT_TRUE(gives(QStringLiteral("&O77777777"), ConvertOctal, 0xFFFFFF));
    // Octal keeps only octal digits: 8 and 9 are dropped.
    EXPECT_TRUE(gives(QStringLiteral("1892"), ConvertOctal, 10));
}

TEST_F(Converter, ValuesBeyondTheColourRangeAreTooLarge)
{
    for (auto [text, type] : std::initializer_list<std::pair<const char *, int>>{
             {"16777216", ConvertDecimal},
             {"2147483648", ConvertDecimal},
             {"99999999999999999999", ConvertDecimal},
             {"FFFFFFFF", ConvertHex}, // reads as -1
             {"1000000", ConvertHex},
             {"123456789", ConvertHex}, // nine digits
             {"100000000", ConvertOctal},
             {"777777777777", ConvertOctal},
         }) {
        const ConvertResult r = convert(QString::fromLatin1(text), type);
        EXPECT_EQ(r.outcome, ConvertOutcome::TooLarge) << text;
        EXPECT_EQ(r.lastError, ConvertError::Overflow) << text;
    }
    // Leading zeros are no digits of value.
    EXPECT_TRUE(gives(QStringLiteral("0000000000FF"), ConvertHex, 255));
}

TEST_F(Converter, EmptyTextIsInvalidForEveryType)
{
    for (int type = 0; type < kConvertTypeCount; ++type) {
        for (const char *text : {"", "#", "xyz!"}) {
            const ConvertResult r = convert(QString::fromLatin1(text), type);
            EXPECT_EQ(r.outcome, ConvertOutcome::Invalid) << type << " '" << text << "'";
        }
    }
    // Letters that are hex digits count wherever they stand.
    EXPECT_TRUE(gives(QStringLiteral("xaybz"), ConvertHex, 0xAB));
}

TEST_F(Converter, ThreeNumberKindsUseTheSchemeSeparatorsAndRanges)
{
    EXPECT_TRUE(gives(QStringLiteral("10,20,30"), ConvertRGB, Value(10, 20, 30)));
    EXPECT_TRUE(gives(QStringLiteral("rgb(10, 20, 30)"), ConvertRGB, Value(10, 20, 30)));
    // A missing second or third number counts as 0.
    EXPECT_TRUE(gives(QStringLiteral("10,20"), ConvertRGB, Value(10, 20, 0)));
    EXPECT_TRUE(gives(QStringLiteral("77"), ConvertRGB, Value(77, 0, 0)));
    // Channels above 255 are 255.
    EXPECT_TRUE(gives(QStringLiteral("300,0,1000"), ConvertRGB, Value(255, 0, 255)));
    // An empty middle piece is no number.
    EXPECT_EQ(convert(QStringLiteral("10,,30"), ConvertRGB).outcome, ConvertOutcome::Invalid);
    EXPECT_EQ(convert(QStringLiteral("1.2.3,0,0"), ConvertRGB).outcome, ConvertOutcome::Invalid);
    EXPECT_EQ(convert(QStringLiteral("."), ConvertRGB).outcome, ConvertOutcome::Invalid);
    // "." is the decimal point; halves go to even.
    EXPECT_TRUE(gives(QStringLiteral("10.5,11.5,0.4"), ConvertRGB, Value(10, 12, 0)));

    // HSL and HSB through their conversions, CMY as 255 minus the ink.
    // 100 % and 50 % of 255: 255 and 127.5, which goes to 128.
    EXPECT_TRUE(gives(QStringLiteral("0,100,50"), ConvertHSL, ViaHSL(0, 255, 128)));
    EXPECT_TRUE(gives(QStringLiteral("120,100,100"), ConvertHSB, Value(0, 255, 0)));
    // Standard CMY is in percent: 100, 0 and 20 % ink.
    EXPECT_TRUE(gives(QStringLiteral("100,0,20"), ConvertCMY, Value(0, 255, 204)));
    // A hue past the circle is the circle's end.
    EXPECT_TRUE(gives(QStringLiteral("400,100,100"), ConvertHSB, Value(255, 0, 0)));
}

TEST_F(Converter, PercentageAndDecimalSchemesScaleTheirNumbers)
{
    load(kSchemePercentage);
    EXPECT_TRUE(gives(QStringLiteral("100,50,0"), ConvertRGB, Value(255, 128, 0))); // 127.5 -> 128
    load(kSchemeDecimal);
    EXPECT_TRUE(gives(QStringLiteral("1,0.5,0"), ConvertRGB, Value(255, 128, 0)));
}

TEST_F(Converter, OtherSeparatorsAndACoarseOutputBase)
{
    scheme.OutputSeparators[TN_RGB] = {QStringLiteral("<"), QStringLiteral(" ; "), QStringLiteral("|"),
                                       QStringLiteral(">")};
    scheme.Formats[TN_RGB].OutputBase = {2, 2, 2}; // each step is 127.5
    factors = ComputeScaleFactors(scheme);
    EXPECT_TRUE(gives(QStringLiteral("<2 ; 1|0>"), ConvertRGB, Value(255, 128, 0)));
    // "," still separates pieces whatever the scheme says.
    EXPECT_TRUE(gives(QStringLiteral("0,2,1"), ConvertRGB, Value(0, 255, 128)));
    // Separators written in lower case match the upper-cased text.
    scheme.OutputSeparators[TN_HSL] = {QStringLiteral("hsl("), QStringLiteral("x"), QStringLiteral("y"),
                                       QStringLiteral(")")};
    EXPECT_TRUE(gives(QStringLiteral("HSL(0x100y50)"), ConvertHSL, ViaHSL(0, 255, 128)));
    // Empty separators change nothing.
    scheme.OutputSeparators[TN_CMY] = {};
    EXPECT_TRUE(gives(QStringLiteral("0,0,0"), ConvertCMY, Value(255, 255, 255)));
}

TEST_F(Converter, ProductsBeyondSixteenBitsOverflow)
{
    scheme.Formats[TN_RGB].OutputBase = {0.001f, 255, 255}; // 255000 per unit
    factors = ComputeScaleFactors(scheme);
    const ConvertResult r = convert(QStringLiteral("1,0,0"), ConvertRGB);
    EXPECT_EQ(r.outcome, ConvertOutcome::TooLarge);
    // A number beyond a float is too large too, not a crash or an infinity.
    load(kSchemeStandard);
    EXPECT_EQ(convert(QString(60, QLatin1Char('9')), ConvertRGB).outcome, ConvertOutcome::TooLarge);
    EXPECT_EQ(convert(QStringLiteral("40000,0,0"), ConvertRGB).outcome, ConvertOutcome::TooLarge);
    // A zero maximum gives a factor of 0: black, not a fault.
    scheme.Formats[TN_RGB].OutputBase = {0, 0, 0};
    factors = ComputeScaleFactors(scheme);
    EXPECT_TRUE(gives(QStringLiteral("5,5,5"), ConvertRGB, 0));
}

TEST_F(Converter, TheLastFailureDecides)
{
    // Piece 1 empty, then piece 2 missing: the missing piece comes last, so
    // the colour is set with zeros for both.
    EXPECT_TRUE(gives(QStringLiteral("10,"), ConvertRGB, Value(10, 0, 0)));
    // A number beyond a float, then empty pieces: invalid. The other way round: too large.
    const QString huge(41, QLatin1Char('9'));
    EXPECT_EQ(convert(huge + QStringLiteral(",,"), ConvertRGB).outcome, ConvertOutcome::Invalid);
    EXPECT_EQ(convert(QStringLiteral(",,") + huge, ConvertRGB).outcome, ConvertOutcome::TooLarge);
}

TEST_F(Converter, HugePastesAreReadQuickly)
{
    // 100 000 characters: linear work, an answer and no crash. No timing is asserted.
    const QString digits(100000, QLatin1Char('7'));
    EXPECT_EQ(convert(digits, ConvertDecimal).outcome, ConvertOutcome::TooLarge);
    EXPECT_EQ(convert(digits, ConvertOctal).outcome, ConvertOutcome::TooLarge);
    EXPECT_EQ(convert(digits, ConvertHTML).outcome, ConvertOutcome::SetColor); // first six digits
    QString pieces;
    for (int i = 0; i < 25000; ++i)
        pieces += QStringLiteral("1,,");
    EXPECT_EQ(convert(pieces, ConvertRGB).outcome, ConvertOutcome::Invalid);
    QString zeros(100000, QLatin1Char('0'));
    zeros += QStringLiteral("12");
    EXPECT_TRUE(gives(zeros, ConvertHex, 0x12));
    EXPECT_EQ(convert(QString(100000, QLatin1Char(',')), ConvertRGB).outcome, ConvertOutcome::Invalid);
}

} // namespace
} // namespace tintwell

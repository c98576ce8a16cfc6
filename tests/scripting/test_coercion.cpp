#include "scripting/hostobject.h"
#include "scripting/valuetext.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tintwell::script;

TEST(NumberText, ReadsDecimalShapesAroundSpacesAndSigns)
{
    EXPECT_EQ(parseNumberText(QStringLiteral("  42  ")), 42.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("-1.25")), -1.25);
    EXPECT_EQ(parseNumberText(QStringLiteral("+.5")), 0.5);
    EXPECT_EQ(parseNumberText(QStringLiteral("5.")), 5.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("1.5E3")), 1500.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("25e-1")), 2.5);
    EXPECT_EQ(parseNumberText(QStringLiteral("\t0.1\n")), 0.1);
}

TEST(NumberText, ReadsHexAndOctalAsLong)
{
    EXPECT_EQ(parseNumberText(QStringLiteral("&HFF")), 255.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("&hff")), 255.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("&O17")), 15.0);
    EXPECT_EQ(parseNumberText(QStringLiteral(" &H7FFFFFFF ")), 2147483647.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("&HFFFFFFFF")), -1.0);
    EXPECT_TRUE(std::isinf(*parseNumberText(QStringLiteral("&H100000000"))));
    EXPECT_FALSE(parseNumberText(QStringLiteral("&O8")));
    EXPECT_FALSE(parseNumberText(QStringLiteral("&H")));
    EXPECT_FALSE(parseNumberText(QStringLiteral("&HFG")));
}

TEST(NumberText, RejectsWhatIsNotANumber)
{
    for (const char *text : {"", "   ", "abc", "1,5", "1.2.3", "1e", "1e+", "+", ".", "- 5", "inf", "nan",
                             "0x10", "12abc", "1 2"})
        EXPECT_FALSE(parseNumberText(QString::fromLatin1(text))) << text;
}

TEST(NumberText, TooLargeIsInfiniteAndTooSmallIsZero)
{
    EXPECT_TRUE(std::isinf(*parseNumberText(QStringLiteral("1E400"))));
    EXPECT_LT(*parseNumberText(QStringLiteral("-1E400")), 0.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("1E-400")), 0.0);
    EXPECT_EQ(parseNumberText(QStringLiteral("0.00000000000000000000000000001E-390")), 0.0);
}

TEST(NumberText, WritesAsCStrDoes)
{
    EXPECT_EQ(numberText(0.0), QStringLiteral("0"));
    EXPECT_EQ(numberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(numberText(255.0), QStringLiteral("255"));
    EXPECT_EQ(numberText(-1.5), QStringLiteral("-1.5"));
    EXPECT_EQ(numberText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(numberText(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(numberText(1e15), QStringLiteral("1E+15"));
    EXPECT_EQ(numberText(0.0001), QStringLiteral("0.0001"));
    EXPECT_EQ(numberText(0.000015), QStringLiteral("1.5E-05"));
    EXPECT_EQ(singleText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(singleText(1.0f / 3.0f), QStringLiteral("0.3333333"));
}

TEST(NumberText, RoundTripsFifteenDigits)
{
    for (double d : {1.0 / 3.0, 2.0 / 3.0 * 1e10, 6.02214076e23, -9.87654321e-7}) {
        const auto back = parseNumberText(numberText(d));
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back / d, 1.0, 1e-14) << d;
    }
}

namespace {

int errorOf(const QVariant &value, ValueType type)
{
    HostError error;
    coerceArgument(value, type, &error);
    return error.number;
}

} // namespace

TEST(Coercion, WholeNumbersRoundHalfToEvenThenCheckRange)
{
    HostError error;
    EXPECT_EQ(coerceArgument(2.5, ValueType::Byte, &error).toUInt(), 2u);
    EXPECT_EQ(coerceArgument(3.5, ValueType::Byte, &error).toUInt(), 4u);
    EXPECT_EQ(coerceArgument(-2.5, ValueType::Integer, &error).toInt(), -2);
    EXPECT_EQ(coerceArgument(QStringLiteral(" 254.5 "), ValueType::Byte, &error).toUInt(), 254u);
    EXPECT_EQ(coerceArgument(QStringLiteral("&H80"), ValueType::Long, &error).toInt(), 128);
    EXPECT_EQ(error.number, 0);

    EXPECT_EQ(errorOf(300, ValueType::Byte), 6);
    EXPECT_EQ(errorOf(255.5, ValueType::Byte), 6);
    EXPECT_EQ(errorOf(-1, ValueType::Byte), 6);
    EXPECT_EQ(errorOf(true, ValueType::Byte), 6); // True is -1
    EXPECT_EQ(errorOf(32768, ValueType::Integer), 6);
    EXPECT_EQ(errorOf(2147483647.5, ValueType::Long), 6);
    EXPECT_EQ(errorOf(std::nan(""), ValueType::Long), 6);
    EXPECT_EQ(errorOf(QStringLiteral("1E400"), ValueType::Double), 6);
    EXPECT_EQ(errorOf(1e39, ValueType::Single), 6);
}

TEST(Coercion, TextThatIsNoNumberAndNullAreErrors)
{
    EXPECT_EQ(errorOf(QStringLiteral("abc"), ValueType::Long), 13);
    EXPECT_EQ(errorOf(QString(), ValueType::Double), 13);
    EXPECT_EQ(errorOf(QVariantList{1, 2}, ValueType::Integer), 13);
    EXPECT_EQ(errorOf(QStringLiteral("maybe"), ValueType::Boolean), 13);
    EXPECT_EQ(errorOf(QVariant::fromValue(nullptr), ValueType::Long), 94);
    EXPECT_EQ(errorOf(QVariant::fromValue(nullptr), ValueType::String), 94);
    EXPECT_EQ(errorOf(QVariant::fromValue(nullptr), ValueType::Variant), 0);
}

TEST(Coercion, EmptyReadsAsZeroOrEmptyText)
{
    HostError error;
    EXPECT_EQ(coerceArgument(QVariant(), ValueType::Long, &error), QVariant(0));
    EXPECT_EQ(coerceArgument(QVariant(), ValueType::String, &error), QVariant(QString()));
    EXPECT_EQ(coerceArgument(QVariant(), ValueType::Boolean, &error), QVariant(false));
    EXPECT_EQ(error.number, 0);
}

TEST(Coercion, ValuesToTextAndBoolean)
{
    HostError error;
    EXPECT_EQ(coerceArgument(true, ValueType::String, &error).toString(), QStringLiteral("True"));
    EXPECT_EQ(coerceArgument(0.5, ValueType::String, &error).toString(), QStringLiteral("0.5"));
    EXPECT_EQ(coerceArgument(QVariant(0.1f), ValueType::String, &error).toString(), QStringLiteral("0.1"));
    EXPECT_EQ(coerceArgument(QStringLiteral(" false "), ValueType::Boolean, &error), QVariant(false));
    EXPECT_EQ(coerceArgument(QStringLiteral("TRUE"), ValueType::Boolean, &error), QVariant(true));
    EXPECT_EQ(coerceArgument(QStringLiteral("2"), ValueType::Boolean, &error), QVariant(true));
    EXPECT_EQ(coerceArgument(0.0, ValueType::Boolean, &error), QVariant(false));
    EXPECT_EQ(coerceArgument(QStringLiteral("1.5"), ValueType::Single, &error).metaType().id(), QMetaType::Float);
    EXPECT_EQ(error.number, 0);
}

TEST(Coercion, ArgumentCountsAndOptionalArguments)
{
    const HostMember member{QStringLiteral("tnConverterRGB"),
                            {{QStringLiteral("Val1"), ValueType::Byte, false},
                             {QStringLiteral("Val2"), ValueType::Byte, false},
                             {QStringLiteral("Val3"), ValueType::Byte, true}},
                            ValueType::Empty};
    HostError error;
    const QVariantList two = coerceArguments(member, {1, QStringLiteral("2")}, &error);
    EXPECT_EQ(error.number, 0);
    ASSERT_EQ(two.size(), 3);
    EXPECT_EQ(two[1].toUInt(), 2u);
    EXPECT_FALSE(two[2].isValid());

    HostError tooFew;
    EXPECT_TRUE(coerceArguments(member, {1}, &tooFew).isEmpty());
    EXPECT_EQ(tooFew.number, 450);
    EXPECT_EQ(tooFew.description, QStringLiteral("Wrong number of arguments or invalid property assignment"));
    HostError tooMany;
    coerceArguments(member, {1, 2, 3, 4}, &tooMany);
    EXPECT_EQ(tooMany.number, 450);

    HostError overflow;
    EXPECT_TRUE(coerceArguments(member, {1, 300, 3}, &overflow).isEmpty());
    EXPECT_EQ(overflow.number, 6);
    EXPECT_EQ(overflow.description, QStringLiteral("Overflow"));
}

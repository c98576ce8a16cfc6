#include "scripting/hostobject.h"
#include "scripting/valuetext.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tintwell::script;

TEST(NumberText, ReadsDecimalHexAndOctalAndWritesAsCStrDoes)
{
    const std::pair<const char *, double> cases[] = {
        {"  42  ", 42.0}, {"-1.25", -1.25}, {"+.5", 0.5}, {"5.", 5.0}, {"1.5E3", 1500.0}, {"25e-1", 2.5},
        {"\t0.1\n", 0.1}, {"&HFF", 255.0}, {"&hff", 255.0}, {"&O17", 15.0}, {" &H7FFFFFFF ", 2147483647.0},
        {"&HFFFFFFFF", -1.0}, {"1E-400", 0.0}, {"0.00000000000000000000000000001E-390", 0.0}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(parseNumberText(QString::fromLatin1(text)), value) << text;
    EXPECT_TRUE(std::isinf(*parseNumberText(QStringLiteral("&H100000000"))));
    EXPECT_TRUE(std::isinf(*parseNumberText(QStringLiteral("1E400"))));
    EXPECT_LT(*parseNumberText(QStringLiteral("-1E400")), 0.0);
    for (const char *text : {"", "   ", "abc", "1,5", "1.2.3", "1e", "1e+", "+", ".", "- 5", "inf", "nan", "0x10",
                             "12abc", "1 2", "&O8", "&H", "&HFG"})
        EXPECT_FALSE(parseNumberText(QString::fromLatin1(text))) << text;

    // Written as CStr does, read back to fifteen digits.
    const std::pair<double, const char *> written[] = {
        {0.0, "0"}, {-0.0, "0"}, {255.0, "255"}, {-1.5, "-1.5"}, {0.1 + 0.2, "0.3"},
        {123456789012345.0, "123456789012345"}, {1e15, "1E+15"}, {0.0001, "0.0001"}, {0.000015, "1.5E-05"}};
    for (const auto &[value, text] : written)
        EXPECT_EQ(numberText(value), QLatin1String(text)) << text;
    EXPECT_EQ(singleText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(singleText(1.0f / 3.0f), QStringLiteral("0.3333333"));
    for (double d : {1.0 / 3.0, 2.0 / 3.0 * 1e10, 6.02214076e23, -9.87654321e-7}) {
        const auto back = parseNumberText(numberText(d));
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back / d, 1.0, 1e-14) << d;
    }
}

TEST(Coercion, ConvertsRoundingHalfToEvenOrRefusesWithOverflowTypeMismatchOrNull)
{
    HostError error;
    const struct {
        QVariant in;
        ValueType type;
        QVariant out;
    } cases[] = {
        {2.5, ValueType::Byte, 2u}, {3.5, ValueType::Byte, 4u}, {-2.5, ValueType::Integer, -2},
        {QStringLiteral(" 254.5 "), ValueType::Byte, 254u}, {QStringLiteral("&H80"), ValueType::Long, 128},
        {QVariant(), ValueType::Long, 0}, {QVariant(), ValueType::String, QString()},
        {QVariant(), ValueType::Boolean, false}, {true, ValueType::String, QStringLiteral("True")},
        {0.5, ValueType::String, QStringLiteral("0.5")}, {QVariant(0.1f), ValueType::String, QStringLiteral("0.1")},
        {QStringLiteral(" false "), ValueType::Boolean, false}, {QStringLiteral("TRUE"), ValueType::Boolean, true},
        {QStringLiteral("2"), ValueType::Boolean, true}, {0.0, ValueType::Boolean, false},
        {QStringLiteral("1.5"), ValueType::Single, 1.5f}};
    for (const auto &c : cases) {
        const QVariant got = coerceArgument(c.in, c.type, &error);
        EXPECT_EQ(got, c.out) << c.in.toString().toStdString();
        EXPECT_EQ(got.metaType(), c.out.metaType()) << c.in.toString().toStdString();
    }
    EXPECT_EQ(error.number, 0);

    const std::tuple<QVariant, ValueType, int> refused[] = {
        {300, ValueType::Byte, 6}, {255.5, ValueType::Byte, 6}, {-1, ValueType::Byte, 6},
        {true, ValueType::Byte, 6}, // True is -1
        {32768, ValueType::Integer, 6}, {2147483647.5, ValueType::Long, 6}, {std::nan(""), ValueType::Long, 6},
        {QStringLiteral("1E400"), ValueType::Double, 6}, {1e39, ValueType::Single, 6},
        {QStringLiteral("abc"), ValueType::Long, 13}, {QString(), ValueType::Double, 13},
        {QVariantList{1, 2}, ValueType::Integer, 13}, {QStringLiteral("maybe"), ValueType::Boolean, 13},
        {QVariant::fromValue(nullptr), ValueType::Long, 94}, {QVariant::fromValue(nullptr), ValueType::String, 94},
        {QVariant::fromValue(nullptr), ValueType::Variant, 0}};
    for (const auto &[in, type, number] : refused) {
        HostError refusal;
        coerceArgument(in, type, &refusal);
        EXPECT_EQ(refusal.number, number) << in.toString().toStdString();
    }
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

    HostError tooFew, tooMany, overflow;
    EXPECT_TRUE(coerceArguments(member, {1}, &tooFew).isEmpty());
    EXPECT_EQ(tooFew.number, 450);
    EXPECT_EQ(tooFew.description, QStringLiteral("Wrong number of arguments or invalid property assignment"));
    coerceArguments(member, {1, 2, 3, 4}, &tooMany);
    EXPECT_EQ(tooMany.number, 450);
    EXPECT_TRUE(coerceArguments(member, {1, 300, 3}, &overflow).isEmpty());
    EXPECT_EQ(overflow.number, 6);
    EXPECT_EQ(overflow.description, QStringLiteral("Overflow"));
}

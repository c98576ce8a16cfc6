// The advanced window's tree as data: keys that parse back, and what a node shows.
#include "advanced/advancednodes.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

#include <set>

namespace tintwell {
namespace {

TEST(AdvancedNodes, UniqueKeysParseBackAndNodesShowTheirRowsValuesAndLimits)
{
    FormatScheme s;
    RecordingMessages quiet;
    LoadDefaultScheme(s, kSchemeStandard, quiet);
    s.Info[TN_HSB].FormatName = QStringLiteral("H&S&B && co");
    s.Formats[TN_HSL].InputLargeStep = {0.16666f, 0.01f, 20, 1.5f};
    std::set<QString> keys;
    QStringList topLevel;
    for (const TreeNode &n : TreeNodes(s)) {
        EXPECT_TRUE(keys.insert(n.key).second) << n.key.toStdString();
        EXPECT_EQ(NodeKey(ParseNodeKey(n.key)), n.key);
        if (n.parentKey.isEmpty())
            topLevel << n.text;
        else
            EXPECT_EQ(ParseNodeKey(n.key).format, ParseNodeKey(n.parentKey).format) << n.key.toStdString();
    }
    EXPECT_EQ(keys.size(), 1u + 3 * 3 + 4 * 9);
    EXPECT_EQ(topLevel, (QStringList{"Scheme Name", "HTML Format", "Hexadecimal Format", "Decimal Format",
                                     "RGB Format", "HSL Format", "HSB  co Format", "CMY Format"}));
    // Fields a single-value format does not have are no nodes.
    for (const char *key : {"HEXOutputBase", "DECInputStep", "Names", "RGBFoo", "", "rgb"})
        EXPECT_EQ(ParseNodeKey(QString::fromLatin1(key)).field, NodeField::None) << key;

    const NodeDisplay name = DescribeNode(ParseNodeKey("Name"), s, QStringLiteral("Mine"));
    EXPECT_EQ(name.values, QStringList{"Mine"});
    EXPECT_EQ(name.maxLength, 64);
    EXPECT_FALSE(name.scripting);
    EXPECT_TRUE(DescribeNode(ParseNodeKey("HEX"), s, QString()).scripting);
    const NodeDisplay large = DescribeNode(ParseNodeKey("HSLInputLargeStep"), s, QString());
    EXPECT_EQ(large.labels, (QStringList{"&Top Slider:", "&Middle Slider:", "&Bottom Slider:", "S&hade Slider:"}));
    EXPECT_EQ(large.values, (QStringList{"0.16666", "0.01", "20", "1.5"}));
    EXPECT_EQ(large.maxLength, 8);
    EXPECT_EQ(DescribeNode(ParseNodeKey("DECFormatName"), s, QString()).values, QStringList{"&Decimal"});
    EXPECT_EQ(DescribeNode(ParseNodeKey("CMYOutputSeparators"), s, QString()).values,
              (QStringList{"", ",", ",", ""}));
}

} // namespace
} // namespace tintwell

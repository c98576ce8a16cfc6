#include "advanced/advancednodes.h"
#include "core/usermessages.h"

#include <gtest/gtest.h>

#include <set>

namespace tintwell {
namespace {

FormatScheme standard()
{
    FormatScheme s;
    RecordingMessages quiet;
    LoadDefaultScheme(s, kSchemeStandard, quiet);
    return s;
}

TEST(AdvancedTree, NodesComeInTreeOrderUnderUniqueKeysThatParseBack)
{
    FormatScheme s = standard();
    s.Info[TN_HSB].FormatName = QStringLiteral("H&S&B && co");
    const QList<TreeNode> nodes = TreeNodes(s);
    QStringList order;
    for (const TreeNode &n : nodes)
        order << (n.parentKey.isEmpty() ? n.key + QLatin1Char('=') + n.text : n.key);
    QStringList expected = {"Name=Scheme Name", "HTM=HTML Format", "HEX=Hexadecimal Format",
                            "DEC=Decimal Format"};
    for (const char *sys : {"RGB", "HSL", "HSB", "CMY"}) {
        const QString key = QString::fromLatin1(sys);
        expected << key + (key == "HSB" ? "=HSB  co Format" : "=" + key + " Format");
        for (const char *field : {"FormatName", "OutputBase", "OutputFormat", "OutputSeparators",
                                  "InputBase", "InputFormat", "InputStep", "InputLargeStep"})
            expected << key + QString::fromLatin1(field);
    }
    expected << "HTMFormatName" << "HTMOutputSeparators" << "HEXFormatName"
             << "HEXOutputSeparators" << "DECFormatName" << "DECOutputSeparators";
    EXPECT_EQ(order, expected);

    std::set<QString> keys;
    for (const TreeNode &n : nodes) {
        EXPECT_TRUE(keys.insert(n.key).second) << n.key.toStdString();
        const NodeRef ref = ParseNodeKey(n.key);
        EXPECT_EQ(NodeKey(ref), n.key);
        if (!n.parentKey.isEmpty()) {
            EXPECT_EQ(ref.format, ParseNodeKey(n.parentKey).format);
        }
    }
    // Fields a single-value format does not have are no nodes.
    for (const char *key : {"HEXOutputBase", "DECInputStep", "Names", "RGBFoo", "", "rgb"})
        EXPECT_EQ(ParseNodeKey(QString::fromLatin1(key)).field, NodeField::None) << key;
}

TEST(AdvancedNodeDisplay, EachNodeShowsItsCaptionRowsValuesAndLimits)
{
    FormatScheme s = standard();
    s.Formats[TN_HSL].InputLargeStep = {0.16666f, 0.01f, 20, 1.5f};
    s.Info[TN_HSL].FormatName = QStringLiteral("H&ue");

    const NodeDisplay name = DescribeNode(ParseNodeKey("Name"), s, QStringLiteral("Mine"));
    EXPECT_EQ(name.caption, QStringLiteral("&Advanced Formatting Options - Scheme Name"));
    EXPECT_EQ(name.values, QStringList{"Mine"});
    EXPECT_EQ(name.maxLength, 64);
    EXPECT_FALSE(name.scripting);

    const NodeDisplay format = DescribeNode(ParseNodeKey("HEX"), s, QString());
    EXPECT_EQ(format.caption, QStringLiteral("&Advanced Formatting Options - Hexadecimal Formatting Options"));
    EXPECT_EQ(format.info, QStringLiteral("Formatting options for the Hexadecimal color system. Note: "
                                          "Description may not apply to script enabled color systems."));
    EXPECT_TRUE(format.labels.isEmpty());
    EXPECT_TRUE(format.scripting);

    const NodeDisplay formatName = DescribeNode(ParseNodeKey("DECFormatName"), s, QString());
    EXPECT_EQ(formatName.values, QStringList{"&Decimal"});
    EXPECT_EQ(formatName.maxLength, 0);

    const NodeDisplay large = DescribeNode(ParseNodeKey("HSLInputLargeStep"), s, QString());
    EXPECT_EQ(large.caption, QStringLiteral("&Advanced Formatting Options - Hue Slider Large Step"));
    EXPECT_EQ(large.labels, (QStringList{"&Top Slider:", "&Middle Slider:", "&Bottom Slider:",
                                         "S&hade Slider:"}));
    EXPECT_EQ(large.values, (QStringList{"0.16666", "0.01", "20", "1.5"}));
    EXPECT_EQ(large.maxLength, 8);
    EXPECT_EQ(DescribeNode(ParseNodeKey("RGBOutputBase"), s, QString()).values,
              (QStringList{"255", "255", "255"}));
    EXPECT_EQ(DescribeNode(ParseNodeKey("CMYOutputSeparators"), s, QString()).values,
              (QStringList{"", ",", ",", ""}));
}

} // namespace
} // namespace tintwell

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
    const QList<TreeNode> nodes = TreeNodes(standard());
    ASSERT_EQ(nodes.size(), 1 + 7 + 4 * 8 + 3 * 2);
    QStringList roots;
    for (const TreeNode &n : nodes)
        if (n.parentKey.isEmpty())
            roots << n.key;
    EXPECT_EQ(roots, (QStringList{"Name", "HTM", "HEX", "DEC", "RGB", "HSL", "HSB", "CMY"}));
    // A system's fields follow its own node; the three single-value formats
    // get their two fields at the end.
    const int rgb = int(std::find_if(nodes.begin(), nodes.end(),
                                     [](const TreeNode &n) { return n.key == "RGB"; })
                        - nodes.begin());
    QStringList rgbFields;
    for (int i = rgb + 1; i <= rgb + 8; ++i) {
        EXPECT_EQ(nodes[i].parentKey, QStringLiteral("RGB"));
        rgbFields << nodes[i].text;
    }
    EXPECT_EQ(rgbFields, (QStringList{"Format Name", "Output Base", "Output Format",
                                      "Output Separators", "Input Base", "Input Format",
                                      "Slider Step", "Slider Large Step"}));
    QStringList tail;
    for (qsizetype i = nodes.size() - 6; i < nodes.size(); ++i)
        tail << nodes[i].key;
    EXPECT_EQ(tail, (QStringList{"HTMFormatName", "HTMOutputSeparators", "HEXFormatName",
                                 "HEXOutputSeparators", "DECFormatName", "DECOutputSeparators"}));

    std::set<QString> keys;
    for (const TreeNode &n : nodes) {
        EXPECT_TRUE(keys.insert(n.key).second) << n.key.toStdString();
        const NodeRef ref = ParseNodeKey(n.key);
        EXPECT_NE(ref.field, NodeField::None) << n.key.toStdString();
        EXPECT_EQ(NodeKey(ref), n.key);
        if (!n.parentKey.isEmpty()) {
            EXPECT_EQ(ref.format, ParseNodeKey(n.parentKey).format);
        }
    }
    // Fields a single-value format does not have are no nodes.
    for (const char *key : {"HEXOutputBase", "DECInputStep", "Names", "RGBFoo", "", "rgb"})
        EXPECT_EQ(ParseNodeKey(QString::fromLatin1(key)).field, NodeField::None) << key;
}

TEST(AdvancedTree, FormatNodesShowTheirNameWithoutAmpersand)
{
    FormatScheme s = standard();
    s.Info[TN_HSB].FormatName = QStringLiteral("H&S&B && co");
    const QList<TreeNode> nodes = TreeNodes(s);
    auto text = [&](const char *key) {
        for (const TreeNode &n : nodes)
            if (n.key == QLatin1String(key))
                return n.text;
        return QString();
    };
    EXPECT_EQ(text("HTM"), QStringLiteral("HTML Format"));
    EXPECT_EQ(text("HEX"), QStringLiteral("Hexadecimal Format"));
    EXPECT_EQ(text("HSB"), QStringLiteral("HSB  co Format"));
    const NodeDisplay d = DescribeNode(ParseNodeKey("HSBInputStep"), s, QString());
    EXPECT_EQ(d.caption, QStringLiteral("&Advanced Formatting Options - HSB  co Slider Step"));
}

TEST(AdvancedNodeDisplay, EachFieldShowsItsRowsValuesAndLimits)
{
    FormatScheme s = standard();
    s.Formats[TN_HSL].InputLargeStep = {0.16666f, 0.01f, 20, 1.5f};
    s.OutputSeparators[TN_CMY] = {"(", ",", ";", ")"};

    const NodeDisplay name = DescribeNode(ParseNodeKey("Name"), s, QStringLiteral("Mine"));
    EXPECT_EQ(name.caption, QStringLiteral("&Advanced Formatting Options - Scheme Name"));
    EXPECT_EQ(name.labels, QStringList{"Scheme &Name:"});
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
    EXPECT_EQ(large.labels, (QStringList{"&Top Slider:", "&Middle Slider:", "&Bottom Slider:",
                                         "S&hade Slider:"}));
    EXPECT_EQ(large.values, (QStringList{"0.16666", "0.01", "20", "1.5"}));
    EXPECT_EQ(large.maxLength, 8);

    const NodeDisplay seps = DescribeNode(ParseNodeKey("CMYOutputSeparators"), s, QString());
    EXPECT_EQ(seps.values, (QStringList{"(", ",", ";", ")"}));
    EXPECT_EQ(seps.labels.size(), 4);
    EXPECT_EQ(DescribeNode(ParseNodeKey("RGBOutputBase"), s, QString()).labels.size(), 3);
    EXPECT_EQ(DescribeNode(ParseNodeKey("RGBInputFormat"), s, QString()).labels,
              (QStringList{"&Top Input:", "&Middle Input:", "&Bottom Input:"}));
}

TEST(AdvancedNodeDisplay, MnemonicsOfOneNodeNeverRepeatNorTakeSaveRevertDelete)
{
    const FormatScheme s = standard();
    for (const TreeNode &n : TreeNodes(s)) {
        std::set<QChar> letters{u'S', u'R', u'D', u'A'};
        for (const QString &label : DescribeNode(ParseNodeKey(n.key), s, QString()).labels) {
            const qsizetype amp = label.indexOf(u'&');
            if (amp < 0)
                continue;
            EXPECT_TRUE(letters.insert(label.at(amp + 1).toUpper()).second)
                << n.key.toStdString() << ": " << label.toStdString();
        }
    }
}

TEST(AdvancedChecks, NumbersAndPatterns)
{
    for (const char *good : {"0", "1.5", ".5", "5.", "00012345"})
        EXPECT_TRUE(IsPlainNumber(QString::fromLatin1(good))) << good;
    for (const char *bad : {"", ".", "1.2.3", "-1", "+1", "1e5", "1 ", "\xd9\xa3"})
        EXPECT_FALSE(IsPlainNumber(QString::fromUtf8(bad))) << bad;
    for (const char *good : {"0", "#", ",", ".", "#,##0.00", "0.###"})
        EXPECT_TRUE(IsNumberPattern(QString::fromLatin1(good))) << good;
    for (const char *bad : {"", "0..0", "0.0.", "0%", "x"})
        EXPECT_FALSE(IsNumberPattern(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(SingleText(0.16666f), QStringLiteral("0.16666"));
    EXPECT_EQ(SingleText(255.0f), QStringLiteral("255"));
    EXPECT_EQ(SingleText(0.01f), QStringLiteral("0.01"));
}

} // namespace
} // namespace tintwell

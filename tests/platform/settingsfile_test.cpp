#include "platform/settingsfile.h"

#include "printers.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace tintwell;
using namespace std::string_view_literals;

namespace {

SettingsData parseOk(const QByteArray &text)
{
    SettingsParseResult r = parseSettingsText(text);
    EXPECT_EQ(r.faultCount, 0) << "line " << r.faults.value(0).line << ": "
                               << r.faults.value(0).error.toStdString();
    return r.data;
}

QList<int> faultLines(const SettingsParseResult &r)
{
    QList<int> lines;
    for (const SettingsFault &f : r.faults)
        lines.append(f.line);
    return lines;
}

SettingValue only(const SettingsData &d)
{
    EXPECT_EQ(d.size(), 1);
    EXPECT_EQ(d.first().size(), 1);
    return d.first().first();
}

} // namespace

TEST(SettingsFile, EveryKindOfValueSurvivesTheTextForm)
{
    QString awkward;
    for (char16_t c = 0; c < 0x180; ++c)
        awkward += QChar(c);
    awkward += QStringLiteral("\"quoted\" back\\slash end\\");
    awkward += QChar(0xD800); // a lone surrogate has no UTF-8 form
    awkward += QString::fromUtf8("\xF0\x9F\x8E\xA8 \xE8\x89\xB2");

    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));

    SettingsData data;
    data[QStringLiteral("Software\\Veskor Software\\Tintwell")] = {
        {QStringLiteral("Last Path"), SettingValue(awkward)},
        {QStringLiteral("Empty"), SettingValue(QString())},
        {QStringLiteral("Custom Colors"), SettingValue(bytes)},
        {QStringLiteral("No bytes"), SettingValue(QByteArray())},
        {QStringLiteral("Low"), SettingValue(std::int32_t(INT32_MIN))},
        {QStringLiteral("High"), SettingValue(std::int32_t(INT32_MAX))},
        {QStringLiteral("name with \"quotes\"\nand a break"), SettingValue(std::int32_t(7))},
        {QString(), SettingValue(std::int32_t(-1))},
    };
    data[QStringLiteral("Other [key] ; not a comment")] = {
        {QStringLiteral("x"), SettingValue(QStringLiteral("y"))}};

    const QByteArray text = serializeSettings(data);
    // One value per line: nothing inside a value may break the line structure.
    EXPECT_EQ(text.count('\n'), 1 + 2 + 8 + 1);
    EXPECT_EQ(parseOk(text), data);
}

TEST(SettingsFile, DwordsAcceptBothSignedAndUnsignedSpelling)
{
    auto dword = [](const char *n) {
        return parseOk(QByteArray("[k]\n\"v\" = dword:") + n + "\n");
    };
    EXPECT_EQ(only(dword("4294967295")), SettingValue(std::int32_t(-1)));
    EXPECT_EQ(only(dword("2147483648")), SettingValue(std::int32_t(INT32_MIN)));
    EXPECT_EQ(only(dword("-2147483648")), SettingValue(std::int32_t(INT32_MIN)));
    EXPECT_EQ(only(dword("  16777215  ")), SettingValue(std::int32_t(16777215)));

    for (const char *bad : {"4294967296", "-2147483649", "", "12a", "+5", "0x10", "1 2", "-"}) {
        SettingsParseResult r = parseSettingsText(QByteArray("[k]\n\"v\" = dword:") + bad + "\n");
        EXPECT_EQ(faultLines(r), QList<int>{2}) << bad;
        EXPECT_TRUE(r.data.value(QStringLiteral("k")).isEmpty()) << bad;
    }
}

TEST(SettingsFile, HandWrittenFilesAreReadLeniently)
{
    const SettingsData d = parseOk("\xEF\xBB\xBF; comment\r\n# another\r\n\r\n"
                                   "[k]\r\n  \"a\"=dword:1\r\n\t\"b\"   =   sz:\"x\"   \r\n"
                                   "\"c\" = hex: 0A , ff \r\n[k]\n\"a\" = dword:2");
    ASSERT_EQ(d.size(), 1);
    const SettingsKey &k = d.first();
    EXPECT_EQ(k.value(QStringLiteral("a")), SettingValue(std::int32_t(2))); // the later line wins
    EXPECT_EQ(k.value(QStringLiteral("b")), SettingValue(QStringLiteral("x")));
    EXPECT_EQ(k.value(QStringLiteral("c")), SettingValue(QByteArray("\x0a\xff", 2)));
}

// Each bad line sits between two good ones: it is found on its own line and
// costs nothing but itself.
TEST(SettingsFile, ABadLineCostsOnlyItsOwnValue)
{
    const std::string_view badLines[] = {
        "\"b\" = sz:\"cut"sv,             // torn inside a string
        "\"b\" = sz:\"x\" trailing"sv,
        "\"b\" = hex:ff,f"sv,             // torn inside a byte
        "\"b\" = hex:ff,"sv,
        "\"b\" = hex:+f"sv,
        "\"b\" = hex:fff"sv,
        "\"b\" = dw"sv,
        "\"b\" = dword:abc"sv,
        "\"b\" = word:1"sv,
        "\"b\" dword:1"sv,
        "b = dword:1"sv,
        "\"b"sv,
        "\"b\" = sz:\"\\q\""sv,            // unknown escape
        "\"b\" = sz:\"\\x4\""sv,
        "\"b\" = sz:\"\\u12G4\""sv,
        "\"b\" = sz:\"\xC3\x28\""sv,         // not UTF-8
        "\"b\" = sz:\"a\0b\""sv,
        "\x00\x00\x00\x00"sv,
    };
    for (const std::string_view bad : badLines) {
        const QByteArray line(bad.data(), qsizetype(bad.size()));
        const QByteArray text = "[k]\r\n\"a\" = dword:1\r\n" + line + "\r\n\"c\" = sz:\"kept\"\r\n";
        const SettingsParseResult r = parseSettingsText(text);
        EXPECT_EQ(faultLines(r), QList<int>{3}) << bad;
        EXPECT_EQ(r.faultCount, 1) << bad;
        EXPECT_FALSE(r.faults.value(0).error.isEmpty()) << bad;
        const SettingsKey k = r.data.value(QStringLiteral("k"));
        EXPECT_EQ(k.value(QStringLiteral("a")), SettingValue(std::int32_t(1))) << bad;
        EXPECT_EQ(k.value(QStringLiteral("c")), SettingValue(QStringLiteral("kept"))) << bad;
        EXPECT_FALSE(k.contains(QStringLiteral("b"))) << bad;
    }

    // The same at the end of a file cut off in the middle of its last line.
    const SettingsParseResult torn = parseSettingsText("[k]\n\"a\" = dword:1\n\"b\" = sz:\"/home/an");
    EXPECT_EQ(faultLines(torn), QList<int>{3});
    EXPECT_EQ(torn.data.value(QStringLiteral("k")).keys(), QStringList{QStringLiteral("a")});
}

TEST(SettingsFile, ValuesUnderABadHeaderAreNotFiledUnderTheKeyBefore)
{
    const SettingsParseResult r = parseSettingsText("\"x\" = dword:0\n"  // before any key
                                                    "[k]\n\"a\" = dword:1\n"
                                                    "[other\n\"a\" = dword:2\n"
                                                    "[]\n\"a\" = dword:3\n"
                                                    "[k]\n\"b\" = dword:4\n");
    EXPECT_EQ(faultLines(r), (QList<int>{1, 4, 5, 6, 7}));
    ASSERT_EQ(r.data.keys(), QStringList{QStringLiteral("k")});
    EXPECT_EQ(r.data.value(QStringLiteral("k")),
              (SettingsKey{{QStringLiteral("a"), SettingValue(std::int32_t(1))},
                           {QStringLiteral("b"), SettingValue(std::int32_t(4))}}));
}

TEST(SettingsFile, BinaryGarbageGivesNoValuesAndAnEndToTheFaultList)
{
    // A file overwritten with junk: a fixed pseudo-random byte stream with line
    // breaks in it, and no line that happens to be a value.
    QByteArray junk;
    std::uint32_t x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1664525u + 1013904223u;
        junk.append(char(x >> 24));
    }
    const SettingsParseResult r = parseSettingsText(junk);
    EXPECT_TRUE(r.data.isEmpty() || r.data.first().isEmpty());
    EXPECT_GT(r.faultCount, SettingsParseResult::kMaxFaults);
    EXPECT_EQ(r.faults.size(), SettingsParseResult::kMaxFaults);

    const SettingsParseResult zeros = parseSettingsText(QByteArray(64, '\0'));
    EXPECT_EQ(faultLines(zeros), QList<int>{1});
    EXPECT_TRUE(zeros.data.isEmpty());
}

TEST(SettingsFile, KeyPathsThatCannotBeAHeaderAreRefused)
{
    EXPECT_TRUE(isValidKeyPath(QStringLiteral("Software\\Veskor Software\\Tintwell")));
    EXPECT_FALSE(isValidKeyPath(QString()));
    EXPECT_FALSE(isValidKeyPath(QStringLiteral("a\nb")));
    EXPECT_FALSE(isValidKeyPath(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
}

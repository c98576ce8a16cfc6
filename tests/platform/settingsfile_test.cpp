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

TEST(SettingsFile, HandWrittenFilesAreReadLeniently)
{
    const SettingsData d = parseOk("\xEF\xBB\xBF; comment\r\n# another\r\n\r\n"
                                   "[k]\r\n  \"a\"=dword:1\r\n\t\"b\"   =   sz:\"x\"   \r\n"
                                   "\"c\" = hex: 0A , ff \r\n\"d\" = dword:4294967295\r\n"
                                   "\"e\" = dword:  2147483648 \r\n[k]\n\"a\" = dword:2");
    EXPECT_EQ(d, (SettingsData{{QStringLiteral("k"),
                                {{QStringLiteral("a"), SettingValue(std::int32_t(2))}, // the later line wins
                                 {QStringLiteral("b"), SettingValue(QStringLiteral("x"))},
                                 {QStringLiteral("c"), SettingValue(QByteArray("\x0a\xff", 2))},
                                 {QStringLiteral("d"), SettingValue(std::int32_t(-1))},
                                 {QStringLiteral("e"), SettingValue(std::int32_t(INT32_MIN))}}}}));
}

// Each bad line sits between two good ones: it is found on its own line and
// costs nothing but itself.
TEST(SettingsFile, ABadLineCostsOnlyItsOwnValue)
{
    const std::string_view badLines[] = {
        "\"b\" = sz:\"cut"sv, "\"b\" = sz:\"x\" trailing"sv, "\"b\" = hex:ff,f"sv, "\"b\" = hex:ff,"sv,
        "\"b\" = hex:+f"sv, "\"b\" = hex:fff"sv, "\"b\" = dw"sv, "\"b\" = dword:abc"sv, "\"b\" = word:1"sv,
        "\"b\" dword:1"sv, "b = dword:1"sv, "\"b"sv, "\"b\" = sz:\"\\q\""sv, "\"b\" = sz:\"\\x4\""sv,
        "\"b\" = sz:\"\\u12G4\""sv, "\"b\" = sz:\"\xC3\x28\""sv /* not UTF-8 */, "\"b\" = sz:\"a\0b\""sv,
        "\x00\x00\x00\x00"sv,
        // Numbers out of a dword's range or spelt otherwise.
        "\"b\" = dword:4294967296"sv, "\"b\" = dword:-2147483649"sv, "\"b\" = dword:"sv, "\"b\" = dword:12a"sv,
        "\"b\" = dword:+5"sv, "\"b\" = dword:0x10"sv, "\"b\" = dword:1 2"sv, "\"b\" = dword:-"sv,
    };
    for (const std::string_view bad : badLines) {
        const QByteArray line(bad.data(), qsizetype(bad.size()));
        const QByteArray text = "[k]\r\n\"a\" = dword:1\r\n" + line + "\r\n\"c\" = sz:\"kept\"\r\n";
        const SettingsParseResult r = parseSettingsText(text);
        EXPECT_EQ(faultLines(r), QList<int>{3}) << bad;
        EXPECT_FALSE(r.faults.value(0).error.isEmpty()) << bad;
        EXPECT_EQ(r.data.value(QStringLiteral("k")),
                  (SettingsKey{{QStringLiteral("a"), SettingValue(std::int32_t(1))},
                               {QStringLiteral("c"), SettingValue(QStringLiteral("kept"))}}))
            << bad;
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
    QByteArray junk; // a fixed pseudo-random byte stream with line breaks in it
    for (std::uint32_t i = 0, x = 12345; i < 200000; ++i, x = x * 1664525u + 1013904223u)
        junk.append(char(x >> 24));
    const SettingsParseResult r = parseSettingsText(junk);
    EXPECT_TRUE(r.data.isEmpty() || r.data.first().isEmpty());
    EXPECT_GT(r.faultCount, SettingsParseResult::kMaxFaults);
    EXPECT_EQ(r.faults.size(), SettingsParseResult::kMaxFaults);
    EXPECT_FALSE(isValidKeyPath(QStringLiteral("a\nb")));
    EXPECT_FALSE(isValidKeyPath(QString()));
}

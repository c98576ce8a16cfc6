#include "platform/settingsfile.h"

#include "printers.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace tintwell;
using namespace std::string_view_literals;

namespace {

SettingValue dword(std::int32_t v) { return SettingValue(v); }
SettingValue sz(const char *s) { return SettingValue(QString::fromUtf8(s)); }

QList<int> faultLines(const SettingsParseResult &r)
{
    QList<int> lines;
    for (const SettingsFault &f : r.faults)
        lines.append(f.line);
    return lines;
}

} // namespace

TEST(SettingsFile, EveryKindOfValueSurvivesTheTextFormAndHandWrittenFilesAreRead)
{
    QString awkward;
    for (char16_t c = 0; c < 0x180; ++c)
        awkward += QChar(c);
    awkward += QString("\"quoted\" back\\slash end\\") + QChar(0xD800) // a lone surrogate has no UTF-8 form
        + QString::fromUtf8("\xF0\x9F\x8E\xA8 \xE8\x89\xB2");
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const SettingsData data = {
        {"Software\\Veskor Software\\Tintwell",
         {{"Last Path", SettingValue(awkward)}, {"Empty", sz("")}, {"Custom Colors", SettingValue(bytes)},
          {"No bytes", SettingValue(QByteArray())}, {"Low", dword(INT32_MIN)}, {"High", dword(INT32_MAX)},
          {"name with \"quotes\"\nand a break", dword(7)}, {QString(), dword(-1)}}},
        {"Other [key] ; not a comment", {{"x", sz("y")}}}};
    const QByteArray text = serializeSettings(data);
    EXPECT_EQ(text.count('\n'), 1 + 2 + 8 + 1) << "one value a line, whatever the value holds";
    SettingsParseResult r = parseSettingsText(text);
    EXPECT_EQ(r.faultCount, 0);
    EXPECT_EQ(r.data, data);

    r = parseSettingsText("\xEF\xBB\xBF; comment\r\n# another\r\n\r\n[k]\r\n  \"a\"=dword:1\r\n\t\"b\"   =   sz:\"x\"   \r\n"
                          "\"c\" = hex: 0A , ff \r\n\"d\" = dword:4294967295\r\n\"e\" = dword:  2147483648 \r\n"
                          "[k]\n\"a\" = dword:2");
    EXPECT_EQ(r.faultCount, 0);
    EXPECT_EQ(r.data, (SettingsData{{"k",
                                     {{"a", dword(2)}, // the later line wins
                                      {"b", sz("x")},
                                      {"c", SettingValue(QByteArray("\x0a\xff", 2))},
                                      {"d", dword(-1)},
                                      {"e", dword(INT32_MIN)}}}}));
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
        const SettingsParseResult r =
            parseSettingsText("[k]\r\n\"a\" = dword:1\r\n" + line + "\r\n\"c\" = sz:\"kept\"\r\n");
        EXPECT_EQ(faultLines(r), QList<int>{3}) << bad;
        EXPECT_FALSE(r.faults.value(0).error.isEmpty()) << bad;
        EXPECT_EQ(r.data.value("k"), (SettingsKey{{"a", dword(1)}, {"c", sz("kept")}})) << bad;
    }
    // The same at the end of a file cut off in the middle of its last line.
    const SettingsParseResult torn = parseSettingsText("[k]\n\"a\" = dword:1\n\"b\" = sz:\"/home/an");
    EXPECT_EQ(faultLines(torn), QList<int>{3});
    EXPECT_EQ(torn.data.value("k"), (SettingsKey{{"a", dword(1)}}));

    // Values under a bad header are not filed under the key before.
    const SettingsParseResult r = parseSettingsText("\"x\" = dword:0\n[k]\n\"a\" = dword:1\n[other\n\"a\" = dword:2\n"
                                                    "[]\n\"a\" = dword:3\n[k]\n\"b\" = dword:4\n");
    EXPECT_EQ(faultLines(r), (QList<int>{1, 4, 5, 6, 7}));
    EXPECT_EQ(r.data, (SettingsData{{"k", {{"a", dword(1)}, {"b", dword(4)}}}}));
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
    EXPECT_FALSE(isValidKeyPath("a\nb"));
    EXPECT_FALSE(isValidKeyPath(QString()));
}

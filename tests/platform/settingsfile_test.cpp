#include "platform/settingsfile.h"

#include "printers.h"

#include <gtest/gtest.h>

using namespace tintwell;

namespace {

SettingsData parseOk(const QByteArray &text)
{
    SettingsParseResult r = parseSettingsText(text);
    EXPECT_TRUE(r.data.has_value()) << "line " << r.errorLine << ": " << r.error.toStdString();
    return r.data.value_or(SettingsData());
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
        EXPECT_FALSE(r.data.has_value()) << bad;
        EXPECT_EQ(r.errorLine, 2) << bad;
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

TEST(SettingsFile, DamageIsFoundAndLocated)
{
    const struct {
        const char *text;
        int line;
    } cases[] = {
        {"\"a\" = dword:1\n", 1},                        // value before any key
        {"[k\n", 1},                                     // header not closed
        {"[]\n", 1},                                     // empty key
        {"[k]\n\"a\" = dword:1\n\"b\" = sz:\"cut", 3},   // torn inside a string
        {"[k]\n\"b\" = sz:\"x\" trailing\n", 2},
        {"[k]\n\"b\" = hex:ff,f", 2},                    // torn inside a byte
        {"[k]\n\"b\" = hex:ff,", 2},
        {"[k]\n\"b\" = hex:+f\n", 2},
        {"[k]\n\"b\" = hex:fff\n", 2},
        {"[k]\n\"b\" = dw", 2},
        {"[k]\n\"b\" = word:1\n", 2},
        {"[k]\n\"b\" dword:1\n", 2},
        {"[k]\nb = dword:1\n", 2},
        {"[k]\n\"b\" = sz:\"\\q\"\n", 2},                // unknown escape
        {"[k]\n\"b\" = sz:\"\\x4\"\n", 2},
        {"[k]\n\"b\" = sz:\"\\u12G4\"\n", 2},
    };
    for (const auto &c : cases) {
        SettingsParseResult r = parseSettingsText(QByteArray(c.text));
        EXPECT_FALSE(r.data.has_value()) << c.text;
        EXPECT_EQ(r.errorLine, c.line) << c.text;
        EXPECT_FALSE(r.error.isEmpty()) << c.text;
    }
    // Bytes that are not text at all (a file overwritten with zeros, or binary junk).
    EXPECT_FALSE(parseSettingsText(QByteArray(64, '\0')).data.has_value());
    EXPECT_FALSE(parseSettingsText(QByteArray("[k]\n\"a\" = sz:\"\xC3\x28\"\n")).data.has_value());
}

TEST(SettingsFile, KeyPathsThatCannotBeAHeaderAreRefused)
{
    EXPECT_TRUE(isValidKeyPath(QStringLiteral("Software\\Veskor Software\\Tintwell")));
    EXPECT_FALSE(isValidKeyPath(QString()));
    EXPECT_FALSE(isValidKeyPath(QStringLiteral("a\nb")));
    EXPECT_FALSE(isValidKeyPath(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
}

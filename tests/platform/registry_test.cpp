#include "platform/registry.h"

#include <QDir>
#include <QTemporaryDir>

#include "printers.h"
#include "../support/files.h"
#include "../support/filesizelimit.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace tintwell;
using test::fileBytes;
using namespace std::string_view_literals;

namespace {

const QString kKey = clsRegistry::settingsKey();

SettingValue dword(std::int32_t v) { return SettingValue(v); }
SettingValue sz(const char *s) { return SettingValue(QString::fromUtf8(s)); }

QList<int> faultLines(const SettingsParseResult &r)
{
    QList<int> lines;
    for (const SettingsFault &f : r.faults)
        lines << f.line;
    return lines;
}

class RegistryTest : public ::testing::Test
{
protected:
    QString folder() const { return dir.path() + "/Tintwell"; }
    QString path() const { return folder() + "/settings.ini"; }
    void writeFile(const QByteArray &bytes) const
    {
        QDir().mkpath(folder());
        test::writeBytes(path(), bytes);
    }
    QList<QByteArray> aside() const // the damaged files kept
    {
        QList<QByteArray> kept;
        for (const QString &name : QDir(folder()).entryList({"settings.ini.damaged-*"}, QDir::Files))
            kept << fileBytes(folder() + u'/' + name);
        return kept;
    }
    QTemporaryDir dir;
    std::int32_t error = 0;
};

} // namespace

TEST_F(RegistryTest, EachTypeReadsBackOnlyAsItselfAndTwoStoresKeepEachOthersWrites)
{
    clsRegistry reg(path()), other(path());
    const QString withNul = QString("abc") + QChar(0) + "def";
    reg.SetString(kKey, "s", withNul);
    reg.SetBinary(kKey, "b", withNul);
    reg.SetBinary(kKey, "wide", QString("a") + QChar(0x100) + QChar(0xFF));
    reg.SetString(kKey, "empty", QString());
    other.SetLong(kKey, "n", 5);
    reg.SetLong(kKey, "MainX", 101); // must not drop what the other store wrote
    EXPECT_EQ(other.GetString(kKey, "s", error), "abc"); // a NUL ends a string
    EXPECT_EQ(other.GetString(kKey, "empty", error), QString());
    EXPECT_EQ(error, 0) << "an empty string is a value";
    EXPECT_EQ(other.GetBinary(kKey, "b", error), withNul);
    EXPECT_EQ(other.GetBinary(kKey, "wide", error), QString("a?") + QChar(0xFF));
    EXPECT_EQ(reg.GetLong(kKey, "n", error), 5);
    EXPECT_EQ(other.GetLong(kKey, "MainX", error), 101);
    EXPECT_EQ(other.GetString(kKey, "n", error), QString());
    EXPECT_EQ(error, -1);
    EXPECT_EQ(other.CheckBinary(kKey, "n"), -1);
    EXPECT_EQ(other.CheckLong("Software\\Other", "n"), -1);
    EXPECT_EQ(other.CheckLong(kKey, "N"), -1);

    writeFile("[" + kKey.toUtf8() + "]\n\"MainX\" = dword:7\n"); // another program's edit is seen
    EXPECT_EQ(reg.GetLong(kKey, "MainX", error), 7);
    reg.SetLong(kKey, "Format", 2);
    EXPECT_EQ(other.GetLong(kKey, "MainX", error), 7);
    EXPECT_EQ(other.CheckLong(kKey, "n"), -1);
}

TEST_F(RegistryTest, AnyTypeReadsWithItsTypeAndDeletesRemoveOnlyTheirTarget)
{
    clsRegistry reg(path());
    reg.SetString(kKey, "s", "text");
    reg.SetLong(kKey, "n", 42);
    reg.SetLong(kKey + "\\Sub", "m", 1);
    std::int32_t type = 0;
    EXPECT_EQ(reg.GetUnknown(kKey, "n", type, error).toInt(), 42);
    EXPECT_EQ(type, 4);
    EXPECT_EQ(reg.GetUnknown(kKey, "s", type, error).toString(), "text");
    EXPECT_EQ(type, 1);
    reg.GetUnknown(kKey, "missing", type, error);
    EXPECT_EQ((std::pair{error, type}), (std::pair{-1, 1})) << "the type is left alone on failure";
    EXPECT_EQ(reg.CheckUnknown(kKey, "n"), 0);
    reg.DeleteValue(kKey, "n");
    EXPECT_EQ(reg.CheckUnknown(kKey, "n"), -1);
    EXPECT_EQ(reg.CheckUnknown(kKey, "s"), 0);
    reg.DeleteKey(kKey + "\\Sub");
    EXPECT_EQ(clsRegistry(path()).CheckLong(kKey + "\\Sub", "m"), -1);
    EXPECT_EQ(clsRegistry(path()).GetString(kKey, "s", error), "text");
}

// Every kind of damage a settings file meets: a typo, a cut-off write, a stretch
// of junk. Each costs only the lines it hits; a read never writes; the first save
// keeps the damaged file once and rewrites a clean one with everything else.
TEST_F(RegistryTest, DamagedLinesCostOnlyTheirOwnValues)
{
    SettingsKey values; // two hundred besides the program's own, as a file kept for years may hold
    for (int i = 0; i < 200; ++i)
        values.insert(QString("Value%1").arg(i, 3, 10, QChar(u'0')), SettingValue(std::int32_t(1000 + i)));
    values.insert("MainX", SettingValue(std::int32_t(4200)));
    values.insert("Last Path", SettingValue(QString("/home/ann/web.pal%1")));
    values.insert("Custom Colors", SettingValue(QByteArray(63, '\x80') + '\0'));
    values.insert("Zzz", SettingValue(std::int32_t(9)));
    const QByteArray good = serializeSettings({{kKey, values}});
    QByteArray typo = good, junk = good;
    typo.replace("\"MainX\" = dword:4200", "\"MainX\" = dword:abc");
    junk.insert(junk.indexOf("\"Value105\"") + 4, QByteArray("\x00\xff\xfe\x01\x02", 5));
    const std::pair<QByteArray, QString> cases[] = {{typo, "MainX"}, {good.chopped(3), "Zzz"}, {junk, "Value105"}};
    for (const auto &[damaged, lost] : cases) {
        SCOPED_TRACE(lost.toStdString());
        QDir(folder()).removeRecursively();
        writeFile(damaged);
        clsRegistry reg(path());
        EXPECT_EQ(reg.CheckLong(kKey, lost), -1);
        EXPECT_EQ(reg.GetLong(kKey, "Value106", error), 1106);
        EXPECT_EQ(fileBytes(path()), damaged) << "reading alone changes nothing";
        EXPECT_TRUE(aside().isEmpty());
        // Even a value the file already holds makes the save repair it.
        EXPECT_EQ(reg.SetString(kKey, "Last Path", "/home/ann/web.pal%1"), 0);
        EXPECT_EQ(aside(), QList<QByteArray>{damaged});
        SettingsKey kept = values;
        kept.remove(lost);
        const SettingsParseResult repaired = parseSettingsText(fileBytes(path()));
        EXPECT_EQ(repaired.faultCount, 0);
        EXPECT_TRUE(repaired.data.value(kKey) == kept) << "every other value is written back";
        reg.SetLong(kKey, "MainY", 7);
        EXPECT_EQ(aside().size(), 1) << "kept once, not at every save";
    }
}

TEST_F(RegistryTest, AFileOfBinaryJunkReadsAsEmptyAndIsKeptWhenReplaced)
{
    QByteArray junk; // a fixed pseudo-random byte stream with line breaks in it
    for (std::uint32_t i = 0, x = 12345; i < 200000; ++i, x = x * 1664525u + 1013904223u)
        junk.append(char(x >> 24));
    const SettingsParseResult r = parseSettingsText(junk);
    EXPECT_TRUE(r.data.isEmpty() || r.data.first().isEmpty());
    EXPECT_GT(r.faultCount, SettingsParseResult::kMaxFaults);
    EXPECT_EQ(r.faults.size(), SettingsParseResult::kMaxFaults) << "the fault list has an end";
    writeFile(junk);
    clsRegistry reg(path());
    EXPECT_EQ(reg.CheckLong(kKey, "Last Color"), -1);
    EXPECT_EQ(reg.SetLong(kKey, "Last Color", 16777215), 0);
    EXPECT_EQ(aside(), QList<QByteArray>{junk});
    EXPECT_EQ(clsRegistry(path()).GetLong(kKey, "Last Color", error), 16777215);
    writeFile(QByteArray(16, '\0')); // a second damage in the same second keeps both copies
    reg.SetLong(kKey, "Last Color", 0);
    EXPECT_EQ(aside().size(), 2);
}

// Failed saves, made so that root cannot write past them either: each keeps the
// file as it was and does not pretend the value was written.
TEST_F(RegistryTest, AFailedSaveKeepsTheFileAsItWasAndSaysSo)
{
    test::writeBytes(dir.filePath("blocker"), ""); // no folder can be made below a file
    clsRegistry blocked(dir.filePath("blocker/Tintwell/settings.ini"));
    EXPECT_EQ(blocked.SetLong(kKey, "MainX", 1), -1);
    EXPECT_EQ(blocked.SetString(kKey, "Last Path", "x"), -1);
    EXPECT_EQ(blocked.CheckLong(kKey, "MainX"), -1);

    // A name so long that no temporary file or damaged copy can be made beside it.
    const QString longPath = dir.path() + u'/' + QString(250, u's') + ".ini";
    const QByteArray damaged = "[" + kKey.toUtf8() + "]\n\"MainX\" = dword:x\n\"MainY\" = dword:5\n";
    test::writeBytes(longPath, damaged);
    clsRegistry reg(longPath);
    EXPECT_EQ(reg.SetLong(kKey, "MainX", 3), -1);
    EXPECT_EQ(fileBytes(longPath), damaged);
    EXPECT_EQ(reg.CheckLong(kKey, "MainX"), -1);
    EXPECT_EQ(reg.GetLong(kKey, "MainY", error), 5);

    clsRegistry full(path()); // a write that stops short, as on a full disk
    full.SetLong(kKey, "MainX", 1);
    const QByteArray before = fileBytes(path());
    std::int32_t result = 0;
    {
        test::FileSizeLimit limit(before.size() + 4);
        ASSERT_TRUE(limit.ok());
        result = full.SetString(kKey, "Last Path", QString(200, u'p'));
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 1) << "no temporary left";
    EXPECT_EQ(full.CheckString(kKey, "Last Path"), -1);
}

TEST_F(RegistryTest, TheDefaultFileLivesUnderTheConfigHome)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(clsRegistry::defaultFilePath(), path());
    clsRegistry().SetLong(kKey, "Sliders", 2);
    EXPECT_TRUE(QFile::exists(path()));
    old.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", old);
}

TEST(SettingsFile, EveryKindOfValueSurvivesTheTextFormAndHandWrittenFilesAreRead)
{
    QString awkward = QString("\"quoted\" back\\slash end\\") + QChar(0xD800) // a lone surrogate has no UTF-8 form
        + QString::fromUtf8("\xF0\x9F\x8E\xA8 \xE8\x89\xB2");
    QByteArray bytes;
    for (char16_t c = 0; c < 0x180; ++c) {
        awkward += QChar(c);
        bytes.append(char(c));
    }
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

    r = parseSettingsText("\xEF\xBB\xBF; comment\r\n# another\r\n\r\n[k]\r\n  \"a\"=dword:1\r\n"
                          "\t\"b\"   =   sz:\"x\"   \r\n\"c\" = hex: 0A , ff \r\n\"d\" = dword:4294967295\r\n"
                          "\"e\" = dword:  2147483648 \r\n[k]\n\"a\" = dword:2");
    EXPECT_EQ(r.faultCount, 0);
    EXPECT_EQ(r.data, (SettingsData{{"k", {{"a", dword(2)} /* the later line wins */, {"b", sz("x")},
                                           {"c", SettingValue(QByteArray("\x0a\xff", 2))}, {"d", dword(-1)},
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
    EXPECT_FALSE(isValidKeyPath("a\nb"));
    EXPECT_FALSE(isValidKeyPath(QString()));
}

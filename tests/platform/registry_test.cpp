#include "platform/registry.h"

#include <QDir>
#include <QTemporaryDir>

#include "printers.h"
#include "../support/files.h"
#include "../support/filesizelimit.h"

#include <gtest/gtest.h>

using namespace tintwell;
using test::fileBytes;

namespace {

const QString kKey = clsRegistry::settingsKey();

class RegistryTest : public ::testing::Test
{
protected:
    QString folder() const { return dir.path() + QStringLiteral("/Tintwell"); }
    QString path() const { return folder() + QStringLiteral("/settings.ini"); }
    void writeFile(const QByteArray &bytes) const
    {
        QDir().mkpath(folder());
        test::writeBytes(path(), bytes);
    }
    // The damaged files kept aside, oldest first.
    QList<QByteArray> aside() const
    {
        QList<QByteArray> kept;
        for (const QString &name : QDir(folder()).entryList({QStringLiteral("settings.ini.damaged-*")}, QDir::Files))
            kept << fileBytes(folder() + u'/' + name);
        return kept;
    }
    std::int32_t getLong(clsRegistry &reg, const QString &name, std::int32_t *error = nullptr)
    {
        std::int32_t e = 0;
        const std::int32_t v = reg.GetLong(kKey, name, e);
        if (error)
            *error = e;
        return v;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(RegistryTest, EachTypeReadsBackOnlyAsItself)
{
    clsRegistry reg(path());
    const QString withNul = QStringLiteral("abc") + QChar(0) + QStringLiteral("def");
    reg.SetString(kKey, QStringLiteral("s"), withNul);
    reg.SetBinary(kKey, QStringLiteral("b"), withNul);
    reg.SetBinary(kKey, QStringLiteral("wide"), QStringLiteral("a") + QChar(0x100) + QChar(0xFF));
    reg.SetString(kKey, QStringLiteral("empty"), QString());
    reg.SetLong(kKey, QStringLiteral("n"), 5);

    clsRegistry other(path());
    std::int32_t error = 1;
    EXPECT_EQ(other.GetString(kKey, QStringLiteral("s"), error), QStringLiteral("abc")); // a NUL ends a string
    EXPECT_EQ(other.GetString(kKey, QStringLiteral("empty"), error), QString());
    EXPECT_EQ(error, 0) << "an empty string is a value";
    EXPECT_EQ(other.GetBinary(kKey, QStringLiteral("b"), error), withNul);
    EXPECT_EQ(other.GetBinary(kKey, QStringLiteral("wide"), error), QStringLiteral("a?") + QChar(0xFF));
    std::int32_t type = 0;
    EXPECT_EQ(other.GetUnknown(kKey, QStringLiteral("n"), type, error).toInt(), 5);
    EXPECT_EQ(type, clsRegistry::REG_DWORD);
    EXPECT_EQ(other.GetUnknown(kKey, QStringLiteral("b"), type, error).toString(), withNul);
    EXPECT_EQ(type, clsRegistry::REG_BINARY);

    // Another type, another key or another case reads as missing.
    EXPECT_EQ(other.GetString(kKey, QStringLiteral("n"), error), QString());
    EXPECT_EQ(error, -1);
    EXPECT_EQ(other.CheckBinary(kKey, QStringLiteral("n")), -1);
    EXPECT_EQ(other.CheckLong(kKey, QStringLiteral("n")), 0);
    other.GetLong(QStringLiteral("Software\\Other"), QStringLiteral("n"), error);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(getLong(other, QStringLiteral("N"), &error), 0);
    EXPECT_EQ(error, -1);
    type = 99;
    other.GetUnknown(kKey, QStringLiteral("Nothing"), type, error);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(type, 99);
}

TEST_F(RegistryTest, DeletingValuesAndKeys)
{
    clsRegistry reg(path());
    reg.SetLong(kKey, QStringLiteral("a"), 1);
    reg.SetLong(kKey, QStringLiteral("b"), 2);
    reg.SetLong(QStringLiteral("Other"), QStringLiteral("a"), 3);
    EXPECT_EQ(reg.DeleteValue(kKey, QStringLiteral("a")), 0);
    EXPECT_EQ(reg.DeleteValue(kKey, QStringLiteral("a")), -1);
    EXPECT_EQ(reg.CheckLong(kKey, QStringLiteral("b")), 0);
    EXPECT_EQ(reg.DeleteKey(kKey), 0);
    clsRegistry fresh(path());
    EXPECT_EQ(fresh.CheckLong(QStringLiteral("Other"), QStringLiteral("a")), 0);
    EXPECT_EQ(fresh.CheckLong(kKey, QStringLiteral("b")), -1);
}

TEST_F(RegistryTest, TwoStoresOnOneFileSeeAndKeepEachOthersWrites)
{
    clsRegistry first(path());
    clsRegistry second(path());
    first.SetLong(kKey, QStringLiteral("MainX"), 100);
    second.SetLong(kKey, QStringLiteral("MainY"), 200);
    first.SetLong(kKey, QStringLiteral("MainX"), 101); // must not drop MainY
    EXPECT_EQ(getLong(second, QStringLiteral("MainX")), 101);
    EXPECT_EQ(getLong(first, QStringLiteral("MainY")), 200);

    // An edit by another program between two calls is seen too.
    writeFile("[" + kKey.toUtf8() + "]\n\"MainX\" = dword:7\n");
    EXPECT_EQ(getLong(first, QStringLiteral("MainX")), 7);
    first.SetLong(kKey, QStringLiteral("Format"), 2);
    EXPECT_EQ(getLong(second, QStringLiteral("MainX")), 7);
    EXPECT_EQ(second.CheckLong(kKey, QStringLiteral("MainY")), -1);
}

TEST_F(RegistryTest, WritingTheSameValueAgainDoesNotTouchTheDisk)
{
    clsRegistry reg(path());
    reg.SetLong(kKey, QStringLiteral("Last Color"), 1);
    const int writes = reg.writeCount();
    reg.SetLong(kKey, QStringLiteral("Last Color"), 1);
    EXPECT_EQ(reg.writeCount(), writes);
    reg.SetString(kKey, QStringLiteral("Last Color"), QStringLiteral("1")); // same name, new type
    EXPECT_EQ(reg.writeCount(), writes + 1);
    QFile::remove(path());
    reg.SetLong(kKey, QStringLiteral("Last Color"), 1); // gone from disk: written again
    EXPECT_EQ(clsRegistry(path()).CheckLong(kKey, QStringLiteral("Last Color")), 0);
}

// Every kind of damage a settings file meets: a typo, a cut-off write, a stretch
// of junk. Each costs only the lines it hits; a read never writes; the first save
// keeps the damaged file once and rewrites a clean one with everything else.
TEST_F(RegistryTest, DamagedLinesCostOnlyTheirOwnValues)
{
    // Two hundred values besides the program's own, as a file kept for years may hold.
    const QString custom = QString(63, QChar(0x80)) + QChar(0);
    const auto valueName = [](int i) { return QStringLiteral("Value%1").arg(i, 3, 10, QChar(u'0')); };
    SettingsData full;
    SettingsKey &values = full[kKey];
    for (int i = 0; i < 200; ++i)
        values.insert(valueName(i), SettingValue(std::int32_t(1000 + i)));
    values.insert(QStringLiteral("MainX"), SettingValue(std::int32_t(4200)));
    values.insert(QStringLiteral("Last Path"), SettingValue(QStringLiteral("/home/ann/web.pal%1")));
    values.insert(QStringLiteral("Custom Colors"), SettingValue(clsRegistry::bytesFromChars(custom)));
    values.insert(QStringLiteral("Zzz"), SettingValue(std::int32_t(9)));
    const QByteArray good = serializeSettings(full);
    QByteArray typo = good, junk = good;
    typo.replace("\"MainX\" = dword:4200", "\"MainX\" = dword:abc");
    junk.insert(junk.indexOf("\"Value105\"") + 4, QByteArray("\x00\xff\xfe\x01\x02", 5));
    const std::pair<QByteArray, QString> cases[] = {
        {typo, QStringLiteral("MainX")}, {good.left(good.size() - 3), QStringLiteral("Zzz")}, {junk, valueName(105)}};
    for (const auto &[damaged, lost] : cases) {
        SCOPED_TRACE(lost.toStdString());
        QDir(folder()).removeRecursively();
        writeFile(damaged);
        const auto expectAllBut = [&](clsRegistry &r) {
            for (auto it = values.cbegin(); it != values.cend(); ++it) {
                std::int32_t type = 0, error = 0;
                const QVariant v = r.GetUnknown(kKey, it.key(), type, error);
                EXPECT_EQ(error, it.key() == lost ? -1 : 0) << it.key().toStdString();
                if (it.key() != lost && std::holds_alternative<std::int32_t>(*it)) {
                    EXPECT_EQ(v.toInt(), std::get<std::int32_t>(*it)) << it.key().toStdString();
                }
            }
            std::int32_t error = 0;
            EXPECT_EQ(r.GetString(kKey, QStringLiteral("Last Path"), error), QStringLiteral("/home/ann/web.pal%1"));
            EXPECT_EQ(r.GetBinary(kKey, QStringLiteral("Custom Colors"), error), custom);
        };
        clsRegistry reg(path());
        expectAllBut(reg);
        EXPECT_EQ(fileBytes(path()), damaged) << "reading alone changes nothing";
        EXPECT_TRUE(aside().isEmpty());

        // Even a value the file already holds makes the save repair it.
        EXPECT_EQ(reg.SetString(kKey, QStringLiteral("Last Path"), QStringLiteral("/home/ann/web.pal%1")), 0);
        EXPECT_EQ(aside(), QList<QByteArray>{damaged});
        EXPECT_EQ(parseSettingsText(fileBytes(path())).faultCount, 0);
        reg.SetLong(kKey, QStringLiteral("MainY"), 7);
        EXPECT_EQ(aside().size(), 1) << "kept once, not at every save";
        clsRegistry fresh(path());
        expectAllBut(fresh);
        EXPECT_EQ(getLong(fresh, QStringLiteral("MainY")), 7);
    }
}

TEST_F(RegistryTest, AFileOfBinaryJunkReadsAsEmptyAndIsKeptWhenReplaced)
{
    QByteArray junk;
    for (std::uint32_t i = 0, x = 99; i < 4096; ++i, x = x * 1664525u + 1013904223u)
        junk.append(char(x >> 24));
    writeFile(junk);
    clsRegistry reg(path());
    std::int32_t error = 0;
    EXPECT_EQ(getLong(reg, QStringLiteral("Last Color"), &error), 0);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("Last Color"), 16777215), 0);
    EXPECT_EQ(aside(), QList<QByteArray>{junk});
    clsRegistry fresh(path());
    EXPECT_EQ(getLong(fresh, QStringLiteral("Last Color")), 16777215);

    // A second damage in the same second keeps both damaged copies.
    writeFile(QByteArray(16, '\0'));
    fresh.SetLong(kKey, QStringLiteral("Last Color"), 0);
    EXPECT_EQ(aside().size(), 2);
}

// Failed saves, made so that root cannot write past them either.
TEST_F(RegistryTest, AFailedSaveKeepsTheFileAsItWasAndSaysSo)
{
    // A folder below a regular file cannot be made.
    test::writeBytes(dir.filePath(QStringLiteral("blocker")), "");
    clsRegistry blocked(dir.filePath(QStringLiteral("blocker/Tintwell/settings.ini")));
    EXPECT_EQ(blocked.SetLong(kKey, QStringLiteral("MainX"), 1), -1);
    EXPECT_EQ(blocked.SetString(kKey, QStringLiteral("Last Path"), QStringLiteral("x")), -1);
    EXPECT_EQ(blocked.SetBinary(kKey, QStringLiteral("Custom Colors"), QStringLiteral("x")), -1);
    std::int32_t error = 0;
    EXPECT_EQ(getLong(blocked, QStringLiteral("MainX"), &error), 0);
    EXPECT_EQ(error, -1) << "the lost write is not pretended to have happened";

    // A name so long that no temporary file or damaged copy can be made beside it.
    const QString longPath = dir.path() + u'/' + QString(250, u's') + QStringLiteral(".ini");
    test::writeBytes(longPath, "[" + kKey.toUtf8() + "]\n\"MainX\" = dword:1\n");
    clsRegistry reg(longPath);
    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("MainX"), 2), -1);
    EXPECT_EQ(getLong(reg, QStringLiteral("MainX")), 1);
    const QByteArray damaged = "[" + kKey.toUtf8() + "]\n\"MainX\" = dword:x\n\"MainY\" = dword:5\n";
    test::writeBytes(longPath, damaged);
    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("MainX"), 3), -1);
    EXPECT_EQ(fileBytes(longPath), damaged);
    EXPECT_EQ(getLong(reg, QStringLiteral("MainY")), 5);

    // A write that stops short, as on a full disk.
    clsRegistry full(path());
    full.SetLong(kKey, QStringLiteral("MainX"), 1);
    const QByteArray before = fileBytes(path());
    std::int32_t result = 0;
    {
        test::FileSizeLimit limit(before.size() + 4);
        ASSERT_TRUE(limit.ok());
        result = full.SetString(kKey, QStringLiteral("Last Path"), QString(200, u'p'));
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 1) << "no temporary left";
    EXPECT_EQ(full.CheckString(kKey, QStringLiteral("Last Path")), -1);
}

TEST_F(RegistryTest, TheDefaultFileLivesUnderTheConfigHome)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(clsRegistry::defaultFilePath(), path());
    clsRegistry().SetLong(kKey, QStringLiteral("Sliders"), 2);
    EXPECT_TRUE(QFile::exists(path()));
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
}

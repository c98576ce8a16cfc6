#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "printers.h"
#include "../support/filesizelimit.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace tintwell;

namespace {

const QString kKey = clsRegistry::settingsKey();

class RegistryTest : public ::testing::Test
{
protected:
    QString path() const { return dir.path() + QStringLiteral("/Tintwell/settings.ini"); }

    QByteArray fileBytes() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void writeFile(const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    QStringList asideFiles() const
    {
        return QDir(dir.path() + QStringLiteral("/Tintwell"))
            .entryList({QStringLiteral("settings.ini.damaged-*")}, QDir::Files);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(RegistryTest, NulCutsAStringButNotBinaryData)
{
    clsRegistry reg(path());
    const QString withNul = QStringLiteral("abc") + QChar(0) + QStringLiteral("def");
    reg.SetString(kKey, QStringLiteral("s"), withNul);
    reg.SetBinary(kKey, QStringLiteral("b"), withNul);
    const QString zeros(64, QChar(0));
    reg.SetBinary(kKey, QStringLiteral("zeros"), zeros);
    reg.SetString(kKey, QStringLiteral("empty"), QString());

    clsRegistry other(path());
    std::int32_t error = 1;
    EXPECT_EQ(other.GetString(kKey, QStringLiteral("s"), error), QStringLiteral("abc"));
    EXPECT_EQ(error, 0);
    error = 1;
    EXPECT_EQ(other.GetString(kKey, QStringLiteral("empty"), error), QString());
    EXPECT_EQ(error, 0); // an empty string is a value, not a failure
    EXPECT_EQ(other.GetBinary(kKey, QStringLiteral("b"), error), withNul);
    EXPECT_EQ(other.GetBinary(kKey, QStringLiteral("zeros"), error), zeros);
    EXPECT_EQ(error, 0);
    std::int32_t type = 0;
    EXPECT_EQ(other.GetUnknown(kKey, QStringLiteral("s"), type, error).toString(), QStringLiteral("abc"));
    EXPECT_EQ(type, clsRegistry::REG_SZ);
    EXPECT_EQ(other.GetUnknown(kKey, QStringLiteral("b"), type, error).toString(), withNul);
    EXPECT_EQ(type, clsRegistry::REG_BINARY);
}

TEST_F(RegistryTest, BinaryCharactersAboveAByteBecomeQuestionMarks)
{
    clsRegistry reg(path());
    reg.SetBinary(kKey, QStringLiteral("b"), QStringLiteral("a") + QChar(0x100) + QChar(0xFF));
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetBinary(kKey, QStringLiteral("b"), error), QStringLiteral("a?") + QChar(0xFF));
}

TEST_F(RegistryTest, AValueOfAnotherTypeReadsAsMissing)
{
    clsRegistry reg(path());
    reg.SetLong(kKey, QStringLiteral("Last Path"), 5);
    reg.SetString(kKey, QStringLiteral("Format"), QStringLiteral("3"));
    reg.SetBinary(kKey, QStringLiteral("Bytes"), QStringLiteral("\x01\x02"));

    std::int32_t error = 0;
    EXPECT_EQ(reg.GetString(kKey, QStringLiteral("Last Path"), error), QString());
    EXPECT_EQ(error, -1);

    EXPECT_EQ(reg.CheckString(kKey, QStringLiteral("Last Path")), -1);
    EXPECT_EQ(reg.CheckLong(kKey, QStringLiteral("Last Path")), 0);
    EXPECT_EQ(reg.CheckBinary(kKey, QStringLiteral("Last Path")), -1);
    EXPECT_EQ(reg.CheckString(kKey, QStringLiteral("Format")), 0);
    EXPECT_EQ(reg.CheckBinary(kKey, QStringLiteral("Bytes")), 0);
    EXPECT_EQ(reg.CheckUnknown(kKey, QStringLiteral("Bytes")), 0);
    EXPECT_EQ(reg.CheckUnknown(kKey, QStringLiteral("Nothing")), -1);

    std::int32_t type = 99;
    const QVariant v = reg.GetUnknown(kKey, QStringLiteral("Last Path"), type, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(type, clsRegistry::REG_DWORD);
    EXPECT_EQ(v.toInt(), 5);
    type = 99;
    reg.GetUnknown(kKey, QStringLiteral("Nothing"), type, error);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(type, 99);
}

TEST_F(RegistryTest, MissingFileKeyOrValueReportsFailure)
{
    clsRegistry reg(path());
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("MainX"), error), 0);
    EXPECT_EQ(error, -1);
    reg.SetLong(kKey, QStringLiteral("MainX"), 1);
    error = 0;
    reg.GetLong(QStringLiteral("Software\\Other"), QStringLiteral("MainX"), error);
    EXPECT_EQ(error, -1);
    error = 0;
    reg.GetLong(kKey, QStringLiteral("mainx"), error); // names are exact
    EXPECT_EQ(error, -1);
}

TEST_F(RegistryTest, DeletingValuesAndKeys)
{
    clsRegistry reg(path());
    reg.SetLong(kKey, QStringLiteral("a"), 1);
    reg.SetLong(kKey, QStringLiteral("b"), 2);
    reg.SetLong(QStringLiteral("Other"), QStringLiteral("a"), 3);
    EXPECT_EQ(reg.DeleteValue(kKey, QStringLiteral("a")), 0);
    EXPECT_EQ(reg.DeleteValue(kKey, QStringLiteral("a")), -1);
    EXPECT_EQ(reg.CheckLong(kKey, QStringLiteral("a")), -1);
    EXPECT_EQ(reg.CheckLong(kKey, QStringLiteral("b")), 0);
    EXPECT_EQ(reg.DeleteKey(kKey), 0);
    EXPECT_EQ(reg.CheckLong(kKey, QStringLiteral("b")), -1);
    clsRegistry fresh(path());
    EXPECT_EQ(fresh.CheckLong(QStringLiteral("Other"), QStringLiteral("a")), 0);
    EXPECT_EQ(fresh.CheckLong(kKey, QStringLiteral("b")), -1);
}

TEST_F(RegistryTest, TwoStoresOnOneFileSeeAndKeepEachOthersWrites)
{
    clsRegistry first(path());
    clsRegistry second(path());
    first.SetLong(kKey, QStringLiteral("MainX"), 100);
    std::int32_t error = 0;
    EXPECT_EQ(second.GetLong(kKey, QStringLiteral("MainX"), error), 100);
    second.SetLong(kKey, QStringLiteral("MainY"), 200);
    first.SetLong(kKey, QStringLiteral("MainX"), 101); // must not drop MainY
    EXPECT_EQ(second.GetLong(kKey, QStringLiteral("MainX"), error), 101);
    EXPECT_EQ(first.GetLong(kKey, QStringLiteral("MainY"), error), 200);
    EXPECT_EQ(error, 0);

    // An edit by another program between two calls is seen too.
    writeFile("[" + kKey.toUtf8() + "]\n\"MainX\" = dword:7\n");
    EXPECT_EQ(first.GetLong(kKey, QStringLiteral("MainX"), error), 7);
    first.SetLong(kKey, QStringLiteral("Format"), 2);
    EXPECT_EQ(second.GetLong(kKey, QStringLiteral("MainX"), error), 7);
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
    EXPECT_EQ(reg.writeCount(), writes + 2);
    clsRegistry fresh(path());
    EXPECT_EQ(fresh.CheckLong(kKey, QStringLiteral("Last Color")), 0);
}

// Every kind of damage a settings file meets: a typo, a cut-off write, a stretch
// of junk. Each costs only the lines it hits; a read never writes; the first save
// keeps the damaged file once and rewrites a clean one with everything else.
TEST_F(RegistryTest, DamagedLinesCostOnlyTheirOwnValues)
{
    // Two hundred values besides the program's own, as a file kept for years
    // (and by other versions) may hold; written once, not one save per value.
    const QString custom = QString(63, QChar(0x80)) + QChar(0);
    constexpr int kValues = 200;
    const auto valueName = [](int i) { return QStringLiteral("Value%1").arg(i, 3, 10, QChar(u'0')); };
    SettingsData full;
    SettingsKey &values = full[kKey];
    for (int i = 0; i < kValues; ++i)
        values.insert(valueName(i), SettingValue(std::int32_t(1000 + i)));
    values.insert(QStringLiteral("MainX"), SettingValue(std::int32_t(4200)));
    values.insert(QStringLiteral("Last Path"), SettingValue(QStringLiteral("/home/ann/web.pal%1")));
    values.insert(QStringLiteral("Custom Colors"), SettingValue(clsRegistry::bytesFromChars(custom)));
    values.insert(QStringLiteral("Zzz"), SettingValue(QStringLiteral("last line")));
    const QByteArray good = serializeSettings(full);
    const struct {
        const char *what;
        QByteArray (*damage)(const QByteArray &good);
        QStringList lost;
    } cases[] = {
        {"a typo in a number",
         [](const QByteArray &good) {
             QByteArray bad = good;
             return bad.replace("\"MainX\" = dword:4200", "\"MainX\" = dword:abc");
         },
         {QStringLiteral("MainX")}},
        {"a last line cut off",
         [](const QByteArray &good) { return good.left(good.size() - 6); },
         {QStringLiteral("Zzz")}},
        {"junk in the middle of a line",
         [](const QByteArray &good) {
             QByteArray bad = good;
             const qsizetype at = bad.indexOf("\"Value105\"") + 4;
             return bad.insert(at, QByteArray("\x00\xff\xfe\x01\x02", 5));
         },
         {QStringLiteral("Value105")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        const QByteArray damaged = c.damage(good);
        ASSERT_NE(damaged, good);
        writeFile(damaged);

        clsRegistry reg(path());
        const auto expectAllBut = [&](clsRegistry &r, const QStringList &lost) {
            std::int32_t error = 0;
            for (int i = 0; i < kValues; ++i) {
                const QString name = valueName(i);
                const std::int32_t v = r.GetLong(kKey, name, error);
                EXPECT_EQ(error, lost.contains(name) ? -1 : 0) << name.toStdString();
                if (!lost.contains(name)) {
                    EXPECT_EQ(v, 1000 + i) << name.toStdString();
                }
            }
            EXPECT_EQ(r.GetLong(kKey, QStringLiteral("MainX"), error), lost.contains(QStringLiteral("MainX")) ? 0 : 4200);
            EXPECT_EQ(r.GetString(kKey, QStringLiteral("Last Path"), error), QStringLiteral("/home/ann/web.pal%1"));
            EXPECT_EQ(r.GetBinary(kKey, QStringLiteral("Custom Colors"), error), custom);
            EXPECT_EQ(r.CheckString(kKey, QStringLiteral("Zzz")), lost.contains(QStringLiteral("Zzz")) ? -1 : 0);
        };
        expectAllBut(reg, c.lost);
        EXPECT_EQ(fileBytes(), damaged); // reading alone changes nothing
        EXPECT_TRUE(asideFiles().isEmpty());

        // Even a value the file already holds makes the save repair it.
        EXPECT_EQ(reg.SetString(kKey, QStringLiteral("Last Path"), QStringLiteral("/home/ann/web.pal%1")), 0);
        ASSERT_EQ(asideFiles().size(), 1);
        QFile kept(dir.path() + QStringLiteral("/Tintwell/") + asideFiles().first());
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), damaged);
        EXPECT_EQ(parseSettingsText(fileBytes()).faultCount, 0);

        reg.SetLong(kKey, QStringLiteral("MainY"), 7);
        EXPECT_EQ(asideFiles().size(), 1); // kept once, not at every save
        clsRegistry fresh(path());
        expectAllBut(fresh, c.lost);
        EXPECT_EQ(fresh.CheckLong(kKey, QStringLiteral("MainY")), 0);
    }
}

TEST_F(RegistryTest, AFileOfBinaryJunkReadsAsEmptyAndIsKeptWhenReplaced)
{
    QByteArray junk;
    std::uint32_t x = 99;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1664525u + 1013904223u;
        junk.append(char(x >> 24));
    }
    writeFile(junk);
    clsRegistry reg(path());
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("Last Color"), error), 0);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("Last Color"), 16777215), 0);
    ASSERT_EQ(asideFiles().size(), 1);
    QFile kept(dir.path() + QStringLiteral("/Tintwell/") + asideFiles().first());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), junk);
    clsRegistry fresh(path());
    EXPECT_EQ(fresh.GetLong(kKey, QStringLiteral("Last Color"), error), 16777215);
    EXPECT_EQ(error, 0);

    // A second damage in the same second keeps both damaged copies.
    writeFile(QByteArray(16, '\0'));
    fresh.SetLong(kKey, QStringLiteral("Last Color"), 0);
    EXPECT_EQ(asideFiles().size(), 2);
}

TEST_F(RegistryTest, AFolderThatCannotBeCreatedFailsEveryCallButNothingElse)
{
    // A folder below a regular file cannot be made, even by root.
    QFile blocker(dir.path() + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    clsRegistry reg(blocker.fileName() + QStringLiteral("/Tintwell/settings.ini"));

    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("MainX"), 1), -1);
    EXPECT_EQ(reg.SetString(kKey, QStringLiteral("Last Path"), QStringLiteral("x")), -1);
    EXPECT_EQ(reg.SetBinary(kKey, QStringLiteral("Custom Colors"), QStringLiteral("x")), -1);
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("MainX"), error), 0);
    EXPECT_EQ(error, -1); // the lost write is not pretended to have happened
    EXPECT_EQ(reg.writeCount(), 0);
}

// A name so long that no other name beside it can be made: the save's temporary
// file and the damaged file's copy both fail, whoever runs the test.
TEST_F(RegistryTest, AFailedSaveKeepsTheFileAsItWas)
{
    const QString longPath = dir.path() + u'/' + QString(250, u's') + QStringLiteral(".ini");
    {
        QFile f(longPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[" + kKey.toUtf8() + "]\n\"MainX\" = dword:1\n");
    }
    clsRegistry reg(longPath);
    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("MainX"), 2), -1);
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("MainX"), error), 1); // not pretended to be written
    EXPECT_EQ(error, 0);

    // A damaged file whose copy cannot be made is not replaced either.
    QByteArray damaged = "[" + kKey.toUtf8() + "]\n\"MainX\" = dword:x\n\"MainY\" = dword:5\n";
    {
        QFile f(longPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(damaged);
    }
    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("MainX"), 3), -1);
    QFile f(longPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), damaged);
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("MainY"), error), 5);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(RegistryTest, AWriteThatStopsShortKeepsTheFileAsItWas)
{
    clsRegistry reg(path());
    reg.SetLong(kKey, QStringLiteral("MainX"), 1);
    const QByteArray before = fileBytes();
    std::int32_t result = 0;
    {
        test::FileSizeLimit full(before.size() + 4); // the new file stops short, as on a full disk
        ASSERT_TRUE(full.ok());
        result = reg.SetString(kKey, QStringLiteral("Last Path"), QString(200, u'p'));
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files).size(), 1) << "no temporary left";
    clsRegistry fresh(path());
    std::int32_t error = 0;
    EXPECT_EQ(fresh.GetLong(kKey, QStringLiteral("MainX"), error), 1);
    EXPECT_EQ(fresh.CheckString(kKey, QStringLiteral("Last Path")), -1);
}

TEST_F(RegistryTest, TheDefaultFileLivesUnderTheConfigHome)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    EXPECT_EQ(clsRegistry::defaultFilePath(), path());
    clsRegistry reg;
    reg.SetLong(kKey, QStringLiteral("Sliders"), 2);
    EXPECT_TRUE(QFile::exists(path()));
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
}

#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "printers.h"

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

TEST_F(RegistryTest, EveryTypeRoundTripsThroughTheFile)
{
    QString binary;
    for (int b = 255; b >= 0; --b)
        binary += QChar(b);
    {
        clsRegistry reg(path());
        EXPECT_EQ(reg.SetString(kKey, QStringLiteral("Last Path"), QString::fromUtf8("/home/\xC3\xA5sa/web.pal%3")), 0);
        EXPECT_EQ(reg.SetString(kKey, QStringLiteral("Empty"), QString()), 0);
        EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("Last Color"), 0x00FF8000), 0);
        EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("Negative"), -42), 0);
        EXPECT_EQ(reg.SetBinary(kKey, QStringLiteral("Custom Colors"), binary), 0);
    }
    clsRegistry reg(path()); // a fresh object sees only what reached the disk
    std::int32_t error = 1;
    EXPECT_EQ(reg.GetString(kKey, QStringLiteral("Last Path"), error), QString::fromUtf8("/home/\xC3\xA5sa/web.pal%3"));
    EXPECT_EQ(error, 0);
    error = 1;
    EXPECT_EQ(reg.GetString(kKey, QStringLiteral("Empty"), error), QString());
    EXPECT_EQ(error, 0); // an empty string is a value, not a failure
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("Last Color"), error), 0x00FF8000);
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("Negative"), error), -42);
    EXPECT_EQ(reg.GetBinary(kKey, QStringLiteral("Custom Colors"), error), binary);
    EXPECT_EQ(error, 0);
}

TEST_F(RegistryTest, NulCutsAStringButNotBinaryData)
{
    clsRegistry reg(path());
    const QString withNul = QStringLiteral("abc") + QChar(0) + QStringLiteral("def");
    reg.SetString(kKey, QStringLiteral("s"), withNul);
    reg.SetBinary(kKey, QStringLiteral("b"), withNul);
    const QString zeros(64, QChar(0));
    reg.SetBinary(kKey, QStringLiteral("zeros"), zeros);

    clsRegistry other(path());
    std::int32_t error = 1;
    EXPECT_EQ(other.GetString(kKey, QStringLiteral("s"), error), QStringLiteral("abc"));
    EXPECT_EQ(error, 0);
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
    error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("Format"), error), 0);
    EXPECT_EQ(error, -1);
    error = 0;
    EXPECT_EQ(reg.GetBinary(kKey, QStringLiteral("Last Path"), error), QString());
    EXPECT_EQ(error, -1);
    error = 0;
    reg.GetString(kKey, QStringLiteral("Bytes"), error);
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

TEST_F(RegistryTest, ADamagedFileIsSetAsideAndTheNextWriteMakesAGoodOne)
{
    {
        clsRegistry reg(path());
        reg.SetLong(kKey, QStringLiteral("MainX"), 1);
        reg.SetString(kKey, QStringLiteral("Last Path"), QStringLiteral("/some/where"));
    }
    const QByteArray good = fileBytes();
    const QByteArray torn = good.left(good.size() - 5); // cut inside the last line
    writeFile(torn);

    clsRegistry reg(path());
    std::int32_t error = 0;
    reg.GetLong(kKey, QStringLiteral("MainX"), error);
    EXPECT_EQ(error, -1); // defaults from here on
    const QStringList aside = asideFiles();
    ASSERT_EQ(aside.size(), 1);
    QFile kept(dir.path() + QStringLiteral("/Tintwell/") + aside.first());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), torn); // never silently lost
    EXPECT_FALSE(QFile::exists(path()));

    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("MainY"), 2), 0);
    clsRegistry fresh(path());
    EXPECT_EQ(fresh.GetLong(kKey, QStringLiteral("MainY"), error), 2);
    EXPECT_EQ(error, 0);

    // A second damage in the same second keeps both damaged copies.
    writeFile(QByteArray(16, '\0'));
    fresh.CheckLong(kKey, QStringLiteral("MainY"));
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

TEST_F(RegistryTest, AReadOnlyFolderKeepsItsFile)
{
    {
        clsRegistry reg(path());
        reg.SetLong(kKey, QStringLiteral("MainX"), 1);
    }
    const QString folder = QFileInfo(path()).absolutePath();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(folder + QStringLiteral("/probe"));
    const bool rootCanWrite = probe.open(QIODevice::WriteOnly);
    probe.close();
    probe.remove();
    if (rootCanWrite) {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    clsRegistry reg(path());
    EXPECT_EQ(reg.SetLong(kKey, QStringLiteral("MainX"), 2), -1);
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("MainX"), error), 1);
    EXPECT_EQ(error, 0);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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

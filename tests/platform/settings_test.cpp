#include "platform/settings.h"

#include <QSet>
#include <QTemporaryDir>

#include "printers.h"

#include <gtest/gtest.h>

using namespace tintwell;
using namespace tintwell::modRegistry;

namespace {

const QString kKey = clsRegistry::settingsKey();

class SettingsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    clsRegistry reg{dir.path() + QStringLiteral("/Tintwell/settings.ini")};
};

} // namespace

TEST(SettingsTable, RowsAreUniqueTypedAndTheirDefaultsReadable)
{
    const auto table = settingsTable();
    ASSERT_EQ(table.size(), 27u);
    QSet<QString> names;
    for (const SettingInfo &row : table) {
        const QString name = QString::fromLatin1(row.name);
        EXPECT_FALSE(names.contains(name)) << row.name;
        names.insert(name);
        EXPECT_EQ(&settingInfo(row.id), &row);
        EXPECT_TRUE(row.type == clsRegistry::REG_SZ || row.type == clsRegistry::REG_DWORD
                    || row.type == clsRegistry::REG_BINARY)
            << row.name;
        if (row.type == clsRegistry::REG_DWORD && row.whenMissing == SettingDefault::Value) {
            EXPECT_TRUE(row.defaultValue >= row.minValue && row.defaultValue <= row.maxValue) << row.name;
        }
    }
    EXPECT_EQ(settingInfo(SettingId::CustomColors).type, clsRegistry::REG_BINARY);
    EXPECT_EQ(settingName(SettingId::LastColor), QStringLiteral("Last Color"));
}

TEST_F(SettingsTest, AnEmptyStoreGivesEveryDefault)
{
    for (const SettingInfo &row : settingsTable()) {
        if (row.type == clsRegistry::REG_DWORD) {
            EXPECT_EQ(GetSetting(reg, row.id), row.defaultValue) << row.name;
        } else {
            EXPECT_TRUE(GetText(reg, row.id).isEmpty()) << row.name;
        }
        if (row.boolean) {
            EXPECT_FALSE(GetFlag(reg, row.id)) << row.name;
        }
    }
    EXPECT_EQ(GetLastColor(reg), -1); // tells the main window this is the first run
    EXPECT_EQ(GetOnTop(reg), -1);
    EXPECT_TRUE(GetCustomColors(reg).isEmpty());
    EXPECT_TRUE(GetLastPath(reg).isEmpty());
    EXPECT_EQ(reg.writeCount(), 0); // reading alone creates nothing
}

// A hand-edited file may hold any type under any name: every reader falls
// back to its default instead of misreading the value.
TEST_F(SettingsTest, AValueOfTheWrongTypeReadsAsTheDefaultForEveryRow)
{
    for (const SettingInfo &row : settingsTable()) {
        const QString name = QString::fromLatin1(row.name);
        if (row.type == clsRegistry::REG_DWORD) {
            reg.SetString(kKey, name, QStringLiteral("12"));
            EXPECT_EQ(GetSetting(reg, row.id), row.defaultValue) << row.name;
            if (row.boolean) {
                EXPECT_FALSE(GetFlag(reg, row.id)) << row.name;
            }
            reg.SetBinary(kKey, name, QStringLiteral("\x01\x00\x00\x00"));
            EXPECT_EQ(GetSetting(reg, row.id), row.defaultValue) << row.name;
        } else {
            reg.SetLong(kKey, name, 42);
            EXPECT_TRUE(GetText(reg, row.id).isEmpty()) << row.name;
        }
    }
    EXPECT_EQ(GetLastColor(reg), -1);
    EXPECT_EQ(GetOnTop(reg), -1);
    EXPECT_TRUE(GetCustomColors(reg).isEmpty());
}

TEST_F(SettingsTest, EveryRowRoundTripsThroughItsWrappers)
{
    std::int32_t n = 1;
    for (const SettingInfo &row : settingsTable()) {
        ++n;
        if (row.type == clsRegistry::REG_DWORD) {
            const std::int32_t v = row.boolean ? 1 : std::clamp(n, row.minValue, row.maxValue);
            SetSetting(reg, row.id, v);
            EXPECT_EQ(GetSetting(reg, row.id), v) << row.name;
        } else if (row.type == clsRegistry::REG_SZ) {
            const QString v = QStringLiteral("/path/%1%2").arg(row.name).arg(n);
            SetText(reg, row.id, v);
            EXPECT_EQ(GetText(reg, row.id), v) << row.name;
        }
    }
    const QString blob = QString(63, QChar(0)) + QChar(0xFF);
    SetCustomColors(reg, blob);
    EXPECT_EQ(GetCustomColors(reg), blob);
    SetLastPalette(reg, QStringLiteral("/p/a.pal"));
    EXPECT_EQ(GetLastPalette(reg), QStringLiteral("/p/a.pal"));
    SetLastPath(reg, QStringLiteral("/p/a.pal%2"));
    EXPECT_EQ(GetLastPath(reg), QStringLiteral("/p/a.pal%2"));
    SetLastColor(reg, 0);
    EXPECT_EQ(GetLastColor(reg), 0); // black is a colour, not a missing value

    // Writers of one type never touch a row of another.
    SetText(reg, SettingId::Format, QStringLiteral("x"));
    SetSetting(reg, SettingId::LastPath, 3);
    std::int32_t error = 0;
    reg.GetString(kKey, QStringLiteral("Format"), error);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(GetLastPath(reg), QStringLiteral("/p/a.pal%2"));
}

TEST_F(SettingsTest, BooleansAreStoredAsOneOrZeroAndOnAboveZero)
{
    SetFlag(reg, SettingId::OnTop, true);
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("On Top"), error), 1);
    SetFlag(reg, SettingId::OnTop, false);
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("On Top"), error), 0);

    reg.SetLong(kKey, QStringLiteral("Click Copy"), 5);
    EXPECT_TRUE(GetFlag(reg, SettingId::ClickCopy));
    reg.SetLong(kKey, QStringLiteral("Click Copy"), -1); // a VB True written by hand
    EXPECT_FALSE(GetFlag(reg, SettingId::ClickCopy));
    reg.SetString(kKey, QStringLiteral("Auto Select"), QStringLiteral("1"));
    EXPECT_FALSE(GetFlag(reg, SettingId::AutoSelect));
    reg.SetLong(kKey, QStringLiteral("On Top"), 7);
    EXPECT_EQ(GetOnTop(reg), 7);
}

TEST_F(SettingsTest, ValuesOutsideTheirRangeGiveTheDefault)
{
    reg.SetLong(kKey, QStringLiteral("Format"), 6);
    EXPECT_EQ(GetSetting(reg, SettingId::Format), 6);
    reg.SetLong(kKey, QStringLiteral("Format"), 9);
    EXPECT_EQ(GetSetting(reg, SettingId::Format), 0);
    reg.SetLong(kKey, QStringLiteral("Sliders"), -1);
    EXPECT_EQ(GetSetting(reg, SettingId::Sliders), 0);
    reg.SetLong(kKey, QStringLiteral("Sliders"), 3);
    EXPECT_EQ(GetSetting(reg, SettingId::Sliders), 3);
    reg.SetLong(kKey, QStringLiteral("SplitterPos"), -20);
    EXPECT_EQ(GetSetting(reg, SettingId::SplitterPos), 0);

    // A colour with high bits set was not written by the program: white, but no first run.
    reg.SetLong(kKey, QStringLiteral("Last Color"), 0x01000000);
    EXPECT_EQ(GetLastColor(reg), kFirstRunColor);
    reg.SetLong(kKey, QStringLiteral("Last Color"), 0x00123456);
    EXPECT_EQ(GetLastColor(reg), 0x00123456);
}

TEST_F(SettingsTest, APositionIsMissingWhenEitherHalfIs)
{
    PositionRecord p{-5, -5};
    reg.SetLong(kKey, QStringLiteral("PaletteX"), 300);
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Palette, p), -1);
    EXPECT_EQ(p.X, 300);

    const PositionRecord restored =
        RestoreWindowPosition(reg, StoredWindow::Palette, QSize(19200, 14400), QSize(6000, 4001));
    EXPECT_EQ(restored, (PositionRecord{6600, 5200})); // 5199.5 to even
    PositionRecord stored;
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Palette, stored), 0);
    EXPECT_EQ(stored, restored); // both halves rewritten at once

    // The other windows keep their own names.
    SetWindowPosition(reg, StoredWindow::Script, {-1500, 30});
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Script, stored), 0);
    EXPECT_EQ(stored, (PositionRecord{-1500, 30}));
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Main, stored), -1);
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Advanced, stored), -1);
    EXPECT_EQ(RestoreWindowPosition(reg, StoredWindow::Script, QSize(1, 1), QSize(1, 1)),
              (PositionRecord{-1500, 30}));
}

TEST_F(SettingsTest, CentringRoundsHalvesToEven)
{
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(50, 51)), (PositionRecord{25, 24}));
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(97, 99)), (PositionRecord{2, 0}));
    // A window bigger than the screen goes above and left of it, rounded the same way.
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(103, 105)), (PositionRecord{-2, -2}));
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(101, 100)), (PositionRecord{0, 0}));
}

TEST_F(SettingsTest, ScriptSizeFallsBackToTheDesignedSize)
{
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{9000, 6000}));
    PositionRecord size;
    EXPECT_EQ(GetScriptSize(reg, size), 0);
    EXPECT_EQ(size, (PositionRecord{9000, 6000}));

    SetScriptSize(reg, {12000, 8000});
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{12000, 8000}));
    SetScriptSize(reg, {0, 8000}); // a window nobody could see
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{9000, 6000}));
}

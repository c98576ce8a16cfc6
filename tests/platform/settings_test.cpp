#include "platform/settings.h"

#include <QTemporaryDir>

#include "printers.h"

#include <gtest/gtest.h>

#include <iterator>

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

// The settings as the program's design lists them, written out here rather than
// taken from settingsTable(), so a wrong name, type or default in the table shows.
enum class Kind { Dword, Flag, Text, Bytes };
enum class Missing { Value, Centred, Designed, FirstRun };
struct Expected {
    SettingId id;
    const char *name;
    Kind kind;
    Missing missing;
    std::int32_t defaultValue; // Dword rows that fall back to a value
};

const Expected kSettings[] = {
    {SettingId::MainX, "MainX", Kind::Dword, Missing::Centred, 0},
    {SettingId::MainY, "MainY", Kind::Dword, Missing::Centred, 0},
    {SettingId::PaletteX, "PaletteX", Kind::Dword, Missing::Centred, 0},
    {SettingId::PaletteY, "PaletteY", Kind::Dword, Missing::Centred, 0},
    {SettingId::AdvancedX, "AdvancedX", Kind::Dword, Missing::Centred, 0},
    {SettingId::AdvancedY, "AdvancedY", Kind::Dword, Missing::Centred, 0},
    {SettingId::ScriptX, "ScriptX", Kind::Dword, Missing::Centred, 0},
    {SettingId::ScriptY, "ScriptY", Kind::Dword, Missing::Centred, 0},
    {SettingId::ScriptSizeX, "ScriptSizeX", Kind::Dword, Missing::Designed, 0},
    {SettingId::ScriptSizeY, "ScriptSizeY", Kind::Dword, Missing::Designed, 0},
    {SettingId::ScriptMax, "ScriptMax", Kind::Flag, Missing::Value, 0},      // not maximized
    {SettingId::SplitterPos, "SplitterPos", Kind::Dword, Missing::Value, 0}, // designed position kept
    {SettingId::HideDebug, "HideDebug", Kind::Flag, Missing::Value, 0},      // debug pane shown
    {SettingId::LastScriptPath, "LastScriptPath", Kind::Text, Missing::Value, 0},
    {SettingId::LastPath, "Last Path", Kind::Text, Missing::Value, 0},
    {SettingId::LastPalette, "Last Palette", Kind::Text, Missing::Value, 0},
    {SettingId::LastColor, "Last Color", Kind::Dword, Missing::FirstRun, 16777215},
    {SettingId::OnTop, "On Top", Kind::Flag, Missing::Value, 0},
    {SettingId::CustomColors, "Custom Colors", Kind::Bytes, Missing::Value, 0},
    {SettingId::Format, "Format", Kind::Dword, Missing::Value, 0},
    {SettingId::Sliders, "Sliders", Kind::Dword, Missing::Value, 0},
    {SettingId::ClickCopy, "Click Copy", Kind::Flag, Missing::Value, 0},
    {SettingId::LowercaseHex, "Lowercase Hex", Kind::Flag, Missing::Value, 0},
    {SettingId::ExtraHexZeros, "Extra Hex Zeros", Kind::Flag, Missing::Value, 0},
    {SettingId::OldSliders, "Old Sliders", Kind::Flag, Missing::Value, 0},
    {SettingId::AutoSelect, "Auto Select", Kind::Flag, Missing::Value, 0},
    {SettingId::AutoIncrement, "Auto Increment", Kind::Flag, Missing::Value, 0},
};

std::int32_t storeType(Kind kind)
{
    switch (kind) {
    case Kind::Text: return clsRegistry::REG_SZ;
    case Kind::Bytes: return clsRegistry::REG_BINARY;
    default: return clsRegistry::REG_DWORD;
    }
}

} // namespace

// Written by hand under the names above, read through the wrappers: the value
// comes back; missing or of another type, the default does.
TEST_F(SettingsTest, EverySettingHasItsNameTypeAndDefault)
{
    ASSERT_EQ(settingsTable().size(), std::size(kSettings));
    std::int32_t n = 1;
    for (const Expected &e : kSettings) {
        SCOPED_TRACE(e.name);
        const QString name = QString::fromLatin1(e.name);
        EXPECT_EQ(settingName(e.id), name);
        EXPECT_EQ(settingInfo(e.id).type, storeType(e.kind));
        EXPECT_EQ(settingInfo(e.id).boolean, e.kind == Kind::Flag);
        ++n;
        switch (e.kind) {
        case Kind::Flag:
            EXPECT_FALSE(GetFlag(reg, e.id));
            reg.SetLong(kKey, name, 1);
            EXPECT_TRUE(GetFlag(reg, e.id));
            reg.SetString(kKey, name, QStringLiteral("1"));
            EXPECT_FALSE(GetFlag(reg, e.id));
            break;
        case Kind::Dword: {
            const bool hasDefault = e.missing == Missing::Value;
            if (hasDefault) {
                EXPECT_EQ(GetSetting(reg, e.id), e.defaultValue);
            }
            const std::int32_t v = 1 + n % 3; // inside every row's range
            reg.SetLong(kKey, name, v);
            EXPECT_EQ(GetSetting(reg, e.id), v);
            reg.SetBinary(kKey, name, QStringLiteral("\x01\x00\x00\x00"));
            if (hasDefault) {
                EXPECT_EQ(GetSetting(reg, e.id), e.defaultValue);
            }
            break;
        }
        case Kind::Text:
            EXPECT_TRUE(GetText(reg, e.id).isEmpty());
            reg.SetString(kKey, name, QStringLiteral("/p/%1").arg(n));
            EXPECT_EQ(GetText(reg, e.id), QStringLiteral("/p/%1").arg(n));
            reg.SetLong(kKey, name, 42);
            EXPECT_TRUE(GetText(reg, e.id).isEmpty());
            break;
        case Kind::Bytes:
            EXPECT_TRUE(GetCustomColors(reg).isEmpty());
            reg.SetBinary(kKey, name, QStringLiteral("\x01\x02"));
            EXPECT_EQ(GetCustomColors(reg), QStringLiteral("\x01\x02"));
            reg.SetLong(kKey, name, 42);
            EXPECT_TRUE(GetCustomColors(reg).isEmpty());
            break;
        }
    }
}

TEST_F(SettingsTest, AnEmptyStoreMeansAFirstRunAndCreatesNothing)
{
    EXPECT_EQ(GetLastColor(reg), -1); // tells the main window this is the first run
    EXPECT_EQ(GetSetting(reg, SettingId::LastColor), 16777215);
    EXPECT_EQ(GetOnTop(reg), -1);
    EXPECT_EQ(reg.writeCount(), 0); // reading alone creates nothing

    SetLastColor(reg, 0);
    EXPECT_EQ(GetLastColor(reg), 0); // black is a colour, not a missing value
    // A colour with high bits set was not written by the program: white, but no first run.
    reg.SetLong(kKey, QStringLiteral("Last Color"), 0x01000000);
    EXPECT_EQ(GetLastColor(reg), kFirstRunColor);
}

TEST_F(SettingsTest, WrappersWriteOnlyTheirOwnType)
{
    const QString blob = QString(63, QChar(0)) + QChar(0xFF);
    SetCustomColors(reg, blob);
    EXPECT_EQ(GetCustomColors(reg), blob);
    SetLastPath(reg, QStringLiteral("/p/a.pal%2"));
    SetText(reg, SettingId::Format, QStringLiteral("x"));
    SetSetting(reg, SettingId::LastPath, 3);
    EXPECT_EQ(reg.CheckString(kKey, QStringLiteral("Format")), -1);
    EXPECT_EQ(GetLastPath(reg), QStringLiteral("/p/a.pal%2"));

    // Booleans are stored as 1 or 0 and read as on above zero.
    SetFlag(reg, SettingId::OnTop, true);
    std::int32_t error = 0;
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("On Top"), error), 1);
    SetFlag(reg, SettingId::OnTop, false);
    EXPECT_EQ(reg.GetLong(kKey, QStringLiteral("On Top"), error), 0);
    reg.SetLong(kKey, QStringLiteral("Click Copy"), -1); // a VB True written by hand
    EXPECT_FALSE(GetFlag(reg, SettingId::ClickCopy));
}

TEST_F(SettingsTest, ValuesOutsideTheirRangeGiveTheDefault)
{
    const std::tuple<const char *, SettingId, std::int32_t, std::int32_t> cases[] = {
        {"Format", SettingId::Format, 6, 6},   {"Format", SettingId::Format, 9, 0},
        {"Sliders", SettingId::Sliders, 3, 3}, {"Sliders", SettingId::Sliders, -1, 0},
        {"SplitterPos", SettingId::SplitterPos, -20, 0}};
    for (const auto &[name, id, stored, read] : cases) {
        reg.SetLong(kKey, QString::fromLatin1(name), stored);
        EXPECT_EQ(GetSetting(reg, id), read) << name << " " << stored;
    }
}

TEST_F(SettingsTest, WindowPlacesAndSizes)
{
    PositionRecord p{-5, -5};
    reg.SetLong(kKey, QStringLiteral("PaletteX"), 300);
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Palette, p), -1) << "missing when either half is";
    const PositionRecord restored =
        RestoreWindowPosition(reg, StoredWindow::Palette, QSize(19200, 14400), QSize(6000, 4001));
    EXPECT_EQ(restored, (PositionRecord{6600, 5200})); // 5199.5 to even
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Palette, p), 0);
    EXPECT_EQ(p, restored); // both halves rewritten at once
    SetWindowPosition(reg, StoredWindow::Script, {-1500, 30});
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Main, p), -1);
    EXPECT_EQ(RestoreWindowPosition(reg, StoredWindow::Script, QSize(1, 1), QSize(1, 1)), (PositionRecord{-1500, 30}));

    // Centring rounds halves to even, also above and left of a too small screen.
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(50, 51)), (PositionRecord{25, 24}));
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(97, 99)), (PositionRecord{2, 0}));
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(103, 105)), (PositionRecord{-2, -2}));

    // The script window's size falls back to the designed one.
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{9000, 6000}));
    EXPECT_EQ(GetScriptSize(reg, p), 0);
    SetScriptSize(reg, {12000, 8000});
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{12000, 8000}));
    SetScriptSize(reg, {0, 8000}); // a window nobody could see
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{9000, 6000}));
}

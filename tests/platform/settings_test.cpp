#include "platform/settings.h"

#include <QTemporaryDir>
#include <QVariant>

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
    clsRegistry reg{dir.path() + "/Tintwell/settings.ini"};
};

// The settings as the program's design lists them, written out here rather than
// taken from settingsTable(), so a wrong name, type or default in the table shows.
// No default: a missing position is centred, a missing script size the designed one.
enum Kind { Dword, Flag, Text, Bytes };
struct Expected {
    SettingId id;
    const char *name;
    Kind kind;
    QVariant missing;
};

const Expected kSettings[] = {
    {SettingId::MainX, "MainX", Dword, {}},           {SettingId::MainY, "MainY", Dword, {}},
    {SettingId::PaletteX, "PaletteX", Dword, {}},     {SettingId::PaletteY, "PaletteY", Dword, {}},
    {SettingId::AdvancedX, "AdvancedX", Dword, {}},   {SettingId::AdvancedY, "AdvancedY", Dword, {}},
    {SettingId::ScriptX, "ScriptX", Dword, {}},       {SettingId::ScriptY, "ScriptY", Dword, {}},
    {SettingId::ScriptSizeX, "ScriptSizeX", Dword, {}}, {SettingId::ScriptSizeY, "ScriptSizeY", Dword, {}},
    {SettingId::ScriptMax, "ScriptMax", Flag, false},  // not maximized
    {SettingId::SplitterPos, "SplitterPos", Dword, 0}, // designed position kept
    {SettingId::HideDebug, "HideDebug", Flag, false},  // debug pane shown
    {SettingId::LastScriptPath, "LastScriptPath", Text, ""},
    {SettingId::LastPath, "Last Path", Text, ""},
    {SettingId::LastPalette, "Last Palette", Text, ""},
    {SettingId::LastColor, "Last Color", Dword, 16777215},
    {SettingId::OnTop, "On Top", Flag, false},
    {SettingId::CustomColors, "Custom Colors", Bytes, ""},
    {SettingId::Format, "Format", Dword, 0},
    {SettingId::Sliders, "Sliders", Dword, 0},
    {SettingId::ClickCopy, "Click Copy", Flag, false},     {SettingId::LowercaseHex, "Lowercase Hex", Flag, false},
    {SettingId::ExtraHexZeros, "Extra Hex Zeros", Flag, false}, {SettingId::OldSliders, "Old Sliders", Flag, false},
    {SettingId::AutoSelect, "Auto Select", Flag, false},   {SettingId::AutoIncrement, "Auto Increment", Flag, false},
};

} // namespace

// Written by hand under the names above, read through the wrappers: the value
// comes back; missing or of another type, the default does.
TEST_F(SettingsTest, EverySettingHasItsNameTypeAndDefault)
{
    ASSERT_EQ(settingsTable().size(), std::size(kSettings));
    const auto read = [&](const Expected &e) {
        switch (e.kind) {
        case Flag: return QVariant(GetFlag(reg, e.id));
        case Dword: return QVariant(GetSetting(reg, e.id));
        case Text: return QVariant(GetText(reg, e.id));
        default: return QVariant(GetCustomColors(reg));
        }
    };
    for (const Expected &e : kSettings) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(settingName(e.id), e.name);
        EXPECT_EQ(settingInfo(e.id).type, e.kind == Text    ? clsRegistry::REG_SZ
                                          : e.kind == Bytes ? clsRegistry::REG_BINARY
                                                            : clsRegistry::REG_DWORD);
        EXPECT_EQ(settingInfo(e.id).boolean, e.kind == Flag);
        const QVariant missing = read(e);
        if (e.missing.isValid()) {
            EXPECT_EQ(missing, e.missing);
        }
        const QVariant stored = e.kind == Flag ? QVariant(true) : e.kind == Dword ? QVariant(2) : QVariant("\x01/p");
        if (e.kind == Text)
            reg.SetString(kKey, e.name, stored.toString());
        else if (e.kind == Bytes)
            reg.SetBinary(kKey, e.name, stored.toString());
        else
            reg.SetLong(kKey, e.name, stored.toInt()); // inside every row's range
        EXPECT_EQ(read(e), stored);
        (e.kind == Text || e.kind == Bytes) ? reg.SetLong(kKey, e.name, 42) : reg.SetString(kKey, e.name, "1");
        EXPECT_EQ(read(e), missing) << "a value of another type";
    }
}

TEST_F(SettingsTest, FirstRunBooleansAndRanges)
{
    EXPECT_EQ(GetLastColor(reg), -1); // tells the main window this is the first run
    EXPECT_EQ(GetOnTop(reg), -1);
    EXPECT_EQ(reg.writeCount(), 0) << "reading alone creates nothing";
    SetLastColor(reg, 0);
    EXPECT_EQ(GetLastColor(reg), 0); // black is a colour, not a missing value
    reg.SetLong(kKey, "Last Color", 0x01000000); // not written by the program: white, but no first run
    EXPECT_EQ(GetLastColor(reg), kFirstRunColor);

    std::int32_t error = 0; // booleans are stored as 1 or 0 and read as on above zero
    SetFlag(reg, SettingId::OnTop, true);
    EXPECT_EQ(reg.GetLong(kKey, "On Top", error), 1);
    SetFlag(reg, SettingId::OnTop, false);
    EXPECT_EQ(reg.GetLong(kKey, "On Top", error), 0);
    reg.SetLong(kKey, "Click Copy", -1); // a VB True written by hand
    EXPECT_FALSE(GetFlag(reg, SettingId::ClickCopy));

    const std::tuple<const char *, SettingId, std::int32_t, std::int32_t> ranges[] = {
        {"Format", SettingId::Format, 6, 6},   {"Format", SettingId::Format, 9, 0},
        {"Sliders", SettingId::Sliders, 3, 3}, {"Sliders", SettingId::Sliders, -1, 0},
        {"SplitterPos", SettingId::SplitterPos, -20, 0}};
    for (const auto &[name, id, stored, read] : ranges) {
        reg.SetLong(kKey, name, stored);
        EXPECT_EQ(GetSetting(reg, id), read) << name << " " << stored;
    }
}

TEST_F(SettingsTest, WindowPlacesAndSizes)
{
    PositionRecord p{-5, -5};
    reg.SetLong(kKey, "PaletteX", 300);
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Palette, p), -1) << "missing when either half is";
    const PositionRecord centred =
        RestoreWindowPosition(reg, StoredWindow::Palette, QSize(19200, 14400), QSize(6000, 4001));
    EXPECT_EQ(centred, (PositionRecord{6600, 5200})); // 5199.5 to even
    EXPECT_EQ(GetWindowPosition(reg, StoredWindow::Palette, p), 0);
    EXPECT_EQ(p, centred); // both halves rewritten at once
    EXPECT_EQ(CentredPosition(QSize(100, 100), QSize(103, 105)), (PositionRecord{-2, -2}));
    // The script window's size falls back to the designed one.
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{9000, 6000}));
    SetScriptSize(reg, {0, 8000}); // a window nobody could see
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{9000, 6000}));
    SetScriptSize(reg, {12000, 8000});
    EXPECT_EQ(RestoreScriptSize(reg, QSize(9000, 6000)), (PositionRecord{12000, 8000}));
}

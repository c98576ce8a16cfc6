#include "platform/settings.h"

#include <array>
#include <limits>

namespace tintwell {

namespace {

constexpr std::int32_t kSz = clsRegistry::REG_SZ;
constexpr std::int32_t kBin = clsRegistry::REG_BINARY;
constexpr std::int32_t kDword = clsRegistry::REG_DWORD;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

using D = SettingDefault;

constexpr SettingInfo row(SettingId id, const char *name, D whenMissing, std::int32_t min = kMin,
                          std::int32_t max = kMax)
{
    return {id, name, kDword, whenMissing, 0, false, min, max};
}
constexpr SettingInfo flag(SettingId id, const char *name)
{
    return {id, name, kDword, D::Value, 0, true, kMin, kMax};
}
constexpr SettingInfo text(SettingId id, const char *name, std::int32_t type = kSz)
{
    return {id, name, type, D::Value, 0, false, 0, 0};
}

// Positions may be negative (a window on a monitor left of the primary one);
// sizes must be positive to be of any use. The colour is a plain 0x00BBGGRR
// value: anything with bits above 24 set was not written by this program.
constexpr std::array<SettingInfo, 27> kTable{{
    row(SettingId::MainX, "MainX", D::Centred),
    row(SettingId::MainY, "MainY", D::Centred),
    row(SettingId::PaletteX, "PaletteX", D::Centred),
    row(SettingId::PaletteY, "PaletteY", D::Centred),
    row(SettingId::AdvancedX, "AdvancedX", D::Centred),
    row(SettingId::AdvancedY, "AdvancedY", D::Centred),
    row(SettingId::ScriptX, "ScriptX", D::Centred),
    row(SettingId::ScriptY, "ScriptY", D::Centred),
    row(SettingId::ScriptSizeX, "ScriptSizeX", D::Designed, 1),
    row(SettingId::ScriptSizeY, "ScriptSizeY", D::Designed, 1),
    flag(SettingId::ScriptMax, "ScriptMax"),
    row(SettingId::SplitterPos, "SplitterPos", D::Value, 0),
    flag(SettingId::HideDebug, "HideDebug"),
    text(SettingId::LastScriptPath, "LastScriptPath"),
    text(SettingId::LastPath, "Last Path"),
    text(SettingId::LastPalette, "Last Palette"),
    {SettingId::LastColor, "Last Color", kDword, D::FirstRun, kFirstRunColor, false, 0, 0xFFFFFF},
    flag(SettingId::OnTop, "On Top"),
    text(SettingId::CustomColors, "Custom Colors", kBin),
    row(SettingId::Format, "Format", D::Value, 0, 8),
    row(SettingId::Sliders, "Sliders", D::Value, 0, 3),
    flag(SettingId::ClickCopy, "Click Copy"),
    flag(SettingId::LowercaseHex, "Lowercase Hex"),
    flag(SettingId::ExtraHexZeros, "Extra Hex Zeros"),
    flag(SettingId::OldSliders, "Old Sliders"),
    flag(SettingId::AutoSelect, "Auto Select"),
    flag(SettingId::AutoIncrement, "Auto Increment"),
}};

constexpr bool tableInIdOrder()
{
    for (std::size_t i = 0; i < kTable.size(); ++i)
        if (std::size_t(kTable[i].id) != i)
            return false;
    return true;
}
static_assert(tableInIdOrder(), "settings table rows must follow SettingId");

QString key()
{
    return clsRegistry::settingsKey();
}

struct PairNames {
    SettingId x;
    SettingId y;
};

PairNames positionNames(modRegistry::StoredWindow window)
{
    using W = modRegistry::StoredWindow;
    switch (window) {
    case W::Main: return {SettingId::MainX, SettingId::MainY};
    case W::Palette: return {SettingId::PaletteX, SettingId::PaletteY};
    case W::Advanced: return {SettingId::AdvancedX, SettingId::AdvancedY};
    case W::Script: return {SettingId::ScriptX, SettingId::ScriptY};
    }
    return {SettingId::MainX, SettingId::MainY};
}

// Reads X then Y and stops at the first one that fails, as the window loaders
// always have.
std::int32_t getPair(clsRegistry &reg, PairNames names, modRegistry::PositionRecord &out)
{
    std::int32_t error = 0;
    const std::int32_t x = reg.GetLong(key(), settingName(names.x), error);
    if (error != 0)
        return -1;
    out.X = x;
    const std::int32_t y = reg.GetLong(key(), settingName(names.y), error);
    if (error != 0)
        return -1;
    out.Y = y;
    return 0;
}

void setPair(clsRegistry &reg, PairNames names, const modRegistry::PositionRecord &value)
{
    reg.SetLong(key(), settingName(names.x), value.X);
    reg.SetLong(key(), settingName(names.y), value.Y);
}

bool inRange(const SettingInfo &info, std::int32_t v)
{
    return v >= info.minValue && v <= info.maxValue;
}

std::int32_t halfEven(std::int64_t twice)
{
    // twice / 2 with ties to even. Division truncates toward zero, so an odd
    // input lies halfway between q and its neighbour away from zero.
    const std::int64_t q = twice / 2;
    if (twice % 2 == 0 || q % 2 == 0)
        return std::int32_t(q);
    return std::int32_t(twice > 0 ? q + 1 : q - 1);
}

} // namespace

std::span<const SettingInfo> settingsTable()
{
    return kTable;
}

const SettingInfo &settingInfo(SettingId id)
{
    return kTable[std::size_t(id)];
}

QString settingName(SettingId id)
{
    return QString::fromLatin1(settingInfo(id).name);
}

namespace modRegistry {

std::int32_t GetWindowPosition(clsRegistry &reg, StoredWindow window, PositionRecord &Position)
{
    return getPair(reg, positionNames(window), Position);
}

void SetWindowPosition(clsRegistry &reg, StoredWindow window, const PositionRecord &Position)
{
    setPair(reg, positionNames(window), Position);
}

std::int32_t GetScriptSize(clsRegistry &reg, PositionRecord &Size)
{
    return getPair(reg, {SettingId::ScriptSizeX, SettingId::ScriptSizeY}, Size);
}

void SetScriptSize(clsRegistry &reg, const PositionRecord &Size)
{
    setPair(reg, {SettingId::ScriptSizeX, SettingId::ScriptSizeY}, Size);
}

PositionRecord CentredPosition(QSize screenTwips, QSize windowTwips)
{
    return {halfEven(std::int64_t(screenTwips.width()) - windowTwips.width()),
            halfEven(std::int64_t(screenTwips.height()) - windowTwips.height())};
}

PositionRecord RestoreWindowPosition(clsRegistry &reg, StoredWindow window, QSize screenTwips,
                                     QSize windowTwips)
{
    PositionRecord position;
    if (GetWindowPosition(reg, window, position) == 0)
        return position;
    position = CentredPosition(screenTwips, windowTwips);
    SetWindowPosition(reg, window, position);
    return position;
}

PositionRecord RestoreScriptSize(clsRegistry &reg, QSize designedTwips)
{
    PositionRecord size;
    const SettingInfo &w = settingInfo(SettingId::ScriptSizeX);
    const SettingInfo &h = settingInfo(SettingId::ScriptSizeY);
    // A zero or negative size would leave a window nobody can find or grab.
    if (GetScriptSize(reg, size) == 0 && inRange(w, size.X) && inRange(h, size.Y))
        return size;
    size = {designedTwips.width(), designedTwips.height()};
    SetScriptSize(reg, size);
    return size;
}

std::int32_t GetLastColor(clsRegistry &reg)
{
    std::int32_t error = 0;
    const std::int32_t color = reg.GetLong(key(), settingName(SettingId::LastColor), error);
    if (error != 0)
        return -1;
    // Present but not a colour this program stores: not a first run, so the
    // terms window stays closed, and the colour starts white.
    return inRange(settingInfo(SettingId::LastColor), color) ? color : kFirstRunColor;
}

void SetLastColor(clsRegistry &reg, std::int32_t Color)
{
    reg.SetLong(key(), settingName(SettingId::LastColor), Color);
}

std::int32_t GetOnTop(clsRegistry &reg)
{
    std::int32_t error = 0;
    const std::int32_t v = reg.GetLong(key(), settingName(SettingId::OnTop), error);
    return error != 0 ? -1 : v;
}

QString GetLastPath(clsRegistry &reg)
{
    return GetText(reg, SettingId::LastPath);
}

void SetLastPath(clsRegistry &reg, const QString &Path)
{
    SetText(reg, SettingId::LastPath, Path);
}

QString GetLastPalette(clsRegistry &reg)
{
    return GetText(reg, SettingId::LastPalette);
}

void SetLastPalette(clsRegistry &reg, const QString &Path)
{
    SetText(reg, SettingId::LastPalette, Path);
}

QString GetCustomColors(clsRegistry &reg)
{
    std::int32_t error = 0;
    const QString bytes = reg.GetBinary(key(), settingName(SettingId::CustomColors), error);
    return error != 0 ? QString() : bytes;
}

void SetCustomColors(clsRegistry &reg, const QString &Bytes)
{
    reg.SetBinary(key(), settingName(SettingId::CustomColors), Bytes);
}

std::int32_t GetSetting(clsRegistry &reg, SettingId id)
{
    const SettingInfo &info = settingInfo(id);
    if (info.type != clsRegistry::REG_DWORD)
        return info.defaultValue;
    std::int32_t error = 0;
    const std::int32_t v = reg.GetLong(key(), settingName(id), error);
    return error == 0 && inRange(info, v) ? v : info.defaultValue;
}

void SetSetting(clsRegistry &reg, SettingId id, std::int32_t Value)
{
    if (settingInfo(id).type == clsRegistry::REG_DWORD)
        reg.SetLong(key(), settingName(id), Value);
}

bool GetFlag(clsRegistry &reg, SettingId id)
{
    return GetSetting(reg, id) > 0;
}

void SetFlag(clsRegistry &reg, SettingId id, bool On)
{
    SetSetting(reg, id, On ? 1 : 0);
}

QString GetText(clsRegistry &reg, SettingId id)
{
    if (settingInfo(id).type != clsRegistry::REG_SZ)
        return QString();
    std::int32_t error = 0;
    const QString s = reg.GetString(key(), settingName(id), error);
    return error != 0 ? QString() : s;
}

void SetText(clsRegistry &reg, SettingId id, const QString &Text)
{
    if (settingInfo(id).type == clsRegistry::REG_SZ)
        reg.SetString(key(), settingName(id), Text);
}

} // namespace modRegistry
} // namespace tintwell

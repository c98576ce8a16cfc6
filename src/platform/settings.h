#pragma once
// Every setting the program keeps, in one table, and the typed wrappers the
// windows read and write them through. All of them live in the one key
// clsRegistry::settingsKey(); positions and sizes are in twips.
//
// Reads never fail visibly: a value that is missing, of another type or out of
// its range gives the default below, and the caller goes on.

#include "platform/registry.h"

#include <QSize>
#include <QString>
#include <cstdint>
#include <span>

namespace tintwell {

enum class SettingId {
    MainX, MainY,
    PaletteX, PaletteY,
    AdvancedX, AdvancedY,
    ScriptX, ScriptY,
    ScriptSizeX, ScriptSizeY,
    ScriptMax,
    SplitterPos,
    HideDebug,
    LastScriptPath,
    LastPath,
    LastPalette,
    LastColor,
    OnTop,
    CustomColors,
    Format,
    Sliders,
    ClickCopy,
    LowercaseHex,
    ExtraHexZeros,
    OldSliders,
    AutoSelect,
    AutoIncrement,
};

// What a missing value means to its reader.
enum class SettingDefault {
    Value,      // defaultValue below (0 or empty for strings and bytes)
    Centred,    // a window position: centre the window and store that position
    Designed,   // the script editor's size: the window's designed size, stored
    FirstRun,   // "Last Color": the first run of the program
};

struct SettingInfo {
    SettingId id;
    const char *name;           // the value name in the store
    std::int32_t type;          // clsRegistry::REG_SZ, REG_BINARY or REG_DWORD
    SettingDefault whenMissing;
    std::int32_t defaultValue;  // DWORD settings only
    bool boolean;               // stored 1/0, read as on when above 0
    std::int32_t minValue;      // DWORD range the readers accept; outside it
    std::int32_t maxValue;      // the default is used
};

std::span<const SettingInfo> settingsTable(); // in SettingId order, 27 rows
const SettingInfo &settingInfo(SettingId id);
QString settingName(SettingId id);

// Colour value stored on the first run (white).
inline constexpr std::int32_t kFirstRunColor = 16777215;

namespace modRegistry {

struct PositionRecord {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const PositionRecord &, const PositionRecord &) = default;
};

enum class StoredWindow { Main, Palette, Advanced, Script };

// Reads X then Y; -1 as soon as one of them is missing (Position keeps what was
// read so far), 0 when both were read.
std::int32_t GetWindowPosition(clsRegistry &reg, StoredWindow window, PositionRecord &Position);
void SetWindowPosition(clsRegistry &reg, StoredWindow window, const PositionRecord &Position);

// The script editor's normal size, "ScriptSizeX" and "ScriptSizeY"; same rules.
std::int32_t GetScriptSize(clsRegistry &reg, PositionRecord &Size);
void SetScriptSize(clsRegistry &reg, const PositionRecord &Size);

// (screen - window) / 2 on each axis, rounded half to even.
PositionRecord CentredPosition(QSize screenTwips, QSize windowTwips);

// What a window does when it loads: the stored position, or, when either half
// is missing, the centred one, which is then stored at once.
PositionRecord RestoreWindowPosition(clsRegistry &reg, StoredWindow window, QSize screenTwips,
                                     QSize windowTwips);
// The same for the script editor's size: the stored size or the designed one,
// stored at once.
PositionRecord RestoreScriptSize(clsRegistry &reg, QSize designedTwips);

// "Last Color" and "On Top": the stored value, or -1 when the read fails.
std::int32_t GetLastColor(clsRegistry &reg);
void SetLastColor(clsRegistry &reg, std::int32_t Color);
std::int32_t GetOnTop(clsRegistry &reg);

// "Last Path", "Last Palette": the stored text, empty when missing.
QString GetLastPath(clsRegistry &reg);
void SetLastPath(clsRegistry &reg, const QString &Path);
QString GetLastPalette(clsRegistry &reg);
void SetLastPalette(clsRegistry &reg, const QString &Path);

// "Custom Colors": the stored bytes as characters, empty when the read fails.
QString GetCustomColors(clsRegistry &reg);
void SetCustomColors(clsRegistry &reg, const QString &Bytes);

// Any DWORD setting: the stored value when present and inside the row's range,
// otherwise the row's default.
std::int32_t GetSetting(clsRegistry &reg, SettingId id);
void SetSetting(clsRegistry &reg, SettingId id, std::int32_t Value);

// Boolean settings: on when the stored value is above 0; written as 1 or 0.
bool GetFlag(clsRegistry &reg, SettingId id);
void SetFlag(clsRegistry &reg, SettingId id, bool On);

// Any string setting; empty when missing.
QString GetText(clsRegistry &reg, SettingId id);
void SetText(clsRegistry &reg, SettingId id, const QString &Text);

} // namespace modRegistry
} // namespace tintwell

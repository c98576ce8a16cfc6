#pragma once
// The text form of the settings file. Kept apart from clsRegistry so the format
// can be tested without touching the disk.
//
// One key per section, one value per line, sorted, so the file diffs cleanly:
//
//   [Software\Veskor Software\Tintwell]
//   "Last Color" = dword:16777215
//   "Last Path" = sz:"/home/ann/palettes/web.pal%0"
//   "Custom Colors" = hex:ff,ff,ff,00,...
//
// Names and string data are quoted; backslash escapes (\\ \" \0 \n \r \t \xHH \uHHHH)
// keep NULs, line breaks and other control characters intact.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

namespace tintwell {

// The three value kinds of the store: string, 32-bit integer, bytes.
using SettingValue = std::variant<QString, std::int32_t, QByteArray>;
using SettingsKey = QMap<QString, SettingValue>;         // value name -> value
using SettingsData = QMap<QString, SettingsKey>;         // key path -> values

struct SettingsParseResult {
    std::optional<SettingsData> data; // empty when the text is damaged
    int errorLine = 0;                // 1-based line of the first fault
    QString error;                    // what was wrong there
};

SettingsParseResult parseSettingsText(const QByteArray &text);
QByteArray serializeSettings(const SettingsData &data);

// True when a key path can be written as a section header.
bool isValidKeyPath(const QString &keyPath);

} // namespace tintwell

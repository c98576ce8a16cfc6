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
//
// A line that cannot be read (a typo, a torn last line, bytes that are not UTF-8)
// is skipped and reported; a header line that cannot be read leaves the values
// under it without a key, so they are skipped too rather than filed under the
// key before it.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <cstdint>
#include <variant>

namespace tintwell {

// The three value kinds of the store: string, 32-bit integer, bytes.
using SettingValue = std::variant<QString, std::int32_t, QByteArray>;
using SettingsKey = QMap<QString, SettingValue>;         // value name -> value
using SettingsData = QMap<QString, SettingsKey>;         // key path -> values

// A line that could not be read. It costs only its own value: the reader
// skips it and goes on, so one bad line never loses the rest of the file.
struct SettingsFault {
    int line = 0;  // 1-based
    QString error; // what was wrong there
};

struct SettingsParseResult {
    SettingsData data;            // every value of the lines that could be read
    QList<SettingsFault> faults;  // the first kMaxFaults faulty lines, in order
    int faultCount = 0;           // all of them

    static constexpr int kMaxFaults = 100;
    bool damaged() const { return faultCount > 0; }
};

SettingsParseResult parseSettingsText(const QByteArray &text);
QByteArray serializeSettings(const SettingsData &data);

// True when a key path can be written as a section header.
bool isValidKeyPath(const QString &keyPath);

} // namespace tintwell

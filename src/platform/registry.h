#pragma once
// The settings store: named, typed values (string, 32-bit integer, bytes) under
// key paths, kept in one human-readable file. The operations keep the argument
// order and the Error convention of the original store (0 success, -1 failure),
// minus the root handle, access mask and creation option: those meant something
// only to the Windows registry, and every caller passed the same constants.
//
// Strings and binary data travel as QString. Binary data is "bytes as
// characters": character i carries byte i (0-255). Strings keep any character;
// the store does not squeeze them into one code page, so a path with characters
// outside Latin-1 comes back as it went in.
//
// Writes return 0 or -1 like the reads. Callers may ignore it: a lost write is
// not the user's problem (the program goes on with what it has), but it is said
// once on stderr so a read-only config folder does not go unnoticed.
//
// A line of the file that cannot be read costs only its own value, which reads
// as missing. The next write rewrites the file whole; the damaged original is
// first kept once beside it, as settings.ini.damaged-<date>-<time>.
//
// Every operation looks at the file again, so two instances (or two running
// programs) see each other's writes. The parsed file is cached and reused while
// the bytes on disk are unchanged; a write that would not change the value does
// not touch the disk.

#include "platform/settingsfile.h"

#include <QString>
#include <QVariant>
#include <cstdint>

namespace tintwell {

class clsRegistry
{
public:
    // Value types, numbered as the program has always numbered them.
    static constexpr std::int32_t REG_SZ = 1;
    static constexpr std::int32_t REG_BINARY = 3;
    static constexpr std::int32_t REG_DWORD = 4;

    // The program's one key.
    static QString settingsKey() { return QStringLiteral("Software\\Veskor Software\\Tintwell"); }
    // $XDG_CONFIG_HOME/Tintwell/settings.ini
    static QString defaultFilePath();

    // Empty filePath means defaultFilePath(), looked up now.
    explicit clsRegistry(const QString &filePath = QString());

    QString filePath() const { return m_path; }

    QString GetString(const QString &KeyPath, const QString &KeyName, std::int32_t &Error);
    std::int32_t SetString(const QString &KeyPath, const QString &KeyName, const QString &Value);
    std::int32_t CheckString(const QString &KeyPath, const QString &KeyName);

    std::int32_t GetLong(const QString &KeyPath, const QString &KeyName, std::int32_t &Error);
    std::int32_t SetLong(const QString &KeyPath, const QString &KeyName, std::int32_t Value);
    std::int32_t CheckLong(const QString &KeyPath, const QString &KeyName);

    QString GetBinary(const QString &KeyPath, const QString &KeyName, std::int32_t &Error);
    std::int32_t SetBinary(const QString &KeyPath, const QString &KeyName, const QString &Value);
    std::int32_t CheckBinary(const QString &KeyPath, const QString &KeyName);

    // QVariant holding QString (types 1 and 3) or int (type 4); ValueDataType is
    // left alone on failure.
    QVariant GetUnknown(const QString &KeyPath, const QString &KeyName,
                        std::int32_t &ValueDataType, std::int32_t &Error);
    std::int32_t CheckUnknown(const QString &KeyPath, const QString &KeyName);

    std::int32_t DeleteKey(const QString &KeyPath);
    std::int32_t DeleteValue(const QString &KeyPath, const QString &KeyName);

    // How many times the file was actually rewritten; lets tests and benchmarks
    // see that unchanged values cost no write.
    int writeCount() const { return m_writes; }

    // Bytes as characters, both ways. Characters above 255 become '?', as a
    // single-byte conversion would make them.
    static QByteArray bytesFromChars(const QString &chars);
    static QString charsFromBytes(const QByteArray &bytes);

private:
    const SettingValue *find(const QString &keyPath, const QString &name);
    std::int32_t store(const QString &keyPath, const QString &name, const SettingValue &value);
    std::int32_t commit(const SettingsData &data);
    // Brings the cache in line with the file. False when the file exists but
    // cannot be read, so it must not be overwritten.
    bool refresh();
    // Copies the damaged file's bytes to a new name beside it.
    bool keepDamagedCopy();

    QString m_path;
    SettingsData m_data;       // what the file held when last read or written
    QByteArray m_fileBytes;    // the file's bytes m_data was parsed from
    bool m_fileExists = false;
    bool m_writable = true;
    bool m_damaged = false;    // the file has lines that could not be read
    bool m_backupMade = false; // and they are already kept in a copy
    bool m_writeFailureReported = false;
    int m_writes = 0;
};

} // namespace tintwell

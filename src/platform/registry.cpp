#include "platform/registry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>

#include <unistd.h>

namespace tintwell {

namespace {

QString describe(const SettingsParseResult &parse)
{
    const SettingsFault &first = parse.faults.constFirst();
    QString text = QStringLiteral("line %1: %2").arg(first.line).arg(first.error);
    if (parse.faultCount > 1)
        text += QStringLiteral(", and %1 more").arg(parse.faultCount - 1);
    return text;
}

} // namespace

QString clsRegistry::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Tintwell/settings.ini");
}

clsRegistry::clsRegistry(const QString &filePath)
    : m_path(filePath.isEmpty() ? defaultFilePath() : filePath)
{
}

QByteArray clsRegistry::bytesFromChars(const QString &chars)
{
    QByteArray bytes(chars.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const char16_t c = chars.at(i).unicode();
        bytes[i] = c > 0xFF ? '?' : char(c);
    }
    return bytes;
}

QString clsRegistry::charsFromBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

bool clsRegistry::refresh()
{
    QFile file(m_path);
    if (!file.exists()) {
        m_data.clear();
        m_fileBytes.clear();
        m_fileExists = false;
        m_writable = true;
        m_damaged = false;
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        // Something is there that we cannot read: reads fail, and writing over it
        // would destroy what we could not see.
        m_data.clear();
        m_fileExists = true;
        m_writable = false;
        return false;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    if (m_fileExists && m_writable && bytes == m_fileBytes)
        return true;

    SettingsParseResult parse = parseSettingsText(bytes);
    m_data = std::move(parse.data);
    m_fileBytes = bytes;
    m_fileExists = true;
    m_writable = true;
    m_damaged = parse.damaged();
    m_backupMade = false;
    if (m_damaged)
        std::fprintf(stderr, "Tintwell: some lines of the settings file %s could not be read (%s); "
                             "those settings are back to their defaults, the others are kept. "
                             "The file is kept beside the new one at the next save.\n",
                     qPrintable(QDir::toNativeSeparators(m_path)), qPrintable(describe(parse)));
    return true;
}

bool clsRegistry::keepDamagedCopy()
{
    // Never replaces an earlier copy: a second damage in the same second takes
    // the next free number.
    const QString stem = m_path + QStringLiteral(".damaged-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString aside = stem;
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = stem + u'-' + QString::number(n);
    QFile copy(aside);
    const bool opened = copy.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
    // On disk before the rename that replaces the original, or a crash could lose both.
    const bool ok = opened && copy.write(m_fileBytes) == m_fileBytes.size() && copy.flush()
                    && ::fsync(copy.handle()) == 0;
    copy.close();
    if (!ok) {
        if (opened) // never a file of that name made by someone else meanwhile
            copy.remove();
        if (!m_writeFailureReported)
            std::fprintf(stderr, "Tintwell: the damaged settings file %s could not be copied to %s (%s); "
                                 "it is left as it is and settings will not be saved.\n",
                         qPrintable(QDir::toNativeSeparators(m_path)),
                         qPrintable(QDir::toNativeSeparators(aside)), qPrintable(copy.errorString()));
        m_writeFailureReported = true;
        return false;
    }
    std::fprintf(stderr, "Tintwell: the damaged settings file was kept as %s.\n",
                 qPrintable(QDir::toNativeSeparators(aside)));
    m_backupMade = true;
    return true;
}

const SettingValue *clsRegistry::find(const QString &keyPath, const QString &name)
{
    refresh();
    const auto key = m_data.constFind(keyPath);
    if (key == m_data.cend())
        return nullptr;
    const auto value = key->constFind(name);
    return value == key->cend() ? nullptr : &*value;
}

std::int32_t clsRegistry::commit(const SettingsData &data)
{
    // What could not be read is not thrown away unseen: the file as it was is
    // kept once, before the first write replaces it.
    if (m_damaged && m_fileExists && !m_backupMade && !keepDamagedCopy())
        return -1;
    const QFileInfo info(m_path);
    const QByteArray bytes = serializeSettings(data);
    QSaveFile file(m_path);
    const bool folderOk = QDir().mkpath(info.absolutePath());
    // Unbuffered, so a write that stops short (a full disk) says so here: a
    // buffered one reports the whole size, and commit() then keeps the short file.
    bool ok = folderOk && file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (ok && file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        ok = false;
    }
    ok = ok && file.commit();
    if (!ok) {
        if (!m_writeFailureReported)
            std::fprintf(stderr, "Tintwell: the settings could not be saved to %s (%s); "
                                 "changes last only until the program ends.\n",
                         qPrintable(QDir::toNativeSeparators(m_path)),
                         folderOk ? qPrintable(file.errorString()) : "the folder cannot be created");
        m_writeFailureReported = true;
        return -1;
    }
    m_data = data;
    m_fileBytes = bytes;
    m_fileExists = true;
    m_damaged = false;
    ++m_writes;
    return 0;
}

std::int32_t clsRegistry::store(const QString &keyPath, const QString &name, const SettingValue &value)
{
    if (!isValidKeyPath(keyPath) || !refresh())
        return -1;
    const auto key = m_data.constFind(keyPath);
    if (key != m_data.cend()) {
        const auto old = key->constFind(name);
        if (old != key->cend() && *old == value && m_fileExists && !m_damaged)
            return 0;
    }
    SettingsData changed = m_data;
    changed[keyPath].insert(name, value);
    return commit(changed); // a failed write is lost; the cache keeps what the file holds
}

QString clsRegistry::GetString(const QString &KeyPath, const QString &KeyName, std::int32_t &Error)
{
    Error = 0;
    const SettingValue *v = find(KeyPath, KeyName);
    const auto *s = v ? std::get_if<QString>(v) : nullptr;
    if (!s) {
        Error = -1;
        return QString();
    }
    // A string ends at its first NUL, as the store's strings always have.
    const qsizetype nul = s->indexOf(QChar(0));
    return nul < 0 ? *s : s->left(nul);
}

std::int32_t clsRegistry::SetString(const QString &KeyPath, const QString &KeyName, const QString &Value)
{
    return store(KeyPath, KeyName, SettingValue(Value));
}

std::int32_t clsRegistry::CheckString(const QString &KeyPath, const QString &KeyName)
{
    std::int32_t error = 0;
    GetString(KeyPath, KeyName, error);
    return error;
}

std::int32_t clsRegistry::GetLong(const QString &KeyPath, const QString &KeyName, std::int32_t &Error)
{
    Error = 0;
    const SettingValue *v = find(KeyPath, KeyName);
    const auto *n = v ? std::get_if<std::int32_t>(v) : nullptr;
    if (!n) {
        Error = -1;
        return 0;
    }
    return *n;
}

std::int32_t clsRegistry::SetLong(const QString &KeyPath, const QString &KeyName, std::int32_t Value)
{
    return store(KeyPath, KeyName, SettingValue(Value));
}

std::int32_t clsRegistry::CheckLong(const QString &KeyPath, const QString &KeyName)
{
    std::int32_t error = 0;
    GetLong(KeyPath, KeyName, error);
    return error;
}

QString clsRegistry::GetBinary(const QString &KeyPath, const QString &KeyName, std::int32_t &Error)
{
    Error = 0;
    const SettingValue *v = find(KeyPath, KeyName);
    const auto *b = v ? std::get_if<QByteArray>(v) : nullptr;
    if (!b) {
        Error = -1;
        return QString();
    }
    return charsFromBytes(*b);
}

std::int32_t clsRegistry::SetBinary(const QString &KeyPath, const QString &KeyName, const QString &Value)
{
    return store(KeyPath, KeyName, SettingValue(bytesFromChars(Value)));
}

std::int32_t clsRegistry::CheckBinary(const QString &KeyPath, const QString &KeyName)
{
    std::int32_t error = 0;
    GetBinary(KeyPath, KeyName, error);
    return error;
}

QVariant clsRegistry::GetUnknown(const QString &KeyPath, const QString &KeyName,
                                 std::int32_t &ValueDataType, std::int32_t &Error)
{
    Error = 0;
    const SettingValue *v = find(KeyPath, KeyName);
    if (!v) {
        Error = -1;
        return QVariant();
    }
    if (const auto *s = std::get_if<QString>(v)) {
        ValueDataType = REG_SZ;
        const qsizetype nul = s->indexOf(QChar(0));
        return nul < 0 ? *s : s->left(nul);
    }
    if (const auto *n = std::get_if<std::int32_t>(v)) {
        ValueDataType = REG_DWORD;
        return QVariant(int(*n));
    }
    ValueDataType = REG_BINARY;
    return charsFromBytes(std::get<QByteArray>(*v));
}

std::int32_t clsRegistry::CheckUnknown(const QString &KeyPath, const QString &KeyName)
{
    return find(KeyPath, KeyName) ? 0 : -1;
}

std::int32_t clsRegistry::DeleteKey(const QString &KeyPath)
{
    if (!refresh() || !m_data.contains(KeyPath))
        return -1;
    SettingsData changed = m_data;
    changed.remove(KeyPath);
    return commit(changed);
}

std::int32_t clsRegistry::DeleteValue(const QString &KeyPath, const QString &KeyName)
{
    if (!refresh())
        return -1;
    const auto key = m_data.constFind(KeyPath);
    if (key == m_data.cend() || !key->contains(KeyName))
        return -1;
    SettingsData changed = m_data;
    changed[KeyPath].remove(KeyName);
    return commit(changed);
}

} // namespace tintwell

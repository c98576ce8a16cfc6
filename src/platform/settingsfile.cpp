#include "platform/settingsfile.h"

#include <QStringDecoder>
#include <QStringList>

#include <cctype>

namespace tintwell {

namespace {

const char kHeader[] = "; Tintwell settings: one value a line, \"Name\" = dword:<number> | sz:\"<text>\" | hex:<bytes>\n";

bool needsHexEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool isHexDigit(QChar c)
{
    return c.unicode() < 128 && std::isxdigit(c.unicode());
}

void appendHex(QString &out, unsigned value, int digits)
{
    out += QString::number(value, 16).rightJustified(digits, u'0');
}

QString quote(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        switch (c) {
        case u'\\': out += u"\\\\"; continue;
        case u'"': out += u"\\\""; continue;
        case 0: out += u"\\0"; continue;
        case u'\n': out += u"\\n"; continue;
        case u'\r': out += u"\\r"; continue;
        case u'\t': out += u"\\t"; continue;
        default: break;
        }
        if (needsHexEscape(c)) {
            out += u"\\x";
            appendHex(out, c, 2);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size()
                   && text.at(i + 1).isLowSurrogate()) {
            out += text.at(i);
            out += text.at(++i);
        } else if (QChar::isSurrogate(c)) {
            // A lone surrogate has no UTF-8 form; keep it as a number.
            out += u"\\u";
            appendHex(out, c, 4);
        } else {
            out += QChar(c);
        }
    }
    out += u'"';
    return out;
}

// Reads a quoted, escaped text starting at line[pos] == '"'; pos ends after the closing quote.
std::optional<QString> unquote(const QString &line, qsizetype &pos, QString &error)
{
    if (pos >= line.size() || line.at(pos) != u'"') {
        error = QStringLiteral("expected '\"'");
        return std::nullopt;
    }
    QString out;
    ++pos;
    while (pos < line.size()) {
        const QChar c = line.at(pos++);
        if (c == u'"')
            return out;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            break;
        const QChar e = line.at(pos++);
        switch (e.unicode()) {
        case u'\\': out += u'\\'; break;
        case u'"': out += u'"'; break;
        case u'0': out += QChar(0); break;
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        case u't': out += u'\t'; break;
        case u'x':
        case u'u': {
            const int digits = e == u'x' ? 2 : 4;
            const QString hex = line.mid(pos, digits);
            bool ok = hex.size() == digits;
            for (QChar h : hex)
                ok = ok && isHexDigit(h);
            const uint value = ok ? hex.toUInt(&ok, 16) : 0;
            if (!ok) {
                error = QStringLiteral("bad \\%1 escape").arg(e);
                return std::nullopt;
            }
            out += QChar(char16_t(value));
            pos += digits;
            break;
        }
        default:
            error = QStringLiteral("unknown escape \\%1").arg(e);
            return std::nullopt;
        }
    }
    error = QStringLiteral("missing closing '\"'");
    return std::nullopt;
}

void skipSpaces(const QString &line, qsizetype &pos)
{
    while (pos < line.size() && (line.at(pos) == u' ' || line.at(pos) == u'\t'))
        ++pos;
}

bool onlySpacesFrom(const QString &line, qsizetype pos)
{
    skipSpaces(line, pos);
    return pos == line.size();
}

std::optional<SettingValue> parseData(const QString &line, qsizetype pos, QString &error)
{
    const QStringView rest = QStringView(line).mid(pos);
    if (rest.startsWith(u"dword:")) {
        // A DWORD is four bytes; someone editing the file may write it signed or
        // unsigned (4294967295 and -1 are the same value), so both halves map to
        // the one signed 32-bit integer the program reads.
        const QStringView digits = rest.mid(6).trimmed();
        bool ok = !digits.isEmpty();
        for (qsizetype i = 0; ok && i < digits.size(); ++i)
            ok = (digits.at(i).unicode() >= u'0' && digits.at(i).unicode() <= u'9')
                 || (i == 0 && digits.size() > 1 && digits.at(i) == u'-');
        const qlonglong n = ok ? digits.toLongLong(&ok, 10) : 0;
        if (!ok || n < qlonglong(INT32_MIN) || n > qlonglong(UINT32_MAX)) {
            error = QStringLiteral("bad dword number");
            return std::nullopt;
        }
        return SettingValue(std::int32_t(std::uint32_t(n)));
    }
    if (rest.startsWith(u"sz:")) {
        pos += 3;
        std::optional<QString> text = unquote(line, pos, error);
        if (!text)
            return std::nullopt;
        if (!onlySpacesFrom(line, pos)) {
            error = QStringLiteral("text after the closing '\"'");
            return std::nullopt;
        }
        return SettingValue(*text);
    }
    if (rest.startsWith(u"hex:")) {
        const QStringView digits = rest.mid(4).trimmed();
        QByteArray bytes;
        if (!digits.isEmpty()) {
            for (QStringView part : digits.split(u',')) {
                const QStringView byte = part.trimmed();
                bool ok = byte.size() == 2 && isHexDigit(byte.at(0)) && isHexDigit(byte.at(1));
                const uint b = ok ? byte.toUInt(&ok, 16) : 0;
                if (!ok) {
                    error = QStringLiteral("bad hex byte");
                    return std::nullopt;
                }
                bytes.append(char(b));
            }
        }
        return SettingValue(bytes);
    }
    error = QStringLiteral("unknown value type");
    return std::nullopt;
}

} // namespace

bool isValidKeyPath(const QString &keyPath)
{
    if (keyPath.isEmpty())
        return false;
    for (QChar c : keyPath)
        if (needsHexEscape(c.unicode()) || c.isSurrogate())
            return false;
    return true;
}

SettingsParseResult parseSettingsText(const QByteArray &bytes)
{
    SettingsParseResult result;
    SettingsKey *key = nullptr;
    auto fault = [&result](qsizetype n, const QString &why) {
        if (result.faults.size() < SettingsParseResult::kMaxFaults)
            result.faults.append({int(n + 1), why});
        ++result.faultCount;
    };

    // Decoded line by line, so bytes that are not UTF-8 spoil only their own line.
    const QList<QByteArray> rawLines = bytes.split('\n');
    for (qsizetype n = 0; n < rawLines.size(); ++n) {
        QByteArrayView raw(rawLines.at(n));
        if (n == 0 && raw.startsWith("\xEF\xBB\xBF"))
            raw = raw.sliced(3);
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(raw);
        if (decoder.hasError() || line.contains(QChar(0))) {
            fault(n, QStringLiteral("not UTF-8 text"));
            continue;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
            continue;
        if (trimmed.startsWith(u'[')) {
            key = nullptr;
            const QString path = trimmed.mid(1, trimmed.size() - 2);
            if (!trimmed.endsWith(u']'))
                fault(n, QStringLiteral("missing ']'"));
            else if (!isValidKeyPath(path))
                fault(n, QStringLiteral("bad key name"));
            else
                key = &result.data[path];
            continue;
        }
        if (!key) {
            fault(n, QStringLiteral("value outside any key"));
            continue;
        }
        qsizetype pos = 0;
        skipSpaces(line, pos);
        QString why;
        std::optional<QString> name = unquote(line, pos, why);
        if (!name) {
            fault(n, why);
            continue;
        }
        skipSpaces(line, pos);
        if (pos >= line.size() || line.at(pos) != u'=') {
            fault(n, QStringLiteral("expected '='"));
            continue;
        }
        ++pos;
        skipSpaces(line, pos);
        std::optional<SettingValue> value = parseData(line, pos, why);
        if (!value) {
            fault(n, why);
            continue;
        }
        key->insert(*name, *value);
    }
    return result;
}

QByteArray serializeSettings(const SettingsData &data)
{
    QString out = QString::fromLatin1(kHeader);
    for (auto k = data.cbegin(); k != data.cend(); ++k) {
        out += u'[';
        out += k.key();
        out += u"]\n";
        for (auto v = k.value().cbegin(); v != k.value().cend(); ++v) {
            out += quote(v.key());
            out += u" = ";
            if (const auto *n = std::get_if<std::int32_t>(&v.value())) {
                out += u"dword:";
                out += QString::number(*n);
            } else if (const auto *s = std::get_if<QString>(&v.value())) {
                out += u"sz:";
                out += quote(*s);
            } else {
                const QByteArray &b = std::get<QByteArray>(v.value());
                out += u"hex:";
                for (qsizetype i = 0; i < b.size(); ++i) {
                    if (i)
                        out += u',';
                    appendHex(out, uchar(b.at(i)), 2);
                }
            }
            out += u'\n';
        }
    }
    return out.toUtf8();
}

} // namespace tintwell

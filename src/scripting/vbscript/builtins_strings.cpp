// Built-in functions on strings: lengths, parts, searching, case, splitting and
// joining, characters and their codes.

#include "core/cp1252.h"
#include "scripting/vbscript/builtins_impl.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/objects.h"

#include <QStringList>

namespace tintwell::vbs {

namespace {

// ---- strings --------------------------------------------------------------

Value fLen(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    return Value::lng(int32_t(text(c, 0).size()));
}

Value fLeft(C &c)
{
    // The length is checked before a Null text gives Null.
    const int32_t n = lng(c, 1);
    if (n < 0)
        raise(err::InvalidCall);
    if (c.args[0].isNull())
        return Value::null();
    return Value::str(text(c, 0).left(n));
}

Value fRight(C &c)
{
    // The length is checked before a Null text gives Null.
    const int32_t n = lng(c, 1);
    if (n < 0)
        raise(err::InvalidCall);
    if (c.args[0].isNull())
        return Value::null();
    return Value::str(text(c, 0).right(n));
}

Value fMid(C &c)
{
    // Start and length are checked before a Null text gives Null.
    const int32_t start = lng(c, 1);
    if (start < 1)
        raise(err::InvalidCall);
    const int32_t n = c.has(2) ? lng(c, 2) : -1;
    if (c.has(2) && n < 0)
        raise(err::InvalidCall);
    if (c.args[0].isNull())
        return Value::null();
    const QString s = text(c, 0);
    return Value::str(c.has(2) ? s.mid(start - 1, n) : s.mid(start - 1));
}

Value fInStr(C &c)
{
    int first = 0;
    int64_t start = 1;
    if (c.count >= 3) {
        if (c.args[0].isNull())
            raise(err::InvalidNull);
        start = lng(c, 0);
        if (start < 1)
            raise(err::InvalidCall);
        first = 1;
    }
    const bool tc = c.count >= 4 && textCompareArg(c, 3);
    if (c.args[first].isNull() || c.args[first + 1].isNull())
        return Value::null();
    const QString s = text(c, first), find = text(c, first + 1);
    if (start > s.size())
        return Value::lng(0);
    if (find.isEmpty())
        return Value::lng(int32_t(start));
    const qsizetype r = s.indexOf(find, qsizetype(start - 1), tc ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return Value::lng(int32_t(r + 1));
}

Value fInStrRev(C &c)
{
    if (c.args[0].isNull() || c.args[1].isNull())
        return Value::null();
    const QString s = text(c, 0), find = text(c, 1);
    int64_t start = c.has(2) ? lng(c, 2) : -1;
    if (start == 0 || start < -1)
        raise(err::InvalidCall);
    const bool tc = textCompareArg(c, 3);
    if (start == -1)
        start = s.size();
    // A start past the end finds nothing, even an empty text.
    if (start > s.size())
        return Value::lng(0);
    if (find.isEmpty())
        return Value::lng(int32_t(start));
    // The match must end at or before position start.
    const qsizetype from = qsizetype(start) - find.size();
    if (from < 0)
        return Value::lng(0);
    const qsizetype r = s.lastIndexOf(find, from, tc ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return Value::lng(int32_t(r + 1));
}

Value fReplace(C &c)
{
    // Unlike most string functions, Replace has no Null result.
    if (anyNull(c, 3))
        raise(err::InvalidNull);
    const QString s = text(c, 0), find = text(c, 1), repl = text(c, 2);
    const int64_t start = c.has(3) ? lng(c, 3) : 1;
    int64_t count = c.has(4) ? lng(c, 4) : -1;
    if (start < 1 || count < -1)
        raise(err::InvalidCall);
    const Qt::CaseSensitivity cs = textCompareArg(c, 5) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (start > s.size())
        return Value::str(QString());
    QString src = s.mid(qsizetype(start - 1));
    if (find.isEmpty() || count == 0)
        return Value::str(src);
    QString out;
    qsizetype pos = 0;
    while (count != 0) {
        const qsizetype at = src.indexOf(find, pos, cs);
        if (at < 0)
            break;
        out += QStringView(src).mid(pos, at - pos);
        out += repl;
        if (out.size() > kMaxStringLength)
            raise(err::OutOfMemory);
        pos = at + find.size();
        if (count > 0)
            --count;
    }
    out += QStringView(src).mid(pos);
    return checkLength(out);
}

Value fUCase(C &c) { return c.args[0].isNull() ? Value::null() : Value::str(text(c, 0).toUpper()); }
Value fLCase(C &c) { return c.args[0].isNull() ? Value::null() : Value::str(text(c, 0).toLower()); }

QString trimSpaces(const QString &s, bool left, bool right)
{
    qsizetype a = 0, b = s.size();
    if (left)
        while (a < b && s[a] == QLatin1Char(' '))
            ++a;
    if (right)
        while (b > a && s[b - 1] == QLatin1Char(' '))
            --b;
    return s.mid(a, b - a);
}

Value fTrim(C &c) { return c.args[0].isNull() ? Value::null() : Value::str(trimSpaces(text(c, 0), true, true)); }
Value fLTrim(C &c) { return c.args[0].isNull() ? Value::null() : Value::str(trimSpaces(text(c, 0), true, false)); }
Value fRTrim(C &c) { return c.args[0].isNull() ? Value::null() : Value::str(trimSpaces(text(c, 0), false, true)); }

Value fSpace(C &c)
{
    const int32_t n = lng(c, 0);
    if (n < 0)
        raise(err::InvalidCall);
    if (n > kMaxStringLength)
        raise(err::OutOfMemory);
    return Value::str(QString(n, QLatin1Char(' ')));
}

QChar chrOf(int32_t code);

Value fString(C &c)
{
    // The count is a number first: Null there is an error, Null as the
    // character gives Null.
    const int32_t n = lng(c, 0);
    if (n < 0)
        raise(err::InvalidCall);
    if (c.args[1].isNull())
        return Value::null();
    if (n > kMaxStringLength)
        raise(err::OutOfMemory);
    QChar ch;
    if (c.args[1].isString()) {
        if (c.args[1].s.isEmpty())
            raise(err::InvalidCall);
        ch = c.args[1].s[0];
    } else {
        ch = chrOf(lng(c, 1) & 0xFF);
    }
    return Value::str(QString(n, ch));
}

Value fStrReverse(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    QString s = text(c, 0);
    std::reverse(s.begin(), s.end());
    return Value::str(s);
}

Value fStrComp(C &c)
{
    if (c.args[0].isNull() || c.args[1].isNull())
        return Value::null();
    const int r = text(c, 0).compare(text(c, 1), textCompareArg(c, 2) ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return Value::integer(int16_t(r < 0 ? -1 : r > 0 ? 1 : 0));
}

ArrayObject *stringArray(const QStringList &parts)
{
    auto *a = new ArrayObject;
    a->dims.push_back({0, int32_t(parts.size())});
    a->data.reserve(size_t(parts.size()));
    for (const QString &p : parts)
        a->data.push_back(Value::str(p));
    return a;
}

Value fSplit(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const QString s = text(c, 0);
    const QString delim = c.has(1) ? text(c, 1) : QStringLiteral(" ");
    int64_t count = c.has(2) ? lng(c, 2) : -1;
    if (count < -1)
        raise(err::InvalidCall);
    const Qt::CaseSensitivity cs = textCompareArg(c, 3) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QStringList parts;
    if (s.isEmpty() || count == 0)
        return Value::array(stringArray(parts));
    if (delim.isEmpty()) {
        parts << s;
        return Value::array(stringArray(parts));
    }
    qsizetype pos = 0;
    while (true) {
        if (count > 0 && parts.size() == count - 1)
            break;
        const qsizetype at = s.indexOf(delim, pos, cs);
        if (at < 0)
            break;
        parts << s.mid(pos, at - pos);
        pos = at + delim.size();
        if (int64_t(parts.size()) > kMaxArrayElements)
            raise(err::OutOfMemory);
    }
    parts << s.mid(pos);
    return Value::array(stringArray(parts));
}


Value fJoin(C &c)
{
    const ArrayObject *a = arrayArg(c, 0);
    if (a->dims.size() > 1)
        raise(err::SubscriptRange);
    const QString delim = c.has(1) ? text(c, 1) : QStringLiteral(" ");
    QString out;
    for (size_t i = 0; i < a->data.size(); ++i) {
        if (i)
            out += delim;
        if (!a->data[i].isNull())
            out += toString(a->data[i]);
        if (out.size() > kMaxStringLength)
            raise(err::OutOfMemory);
    }
    return Value::str(out);
}

Value fFilter(C &c)
{
    const ArrayObject *a = arrayArg(c, 0);
    if (c.args[1].isNull())
        raise(err::InvalidNull);
    const QString v = text(c, 1);
    const bool include = c.has(2) ? toBool(plain(c, 2)) : true;
    const Qt::CaseSensitivity cs = textCompareArg(c, 3) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QStringList out;
    for (const Value &e : a->data) {
        const QString s = e.isNull() ? QString() : toString(e);
        if (s.contains(v, cs) == include)
            out << s;
    }
    return Value::array(stringArray(out));
}

// Character codes of Chr and Asc are those of the program's text files.
QChar chrOf(int32_t code)
{
    return Windows1252Char(static_cast<unsigned char>(code));
}

Value fChr(C &c)
{
    const int32_t n = lng(c, 0);
    if (n < 0 || n > 255)
        raise(err::InvalidCall);
    return Value::str(QString(chrOf(n)));
}

Value fChrW(C &c)
{
    const int32_t n = lng(c, 0);
    if (n < -32768 || n > 65535)
        raise(err::InvalidCall);
    return Value::str(QString(QChar(char16_t(n & 0xFFFF))));
}

Value fAsc(C &c)
{
    if (c.args[0].isNull())
        raise(err::InvalidNull);
    const QString s = text(c, 0);
    if (s.isEmpty())
        raise(err::InvalidCall);
    const int byte = Windows1252Byte(s[0]);
    return Value::integer(int16_t(byte < 0 ? 63 : byte)); // '?': not in the code page
}

Value fAscW(C &c)
{
    if (c.args[0].isNull())
        raise(err::InvalidNull);
    const QString s = text(c, 0);
    if (s.isEmpty())
        raise(err::InvalidCall);
    return Value::integer(int16_t(s[0].unicode()));
}

const BuiltinInfo kTable[] = {
    {"len", 1, 1, true, fLen}, {"left", 2, 2, true, fLeft}, {"right", 2, 2, true, fRight},
    {"mid", 2, 3, true, fMid}, {"instr", 2, 4, true, fInStr}, {"instrrev", 2, 4, true, fInStrRev},
    {"replace", 3, 6, true, fReplace}, {"ucase", 1, 1, true, fUCase}, {"lcase", 1, 1, true, fLCase},
    {"trim", 1, 1, true, fTrim}, {"ltrim", 1, 1, true, fLTrim}, {"rtrim", 1, 1, true, fRTrim},
    {"space", 1, 1, true, fSpace}, {"string", 2, 2, true, fString}, {"strreverse", 1, 1, true, fStrReverse},
    {"strcomp", 2, 3, true, fStrComp}, {"split", 1, 4, true, fSplit}, {"join", 1, 2, true, fJoin},
    {"filter", 2, 4, true, fFilter}, {"chr", 1, 1, true, fChr}, {"chrw", 1, 1, true, fChrW},
    {"asc", 1, 1, true, fAsc}, {"ascw", 1, 1, true, fAscW},
};

} // namespace

BuiltinFamily stringBuiltins()
{
    return {kTable, std::size(kTable)};
}

} // namespace tintwell::vbs

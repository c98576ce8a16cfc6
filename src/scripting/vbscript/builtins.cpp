#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/objects.h"

#include <QHash>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>

namespace tintwell::vbs {

namespace {

using C = BuiltinCall;

Value plain(C &c, int i)
{
    // Objects stand for their default member wherever a value is wanted.
    const Value &v = c.args[i];
    if (v.isObject())
        return c.in.defaultValue(v);
    return v;
}

QString text(C &c, int i) { return toString(plain(c, i)); }
int32_t lng(C &c, int i) { return toLong(plain(c, i)); }
double dbl(C &c, int i) { return toDouble(plain(c, i)); }
bool anyNull(C &c, int n)
{
    for (int i = 0; i < n && i < c.count; ++i)
        if (c.args[i].isNull())
            return true;
    return false;
}

Value checkLength(QString s)
{
    if (s.size() > kMaxStringLength)
        raise(err::OutOfMemory);
    return Value::str(std::move(s));
}

bool textCompareArg(C &c, int i)
{
    if (!c.has(i))
        return false;
    const int32_t m = lng(c, i);
    if (m < 0 || m > 1)
        raise(err::InvalidCall);
    return m == 1;
}

// ---- strings --------------------------------------------------------------

Value fLen(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    return Value::lng(int32_t(text(c, 0).size()));
}

Value fLeft(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const int32_t n = lng(c, 1);
    if (n < 0)
        raise(err::InvalidCall);
    return Value::str(text(c, 0).left(n));
}

Value fRight(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const int32_t n = lng(c, 1);
    if (n < 0)
        raise(err::InvalidCall);
    return Value::str(text(c, 0).right(n));
}

Value fMid(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const int32_t start = lng(c, 1);
    if (start < 1)
        raise(err::InvalidCall);
    const QString s = text(c, 0);
    if (c.has(2)) {
        const int32_t n = lng(c, 2);
        if (n < 0)
            raise(err::InvalidCall);
        return Value::str(s.mid(start - 1, n));
    }
    return Value::str(s.mid(start - 1));
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
    if (anyNull(c, 3))
        return Value::null();
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
    if (c.args[1].isNull() || c.args[0].isNull())
        return Value::null();
    const int32_t n = lng(c, 0);
    if (n < 0)
        raise(err::InvalidCall);
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

const ArrayObject *arrayArg(C &c, int i)
{
    const ArrayObject *a = c.args[i].arr();
    if (!a)
        raise(err::TypeMismatch);
    return a;
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

// Code page 1252 for 128-159; the rest maps straight to Unicode.
constexpr uint16_t kCp1252[32] = {0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D, 0x017D, 0x8F,
                                  0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178};

QChar chrOf(int32_t code)
{
    if (code >= 128 && code < 160)
        return QChar(kCp1252[code - 128]);
    return QChar(char16_t(code));
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
    const char16_t u = s[0].unicode();
    if (u < 128 || (u >= 160 && u < 256))
        return Value::integer(int16_t(u));
    for (int i = 0; i < 32; ++i)
        if (kCp1252[i] == u)
            return Value::integer(int16_t(128 + i));
    return Value::integer(63); // '?': not in the code page
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

Value radix(C &c, int base)
{
    const Value v = plain(c, 0);
    if (v.isNull())
        return Value::null();
    if (v.isEmpty())
        return Value::str(QStringLiteral("0"));
    const int32_t n = toLong(v);
    const bool word = v.type == VarType::Integer || v.type == VarType::Byte || v.type == VarType::Boolean;
    const uint32_t u = word && n < 0 ? uint32_t(uint16_t(int16_t(n))) : uint32_t(n);
    return Value::str(QString::number(u, base).toUpper());
}

Value fHex(C &c) { return radix(c, 16); }
Value fOct(C &c) { return radix(c, 8); }

// ---- conversions ------------------------------------------------------------

Value fCBool(C &c)
{
    const Value v = plain(c, 0);
    if (v.isNull())
        raise(err::InvalidNull);
    return Value(toBool(v));
}

Value fCByte(C &c)
{
    const Value v = plain(c, 0);
    if (v.type == VarType::Boolean) // True is all bits set, as a byte 255
        return Value::byte(v.n.b ? 255 : 0);
    const double d = roundHalfEven(toDouble(v));
    if (!(d >= 0 && d <= 255))
        raise(err::Overflow);
    return Value::byte(uint8_t(d));
}

Value fCInt(C &c) { return Value::integer(toInteger(plain(c, 0))); }
Value fCLng(C &c) { return Value::lng(toLong(plain(c, 0))); }

Value fCSng(C &c)
{
    const double d = dbl(c, 0);
    if (std::fabs(d) > 3.402823466e38)
        raise(err::Overflow);
    return Value::single(float(d));
}

Value fCDbl(C &c) { return Value::dbl(dbl(c, 0)); }
Value fCStr(C &c) { return Value::str(text(c, 0)); }

Value fCCur(C &c)
{
    const double d = roundHalfEven(dbl(c, 0) * 10000.0);
    if (!(std::fabs(d) < 9.2233720368547e18))
        raise(err::Overflow);
    return Value::currency(int64_t(d));
}

double toDateSerial(const Value &v)
{
    if (v.type == VarType::Date)
        return v.n.d;
    if (v.isNull())
        raise(err::InvalidNull);
    if (v.isString()) {
        double d;
        if (parseDate(v.s, &d))
            return d;
        if (parseNumber(v.s, &d) && validDate(d))
            return d;
        raise(err::TypeMismatch);
    }
    const double d = toDouble(v);
    if (!validDate(d))
        raise(err::Overflow);
    return d;
}

Value fCDate(C &c) { return Value::date(toDateSerial(plain(c, 0))); }

// ---- maths ------------------------------------------------------------------

Value keepType(const Value &v, double r)
{
    switch (v.type) {
    case VarType::Single: return Value::single(float(r));
    case VarType::Currency: return Value::currency(int64_t(r * 10000.0));
    case VarType::Date: return Value::date(r);
    default: return Value::dbl(r);
    }
}

Value fInt(C &c)
{
    const Value v = toNumber(plain(c, 0));
    if (v.isNull())
        return v;
    switch (v.type) {
    case VarType::Byte: case VarType::Integer: case VarType::Long: return v;
    case VarType::Currency: return Value::currency(int64_t(std::floor(double(v.n.cur) / 10000.0)) * 10000);
    default: return keepType(v, std::floor(toDouble(v)));
    }
}

Value fFix(C &c)
{
    const Value v = toNumber(plain(c, 0));
    if (v.isNull())
        return v;
    switch (v.type) {
    case VarType::Byte: case VarType::Integer: case VarType::Long: return v;
    case VarType::Currency: return Value::currency(v.n.cur / 10000 * 10000);
    default: return keepType(v, std::trunc(toDouble(v)));
    }
}

Value fRound(C &c)
{
    const Value given = plain(c, 0);
    const Value v = toNumber(given);
    if (v.isNull())
        return v;
    const int32_t digits = c.has(1) ? lng(c, 1) : 0;
    if (digits < 0)
        raise(err::InvalidCall);
    if (given.type == VarType::Boolean)
        return given; // whole already, and stays Boolean
    switch (v.type) {
    case VarType::Byte: case VarType::Integer: case VarType::Long: return v;
    default: break;
    }
    const double x = toDouble(v);
    double r;
    if (digits == 0) {
        r = roundHalfEven(x);
    } else if (digits > 15) {
        r = x;
    } else {
        const double p = std::pow(10.0, digits);
        // Round the scaled value as written in decimal, so 2.675 rounds from 267.5.
        const double scaled = atFifteenDigits(x * p);
        r = roundHalfEven(scaled) / p;
    }
    if (v.type == VarType::Currency)
        return Value::currency(int64_t(std::llround(r * 10000.0)));
    return keepType(v, r);
}

Value fAbs(C &c)
{
    const Value v = toNumber(plain(c, 0));
    switch (v.type) {
    case VarType::Null: return v;
    case VarType::Byte: return v;
    case VarType::Integer: return v.n.i16 < 0 ? opNeg(v) : v;
    case VarType::Long: return v.n.i32 < 0 ? opNeg(v) : v;
    case VarType::Currency: return Value::currency(v.n.cur < 0 ? -v.n.cur : v.n.cur);
    default: return keepType(v, std::fabs(toDouble(v)));
    }
}

Value fSgn(C &c)
{
    const Value v = toNumber(plain(c, 0));
    if (v.isNull())
        raise(err::InvalidNull);
    const double d = toDouble(v);
    return Value::integer(int16_t(d > 0 ? 1 : d < 0 ? -1 : 0));
}

Value mathResult(double r)
{
    if (std::isnan(r))
        raise(err::InvalidCall);
    if (!std::isfinite(r))
        raise(err::Overflow);
    return Value::dbl(r);
}

Value fSqr(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const double d = dbl(c, 0);
    if (d < 0)
        raise(err::InvalidCall);
    return Value::dbl(std::sqrt(d));
}

Value fExp(C &c) { return c.args[0].isNull() ? Value::null() : mathResult(std::exp(dbl(c, 0))); }
Value fLog(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const double d = dbl(c, 0);
    if (d <= 0)
        raise(err::InvalidCall);
    return Value::dbl(std::log(d));
}
Value fSin(C &c) { return c.args[0].isNull() ? Value::null() : mathResult(std::sin(dbl(c, 0))); }
Value fCos(C &c) { return c.args[0].isNull() ? Value::null() : mathResult(std::cos(dbl(c, 0))); }
Value fTan(C &c) { return c.args[0].isNull() ? Value::null() : mathResult(std::tan(dbl(c, 0))); }
Value fAtn(C &c) { return c.args[0].isNull() ? Value::null() : mathResult(std::atan(dbl(c, 0))); }

Value fRnd(C &c)
{
    const double a = c.has(0) ? dbl(c, 0) : 1.0;
    return Value::single(float(c.in.rnd(a)));
}

Value fRandomize(C &c)
{
    c.in.randomize(c.has(0) ? &c.args[0] : nullptr);
    return Value();
}

// ---- tests --------------------------------------------------------------------

Value fIsNumeric(C &c)
{
    Value v = c.args[0];
    if (v.isObject()) {
        if (!c.in.hasDefault(v))
            return Value(false);
        v = c.in.defaultValue(v);
    }
    switch (v.type) {
    case VarType::Empty: case VarType::Boolean: case VarType::Byte: case VarType::Integer:
    case VarType::Long: case VarType::Single: case VarType::Double: case VarType::Currency:
        return Value(true);
    case VarType::String: {
        double d;
        return Value(parseNumber(v.s, &d));
    }
    default:
        return Value(false);
    }
}

Value fIsEmpty(C &c) { return Value(c.args[0].isEmpty()); }
Value fIsNull(C &c) { return Value(c.args[0].isNull()); }
Value fIsArray(C &c) { return Value(c.args[0].isArray()); }
Value fIsObject(C &c) { return Value(c.args[0].isObject()); }

Value fIsDate(C &c)
{
    const Value &v = c.args[0];
    if (v.type == VarType::Date)
        return Value(true);
    if (v.isString()) {
        double d;
        return Value(parseDate(v.s, &d));
    }
    return Value(false);
}

Value fVarType(C &c) { return Value::integer(int16_t(varType(c.args[0]))); }
Value fTypeName(C &c) { return Value::str(typeName(c.args[0])); }

// ---- arrays -------------------------------------------------------------------

Value fArray(C &c)
{
    auto *a = new ArrayObject;
    a->dims.push_back({0, c.count});
    a->data.assign(c.args, c.args + c.count);
    for (Value &v : a->data)
        if (v.isMissing())
            v = Value();
    return Value::array(a);
}

Value bound(C &c, bool upper)
{
    const ArrayObject *a = arrayArg(c, 0);
    const int32_t d = c.has(1) ? lng(c, 1) : 1;
    if (d < 1 || size_t(d) > a->dims.size())
        raise(err::SubscriptRange);
    const auto &dim = a->dims[size_t(d - 1)];
    return Value::lng(upper ? dim.lower + dim.count - 1 : dim.lower);
}

Value fUBound(C &c) { return bound(c, true); }
Value fLBound(C &c) { return bound(c, false); }

// ---- formatting ---------------------------------------------------------------

// Digits of |x| rounded to the given decimals, half away from zero.
// The digits of |x| with the given decimals, rounded half away from zero at
// the number as written; never touched by the user's locale.
std::string fixedDigits(double x, int decimals)
{
    const double p = std::pow(10.0, decimals);
    const double scaled = std::floor(atFifteenDigits(std::fabs(x) * p) + 0.5) / p;
    char buf[400]; // |x| * 10^decimals is finite, so at most about 310 digits
    const auto res = std::to_chars(buf, buf + sizeof buf, scaled, std::chars_format::fixed, decimals);
    if (res.ec != std::errc())
        return "0";
    return std::string(buf, res.ptr);
}

int tristate(C &c, int i, bool dflt)
{
    if (!c.has(i))
        return dflt;
    const int32_t v = lng(c, i);
    if (v == -2)
        return dflt;
    return v != 0;
}

QString formatNumberText(double x, int decimals, bool leading, bool parens, bool group)
{
    const std::string digits = fixedDigits(x, decimals);
    const size_t dot = digits.find('.');
    const std::string_view intPart = std::string_view(digits).substr(0, dot);
    const std::string_view frac = dot == std::string::npos ? std::string_view() : std::string_view(digits).substr(dot + 1);
    const bool negative = x < 0 && digits.find_first_not_of("0.") != std::string::npos;
    QString out;
    out.reserve(qsizetype(digits.size() + digits.size() / 3 + 3));
    if (negative)
        out += QLatin1Char(parens ? '(' : '-');
    if (leading || intPart != "0" || frac.empty()) {
        for (size_t i = 0; i < intPart.size(); ++i) {
            if (group && i > 0 && (intPart.size() - i) % 3 == 0)
                out += QLatin1Char(',');
            out += QLatin1Char(intPart[i]);
        }
    }
    if (!frac.empty()) {
        out += QLatin1Char('.');
        out += QLatin1String(frac.data(), qsizetype(frac.size()));
    }
    if (negative && parens)
        out += QLatin1Char(')');
    return out;
}

Value formatCommon(C &c, double scale, const QString &prefix, const QString &suffix, bool parensDefault)
{
    const Value v = plain(c, 0);
    if (v.isNull())
        raise(err::TypeMismatch);
    const double x = toDouble(v) * scale;
    int32_t decimals = c.has(1) ? lng(c, 1) : -1;
    if (decimals == -1)
        decimals = 2;
    if (decimals < 0 || decimals > 255)
        raise(err::InvalidCall);
    const bool leading = tristate(c, 2, true);
    const bool parens = tristate(c, 3, parensDefault);
    const bool group = tristate(c, 4, true);
    QString body = formatNumberText(x, decimals, leading, false, group);
    const bool neg = body.startsWith(QLatin1Char('-'));
    if (neg)
        body.remove(0, 1);
    body = prefix + body + suffix;
    if (neg)
        body = parens ? QLatin1Char('(') + body + QLatin1Char(')') : QLatin1Char('-') + body;
    return Value::str(body);
}

Value fFormatNumber(C &c) { return formatCommon(c, 1, QString(), QString(), false); }
Value fFormatPercent(C &c) { return formatCommon(c, 100, QString(), QStringLiteral("%"), false); }
Value fFormatCurrency(C &c) { return formatCommon(c, 1, QStringLiteral("$"), QString(), true); }

Value fFormatDateTime(C &c)
{
    const Value v = plain(c, 0);
    if (v.isNull())
        return Value::null();
    const double d = toDateSerial(v);
    const int32_t f = c.has(1) ? lng(c, 1) : 0;
    switch (f) {
    case 0: return Value::str(formatDateValue(d));
    case 1: return Value::str(formatLongDate(d));
    case 2: return Value::str(formatShortDate(d));
    case 3: return Value::str(formatLongTime(d));
    case 4: return Value::str(formatShortTime(d));
    default: raise(err::InvalidCall);
    }
}

// ---- dates ----------------------------------------------------------------------

Value fNow(C &) { return Value::date(nowSerial()); }
Value fDate(C &) { return Value::date(std::trunc(nowSerial())); }
Value fTime(C &)
{
    const double n = nowSerial();
    return Value::date(n - std::trunc(n));
}
Value fTimer(C &)
{
    const double n = nowSerial();
    return Value::single(float(std::round((n - std::trunc(n)) * 86400.0 * 100.0) / 100.0));
}

DateParts partsArg(C &c, int i) { return splitDate(toDateSerial(plain(c, i))); }

Value fYear(C &c) { return c.args[0].isNull() ? Value::null() : Value::integer(int16_t(partsArg(c, 0).year)); }
Value fMonth(C &c) { return c.args[0].isNull() ? Value::null() : Value::integer(int16_t(partsArg(c, 0).month)); }
Value fDay(C &c) { return c.args[0].isNull() ? Value::null() : Value::integer(int16_t(partsArg(c, 0).day)); }
Value fHour(C &c) { return c.args[0].isNull() ? Value::null() : Value::integer(int16_t(partsArg(c, 0).hour)); }
Value fMinute(C &c) { return c.args[0].isNull() ? Value::null() : Value::integer(int16_t(partsArg(c, 0).minute)); }
Value fSecond(C &c) { return c.args[0].isNull() ? Value::null() : Value::integer(int16_t(partsArg(c, 0).second)); }

int firstDayArg(C &c, int i)
{
    const int32_t f = c.has(i) ? lng(c, i) : 1;
    if (f < 0 || f > 7)
        raise(err::InvalidCall);
    return f == 0 ? 1 : f;
}

int weekdayFrom(int weekday, int first) { return (weekday - first + 7) % 7 + 1; }

Value fWeekday(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    return Value::integer(int16_t(weekdayFrom(partsArg(c, 0).weekday, firstDayArg(c, 1))));
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalArg(C &c, int i)
{
    const QString s = text(c, i).toLower();
    if (s == QLatin1String("yyyy")) return Interval::Year;
    if (s == QLatin1String("q")) return Interval::Quarter;
    if (s == QLatin1String("m")) return Interval::Month;
    if (s == QLatin1String("y")) return Interval::DayOfYear;
    if (s == QLatin1String("d")) return Interval::Day;
    if (s == QLatin1String("w")) return Interval::Weekday;
    if (s == QLatin1String("ww")) return Interval::Week;
    if (s == QLatin1String("h")) return Interval::Hour;
    if (s == QLatin1String("n")) return Interval::Minute;
    if (s == QLatin1String("s")) return Interval::Second;
    raise(err::InvalidCall);
}

Value fDateAdd(C &c)
{
    const Interval iv = intervalArg(c, 0);
    const double n = std::trunc(dbl(c, 1));
    if (c.args[2].isNull())
        return Value::null();
    const double d = toDateSerial(plain(c, 2));
    const DateParts p = splitDate(d);
    const double time = timeSerial(p.hour, p.minute, p.second);
    double r;
    auto addMonths = [&](double months) {
        if (std::fabs(months) > 120000)
            raise(err::InvalidCall);
        const int total = p.month - 1 + int(months);
        const int y = p.year + (total >= 0 ? total / 12 : (total - 11) / 12);
        const int m = ((total % 12) + 12) % 12 + 1;
        int day = p.day;
        // Clamp to the last day of the target month.
        const int last = splitDate(dateSerial(y, m + 1, 0)).day;
        if (day > last)
            day = last;
        return joinDate(dateSerial(y, m, day), time);
    };
    switch (iv) {
    case Interval::Year: r = addMonths(n * 12); break;
    case Interval::Quarter: r = addMonths(n * 3); break;
    case Interval::Month: r = addMonths(n); break;
    case Interval::DayOfYear: case Interval::Day: case Interval::Weekday:
        r = joinDate(std::trunc(d) + n, time); break;
    case Interval::Week: r = joinDate(std::trunc(d) + n * 7, time); break;
    case Interval::Hour: r = d + n / 24.0; break;
    case Interval::Minute: r = d + n / 1440.0; break;
    default: r = d + n / 86400.0; break;
    }
    if (iv == Interval::Hour || iv == Interval::Minute || iv == Interval::Second) {
        // Work in whole seconds from the epoch so times before 1899 stay right.
        const double secs = std::trunc(d) * 86400.0 + (d < 0 ? -1 : 1) * time * 86400.0;
        const double mul = iv == Interval::Hour ? 3600 : iv == Interval::Minute ? 60 : 1;
        const double t = secs + n * mul;
        const double days = std::floor(t / 86400.0);
        r = joinDate(days, (t - days * 86400.0) / 86400.0);
    }
    if (!validDate(r))
        raise(err::InvalidCall);
    return Value::date(r);
}

double absoluteSeconds(double d)
{
    const DateParts p = splitDate(d);
    return std::trunc(d) * 86400.0 + (d < 0 ? -1.0 : 1.0) * (p.hour * 3600.0 + p.minute * 60.0 + p.second);
}

Value fDateDiff(C &c)
{
    const Interval iv = intervalArg(c, 0);
    if (c.args[1].isNull() || c.args[2].isNull())
        return Value::null();
    const double d1 = toDateSerial(plain(c, 1)), d2 = toDateSerial(plain(c, 2));
    const int first = firstDayArg(c, 3);
    const DateParts a = splitDate(d1), b = splitDate(d2);
    const double days1 = std::floor(absoluteSeconds(d1) / 86400.0), days2 = std::floor(absoluteSeconds(d2) / 86400.0);
    double r = 0;
    switch (iv) {
    case Interval::Year: r = b.year - a.year; break;
    case Interval::Quarter: r = (b.year * 4 + (b.month - 1) / 3) - (a.year * 4 + (a.month - 1) / 3); break;
    case Interval::Month: r = (b.year * 12 + b.month) - (a.year * 12 + a.month); break;
    case Interval::DayOfYear: case Interval::Day: r = days2 - days1; break;
    case Interval::Weekday: r = std::trunc((days2 - days1) / 7); break;
    case Interval::Week: {
        // Counts the first days of the week crossed.
        const double s1 = days1 - (weekdayFrom(a.weekday, first) - 1);
        const double s2 = days2 - (weekdayFrom(b.weekday, first) - 1);
        r = (s2 - s1) / 7;
        break;
    }
    case Interval::Hour: r = std::floor(absoluteSeconds(d2) / 3600) - std::floor(absoluteSeconds(d1) / 3600); break;
    case Interval::Minute: r = std::floor(absoluteSeconds(d2) / 60) - std::floor(absoluteSeconds(d1) / 60); break;
    case Interval::Second: r = absoluteSeconds(d2) - absoluteSeconds(d1); break;
    }
    if (r >= -2147483648.0 && r <= 2147483647.0)
        return Value::lng(int32_t(r));
    raise(err::Overflow);
}

Value fDatePart(C &c)
{
    const Interval iv = intervalArg(c, 0);
    if (c.args[1].isNull())
        return Value::null();
    const double d = toDateSerial(plain(c, 1));
    const int first = firstDayArg(c, 2);
    const DateParts p = splitDate(d);
    const int doy = int(std::trunc(d) - dateSerial(p.year, 1, 1)) + 1;
    switch (iv) {
    case Interval::Year: return Value::integer(int16_t(p.year));
    case Interval::Quarter: return Value::integer(int16_t((p.month - 1) / 3 + 1));
    case Interval::Month: return Value::integer(int16_t(p.month));
    case Interval::DayOfYear: return Value::integer(int16_t(doy));
    case Interval::Day: return Value::integer(int16_t(p.day));
    case Interval::Weekday: return Value::integer(int16_t(weekdayFrom(p.weekday, first)));
    case Interval::Week: {
        const DateParts jan1 = splitDate(dateSerial(p.year, 1, 1));
        const int offset = weekdayFrom(jan1.weekday, first) - 1;
        return Value::integer(int16_t((doy - 1 + offset) / 7 + 1));
    }
    case Interval::Hour: return Value::integer(int16_t(p.hour));
    case Interval::Minute: return Value::integer(int16_t(p.minute));
    case Interval::Second: return Value::integer(int16_t(p.second));
    }
    return Value();
}

Value fDateSerial(C &c)
{
    if (anyNull(c, 3))
        return Value::null();
    const double y = dbl(c, 0), m = dbl(c, 1), d = dbl(c, 2);
    if (std::fabs(y) > 100000 || std::fabs(m) > 1200000 || std::fabs(d) > 4000000)
        raise(err::InvalidCall);
    const double r = dateSerial(int(roundHalfEven(y)), int(roundHalfEven(m)), int(roundHalfEven(d)));
    if (!validDate(r))
        raise(err::InvalidCall);
    return Value::date(r);
}

Value fTimeSerial(C &c)
{
    if (anyNull(c, 3))
        return Value::null();
    const double h = roundHalfEven(dbl(c, 0)), m = roundHalfEven(dbl(c, 1)), s = roundHalfEven(dbl(c, 2));
    const double secs = h * 3600 + m * 60 + s;
    if (std::fabs(secs) > 86400.0 * 3000000)
        raise(err::InvalidCall);
    const double days = std::floor(secs / 86400.0);
    return Value::date(joinDate(days, (secs - days * 86400.0) / 86400.0));
}

Value fDateValue(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const double d = toDateSerial(plain(c, 0));
    return Value::date(std::trunc(d));
}

Value fTimeValue(C &c)
{
    if (c.args[0].isNull())
        return Value::null();
    const double d = toDateSerial(plain(c, 0));
    return Value::date(std::fabs(d - std::trunc(d)));
}

Value fMonthName(C &c)
{
    const int32_t m = lng(c, 0);
    if (m < 1 || m > 12)
        raise(err::InvalidCall);
    return Value::str(monthName(m, c.has(1) && toBool(plain(c, 1))));
}

Value fWeekdayName(C &c)
{
    const int32_t w = lng(c, 0);
    if (w < 1 || w > 7)
        raise(err::InvalidCall);
    const int first = firstDayArg(c, 2);
    const int day = (w - 1 + first - 1) % 7 + 1;
    return Value::str(weekdayName(day, c.has(1) && toBool(plain(c, 1))));
}

// ---- the rest -------------------------------------------------------------------

Value fMsgBox(C &c)
{
    const QString prompt = c.args[0].isNull() ? QString() : text(c, 0);
    const int32_t buttons = c.has(1) ? lng(c, 1) : 0;
    const QString title = c.has(2) ? text(c, 2) : QString();
    return Value::integer(int16_t(c.in.msgBox(prompt, buttons, title)));
}

Value fCreateObject(C &c)
{
    raise(err::CantCreate, c.count > 0 && c.args[0].isString() ? c.args[0].s : QString());
}

Value fExecute(C &c)
{
    c.in.execute(text(c, 0), c.frame, false);
    return Value();
}

Value fExecuteGlobal(C &c)
{
    c.in.execute(text(c, 0), c.frame, true);
    return Value();
}

Value fEval(C &c) { return c.in.evaluate(text(c, 0), c.frame); }
Value fErr(C &c) { return c.in.errValue(); }

Value fRGB(C &c)
{
    auto comp = [&](int i) {
        int32_t v = lng(c, i);
        if (v < 0)
            raise(err::InvalidCall);
        return v > 255 ? 255 : v;
    };
    return Value::lng(comp(0) | (comp(1) << 8) | (comp(2) << 16));
}

Value fScriptEngine(C &) { return Value::str(QStringLiteral("VBScript")); }
Value fMajor(C &) { return Value::lng(5); }
Value fMinor(C &) { return Value::lng(8); }
Value fBuild(C &) { return Value::lng(1); }

constexpr BuiltinInfo kBuiltins[] = {
    {"len", 1, 1, true, fLen}, {"left", 2, 2, true, fLeft}, {"right", 2, 2, true, fRight},
    {"mid", 2, 3, true, fMid}, {"instr", 2, 4, true, fInStr}, {"instrrev", 2, 4, true, fInStrRev},
    {"replace", 3, 6, true, fReplace}, {"ucase", 1, 1, true, fUCase}, {"lcase", 1, 1, true, fLCase},
    {"trim", 1, 1, true, fTrim}, {"ltrim", 1, 1, true, fLTrim}, {"rtrim", 1, 1, true, fRTrim},
    {"space", 1, 1, true, fSpace}, {"string", 2, 2, true, fString}, {"strreverse", 1, 1, true, fStrReverse},
    {"strcomp", 2, 3, true, fStrComp}, {"split", 1, 4, true, fSplit}, {"join", 1, 2, true, fJoin},
    {"filter", 2, 4, true, fFilter}, {"chr", 1, 1, true, fChr}, {"chrw", 1, 1, true, fChrW},
    {"asc", 1, 1, true, fAsc}, {"ascw", 1, 1, true, fAscW}, {"hex", 1, 1, true, fHex},
    {"oct", 1, 1, true, fOct},
    {"cbool", 1, 1, true, fCBool}, {"cbyte", 1, 1, true, fCByte}, {"cint", 1, 1, true, fCInt},
    {"clng", 1, 1, true, fCLng}, {"csng", 1, 1, true, fCSng}, {"cdbl", 1, 1, true, fCDbl},
    {"cstr", 1, 1, true, fCStr}, {"cdate", 1, 1, true, fCDate}, {"ccur", 1, 1, true, fCCur},
    {"int", 1, 1, true, fInt}, {"fix", 1, 1, true, fFix}, {"round", 1, 2, true, fRound},
    {"abs", 1, 1, true, fAbs}, {"sgn", 1, 1, true, fSgn}, {"sqr", 1, 1, true, fSqr},
    {"exp", 1, 1, true, fExp}, {"log", 1, 1, true, fLog}, {"sin", 1, 1, true, fSin},
    {"cos", 1, 1, true, fCos}, {"tan", 1, 1, true, fTan}, {"atn", 1, 1, true, fAtn},
    {"rnd", 0, 1, false, fRnd}, {"randomize", 0, 1, false, fRandomize},
    {"isnumeric", 1, 1, true, fIsNumeric}, {"isempty", 1, 1, true, fIsEmpty}, {"isnull", 1, 1, true, fIsNull},
    {"isarray", 1, 1, true, fIsArray}, {"isobject", 1, 1, true, fIsObject}, {"isdate", 1, 1, true, fIsDate},
    {"vartype", 1, 1, true, fVarType}, {"typename", 1, 1, true, fTypeName},
    {"array", 0, 1 << 20, true, fArray}, {"ubound", 1, 2, true, fUBound}, {"lbound", 1, 2, true, fLBound},
    {"formatnumber", 1, 5, true, fFormatNumber}, {"formatpercent", 1, 5, true, fFormatPercent},
    {"formatcurrency", 1, 5, true, fFormatCurrency}, {"formatdatetime", 1, 2, true, fFormatDateTime},
    {"now", 0, 0, true, fNow}, {"date", 0, 0, true, fDate}, {"time", 0, 0, true, fTime},
    {"timer", 0, 0, true, fTimer}, {"year", 1, 1, true, fYear}, {"month", 1, 1, true, fMonth},
    {"day", 1, 1, true, fDay}, {"hour", 1, 1, true, fHour}, {"minute", 1, 1, true, fMinute},
    {"second", 1, 1, true, fSecond}, {"weekday", 1, 2, true, fWeekday}, {"dateadd", 3, 3, true, fDateAdd},
    {"datediff", 3, 5, true, fDateDiff}, {"datepart", 2, 4, true, fDatePart},
    {"dateserial", 3, 3, true, fDateSerial}, {"timeserial", 3, 3, true, fTimeSerial},
    {"datevalue", 1, 1, true, fDateValue}, {"timevalue", 1, 1, true, fTimeValue},
    {"monthname", 1, 2, true, fMonthName}, {"weekdayname", 1, 3, true, fWeekdayName},
    {"msgbox", 1, 5, false, fMsgBox}, {"createobject", 1, 2, false, fCreateObject},
    {"getobject", 0, 2, false, fCreateObject}, {"execute", 1, 1, false, fExecute},
    {"executeglobal", 1, 1, false, fExecuteGlobal}, {"eval", 1, 1, false, fEval}, {"err", 0, 0, false, fErr},
    {"rgb", 3, 3, true, fRGB}, {"scriptengine", 0, 0, true, fScriptEngine},
    {"scriptenginemajorversion", 0, 0, true, fMajor}, {"scriptengineminorversion", 0, 0, true, fMinor},
    {"scriptenginebuildversion", 0, 0, true, fBuild},
};

const QHash<QString, int> &builtinIndex()
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (int i = 0; i < int(std::size(kBuiltins)); ++i)
            h.insert(QString::fromLatin1(kBuiltins[i].name), i);
        return h;
    }();
    return index;
}

struct ConstantDef {
    const char *name;
    int32_t value;
};

constexpr ConstantDef kConstants[] = {
    {"vbtrue", -1}, {"vbfalse", 0}, {"vbusedefault", -2}, {"vbbinarycompare", 0}, {"vbtextcompare", 1},
    {"vbsunday", 1}, {"vbmonday", 2}, {"vbtuesday", 3}, {"vbwednesday", 4}, {"vbthursday", 5},
    {"vbfriday", 6}, {"vbsaturday", 7}, {"vbusesystemdayofweek", 0}, {"vbfirstjan1", 1},
    {"vbfirstfourdays", 2}, {"vbfirstfullweek", 3}, {"vbgeneraldate", 0}, {"vblongdate", 1},
    {"vbshortdate", 2}, {"vblongtime", 3}, {"vbshorttime", 4}, {"vbokonly", 0}, {"vbokcancel", 1},
    {"vbabortretryignore", 2}, {"vbyesnocancel", 3}, {"vbyesno", 4}, {"vbretrycancel", 5},
    {"vbcritical", 16}, {"vbquestion", 32}, {"vbexclamation", 48}, {"vbinformation", 64},
    {"vbdefaultbutton1", 0}, {"vbdefaultbutton2", 256}, {"vbdefaultbutton3", 512},
    {"vbdefaultbutton4", 768}, {"vbapplicationmodal", 0}, {"vbsystemmodal", 4096}, {"vbok", 1},
    {"vbcancel", 2}, {"vbabort", 3}, {"vbretry", 4}, {"vbignore", 5}, {"vbyes", 6}, {"vbno", 7},
    {"vbempty", 0}, {"vbnull", 1}, {"vbinteger", 2}, {"vblong", 3}, {"vbsingle", 4}, {"vbdouble", 5},
    {"vbcurrency", 6}, {"vbdate", 7}, {"vbstring", 8}, {"vbobject", 9}, {"vberror", 10},
    {"vbboolean", 11}, {"vbvariant", 12}, {"vbdataobject", 13}, {"vbdecimal", 14}, {"vbbyte", 17},
    {"vbarray", 8192}, {"vbblack", 0}, {"vbred", 0xFF}, {"vbgreen", 0xFF00}, {"vbyellow", 0xFFFF},
    {"vbblue", 0xFF0000}, {"vbmagenta", 0xFF00FF}, {"vbcyan", 0xFFFF00}, {"vbwhite", 0xFFFFFF},
    {"vbobjecterror", int32_t(0x80040000)}, {"vbusesystem", 0}, {"vbdatabasecompare", 2},
    {"vbmsgboxhelpbutton", 16384}, {"vbmsgboxsetforeground", 65536}, {"vbmsgboxright", 524288},
    {"vbmsgboxrtlreading", 1048576},
};

} // namespace

int findBuiltin(const QString &lower)
{
    return builtinIndex().value(lower, -1);
}

const BuiltinInfo &builtinInfo(int id)
{
    return kBuiltins[id];
}

bool builtinIsPure(int id)
{
    return id >= 0 && kBuiltins[id].pure;
}

bool findConstant(const QString &lower, Value *out)
{
    if (lower.size() < 3 || !lower.startsWith(QLatin1String("vb")))
        return false;
    static const QHash<QString, Value> table = [] {
        QHash<QString, Value> t;
        static const QLatin1String colours[] = {
            QLatin1String("vbblack"), QLatin1String("vbred"), QLatin1String("vbgreen"), QLatin1String("vbyellow"),
            QLatin1String("vbblue"), QLatin1String("vbmagenta"), QLatin1String("vbcyan"), QLatin1String("vbwhite")};
        for (const ConstantDef &c : kConstants) {
            // Colours are Long whatever their value, like the RGB they stand for.
            const bool colour = std::find(std::begin(colours), std::end(colours), QLatin1String(c.name))
                != std::end(colours);
            const bool small = c.value >= -32768 && c.value <= 32767 && !colour;
            t.insert(QString::fromLatin1(c.name), small ? Value::integer(int16_t(c.value)) : Value::lng(c.value));
        }
        t.insert(QStringLiteral("vbtrue"), Value::integer(-1));
        t.insert(QStringLiteral("vbcr"), Value::str(QStringLiteral("\r")));
        t.insert(QStringLiteral("vblf"), Value::str(QStringLiteral("\n")));
        t.insert(QStringLiteral("vbcrlf"), Value::str(QStringLiteral("\r\n")));
        t.insert(QStringLiteral("vbnewline"), Value::str(QStringLiteral("\r\n")));
        t.insert(QStringLiteral("vbtab"), Value::str(QStringLiteral("\t")));
        t.insert(QStringLiteral("vbnullchar"), Value::str(QString(QChar(0))));
        t.insert(QStringLiteral("vbnullstring"), Value::str(QString()));
        t.insert(QStringLiteral("vbformfeed"), Value::str(QStringLiteral("\f")));
        t.insert(QStringLiteral("vbverticaltab"), Value::str(QStringLiteral("\v")));
        return t;
    }();
    auto it = table.constFind(lower);
    if (it == table.cend())
        return false;
    *out = *it;
    return true;
}

} // namespace tintwell::vbs

// Built-in functions on numbers: conversions between subtypes, rounding,
// arithmetic functions, random numbers and the tests of a value's kind.

#include "scripting/vbscript/builtins_impl.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/objects.h"

#include <cmath>

namespace tintwell::vbs {

namespace {

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
    // Rounded to the nearest Single first: a value just past the largest
    // Single that rounds down to it is no overflow.
    const double d = dbl(c, 0);
    const float f = float(d);
    if (std::isinf(f) || std::isnan(f))
        raise(err::Overflow);
    return Value::single(f);
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

Value fVarType(C &c)
{
    // An object of a script's class (or a Match) with a default member
    // reports the type of that member's value; Err stays an object.
    const Value &v = c.args[0];
    if (v.isObject() && v.obj && v.obj->kind != HeapObject::Kind::Err && c.in.hasDefault(v))
        return Value::integer(int16_t(varType(c.in.defaultValue(v))));
    return Value::integer(int16_t(varType(v)));
}
Value fTypeName(C &c) { return Value::str(typeName(c.args[0])); }

const BuiltinInfo kTable[] = {
    {"hex", 1, 1, true, fHex}, {"oct", 1, 1, true, fOct}, {"cbool", 1, 1, true, fCBool},
    {"cbyte", 1, 1, true, fCByte}, {"cint", 1, 1, true, fCInt}, {"clng", 1, 1, true, fCLng},
    {"csng", 1, 1, true, fCSng}, {"cdbl", 1, 1, true, fCDbl}, {"cstr", 1, 1, true, fCStr},
    {"cdate", 1, 1, true, fCDate}, {"ccur", 1, 1, true, fCCur}, {"int", 1, 1, true, fInt},
    {"fix", 1, 1, true, fFix}, {"round", 1, 2, true, fRound}, {"abs", 1, 1, true, fAbs},
    {"sgn", 1, 1, true, fSgn}, {"sqr", 1, 1, true, fSqr}, {"exp", 1, 1, true, fExp},
    {"log", 1, 1, true, fLog}, {"sin", 1, 1, true, fSin}, {"cos", 1, 1, true, fCos},
    {"tan", 1, 1, true, fTan}, {"atn", 1, 1, true, fAtn}, {"rnd", 0, 1, false, fRnd},
    {"randomize", 0, 1, false, fRandomize}, {"isnumeric", 1, 1, true, fIsNumeric},
    {"isempty", 1, 1, true, fIsEmpty}, {"isnull", 1, 1, true, fIsNull}, {"isarray", 1, 1, true, fIsArray},
    {"isobject", 1, 1, true, fIsObject}, {"isdate", 1, 1, true, fIsDate}, {"vartype", 1, 1, true, fVarType},
    {"typename", 1, 1, true, fTypeName},
};

} // namespace

BuiltinFamily mathBuiltins()
{
    return {kTable, std::size(kTable)};
}

} // namespace tintwell::vbs

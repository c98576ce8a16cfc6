#include "scripting/vbscript/value.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tintwell::vbs {

void releaseObject(HeapObject *o)
{
    // A queue instead of recursion: deleting an object releases what it
    // holds, which may in turn reach zero. Only the outermost call drains.
    // The queue is linked through the objects themselves: plain pointers
    // need no destructor, so an engine destroyed at program exit, after
    // thread-local storage is gone, still releases safely.
    static thread_local HeapObject *pending = nullptr;
    static thread_local bool draining = false;
    o->nextRelease = pending;
    pending = o;
    if (draining)
        return;
    draining = true;
    while (pending) {
        HeapObject *p = pending;
        pending = p->nextRelease;
        p->nextRelease = nullptr;
        if (p->finalize())
            delete p;
    }
    draining = false;
}

Value Value::array(ArrayObject *a)
{
    Value v;
    v.type = VarType::Array;
    v.obj = Ref<HeapObject>(a);
    return v;
}

ArrayObject *Value::arr() const
{
    return type == VarType::Array ? static_cast<ArrayObject *>(obj.get()) : nullptr;
}

bool Value::isNumeric() const
{
    switch (type) {
    case VarType::Empty: case VarType::Boolean: case VarType::Byte: case VarType::Integer:
    case VarType::Long: case VarType::Single: case VarType::Double: case VarType::Currency:
    case VarType::Date:
        return true;
    default:
        return false;
    }
}

int64_t ArrayObject::offset(const Value *idx, size_t count) const
{
    if (count != dims.size())
        return -1;
    int64_t off = 0;
    int64_t mul = 1;
    for (size_t d = 0; d < count; ++d) {
        const int64_t i = int64_t(toLong(idx[d])) - dims[d].lower;
        if (i < 0 || i >= dims[d].count)
            return -1;
        off += i * mul;
        mul *= dims[d].count;
    }
    return off;
}

ArrayObject *ArrayObject::clone() const
{
    auto *a = new ArrayObject;
    a->dims = dims;
    a->data = data;
    a->fixed = fixed;
    return a;
}

// ---- text and numbers ----------------------------------------------------

bool parseNumber(const QString &text, double *out)
{
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    while (p < end && (p->isSpace()))
        ++p;
    while (end > p && (end - 1)->isSpace())
        --end;
    if (p == end)
        return false;
    bool neg = false;
    if (*p == QLatin1Char('+') || *p == QLatin1Char('-')) {
        neg = *p == QLatin1Char('-');
        ++p;
        while (p < end && p->isSpace())
            ++p;
    }
    if (p < end && *p == QLatin1Char('&') && p + 1 < end) {
        const QChar kind = p[1].toUpper();
        int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (!base)
            return false;
        p += 2;
        if (p == end)
            return false;
        uint64_t v = 0;
        for (; p < end; ++p) {
            const int dg = p->isDigit() ? p->digitValue()
                : (base == 16 && p->toUpper() >= QLatin1Char('A') && p->toUpper() <= QLatin1Char('F'))
                    ? p->toUpper().unicode() - 'A' + 10 : -1;
            if (dg < 0 || dg >= base)
                return false;
            v = v * base + dg;
            if (v > 0xFFFFFFFFull)
                return false;
        }
        // Four-digit hex reads as a 16-bit pattern, longer as 32 bits.
        double r = v <= 0xFFFF ? double(int16_t(uint16_t(v))) : double(int32_t(uint32_t(v)));
        *out = neg ? -r : r;
        return true;
    }
    std::string buf;
    bool digits = false;
    bool dot = false;
    for (; p < end; ++p) {
        const char c = char(p->unicode() < 128 ? p->unicode() : 0);
        if (c >= '0' && c <= '9') {
            buf += c;
            digits = true;
        } else if (c == ',' && !dot && digits) {
            continue; // digit grouping
        } else if (c == '.' && !dot) {
            buf += c;
            dot = true;
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (p < end && (p->toUpper() == QLatin1Char('E') || p->toUpper() == QLatin1Char('D'))) {
        ++p;
        buf += 'e';
        if (p < end && (*p == QLatin1Char('+') || *p == QLatin1Char('-')))
            buf += char((p++)->unicode());
        bool expDigits = false;
        for (; p < end && p->unicode() >= '0' && p->unicode() <= '9'; ++p) {
            buf += char(p->unicode());
            expDigits = true;
        }
        if (!expDigits)
            return false;
    }
    if (p != end)
        return false;
    // Not strtod: the program runs under the user's locale, whose decimal
    // separator may be a comma, and script numbers always use a point.
    double v = 0;
    const auto res = std::from_chars(buf.data(), buf.data() + buf.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        v = strtod_l(buf.c_str(), nullptr, cLocale); // tells underflow (0 or tiny) from overflow (inf)
    }
    if (!std::isfinite(v))
        return false;
    *out = neg ? -v : v;
    return true;
}

QString formatDouble(double d, int precision)
{
    if (d == 0)
        return QStringLiteral("0");
    // As printf's %G would write it in the C locale, whatever the user's locale.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, precision);
    for (char *p = buf; p != res.ptr; ++p) {
        if (*p == 'e')
            *p = 'E';
        else if (*p >= 'a' && *p <= 'z')
            *p = char(*p - 32); // INF, NAN
    }
    return QString::fromLatin1(buf, res.ptr - buf);
}

double atFifteenDigits(double x)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    double v = x;
    std::from_chars(buf, res.ptr, v);
    return v;
}

QString formatCurrency(int64_t scaled)
{
    const bool neg = scaled < 0;
    const uint64_t u = neg ? uint64_t(-(scaled + 1)) + 1 : uint64_t(scaled);
    QString s = QString::number(u / 10000);
    uint64_t frac = u % 10000;
    if (frac) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return neg ? QLatin1Char('-') + s : s;
}

double roundHalfEven(double x)
{
    return std::nearbyint(x); // the default rounding mode is to nearest, ties to even
}

double toDouble(const Value &v)
{
    switch (v.type) {
    case VarType::Empty: return 0;
    case VarType::Boolean: return v.n.b ? -1 : 0;
    case VarType::Byte: return v.n.byte;
    case VarType::Integer: return v.n.i16;
    case VarType::Long: return v.n.i32;
    case VarType::Single: return v.n.f;
    case VarType::Double: case VarType::Date: return v.n.d;
    case VarType::Currency: return double(v.n.cur) / 10000.0;
    case VarType::String: {
        double d;
        if (parseNumber(v.s, &d))
            return d;
        raise(err::TypeMismatch);
    }
    case VarType::Null: raise(err::InvalidNull);
    default: raise(err::TypeMismatch);
    }
}

int32_t toLong(const Value &v)
{
    switch (v.type) {
    case VarType::Long: return v.n.i32;
    case VarType::Integer: return v.n.i16;
    case VarType::Byte: return v.n.byte;
    case VarType::Boolean: return v.n.b ? -1 : 0;
    case VarType::Empty: return 0;
    default: break;
    }
    const double d = roundHalfEven(toDouble(v));
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        raise(err::Overflow);
    return int32_t(d);
}

int16_t toInteger(const Value &v)
{
    if (v.type == VarType::Integer)
        return v.n.i16;
    const double d = roundHalfEven(toDouble(v));
    if (!(d >= -32768.0 && d <= 32767.0))
        raise(err::Overflow);
    return int16_t(d);
}

bool toBool(const Value &v)
{
    switch (v.type) {
    case VarType::Boolean: return v.n.b;
    case VarType::Empty: return false;
    case VarType::String:
        if (v.s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (v.s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        // The spelling Write # uses for Booleans.
        if (v.s.compare(QLatin1String("#true#"), Qt::CaseInsensitive) == 0)
            return true;
        if (v.s.compare(QLatin1String("#false#"), Qt::CaseInsensitive) == 0)
            return false;
        return toDouble(v) != 0;
    default:
        return toDouble(v) != 0;
    }
}

QString toString(const Value &v)
{
    switch (v.type) {
    case VarType::String: return v.s;
    case VarType::Empty: return QString();
    case VarType::Boolean: return v.n.b ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Byte: return QString::number(v.n.byte);
    case VarType::Integer: return QString::number(v.n.i16);
    case VarType::Long: return QString::number(v.n.i32);
    case VarType::Single: return formatDouble(v.n.f, 7);
    case VarType::Double: return formatDouble(v.n.d, 15);
    case VarType::Currency: return formatCurrency(v.n.cur);
    case VarType::Date: return formatDateValue(v.n.d);
    case VarType::Null: raise(err::InvalidNull);
    case VarType::Error: return QStringLiteral("Error");
    default: raise(err::TypeMismatch);
    }
}

Value toNumber(const Value &v)
{
    switch (v.type) {
    case VarType::Empty: return Value::integer(0);
    case VarType::Boolean: return Value::integer(v.n.b ? -1 : 0);
    case VarType::String: return Value::dbl(toDouble(v));
    case VarType::Null: return v;
    case VarType::Object: case VarType::Array: case VarType::Error: raise(err::TypeMismatch);
    default: return v;
    }
}

// ---- arithmetic -----------------------------------------------------------

namespace {

enum Rank { RByte, RInt, RLong, RSingle, RDouble, RCur, RDate };

Rank rankOf(const Value &v)
{
    switch (v.type) {
    case VarType::Byte: return RByte;
    case VarType::Empty: case VarType::Boolean: case VarType::Integer: return RInt;
    case VarType::Long: return RLong;
    case VarType::Single: return RSingle;
    case VarType::Double: case VarType::String: return RDouble;
    case VarType::Currency: return RCur;
    case VarType::Date: return RDate;
    default: raise(err::TypeMismatch);
    }
}

int64_t toInt64(const Value &v)
{
    switch (v.type) {
    case VarType::Byte: return v.n.byte;
    case VarType::Integer: return v.n.i16;
    case VarType::Long: return v.n.i32;
    case VarType::Boolean: return v.n.b ? -1 : 0;
    case VarType::Empty: return 0;
    default: return toLong(v);
    }
}

// Fits an integer result into the smallest type not below the operands' rank,
// moving on to Double when even a Long cannot hold it.
Value fitInteger(int64_t r, Rank rank)
{
    if (rank == RByte && r >= 0 && r <= 255)
        return Value::byte(uint8_t(r));
    if (rank <= RInt && r >= -32768 && r <= 32767)
        return Value::integer(int16_t(r));
    if (r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())
        return Value::lng(int32_t(r));
    return Value::dbl(double(r));
}

Value checkedDouble(double d)
{
    if (!std::isfinite(d))
        raise(err::Overflow);
    return Value::dbl(d);
}

int64_t toCurrencyScaled(const Value &v)
{
    if (v.type == VarType::Currency)
        return v.n.cur;
    const double d = roundHalfEven(toDouble(v) * 10000.0);
    if (!(std::fabs(d) < 9.2233720368547e18))
        raise(err::Overflow);
    return int64_t(d);
}

enum class Arith { Add, Sub, Mul };

Value arith(const Value &a, const Value &b, Arith op)
{
    if (a.isNull() || b.isNull())
        return Value::null();
    const Rank ra = rankOf(a), rb = rankOf(b);
    if (ra == RDate || rb == RDate) {
        const double x = toDouble(a), y = toDouble(b);
        const double r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
        if (op == Arith::Mul || (op == Arith::Sub && ra == RDate && rb == RDate))
            return checkedDouble(r);
        if (!std::isfinite(r) || r < -657434.0 || r >= 2958466.0)
            raise(err::Overflow);
        return Value::date(r);
    }
    if (ra == RCur || rb == RCur) {
        if (ra == RSingle || ra == RDouble || rb == RSingle || rb == RDouble) {
            const double x = toDouble(a), y = toDouble(b);
            return checkedDouble(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y);
        }
        const int64_t x = toCurrencyScaled(a), y = toCurrencyScaled(b);
        int64_t r;
        if (op == Arith::Mul) {
            const long double p = (long double)x * (long double)y / 10000.0L;
            if (!(fabsl(p) < 9.2233720368547e18L))
                raise(err::Overflow);
            r = int64_t(nearbyintl(p));
        } else if (__builtin_add_overflow(x, op == Arith::Add ? y : -y, &r)) {
            raise(err::Overflow);
        }
        return Value::currency(r);
    }
    if (ra <= RLong && rb <= RLong) {
        const int64_t x = toInt64(a), y = toInt64(b);
        const int64_t r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
        return fitInteger(r, std::max(ra, rb));
    }
    const double x = toDouble(a), y = toDouble(b);
    const double r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
    const Rank top = std::max(ra, rb);
    if (top == RSingle && ra != RLong && rb != RLong) {
        if (std::isfinite(r) && std::fabs(r) <= std::numeric_limits<float>::max())
            return Value::single(float(r));
    }
    return checkedDouble(r);
}

Value toLogical(const Value &v)
{
    if (v.type == VarType::String) {
        if (v.s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return Value(true);
        if (v.s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return Value(false);
    }
    switch (v.type) {
    case VarType::Boolean: case VarType::Byte: case VarType::Integer: case VarType::Long:
    case VarType::Null:
        return v;
    case VarType::Empty:
        return Value::integer(0);
    default:
        return Value::lng(toLong(v));
    }
}

enum class Logic { And, Or, Xor, Eqv, Imp };

Value logic(const Value &a0, const Value &b0, Logic op)
{
    const Value a = toLogical(a0), b = toLogical(b0);
    if (a.isNull() || b.isNull()) {
        const Value &other = a.isNull() ? b : a;
        if (other.isNull())
            return Value::null();
        const int64_t o = toInt64(other);
        switch (op) {
        case Logic::And:
            return o == 0 ? other : Value::null();
        case Logic::Or:
            return o == -1 ? other : Value::null();
        case Logic::Imp:
            if (a.isNull())
                return o == -1 ? other : Value::null();
            return o == 0 ? (other.type == VarType::Boolean ? Value(true) : fitInteger(-1, rankOf(other)))
                          : Value::null();
        default:
            return Value::null();
        }
    }
    const int64_t x = toInt64(a), y = toInt64(b);
    int64_t r = 0;
    switch (op) {
    case Logic::And: r = x & y; break;
    case Logic::Or: r = x | y; break;
    case Logic::Xor: r = x ^ y; break;
    case Logic::Eqv: r = ~(x ^ y); break;
    case Logic::Imp: r = ~x | y; break;
    }
    if (a.type == VarType::Boolean && b.type == VarType::Boolean)
        return Value(r != 0);
    const Rank rank = std::max(a.type == VarType::Boolean ? RInt : rankOf(a),
                               b.type == VarType::Boolean ? RInt : rankOf(b));
    if (rank == RByte)
        return Value::byte(uint8_t(r));
    if (rank == RInt)
        return Value::integer(int16_t(r));
    return Value::lng(int32_t(r));
}

} // namespace

Value opAdd(const Value &a, const Value &b)
{
    if (a.isString() && b.isString())
        return opConcat(a, b);
    if (a.isString() && b.isEmpty())
        return a;
    if (b.isString() && a.isEmpty())
        return b;
    return arith(a, b, Arith::Add);
}

Value opSub(const Value &a, const Value &b) { return arith(a, b, Arith::Sub); }
Value opMul(const Value &a, const Value &b) { return arith(a, b, Arith::Mul); }

Value opDiv(const Value &a, const Value &b)
{
    if (a.isNull() || b.isNull())
        return Value::null();
    const Rank ra = rankOf(a), rb = rankOf(b);
    const double x = toDouble(a), y = toDouble(b);
    if (y == 0)
        raise(x == 0 ? err::Overflow : err::DivByZero);
    const double r = x / y;
    if ((ra == RSingle || rb == RSingle) && ra <= RSingle && rb <= RSingle && ra != RLong && rb != RLong
        && std::fabs(r) <= std::numeric_limits<float>::max())
        return Value::single(float(r));
    return checkedDouble(r);
}

namespace {
Rank intRank(const Value &v)
{
    const Rank r = rankOf(v);
    return r == RByte ? RByte : r == RInt ? RInt : RLong;
}
} // namespace

Value opIntDiv(const Value &a, const Value &b)
{
    if (a.isNull() || b.isNull())
        return Value::null();
    const Rank rank = std::max(intRank(a), intRank(b));
    const int64_t x = toInt64(a), y = toInt64(b);
    if (y == 0)
        raise(err::DivByZero);
    const int64_t r = x / y;
    if (r > std::numeric_limits<int32_t>::max())
        raise(err::Overflow);
    return fitInteger(r, rank);
}

Value opMod(const Value &a, const Value &b)
{
    if (a.isNull() || b.isNull())
        return Value::null();
    const Rank rank = std::max(intRank(a), intRank(b));
    const int64_t x = toInt64(a), y = toInt64(b);
    if (y == 0)
        raise(err::DivByZero);
    return fitInteger(x % y, rank);
}

Value opPow(const Value &a, const Value &b)
{
    if (a.isNull() || b.isNull())
        return Value::null();
    const double x = toDouble(a), y = toDouble(b);
    if (x < 0 && y != std::floor(y))
        raise(err::InvalidCall);
    if (x == 0 && y < 0)
        raise(err::DivByZero);
    return checkedDouble(std::pow(x, y));
}

Value opNeg(const Value &a)
{
    switch (a.type) {
    case VarType::Null: return a;
    case VarType::Empty: return Value::integer(0);
    case VarType::Boolean: return Value::integer(a.n.b ? 1 : 0);
    case VarType::Byte: return Value::integer(-int16_t(a.n.byte));
    case VarType::Integer: return fitInteger(-int64_t(a.n.i16), RInt);
    case VarType::Long: return fitInteger(-int64_t(a.n.i32), RLong);
    case VarType::Single: return Value::single(-a.n.f);
    case VarType::Double: return Value::dbl(-a.n.d);
    case VarType::Date: return Value::date(-a.n.d);
    case VarType::Currency:
        if (a.n.cur == std::numeric_limits<int64_t>::min())
            raise(err::Overflow);
        return Value::currency(-a.n.cur);
    case VarType::String: return Value::dbl(-toDouble(a));
    default: raise(err::TypeMismatch);
    }
}

Value opConcat(const Value &a, const Value &b)
{
    if (a.isNull() && b.isNull())
        return Value::null();
    QString x = a.isNull() ? QString() : toString(a);
    const QString y = b.isNull() ? QString() : toString(b);
    if (int64_t(x.size()) + y.size() > kMaxStringLength)
        raise(err::OutOfMemory);
    x += y;
    return Value::str(std::move(x));
}

Value opNot(const Value &a0)
{
    const Value a = toLogical(a0);
    switch (a.type) {
    case VarType::Null: return a;
    case VarType::Boolean: return Value(!a.n.b);
    case VarType::Byte: return Value::byte(uint8_t(~a.n.byte));
    case VarType::Integer: return Value::integer(int16_t(~a.n.i16));
    default: return Value::lng(~a.n.i32);
    }
}

Value opAnd(const Value &a, const Value &b) { return logic(a, b, Logic::And); }
Value opOr(const Value &a, const Value &b) { return logic(a, b, Logic::Or); }
Value opXor(const Value &a, const Value &b) { return logic(a, b, Logic::Xor); }
Value opEqv(const Value &a, const Value &b) { return logic(a, b, Logic::Eqv); }
Value opImp(const Value &a, const Value &b) { return logic(a, b, Logic::Imp); }

int compareValues(const Value &a, const Value &b, bool textCompare)
{
    if (a.isNull() || b.isNull())
        return 2;
    if (a.isObject() || b.isObject() || a.isArray() || b.isArray() || a.type == VarType::Error
        || b.type == VarType::Error)
        raise(err::TypeMismatch);
    const bool as = a.isString(), bs = b.isString();
    if (as && bs) {
        const int c = a.s.compare(b.s, textCompare ? Qt::CaseInsensitive : Qt::CaseSensitive);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    if (as || bs) {
        const Value &num = as ? b : a;
        if (num.isEmpty()) {
            const QString &text = as ? a.s : b.s;
            const int c = as ? (text.isEmpty() ? 0 : 1) : (text.isEmpty() ? 0 : -1);
            return c;
        }
        // A number is less than any string.
        return as ? 1 : -1;
    }
    if (a.type == VarType::Currency && b.type == VarType::Currency)
        return a.n.cur < b.n.cur ? -1 : a.n.cur > b.n.cur ? 1 : 0;
    const double x = toDouble(a), y = toDouble(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

int varType(const Value &v)
{
    if (v.isArray())
        return 8192 + 12;
    return int(v.type);
}

// A literal on one side makes the other side take its kind: 1 = "1" is True
// when one of them is written as a literal.
int compareMixed(const Value &a, const Value &b, bool aLiteral, bool bLiteral)
{
    if ((aLiteral || bLiteral) && a.isString() != b.isString() && !a.isNull() && !b.isNull()) {
        const Value &text = a.isString() ? a : b;
        const Value &num = a.isString() ? b : a;
        double d;
        if (num.isNumeric() && !num.isEmpty() && parseNumber(text.s, &d)) {
            const Value td = Value::dbl(d);
            return a.isString() ? compareValues(td, num) : compareValues(num, td);
        }
    }
    return compareValues(a, b);
}

} // namespace tintwell::vbs

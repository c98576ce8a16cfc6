// Built-in functions on dates and times: the clock, parts of a date, date
// arithmetic and names of months and weekdays.

#include "scripting/vbscript/builtins_impl.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/objects.h"

#include <chrono>
#include <cmath>

namespace tintwell::vbs {

namespace {

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

const BuiltinInfo kTable[] = {
    {"now", 0, 0, true, fNow}, {"date", 0, 0, true, fDate}, {"time", 0, 0, true, fTime},
    {"timer", 0, 0, true, fTimer}, {"year", 1, 1, true, fYear}, {"month", 1, 1, true, fMonth},
    {"day", 1, 1, true, fDay}, {"hour", 1, 1, true, fHour}, {"minute", 1, 1, true, fMinute},
    {"second", 1, 1, true, fSecond}, {"weekday", 1, 2, true, fWeekday}, {"dateadd", 3, 3, true, fDateAdd},
    {"datediff", 3, 5, true, fDateDiff}, {"datepart", 2, 4, true, fDatePart},
    {"dateserial", 3, 3, true, fDateSerial}, {"timeserial", 3, 3, true, fTimeSerial},
    {"datevalue", 1, 1, true, fDateValue}, {"timevalue", 1, 1, true, fTimeValue},
    {"monthname", 1, 2, true, fMonthName}, {"weekdayname", 1, 3, true, fWeekdayName},
};

} // namespace

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

BuiltinFamily dateBuiltins()
{
    return {kTable, std::size(kTable)};
}

} // namespace tintwell::vbs

// Built-in formatting of numbers, currency, percentages and dates as text.

#include "scripting/vbscript/builtins_impl.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/objects.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tintwell::vbs {

namespace {

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

const BuiltinInfo kTable[] = {
    {"formatnumber", 1, 5, true, fFormatNumber}, {"formatpercent", 1, 5, true, fFormatPercent},
    {"formatcurrency", 1, 5, true, fFormatCurrency}, {"formatdatetime", 1, 2, true, fFormatDateTime},
};

} // namespace

BuiltinFamily formatBuiltins()
{
    return {kTable, std::size(kTable)};
}

} // namespace tintwell::vbs

#include "scripting/vbscript/builtins_impl.h"

#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/objects.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace tintwell::vbs {

Value plain(C &c, int i)
{
    // Objects stand for their default member wherever a value is wanted.
    const Value &v = c.args[i];
    if (v.isObject())
        return c.in.defaultValue(v);
    return v;
}

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

const ArrayObject *arrayArg(C &c, int i)
{
    const ArrayObject *a = c.args[i].arr();
    if (!a)
        raise(err::TypeMismatch);
    return a;
}

namespace {

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

const BuiltinInfo kOwnTable[] = {
    {"array", 0, 1 << 20, true, fArray}, {"ubound", 1, 2, true, fUBound}, {"lbound", 1, 2, true, fLBound},
    {"msgbox", 1, 5, false, fMsgBox}, {"createobject", 1, 2, false, fCreateObject},
    {"getobject", 0, 2, false, fCreateObject}, {"execute", 1, 1, false, fExecute},
    {"executeglobal", 1, 1, false, fExecuteGlobal}, {"eval", 1, 1, false, fEval}, {"err", 0, 0, false, fErr},
    {"rgb", 3, 3, true, fRGB}, {"scriptengine", 0, 0, true, fScriptEngine},
    {"scriptenginemajorversion", 0, 0, true, fMajor}, {"scriptengineminorversion", 0, 0, true, fMinor},
    {"scriptenginebuildversion", 0, 0, true, fBuild},
};

// Every family's functions in one list; an id is an index into it.
const std::vector<BuiltinInfo> &allBuiltins()
{
    static const std::vector<BuiltinInfo> all = [] {
        std::vector<BuiltinInfo> v(std::begin(kOwnTable), std::end(kOwnTable));
        for (const BuiltinFamily &f : {stringBuiltins(), mathBuiltins(), dateBuiltins(), formatBuiltins()})
            v.insert(v.end(), f.entries, f.entries + f.count);
        return v;
    }();
    return all;
}

const QHash<QString, int> &builtinIndex()
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (int i = 0; i < int(allBuiltins().size()); ++i)
            h.insert(QString::fromLatin1(allBuiltins()[size_t(i)].name), i);
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
    return allBuiltins()[size_t(id)];
}

bool builtinIsPure(int id)
{
    return id >= 0 && allBuiltins()[size_t(id)].pure;
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

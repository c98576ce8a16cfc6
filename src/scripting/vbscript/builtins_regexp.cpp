// RegExp and the collections its Execute returns: Matches of Match objects,
// each with its SubMatches.

#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/objects.h"
#include "scripting/vbscript/regex.h"

namespace tintwell::vbs {

namespace {

constexpr int kRegexSyntax = 5017; // "Syntax error in regular expression"

Value plainValue(Interpreter &in, const Value &v)
{
    return v.isObject() ? in.defaultValue(v) : v;
}

void wantArgs(const std::vector<Value> &args, size_t n, const QString &name)
{
    if (args.size() != n)
        raise(err::WrongArgs, name);
    for (const Value &a : args)
        if (a.isMissing())
            raise(err::WrongArgs, name);
}

// Count, Item(i) and For Each; Item is the default member.
class Collection : public BuiltinObject
{
public:
    virtual size_t size() const = 0;
    virtual Value at(size_t i) = 0;

    Value get(Interpreter &in, const QString &lower, const QString &name, std::vector<Value> &args) override
    {
        if (lower == QLatin1String("count")) {
            wantArgs(args, 0, name);
            return Value::lng(int32_t(size()));
        }
        if (lower.isEmpty() || lower == QLatin1String("item")) {
            wantArgs(args, 1, name);
            const int32_t i = toLong(plainValue(in, args[0]));
            if (i < 0 || size_t(i) >= size())
                raise(err::InvalidCall, name);
            return at(size_t(i));
        }
        raise(err::NoSuchMember, name);
    }

    bool items(std::vector<Value> *out) override
    {
        out->clear();
        out->reserve(size());
        for (size_t i = 0; i < size(); ++i)
            out->push_back(at(i));
        return true;
    }
};

class SubMatchesObject : public Collection
{
public:
    std::vector<Value> list;
    QString typeName() const override { return QStringLiteral("ISubMatches"); }
    size_t size() const override { return list.size(); }
    Value at(size_t i) override { return list[i]; }
};

class MatchObject : public BuiltinObject
{
public:
    QString value;
    int32_t firstIndex = 0;
    Value subMatches; // a SubMatchesObject

    QString typeName() const override { return QStringLiteral("IMatch2"); }
    bool hasDefault() const override { return true; }

    Value get(Interpreter &in, const QString &lower, const QString &name, std::vector<Value> &args) override
    {
        if (lower == QLatin1String("submatches") && !args.empty()) // m.SubMatches(i)
            return static_cast<BuiltinObject *>(subMatches.obj.get())->get(in, QString(), name, args);
        wantArgs(args, 0, name);
        if (lower.isEmpty() || lower == QLatin1String("value"))
            return Value::str(value);
        if (lower == QLatin1String("firstindex"))
            return Value::lng(firstIndex);
        if (lower == QLatin1String("length"))
            return Value::lng(int32_t(value.size()));
        if (lower == QLatin1String("submatches"))
            return subMatches;
        raise(err::NoSuchMember, name);
    }
};

// The matches keep their spans and the subject; a Match object is made the
// first time a script asks for it, so a long list costs little until used.
class MatchesObject : public Collection
{
public:
    QString subject;
    std::vector<RegexMatch> spans;
    std::vector<Value> made;

    QString typeName() const override { return QStringLiteral("IMatchCollection2"); }
    size_t size() const override { return spans.size(); }

    Value at(size_t i) override
    {
        if (made.size() != spans.size())
            made.resize(spans.size());
        if (made[i].isEmpty())
            made[i] = matchValue(spans[i]);
        return made[i];
    }

private:
    Value matchValue(const RegexMatch &m) const
    {
        auto *match = new MatchObject;
        const Value result = Value::object(match);
        match->value = subject.mid(m.whole.start, m.whole.length);
        match->firstIndex = int32_t(m.whole.start);
        auto *subs = new SubMatchesObject;
        match->subMatches = Value::object(subs);
        subs->list.reserve(m.groups.size());
        for (const RegexMatch::Span &g : m.groups)
            subs->list.push_back(g.matched() ? Value::str(subject.mid(g.start, g.length)) : Value());
        return result;
    }
};

// More matches than this from one Execute is "Out of memory": each may become
// an object a script holds.
constexpr size_t kMaxMatches = 1 << 20;
// Between matches of one long search the clock is read this often.
constexpr int kMatchesPerTimeCheck = 4096;

class RegExpObject : public BuiltinObject
{
public:
    QString typeName() const override { return QStringLiteral("IRegExp2"); }

    Value get(Interpreter &in, const QString &lower, const QString &name, std::vector<Value> &args) override
    {
        if (lower == QLatin1String("pattern")) {
            wantArgs(args, 0, name);
            return Value::str(pattern_);
        }
        if (lower == QLatin1String("ignorecase")) {
            wantArgs(args, 0, name);
            return Value(flags_.ignoreCase);
        }
        if (lower == QLatin1String("global")) {
            wantArgs(args, 0, name);
            return Value(global_);
        }
        if (lower == QLatin1String("multiline")) {
            wantArgs(args, 0, name);
            return Value(flags_.multiline);
        }
        if (lower == QLatin1String("test")) {
            wantArgs(args, 1, name);
            const QString subject = toString(plainValue(in, args[0]));
            RegexMatch m;
            bool found = false;
            check(in, compiled().matchAt(subject, 0, &m, &found), subject);
            return Value(found);
        }
        if (lower == QLatin1String("execute")) {
            wantArgs(args, 1, name);
            auto *matches = new MatchesObject;
            const Value result = Value::object(matches);
            matches->subject = toString(plainValue(in, args[0]));
            int sinceCheck = 0;
            const Regex::Status st = compiled().forEachMatch(matches->subject, global_ ? -1 : 1, [&](const RegexMatch &m) {
                if (matches->spans.size() >= kMaxMatches)
                    raise(err::OutOfMemory);
                matches->spans.push_back(m);
                if (++sinceCheck == kMatchesPerTimeCheck) {
                    sinceCheck = 0;
                    in.checkTime();
                }
                return true;
            });
            check(in, st, matches->subject);
            return result;
        }
        if (lower == QLatin1String("replace")) {
            wantArgs(args, 2, name);
            const QString subject = toString(plainValue(in, args[0]));
            const QString with = toString(plainValue(in, args[1]));
            QString out;
            qsizetype at = 0;
            int sinceCheck = 0;
            const Regex::Status st = compiled().forEachMatch(subject, global_ ? -1 : 1, [&](const RegexMatch &m) {
                out += QStringView(subject).mid(at, m.whole.start - at);
                out += Regex::expand(with, subject, m);
                if (out.size() > kMaxStringLength)
                    raise(err::OutOfMemory);
                at = m.whole.start + m.whole.length;
                if (++sinceCheck == kMatchesPerTimeCheck) {
                    sinceCheck = 0;
                    in.checkTime();
                }
                return true;
            });
            check(in, st, subject);
            out += QStringView(subject).mid(at);
            if (out.size() > kMaxStringLength)
                raise(err::OutOfMemory);
            return Value::str(out);
        }
        raise(err::NoSuchMember, name);
    }

    void set(Interpreter &in, const QString &lower, const QString &name, Value v) override
    {
        v = plainValue(in, v);
        if (lower == QLatin1String("pattern")) {
            pattern_ = toString(v);
        } else if (lower == QLatin1String("ignorecase")) {
            flags_.ignoreCase = toBool(v);
        } else if (lower == QLatin1String("global")) {
            global_ = toBool(v);
            return; // no new compile needed
        } else if (lower == QLatin1String("multiline")) {
            flags_.multiline = toBool(v);
        } else {
            raise(err::NoSuchMember, name);
        }
        stale_ = true;
    }

private:
    const Regex &compiled()
    {
        if (stale_) {
            if (!regex_.compile(pattern_, flags_))
                raise(kRegexSyntax);
            stale_ = false;
        }
        return regex_;
    }

    // A pattern that backtracks past the step limit would have run past the
    // time limit on any backtracking engine: the run ends as a time-out.
    static void check(Interpreter &in, Regex::Status st, const QString &subject)
    {
        if (st == Regex::Status::StepLimit)
            in.abortRun();
        if (st == Regex::Status::BadPattern)
            raise(kRegexSyntax);
        if (subject.size() > Interpreter::kBigWork)
            in.checkTime();
    }

    QString pattern_;
    RegexFlags flags_;
    bool global_ = false;
    bool stale_ = true;
    Regex regex_;
};

} // namespace

HeapObject *newBuiltinObject(const QString &lower)
{
    if (lower == QLatin1String("regexp"))
        return new RegExpObject;
    return nullptr;
}

} // namespace tintwell::vbs

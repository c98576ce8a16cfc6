#include "scripting/vbscript/interpreter.h"

#include "scripting/hostobject.h"
#include "scripting/vbscript/builtins.h"
#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/resolver.h"

#include <QStringList>
#include <cmath>
#include <cstring>

namespace tintwell::vbs {

namespace {

QString sourceLine(const QString &src, int line)
{
    if (line <= 0)
        return QString();
    int start = 0;
    for (int l = 1; l < line; ++l) {
        int nl = src.indexOf(QLatin1Char('\n'), start);
        if (nl < 0)
            return QString();
        start = nl + 1;
    }
    int end = start;
    while (end < src.size() && src[end] != QLatin1Char('\n') && src[end] != QLatin1Char('\r'))
        ++end;
    return src.mid(start, end - start);
}

QVariant toVariant(const Value &v)
{
    switch (v.type) {
    case VarType::Empty: return QVariant();
    case VarType::Null: return QVariant::fromValue(nullptr);
    case VarType::Boolean: return QVariant(v.n.b);
    case VarType::Byte: return QVariant(uint(v.n.byte));
    case VarType::Integer: return QVariant(int(v.n.i16));
    case VarType::Long: return QVariant(int(v.n.i32));
    case VarType::Single: return QVariant(v.n.f);
    case VarType::Double: case VarType::Date: return QVariant(v.n.d);
    case VarType::Currency: return QVariant(double(v.n.cur) / 10000.0);
    case VarType::String: return QVariant(v.s);
    case VarType::Error: return QVariant();
    default: raise(err::TypeMismatch);
    }
}

Value fromVariant(const QVariant &q, script::ValueType declared)
{
    if (!q.isValid())
        return Value();
    switch (declared) {
    case script::ValueType::Boolean: return Value(q.toBool());
    case script::ValueType::Byte: return Value::byte(uint8_t(q.toUInt()));
    case script::ValueType::Integer: return Value::integer(int16_t(q.toInt()));
    case script::ValueType::Long: return Value::lng(int32_t(q.toInt()));
    case script::ValueType::Single: return Value::single(q.toFloat());
    case script::ValueType::Double: return Value::dbl(q.toDouble());
    case script::ValueType::String: return Value::str(q.toString());
    default: break;
    }
    switch (q.typeId()) {
    case QMetaType::Bool: return Value(q.toBool());
    case QMetaType::Int: return Value::lng(q.toInt());
    case QMetaType::UInt: return q.toUInt() <= 255 ? Value::byte(uint8_t(q.toUInt())) : Value::dbl(q.toDouble());
    case QMetaType::Short: return Value::integer(int16_t(q.toInt()));
    case QMetaType::Float: return Value::single(q.toFloat());
    case QMetaType::Double: return Value::dbl(q.toDouble());
    case QMetaType::LongLong: case QMetaType::ULongLong: {
        const double d = q.toDouble();
        if (d >= -2147483648.0 && d <= 2147483647.0)
            return Value::lng(int32_t(q.toLongLong()));
        return Value::dbl(d);
    }
    case QMetaType::Nullptr: return Value::null();
    default: return Value::str(q.toString());
    }
}

} // namespace

Interpreter::Interpreter() : err_(new ErrObject)
{
    globalIndex_.reserve(64); // a typical script's names without growing the table
}

Interpreter::~Interpreter()
{
    resetState();
}

void Interpreter::resetState()
{
    shuttingDown_ = true;
    pendingTerminate_.clear();
    for (GlobalEntry &g : globals_)
        g.value = Value();
    globals_.clear();
    globalIndex_.clear();
    programs_.clear();
    sources_.clear();
    err_->clear();
    shuttingDown_ = false;
}

namespace {

// A limit of 0 (or less) means none, as for the JScript engine.
std::chrono::steady_clock::time_point deadlineAfter(int timeLimitMs)
{
    return timeLimitMs > 0 ? std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs)
                           : std::chrono::steady_clock::time_point::max();
}

} // namespace

void Interpreter::releaseAll(int timeLimitMs)
{
    timedOut_ = false;
    deadline_ = deadlineAfter(timeLimitMs);
    char base;
    stackBase_ = &base;
    callDepth_ = 0;
    try {
        // In the order the names were made, so objects go the way they came.
        for (GlobalEntry &g : globals_) {
            Value old = std::move(g.value);
            g.value = Value();
            old = Value();
            drainTerminates();
        }
    } catch (VbsAbort &) {
        // Out of time: the rest go without their terminate routines.
    }
    resetState();
}

GlobalEntry *Interpreter::global(const QString &lower, const QString &name)
{
    auto it = globalIndex_.constFind(lower);
    if (it != globalIndex_.cend())
        return *it;
    globals_.emplace_back();
    GlobalEntry *g = &globals_.back();
    g->name = name;
    globalIndex_.insert(lower, g);
    return g;
}

GlobalEntry *Interpreter::findGlobal(const QString &lower) const
{
    return globalIndex_.value(lower, nullptr);
}

void Interpreter::addHostObject(const QString &name, script::HostObject *object, bool addMembers)
{
    GlobalEntry *g = global(name.toLower(), name);
    g->kind = GlobalEntry::Kind::HostObject;
    g->host = object;
    g->value = Value::object(new HostWrapper(object, name));
    if (!addMembers)
        return;
    const QList<script::HostMember> &members = object->members();
    for (int i = 0; i < members.size(); ++i) {
        GlobalEntry *m = global(members[i].name.toLower(), members[i].name);
        m->kind = GlobalEntry::Kind::HostMember;
        m->host = object;
        m->member = i;
        m->value = Value();
    }
}

void Interpreter::queueTerminate(ClassInstance *o)
{
    pendingTerminate_.push_back(Ref<ClassInstance>(o));
}

void Interpreter::drainTerminates()
{
    if (drainingTerminates_)
        return;
    drainingTerminates_ = true;
    while (!pendingTerminate_.empty()) {
        Ref<ClassInstance> o = pendingTerminate_.front();
        pendingTerminate_.erase(pendingTerminate_.begin());
        try {
            Args none;
            callProc(*o->cls->terminate, o.get(), none);
        } catch (VbsError &) {
            // An error inside Class_Terminate ends that routine only.
        } catch (VbsAbort &) {
            timedOut_ = true;
        }
    }
    drainingTerminates_ = false;
    if (timedOut_)
        throw VbsAbort{};
}

void Interpreter::checkTime()
{
    if (timedOut_ || std::chrono::steady_clock::now() > deadline_) {
        timedOut_ = true;
        throw VbsAbort{};
    }
}

void Interpreter::abortRun()
{
    timedOut_ = true;
    throw VbsAbort{};
}

inline void tick(Interpreter &in, unsigned &ticks)
{
    if ((++ticks & 1023) == 0)
        in.checkTime();
}

void Interpreter::fillError(const VbsError &e, script::ScriptError *out, const QString &source) const
{
    if (!out)
        return;
    out->Number = e.number;
    out->Description = e.description;
    out->Line = e.line;
    out->Column = e.column;
    out->Text = sourceLine(source, e.line);
}

script::RunOutcome Interpreter::run(const QString &code, int timeLimitMs, script::ScriptError *error)
{
    if (error)
        error->clear();
    timedOut_ = false;
    deadline_ = deadlineAfter(timeLimitMs);
    char base;
    stackBase_ = &base;
    callDepth_ = 0;
    sources_.push_back(code);
    const QString *src = &sources_.back();
    std::unique_ptr<Program> prog;
    try {
        prog = parseProgram(code);
        resolveProgram(*this, *prog, src, nullptr);
    } catch (VbsError &e) {
        fillError(e, error, code);
        return script::RunOutcome::Error;
    }
    programs_.push_back(std::move(prog));
    Program &p = *programs_.back();
    try {
        runTopLevel(p, nullptr);
        drainTerminates();
    } catch (VbsError &e) {
        fillError(e, error, code);
        return script::RunOutcome::Error;
    } catch (VbsAbort &) {
        return script::RunOutcome::Timeout;
    }
    return script::RunOutcome::Ok;
}

Flow Interpreter::runTopLevel(Program &prog, Frame *parent)
{
    std::vector<Value> storage(prog.topLocals);
    std::vector<Value *> vars(prog.topLocals);
    for (int i = 0; i < prog.topLocals; ++i)
        vars[i] = &storage[i];
    Frame f;
    f.vars = vars.data();
    f.parent = parent;
    if (parent)
        f.me = parent->me;
    return execBlock(prog.top, f);
}

void Interpreter::checkStack()
{
    char here;
    if (callDepth_ > kMaxCallDepth || (stackBase_ && size_t(stackBase_ - &here) > stackBudget_))
        raise(err::OutOfStack);
}

void Interpreter::execute(const QString &code, Frame &f, bool global)
{
    // Text that runs itself again nests here, not through a procedure call;
    // compiling costs more than a statement, so the clock is read each time.
    checkStack();
    checkTime();
    std::unique_ptr<Program> prog;
    try {
        prog = parseProgram(code);
        resolveProgram(*this, *prog, nullptr, global ? nullptr : &f);
    } catch (VbsError &e) {
        e.line = 0;
        e.column = 0;
        throw;
    }
    Program &p = *prog;
    programs_.push_back(std::move(prog));
    try {
        runTopLevel(p, global ? nullptr : &f);
    } catch (VbsError &e) {
        e.line = 0;
        e.column = 0;
        throw;
    }
}

Value Interpreter::evaluate(const QString &code, Frame &f)
{
    checkStack();
    checkTime();
    std::unique_ptr<Program> prog;
    try {
        prog = parseProgram(code, ParseMode::Expression);
        resolveProgram(*this, *prog, nullptr, &f);
    } catch (VbsError &e) {
        e.line = 0;
        e.column = 0;
        throw;
    }
    std::vector<Value> storage(prog->topLocals);
    std::vector<Value *> vars(prog->topLocals);
    for (int i = 0; i < prog->topLocals; ++i)
        vars[i] = &storage[i];
    Frame ef;
    ef.vars = vars.data();
    ef.parent = &f;
    ef.me = f.me;
    Value r;
    try {
        r = eval(*prog->expression, ef);
    } catch (VbsError &e) {
        e.line = 0;
        e.column = 0;
        throw;
    }
    // Eval'd text may not define procedures, so its tree can go now.
    return r;
}

int Interpreter::msgBox(const QString &prompt, int buttons, const QString &title)
{
    if (msgBox_)
        return msgBox_(prompt, buttons, title);
    return 1;
}

double Interpreter::rnd(double arg)
{
    // The language's own linear congruential generator, 24-bit state.
    if (arg < 0) {
        float f = float(arg);
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        rndSeed_ = (bits + (bits >> 24)) & 0xFFFFFF;
    }
    if (arg != 0)
        rndSeed_ = (rndSeed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    lastRnd_ = double(rndSeed_) / 16777216.0;
    return lastRnd_;
}

void Interpreter::randomize(const Value *seed)
{
    double d = seed ? toDouble(*seed)
                    : double(std::chrono::steady_clock::now().time_since_epoch().count() % 86400000) / 1000.0;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    uint32_t hi = uint32_t(bits >> 32);
    hi ^= hi >> 16;
    rndSeed_ = (rndSeed_ & 0xFF) | ((hi & 0xFFFF) << 8);
    rndSeed_ &= 0xFFFFFF;
}

// ---- statements -------------------------------------------------------------

Flow Interpreter::execBlock(const Block &b, Frame &f)
{
    for (const StmtPtr &s : b) {
        Flow fl;
        try {
            fl = exec(*s, f);
        } catch (VbsError &e) {
            if (!e.line) {
                e.line = s->line;
                e.column = s->column;
            }
            if (!f.resumeNext)
                throw;
            err_->number = e.number;
            err_->description = e.errDescription.isEmpty() ? e.description : e.errDescription;
            err_->source = e.source.isEmpty() ? errorSource(e.number) : e.source;
            err_->helpFile = e.helpFile;
            err_->helpContext = e.helpContext;
            fl = Flow::Normal;
        }
        if (!pendingTerminate_.empty())
            drainTerminates();
        if (fl != Flow::Normal)
            return fl;
    }
    return Flow::Normal;
}

Flow Interpreter::exec(const Stmt &s, Frame &f)
{
    switch (s.kind) {
    case SK::Assign:
        execAssign(static_cast<const AssignStmt &>(s), f);
        return Flow::Normal;
    case SK::Call: {
        const Expr &c = *static_cast<const CallStmt &>(s).call;
        eval(c, f);
        return Flow::Normal;
    }
    case SK::If: return execIf(static_cast<const IfStmt &>(s), f);
    case SK::Select: return execSelect(static_cast<const SelectStmt &>(s), f);
    case SK::For: return execFor(static_cast<const ForStmt &>(s), f);
    case SK::ForEach: return execForEach(static_cast<const ForEachStmt &>(s), f);
    case SK::Do: return execDo(static_cast<const DoStmt &>(s), f);
    case SK::Exit:
        switch (static_cast<const ExitStmt &>(s).what) {
        case ExitStmt::What::Do: return Flow::ExitDo;
        case ExitStmt::What::For: return Flow::ExitFor;
        default: return Flow::ExitProc;
        }
    case SK::Dim: execDim(static_cast<const DimStmt &>(s), f); return Flow::Normal;
    case SK::ReDim: execReDim(static_cast<const ReDimStmt &>(s), f); return Flow::Normal;
    case SK::Erase: execErase(static_cast<const EraseStmt &>(s), f); return Flow::Normal;
    case SK::OnError:
        f.resumeNext = static_cast<const OnErrorStmt &>(s).resumeNext;
        err_->clear();
        return Flow::Normal;
    case SK::With: {
        const auto &w = static_cast<const WithStmt &>(s);
        Value o = eval(*w.object, f);
        if (!o.isObject())
            raise(err::ObjectRequired);
        *f.vars[w.slot] = o;
        Flow fl = execBlock(w.body, f);
        *f.vars[w.slot] = Value();
        return fl;
    }
    case SK::Const: case SK::Nop:
        return Flow::Normal;
    }
    return Flow::Normal;
}

bool Interpreter::condition(const Expr &e, Frame &f)
{
    Value v = eval(e, f);
    if (v.type == VarType::Boolean)
        return v.n.b;
    if (v.isNull())
        return false;
    if (v.isObject())
        v = objectDefault(v);
    return toBool(v);
}

Flow Interpreter::execIf(const IfStmt &s, Frame &f)
{
    for (size_t i = 0; i < s.conditions.size(); ++i)
        if (condition(*s.conditions[i], f))
            return execBlock(s.blocks[i], f);
    return execBlock(s.elseBlock, f);
}

namespace {
bool compareOp(Op op, int c)
{
    switch (op) {
    case Op::Eq: return c == 0;
    case Op::Ne: return c != 0;
    case Op::Lt: return c < 0;
    case Op::Gt: return c > 0;
    case Op::Le: return c <= 0;
    default: return c >= 0;
    }
}

} // namespace

Flow Interpreter::execSelect(const SelectStmt &s, Frame &f)
{
    Value subject = eval(*s.subject, f);
    if (subject.isObject())
        subject = objectDefault(subject);
    const bool subjLit = s.subject->kind == EK::Literal;
    for (const auto &c : s.cases) {
        for (const CaseItem &item : c.items) {
            Value a = eval(*item.a, f);
            const bool aLit = item.a->kind == EK::Literal;
            bool match = false;
            if (item.kind == CaseItem::Kind::Value) {
                const int r = compareMixed(subject, a, subjLit, aLit);
                match = r == 0;
            } else if (item.kind == CaseItem::Kind::Range) {
                Value b = eval(*item.b, f);
                const int lo = compareMixed(subject, a, subjLit, aLit);
                const int hi = compareMixed(subject, b, subjLit, item.b->kind == EK::Literal);
                match = lo != 2 && hi != 2 && lo >= 0 && hi <= 0;
            } else {
                const int r = compareMixed(subject, a, subjLit, aLit);
                match = r != 2 && compareOp(item.op, r);
            }
            if (match)
                return execBlock(c.body, f);
        }
    }
    return execBlock(s.elseBlock, f);
}

Flow Interpreter::execFor(const ForStmt &s, Frame &f)
{
    const auto &var = static_cast<const IdentExpr &>(*s.var);
    Value from = toNumber(eval(*s.from, f));
    Value to = toNumber(eval(*s.to, f));
    Value step = s.step ? toNumber(eval(*s.step, f)) : Value::integer(1);
    if (from.isNull() || to.isNull() || step.isNull())
        raise(err::InvalidNull);
    // The counter takes the widest type of start, end and step.
    Value start = opAdd(opAdd(from, opMul(to, Value::integer(0))), opMul(step, Value::integer(0)));
    Value *v = varPtr(var, f, true);
    if (!v)
        raise(err::InvalidForVar);
    *v = start;
    const bool up = compareValues(step, Value::integer(0)) >= 0;
    const bool intLoop = (to.type == VarType::Integer || to.type == VarType::Long || to.type == VarType::Byte)
        && (step.type == VarType::Integer || step.type == VarType::Long || step.type == VarType::Byte);
    const int64_t toI = intLoop ? (to.type == VarType::Long ? to.n.i32 : to.type == VarType::Integer ? to.n.i16 : to.n.byte) : 0;
    const int64_t stepI = intLoop ? (step.type == VarType::Long ? step.n.i32 : step.type == VarType::Integer ? step.n.i16 : step.n.byte) : 0;
    while (true) {
        v = varPtr(var, f, true);
        if (intLoop && v->type == VarType::Long) {
            if (up ? v->n.i32 > toI : v->n.i32 < toI)
                break;
        } else if (intLoop && v->type == VarType::Integer) {
            if (up ? v->n.i16 > toI : v->n.i16 < toI)
                break;
        } else {
            const int c = compareValues(*v, to);
            if (up ? c > 0 : c < 0)
                break;
        }
        Flow fl = execBlock(s.body, f);
        if (fl == Flow::ExitFor)
            break;
        if (fl == Flow::ExitProc || fl == Flow::ExitDo)
            return fl;
        tick(*this, ticks_);
        v = varPtr(var, f, true);
        if (intLoop && v->type == VarType::Long && int64_t(v->n.i32) + stepI <= INT32_MAX
            && int64_t(v->n.i32) + stepI >= INT32_MIN) {
            v->n.i32 += int32_t(stepI);
        } else if (intLoop && v->type == VarType::Integer && int64_t(v->n.i16) + stepI <= INT16_MAX
                   && int64_t(v->n.i16) + stepI >= INT16_MIN) {
            v->n.i16 = int16_t(v->n.i16 + stepI);
        } else {
            *v = opAdd(*v, step);
        }
    }
    return Flow::Normal;
}

Flow Interpreter::execForEach(const ForEachStmt &s, Frame &f)
{
    Value coll = eval(*s.collection, f);
    if (coll.isObject() && coll.obj && coll.obj->kind == HeapObject::Kind::Builtin) {
        // A collection of the language's own (Matches, SubMatches): walk a
        // copy of its elements as an array.
        std::vector<Value> items;
        if (!static_cast<BuiltinObject *>(coll.obj.get())->items(&items))
            raise(err::NotCollection);
        auto *a = new ArrayObject;
        a->dims.push_back({0, int32_t(items.size())});
        a->data = std::move(items);
        coll = Value::array(a);
    }
    if (!coll.isArray()) {
        if (coll.isObject())
            raise(err::NotCollection);
        raise(err::TypeMismatch);
    }
    // Iterates over a snapshot: the array may change inside the loop.
    const Ref<HeapObject> keep = coll.obj;
    const ArrayObject *a = coll.arr();
    const auto &var = static_cast<const IdentExpr &>(*s.var);
    for (size_t i = 0; i < a->data.size(); ++i) {
        Value *v = varPtr(var, f, true);
        if (!v)
            raise(err::InvalidForVar);
        *v = a->data[i];
        Flow fl = execBlock(s.body, f);
        if (fl == Flow::ExitFor)
            break;
        if (fl == Flow::ExitProc || fl == Flow::ExitDo)
            return fl;
        tick(*this, ticks_);
    }
    return Flow::Normal;
}

Flow Interpreter::execDo(const DoStmt &s, Frame &f)
{
    using F = DoStmt::Form;
    while (true) {
        if (s.form == F::PreWhile && !condition(*s.condition, f))
            break;
        if (s.form == F::PreUntil && condition(*s.condition, f))
            break;
        Flow fl = execBlock(s.body, f);
        if (fl == Flow::ExitDo)
            break;
        if (fl == Flow::ExitProc || fl == Flow::ExitFor)
            return fl;
        tick(*this, ticks_);
        if (s.form == F::PostWhile && !condition(*s.condition, f))
            break;
        if (s.form == F::PostUntil && condition(*s.condition, f))
            break;
    }
    return Flow::Normal;
}

namespace {
ArrayObject *makeArray(const std::vector<int64_t> &uppers, bool fixed)
{
    int64_t total = 1;
    for (int64_t u : uppers) {
        if (u < -1)
            raise(err::SubscriptRange);
        total *= (u + 1);
        if (total > kMaxArrayElements)
            raise(err::OutOfMemory);
    }
    auto *a = new ArrayObject;
    for (int64_t u : uppers)
        a->dims.push_back({0, int32_t(u + 1)});
    a->data.resize(size_t(uppers.empty() ? 0 : total));
    a->fixed = fixed;
    return a;
}

// What a variable receives from a fixed array (by assignment, as a function's
// result or as a ByVal argument) is an array of its own that ReDim accepts.
void unfixSlow(Value &v)
{
    ArrayObject *a = v.arr()->clone();
    a->fixed = false;
    v.obj = Ref<HeapObject>(a);
}

inline void unfix(Value &v)
{
    if (v.type == VarType::Array && v.arr()->fixed) [[unlikely]]
        unfixSlow(v);
}

inline Value copyOf(Value v)
{
    unfix(v);
    return v;
}

ArrayObject *detach(Value &v)
{
    ArrayObject *a = v.arr();
    if (a->refs > 1) {
        a = a->clone();
        v.obj = Ref<HeapObject>(a);
    }
    return a;
}
} // namespace

void Interpreter::execDim(const DimStmt &s, Frame &f)
{
    for (const DimItem &item : s.items) {
        if (!item.isArray)
            continue;
        Value *v = varPtr(*item.target, f, true);
        if (!v || v->isArray())
            continue;
        std::vector<int64_t> uppers;
        for (const ExprPtr &b : item.bounds)
            uppers.push_back(toLong(eval(*b, f)));
        *v = Value::array(makeArray(uppers, !item.bounds.empty()));
    }
}

void Interpreter::execReDim(const ReDimStmt &s, Frame &f)
{
    for (const auto &item : s.items) {
        std::vector<int64_t> uppers;
        for (const ExprPtr &b : item.bounds)
            uppers.push_back(toLong(eval(*b, f)));
        Value *v = nullptr;
        Value fieldTmp;
        if (item.target->kind == EK::Ident)
            v = varPtr(static_cast<const IdentExpr &>(*item.target), f, true);
        if (!v)
            raise(err::TypeMismatch);
        if (v->isArray() && v->arr()->fixed)
            raise(err::FixedArray);
        if (s.preserve && v->isArray() && !v->arr()->dims.empty()) {
            const ArrayObject *old = v->arr();
            if (old->dims.size() != uppers.size())
                raise(err::SubscriptRange);
            for (size_t d = 0; d + 1 < uppers.size(); ++d)
                if (old->dims[d].count != uppers[d] + 1)
                    raise(err::SubscriptRange);
            ArrayObject *a = makeArray(uppers, false);
            Value nv = Value::array(a);
            const size_t n = std::min(a->data.size(), old->data.size());
            for (size_t i = 0; i < n; ++i)
                a->data[i] = old->data[i];
            *v = nv;
        } else {
            *v = Value::array(makeArray(uppers, false));
        }
    }
}

void Interpreter::execErase(const EraseStmt &s, Frame &f)
{
    for (const ExprPtr &t : s.targets) {
        Value *v = varPtr(static_cast<const IdentExpr &>(*t), f, true);
        if (!v || !v->isArray())
            raise(err::TypeMismatch);
        if (v->arr()->fixed) {
            ArrayObject *a = detach(*v);
            for (Value &e : a->data)
                e = Value();
        } else {
            *v = Value::array(new ArrayObject);
        }
    }
}

void Interpreter::execAssign(const AssignStmt &s, Frame &f)
{
    if (s.appendInPlace) {
        const auto &rhs = static_cast<const BinaryExpr &>(*s.value);
        Value r = eval(*rhs.rhs, f);
        Value *v = varPtr(static_cast<const IdentExpr &>(*s.target), f, true);
        if (v && v->isString() && !r.isObject() && !r.isArray()) {
            if (!r.isNull()) {
                const QString add = toString(r);
                if (int64_t(v->s.size()) + add.size() > kMaxStringLength)
                    raise(err::OutOfMemory);
                v->s += add;
            }
            return;
        }
        if (v) {
            if (r.isObject())
                r = objectDefault(r);
            Value l = *v;
            if (l.isObject())
                l = objectDefault(l);
            *v = opConcat(l, r);
            return;
        }
    }
    Value v = eval(*s.value, f);
    if (s.isSet) {
        if (!v.isObject())
            raise(err::ObjectRequired);
    } else if (v.isObject()) {
        v = objectDefault(v);
    }
    assignTo(*s.target, std::move(v), f, s.isSet);
}

// ---- names ------------------------------------------------------------------

namespace {
// The frame that ran the Execute or Eval depth levels up.
Frame *frameUp(Frame &f, int depth)
{
    Frame *p = &f;
    for (int i = 0; i < depth && p; ++i)
        p = p->parent;
    return p;
}
} // namespace

const GlobalEntry *Interpreter::liveGlobal(const IdentExpr &e) const
{
    return e.global;
}

Value *Interpreter::varPtr(const IdentExpr &e, Frame &f, bool)
{
    switch (e.nk) {
    case NK::Local:
        return f.vars[e.slot];
    case NK::UpLocal: {
        Frame *p = frameUp(f, e.depth);
        if (!p || !p->vars)
            raise(err::Undefined, e.name);
        return p->vars[e.slot];
    }
    case NK::ExecLocal: {
        Frame *p = frameUp(f, e.depth);
        if (!p || !p->execLocals || size_t(e.slot) >= p->execLocals->values.size())
            raise(err::Undefined, e.name);
        return &p->execLocals->values[size_t(e.slot)];
    }
    case NK::Field:
        return &f.me->fields[e.slot];
    case NK::Dynamic:
        if (e.global->kind == GlobalEntry::Kind::Variable)
            return &e.global->value;
        if (e.global->kind == GlobalEntry::Kind::Undefined)
            return f.vars[e.slot];
        return nullptr;
    case NK::Undeclared:
        if (e.global->kind == GlobalEntry::Kind::Variable)
            return &e.global->value;
        raise(err::Undefined, e.name);
    case NK::Global: {
        GlobalEntry *g = e.global;
        if (g->kind == GlobalEntry::Kind::Variable)
            return &g->value;
        if (g->kind == GlobalEntry::Kind::Undefined) {
            // Undeclared at script level: the first use creates the variable.
            g->kind = GlobalEntry::Kind::Variable;
            return &g->value;
        }
        return nullptr;
    }
    default:
        return nullptr;
    }
}

Value Interpreter::indexValues(const Value &v, Value *idx, int n, const QString &name)
{
    if (v.isArray()) {
        const ArrayObject *a = v.arr();
        const int64_t off = a->offset(idx, size_t(n));
        if (off < 0)
            raise(err::SubscriptRange, name);
        return a->data[size_t(off)];
    }
    if (v.isObject()) {
        Args args;
        args.values = idx;
        args.count = n;
        return callMemberOf(v, QString(), name, args, true, nullptr, nullptr);
    }
    raise(err::TypeMismatch, name);
}

Value Interpreter::index(const Value &v, const ExprList &args, Frame &f, const QString &name)
{
    Value idx[8];
    std::vector<Value> big;
    Value *p = idx;
    if (args.size() > 8) {
        big.resize(args.size());
        p = big.data();
    }
    for (size_t i = 0; i < args.size(); ++i)
        p[i] = evalArg(args[i].get(), f);
    return indexValues(v, p, int(args.size()), name);
}

void Interpreter::storeElementValues(Value &var, Value *idx, int n, Value v)
{
    ArrayObject *a = detach(var);
    const int64_t off = a->offset(idx, size_t(n));
    if (off < 0)
        raise(err::SubscriptRange);
    unfix(v);
    a->data[size_t(off)] = std::move(v);
}

void Interpreter::storeElement(Value &var, const ExprList &args, Frame &f, Value v, const QString &name)
{
    std::vector<Value> idx(args.size());
    for (size_t i = 0; i < args.size(); ++i)
        idx[i] = evalArg(args[i].get(), f);
    if (var.isArray()) {
        storeElementValues(var, idx.data(), int(idx.size()), std::move(v));
        return;
    }
    if (var.isObject()) {
        Value copy = var;
        Args a;
        a.values = idx.data();
        a.count = int(idx.size());
        a.extra = &v;
        if (!copy.obj)
            raise(err::ObjectRequired, name);
        if (copy.obj->kind == HeapObject::Kind::Instance) {
            auto *inst = static_cast<ClassInstance *>(copy.obj.get());
            auto it = inst->cls->members.constFind(inst->cls->defaultMember);
            if (it != inst->cls->members.cend() && it->let) {
                callProc(*it->let, inst, a);
                return;
            }
        }
        raise(err::NoSuchMember, name);
    }
    raise(err::TypeMismatch, name);
}

Value Interpreter::evalArg(const Expr *e, Frame &f)
{
    if (!e)
        return Value::missing();
    return eval(*e, f);
}

Value Interpreter::evalIdent(const IdentExpr &e, Frame &f)
{
    switch (e.nk) {
    case NK::Local: {
        const Value &v = *f.vars[e.slot];
        if (!e.hasParens && e.args.empty())
            return v;
        return index(v, e.args, f, e.name);
    }
    case NK::Const:
        if (e.hasParens || !e.args.empty())
            raise(err::TypeMismatch, e.name);
        return e.constValue;
    case NK::Builtin:
        return callBuiltin(e, f);
    case NK::Field: {
        const Value &v = f.me->fields[e.slot];
        if (!e.hasParens && e.args.empty())
            return v;
        return index(v, e.args, f, e.name);
    }
    case NK::Method: {
        auto it = f.me->cls->members.constFind(e.memberName);
        Args a;
        a.exprs = &e.args;
        a.frame = &f;
        return callInstanceMember(f.me, *it, a, e.hasParens, e.name);
    }
    case NK::UpLocal: case NK::ExecLocal: case NK::Dynamic: case NK::Undeclared: {
        if (e.nk == NK::Dynamic || e.nk == NK::Undeclared) {
            const GlobalEntry::Kind k = e.global->kind;
            if (k != GlobalEntry::Kind::Variable && k != GlobalEntry::Kind::Undefined)
                break; // a procedure or object defined since: treat as global
        }
        Value *p = varPtr(e, f, false);
        if (!e.hasParens && e.args.empty())
            return *p;
        return index(*p, e.args, f, e.name);
    }
    default:
        break;
    }
    // Global entries.
    GlobalEntry *g = e.global;
    switch (g->kind) {
    case GlobalEntry::Kind::Variable:
        if (!e.hasParens && e.args.empty())
            return g->value;
        return index(g->value, e.args, f, e.name);
    case GlobalEntry::Kind::Const:
        return g->value;
    case GlobalEntry::Kind::Proc: {
        Args a;
        a.exprs = &e.args;
        a.frame = &f;
        return callProc(*g->proc, nullptr, a);
    }
    case GlobalEntry::Kind::HostMember: {
        Args a;
        a.exprs = &e.args;
        a.frame = &f;
        return callHost(g->host, g->member, a);
    }
    case GlobalEntry::Kind::HostObject:
        if (!e.hasParens && e.args.empty())
            return g->value;
        return index(g->value, e.args, f, e.name);
    case GlobalEntry::Kind::Class:
        raise(err::TypeMismatch, e.name);
    case GlobalEntry::Kind::Undefined:
        if (e.nk == NK::Undeclared)
            raise(err::Undefined, e.name);
        if (e.hasParens || !e.args.empty())
            raise(err::TypeMismatch, e.name);
        g->kind = GlobalEntry::Kind::Variable;
        return Value();
    }
    return Value();
}

Value Interpreter::callBuiltin(const IdentExpr &e, Frame &f)
{
    const BuiltinInfo &info = builtinInfo(e.builtin);
    const int n = int(e.args.size());
    if (n < info.minArgs || n > info.maxArgs)
        raise(err::WrongArgs, e.name);
    Value local[4];
    std::vector<Value> big;
    Value *args = local;
    if (n > 4) {
        big.resize(size_t(n));
        args = big.data();
    }
    for (int i = 0; i < n; ++i) {
        args[i] = evalArg(e.args[size_t(i)].get(), f);
    }
    BuiltinCall c{*this, f, args, n};
    Value r = info.fn(c);
    // One call over a long string or array can take as long as a thousand
    // statements: look at the clock now rather than at the next count.
    bool costly = (r.isString() && r.s.size() > kBigWork) || (r.isArray() && r.arr()->data.size() > size_t(kBigWork));
    for (int i = 0; i < n && !costly; ++i)
        costly = (args[i].isString() && args[i].s.size() > kBigWork)
              || (args[i].isArray() && args[i].arr()->data.size() > size_t(kBigWork));
    if (costly)
        checkTime();
    return r;
}

Value Interpreter::callBuiltinFunction(int id, Value *args, int n, Frame &f)
{
    BuiltinCall c{*this, f, args, n};
    return builtinInfo(id).fn(c);
}

// ---- expressions --------------------------------------------------------------

Value Interpreter::eval(const Expr &e, Frame &f)
{
    switch (e.kind) {
    case EK::Literal:
        return static_cast<const LiteralExpr &>(e).value;
    case EK::Ident:
        return evalIdent(static_cast<const IdentExpr &>(e), f);
    case EK::Binary:
        return evalBinary(static_cast<const BinaryExpr &>(e), f);
    case EK::Unary: {
        const auto &u = static_cast<const UnaryExpr &>(e);
        Value v = eval(*u.operand, f);
        if (v.isObject())
            v = objectDefault(v);
        switch (u.op) {
        case Op::Neg: return opNeg(v);
        case Op::Not: return opNot(v);
        default: return v; // unary + changes nothing, not even a string
        }
    }
    case EK::Paren:
        return eval(*static_cast<const ParenExpr &>(e).inner, f);
    case EK::Member:
        return evalMember(static_cast<const MemberExpr &>(e), f);
    case EK::Apply: {
        const auto &a = static_cast<const ApplyExpr &>(e);
        Value t = eval(*a.target, f);
        return index(t, a.args, f, QString());
    }
    case EK::New:
        return evalNew(static_cast<const NewExpr &>(e));
    case EK::Me:
        if (!f.me)
            raise(err::InvalidCall);
        return Value::object(f.me);
    }
    return Value();
}

Value Interpreter::evalBinary(const BinaryExpr &e, Frame &f)
{
    Value a = eval(*e.lhs, f);
    Value b = eval(*e.rhs, f);
    if (e.op == Op::Is) {
        if (!a.isObject() || !b.isObject())
            raise(err::ObjectRequired);
        return Value(a.obj.get() == b.obj.get());
    }
    if (a.isObject())
        a = objectDefault(a);
    if (b.isObject())
        b = objectDefault(b);
    // Fast paths for the common integer cases.
    if (a.type == VarType::Long && b.type == VarType::Long) {
        const int64_t x = a.n.i32, y = b.n.i32;
        switch (e.op) {
        case Op::Add: { const int64_t r = x + y; if (r >= INT32_MIN && r <= INT32_MAX) return Value::lng(int32_t(r)); break; }
        case Op::Sub: { const int64_t r = x - y; if (r >= INT32_MIN && r <= INT32_MAX) return Value::lng(int32_t(r)); break; }
        case Op::Eq: return Value(x == y);
        case Op::Ne: return Value(x != y);
        case Op::Lt: return Value(x < y);
        case Op::Gt: return Value(x > y);
        case Op::Le: return Value(x <= y);
        case Op::Ge: return Value(x >= y);
        default: break;
        }
    }
    switch (e.op) {
    case Op::Eq: case Op::Ne: case Op::Lt: case Op::Gt: case Op::Le: case Op::Ge: {
        const int c = compareMixed(a, b, e.lhs->kind == EK::Literal, e.rhs->kind == EK::Literal);
        if (c == 2)
            return Value::null();
        return Value(compareOp(e.op, c));
    }
    default: {
        Value r = applyOp(e.op, a, b);
        if (r.isString() && r.s.size() > kBigWork)
            checkTime();
        return r;
    }
    }
}

bool Interpreter::hasDefault(const Value &v) const
{
    if (!v.isObject() || !v.obj)
        return false;
    if (v.obj->kind == HeapObject::Kind::Instance)
        return !static_cast<ClassInstance *>(v.obj.get())->cls->defaultMember.isEmpty();
    if (v.obj->kind == HeapObject::Kind::Builtin)
        return static_cast<BuiltinObject *>(v.obj.get())->hasDefault();
    return v.obj->kind == HeapObject::Kind::Err;
}

Value Interpreter::objectDefault(const Value &v)
{
    if (!v.obj)
        raise(err::ObjectNotSet);
    if (v.obj->kind == HeapObject::Kind::Instance) {
        auto *inst = static_cast<ClassInstance *>(v.obj.get());
        if (!inst->cls->defaultMember.isEmpty()) {
            auto it = inst->cls->members.constFind(inst->cls->defaultMember);
            Args none;
            Value r = callInstanceMember(inst, *it, none, false, inst->cls->defaultMember);
            if (r.isObject())
                raise(err::NoSuchMember);
            return r;
        }
    }
    if (v.obj->kind == HeapObject::Kind::Err)
        return Value::lng(err_->number);
    if (v.obj->kind == HeapObject::Kind::Builtin) {
        auto *b = static_cast<BuiltinObject *>(v.obj.get());
        if (b->hasDefault()) {
            const Ref<HeapObject> keep(b);
            std::vector<Value> none;
            return b->get(*this, QString(), QString(), none);
        }
    }
    raise(err::NoSuchMember);
}

Value Interpreter::evalNew(const NewExpr &e)
{
    if (e.global->kind != GlobalEntry::Kind::Class) {
        if (HeapObject *o = newBuiltinObject(e.lower))
            return Value::object(o);
        raise(err::ClassNotDefined, e.className);
    }
    return newInstance(e.global->cls);
}

Value Interpreter::newInstance(const ClassDef *cls)
{
    auto *inst = new ClassInstance(cls, this);
    Value v = Value::object(inst);
    inst->fields.resize(cls->fieldNames.size());
    Frame dummy;
    for (size_t i = 0; i < cls->fieldDims.size(); ++i) {
        const DimItem *d = cls->fieldDims[i];
        if (!d->isArray)
            continue;
        std::vector<int64_t> uppers;
        for (const ExprPtr &b : d->bounds)
            uppers.push_back(toLong(eval(*b, dummy)));
        inst->fields[i] = Value::array(makeArray(uppers, !d->bounds.empty()));
    }
    if (cls->initialize) {
        Args none;
        callProc(*cls->initialize, inst, none);
    }
    inst->initialized = true;
    return v;
}

const Value &Interpreter::withObject(const MemberExpr &e, Frame &f)
{
    if (e.withSlot < 0)
        raise(err::UnqualifiedReference, e.name);
    return *f.vars[e.withSlot];
}

Value Interpreter::evalMember(const MemberExpr &e, Frame &f)
{
    Value obj = e.object ? eval(*e.object, f) : withObject(e, f);
    Args a;
    a.exprs = &e.args;
    a.frame = &f;
    return callMemberOf(obj, e.lower, e.name, a, e.hasParens, &f, &e);
}

std::vector<Value> Interpreter::argValues(const Args &args)
{
    std::vector<Value> out;
    out.reserve(size_t(args.size()));
    if (args.exprs) {
        for (const ExprPtr &x : *args.exprs)
            out.push_back(evalArg(x.get(), *args.frame));
    } else {
        for (int i = 0; i < args.count; ++i)
            out.push_back(args.values[i]);
    }
    if (args.extra)
        out.push_back(*args.extra);
    return out;
}

Value Interpreter::callMemberOf(const Value &object, const QString &lower0, const QString &name, const Args &args,
                                bool hasParens, Frame *caller, const MemberExpr *cache)
{
    if (!object.isObject() || !object.obj)
        raise(err::ObjectRequired, name);
    HeapObject *o = object.obj.get();
    const Ref<HeapObject> keep(o);
    switch (o->kind) {
    case HeapObject::Kind::Instance: {
        auto *inst = static_cast<ClassInstance *>(o);
        const QString &lower = lower0.isEmpty() ? inst->cls->defaultMember : lower0;
        auto it = inst->cls->members.constFind(lower);
        if (it == inst->cls->members.cend() || (!it->isPublic && (!caller || caller->me != inst)))
            raise(err::NoSuchMember, name);
        return callInstanceMember(inst, *it, args, hasParens, name);
    }
    case HeapObject::Kind::Host: {
        auto *h = static_cast<HostWrapper *>(o);
        int idx;
        if (cache && cache->cacheKey == h) {
            idx = cache->cacheIndex;
        } else {
            idx = h->find(lower0);
            if (cache) {
                cache->cacheKey = h;
                cache->cacheIndex = idx;
            }
        }
        if (idx < 0)
            raise(err::NoSuchMember, name);
        return callHost(h->host, idx, args);
    }
    case HeapObject::Kind::Builtin: {
        std::vector<Value> v = argValues(args);
        return static_cast<BuiltinObject *>(o)->get(*this, lower0, name, v);
    }
    case HeapObject::Kind::Err: {
        std::vector<Value> v = argValues(args);
        if (lower0 == QLatin1String("number") || lower0.isEmpty())
            return Value::lng(err_->number);
        if (lower0 == QLatin1String("description"))
            return Value::str(err_->description);
        if (lower0 == QLatin1String("source"))
            return Value::str(err_->source);
        if (lower0 == QLatin1String("helpfile"))
            return Value::str(err_->helpFile);
        if (lower0 == QLatin1String("helpcontext"))
            return Value::lng(err_->helpContext);
        if (lower0 == QLatin1String("clear")) {
            err_->clear();
            return Value();
        }
        if (lower0 == QLatin1String("raise")) {
            if (v.empty() || v[0].isMissing())
                raise(err::WrongArgs, name);
            const int number = raisedNumber(toLong(v[0]));
            // Raising "no error" would leave the caller failing with Err.Number 0.
            if (number == 0)
                raise(err::InvalidCall, name);
            VbsError e(number);
            if (v.size() > 1 && !v[1].isMissing())
                e.source = toString(v[1]);
            if (v.size() > 2 && !v[2].isMissing())
                e.description = toString(v[2]);
            if (v.size() > 3 && !v[3].isMissing())
                e.helpFile = toString(v[3]);
            if (v.size() > 4 && !v[4].isMissing())
                e.helpContext = toLong(v[4]);
            throw e;
        }
        raise(err::NoSuchMember, name);
    }
    default:
        raise(err::NoSuchMember, name);
    }
}

Value Interpreter::callInstanceMember(ClassInstance *inst, const ClassMember &m, const Args &args, bool hasParens,
                                      const QString &name)
{
    switch (m.kind) {
    case ClassMember::Kind::Field: {
        const Value &v = inst->fields[size_t(m.field)];
        if (!hasParens && args.size() == 0)
            return v;
        std::vector<Value> idx = argValues(args);
        return indexValues(v, idx.data(), int(idx.size()), name);
    }
    case ClassMember::Kind::Method:
        return callProc(*m.method, inst, args);
    case ClassMember::Kind::Property:
        if (!m.get)
            raise(err::NoSuchMember, name);
        return callProc(*m.get, inst, args);
    }
    return Value();
}

struct Interpreter::Writeback {
    const IdentExpr *array;
    std::vector<Value> indices;
    int slot;
};

Value Interpreter::callProc(const ProcDef &p, ClassInstance *me, const Args &args)
{
    const int n = args.size();
    if (n != int(p.params.size()))
        raise(err::WrongArgs, p.name);
    ++callDepth_;
    struct DepthGuard {
        int &d;
        ~DepthGuard() { --d; }
    } guard{callDepth_};
    checkStack();
    tick(*this, ticks_);

    std::vector<Value> storage(size_t(p.localCount));
    std::vector<Value *> vars(size_t(p.localCount));
    for (int i = 0; i < p.localCount; ++i)
        vars[size_t(i)] = &storage[size_t(i)];
    std::vector<Writeback> writebacks;
    const Ref<HeapObject> keepMe(me);
    for (int k = 0; k < n; ++k) {
        const int slot = p.firstParam + k;
        const Param &prm = p.params[size_t(k)];
        const bool fromExpr = args.exprs && k < int(args.exprs->size());
        if (!fromExpr) {
            storage[size_t(slot)] = copyOf((args.exprs || k >= args.count) ? *args.extra : args.values[k]);
            continue;
        }
        const Expr *x = (*args.exprs)[size_t(k)].get();
        if (!x) {
            storage[size_t(slot)] = Value::missing();
            continue;
        }
        if (prm.byRef && x->kind == EK::Ident) {
            const auto &id = static_cast<const IdentExpr &>(*x);
            if (id.args.empty() && !id.hasParens) {
                if (Value *ref = varPtr(id, *args.frame, false)) {
                    vars[size_t(slot)] = ref;
                    continue;
                }
            } else if (Value *arr = varPtr(id, *args.frame, false); arr && arr->isArray()) {
                // An array element: passed in and copied back on return.
                Writeback wb{&id, {}, slot};
                for (const ExprPtr &ix : id.args)
                    wb.indices.push_back(evalArg(ix.get(), *args.frame));
                storage[size_t(slot)] = indexValues(*arr, wb.indices.data(), int(wb.indices.size()), id.name);
                writebacks.push_back(std::move(wb));
                continue;
            }
        }
        storage[size_t(slot)] = eval(*x, *args.frame);
        unfix(storage[size_t(slot)]);
    }
    Frame f;
    f.vars = vars.data();
    f.me = me;
    f.proc = &p;
    execBlock(p.body, f);
    for (Writeback &wb : writebacks) {
        Value *arr = varPtr(*wb.array, *args.frame, false);
        if (arr && arr->isArray()) {
            const int64_t off = arr->arr()->offset(wb.indices.data(), wb.indices.size());
            if (off >= 0)
                detach(*arr)->data[size_t(off)] = storage[size_t(wb.slot)];
        }
    }
    return p.hasResult() ? std::move(storage[0]) : Value();
}

Value Interpreter::callHost(script::HostObject *h, int member, const Args &args)
{
    const script::HostMember &m = h->members()[member];
    std::vector<Value> vals = argValues(args);
    QVariantList given;
    for (const Value &v : vals) {
        Value x = v.isObject() ? objectDefault(v) : v;
        given.push_back(toVariant(x));
    }
    script::HostError herr;
    QVariantList conv = script::coerceArguments(m, given, &herr);
    if (herr)
        throw VbsError(herr.number, herr.description);
    while (conv.size() < m.arguments.size())
        conv.push_back(QVariant());
    QVariant r = h->invoke(member, conv, &herr);
    if (herr)
        throw VbsError(herr.number, herr.description);
    return fromVariant(r, m.result);
}

// ---- assignment ---------------------------------------------------------------

void Interpreter::assignTo(const Expr &target, Value v, Frame &f, bool isSet)
{
    if (target.kind == EK::Member) {
        assignMember(static_cast<const MemberExpr &>(target), std::move(v), f, isSet);
        return;
    }
    if (target.kind == EK::Apply) {
        // a(1)(2) = v: an element of an array held in an array
        const auto &ap = static_cast<const ApplyExpr &>(target);
        std::vector<Value> idx(ap.args.size());
        for (size_t i = 0; i < ap.args.size(); ++i)
            idx[i] = evalArg(ap.args[i].get(), f);
        Value *holder = elementRef(*ap.target, f);
        if (!holder->isArray())
            raise(holder->isObject() ? err::IllegalAssign : err::TypeMismatch);
        storeElementValues(*holder, idx.data(), int(idx.size()), std::move(v));
        return;
    }
    if (target.kind != EK::Ident)
        raise(err::IllegalAssign);
    const auto &id = static_cast<const IdentExpr &>(target);
    if (id.nk == NK::Method) {
        auto it = f.me->cls->members.constFind(id.memberName);
        const ProcDef *setter = isSet ? it->set : it->let;
        if (!setter)
            raise(err::IllegalAssign, id.name);
        Args a;
        a.exprs = &id.args;
        a.frame = &f;
        a.extra = &v;
        callProc(*setter, f.me, a);
        return;
    }
    if (id.nk == NK::Const)
        raise(err::IllegalAssign, id.name);
    Value *p = varPtr(id, f, true);
    if (!p)
        raise(err::IllegalAssign, id.name);
    if (id.args.empty() && !id.hasParens) {
        if (!isSet && v.isArray() && p->isArray() && p->arr()->fixed)
            raise(err::FixedArray);
        unfix(v);
        *p = std::move(v);
        return;
    }
    storeElement(*p, id.args, f, std::move(v), id.name);
}

Value *Interpreter::elementRef(const Expr &e, Frame &f)
{
    const ExprList *args = nullptr;
    Value *base = nullptr;
    std::vector<Value> idx;
    auto indices = [&](const ExprList &list) {
        idx.resize(list.size());
        for (size_t i = 0; i < list.size(); ++i)
            idx[i] = evalArg(list[i].get(), f);
    };
    if (e.kind == EK::Ident) {
        const auto &id = static_cast<const IdentExpr &>(e);
        args = &id.args;
        indices(*args);
        base = varPtr(id, f, true);
        if (!base)
            raise(err::IllegalAssign, id.name);
        if (args->empty())
            return base;
    } else if (e.kind == EK::Apply) {
        const auto &ap = static_cast<const ApplyExpr &>(e);
        args = &ap.args;
        indices(*args);
        base = elementRef(*ap.target, f);
    } else {
        raise(err::IllegalAssign);
    }
    if (!base->isArray())
        raise(err::TypeMismatch);
    ArrayObject *a = detach(*base);
    const int64_t off = a->offset(idx.data(), idx.size());
    if (off < 0)
        raise(err::SubscriptRange);
    return &a->data[size_t(off)];
}

void Interpreter::assignMember(const MemberExpr &m, Value v, Frame &f, bool isSet)
{
    Value obj = m.object ? eval(*m.object, f) : withObject(m, f);
    if (!obj.isObject() || !obj.obj)
        raise(err::ObjectRequired, m.name);
    const Ref<HeapObject> keep = obj.obj;
    if (obj.obj->kind == HeapObject::Kind::Instance) {
        auto *inst = static_cast<ClassInstance *>(obj.obj.get());
        auto it = inst->cls->members.constFind(m.lower);
        if (it == inst->cls->members.cend() || (!it->isPublic && f.me != inst))
            raise(err::NoSuchMember, m.name);
        if (it->kind == ClassMember::Kind::Field) {
            Value &field = inst->fields[size_t(it->field)];
            if (m.args.empty()) { // o.V() = 3 sets the field too
                unfix(v);
                field = std::move(v);
            }
            else
                storeElement(field, m.args, f, std::move(v), m.name);
            return;
        }
        if (it->kind == ClassMember::Kind::Property) {
            const ProcDef *setter = isSet ? it->set : it->let;
            if (!setter)
                raise(err::IllegalAssign, m.name);
            Args a;
            a.exprs = &m.args;
            a.frame = &f;
            a.extra = &v;
            callProc(*setter, inst, a);
            return;
        }
        raise(err::IllegalAssign, m.name);
    }
    if (obj.obj->kind == HeapObject::Kind::Builtin) {
        if (!m.args.empty())
            raise(err::WrongArgs, m.name);
        static_cast<BuiltinObject *>(obj.obj.get())->set(*this, m.lower, m.name, std::move(v));
        return;
    }
    if (obj.obj->kind == HeapObject::Kind::Err) {
        if (m.lower == QLatin1String("number"))
            err_->number = toLong(v);
        else if (m.lower == QLatin1String("description"))
            err_->description = toString(v);
        else if (m.lower == QLatin1String("source"))
            err_->source = toString(v);
        else if (m.lower == QLatin1String("helpfile"))
            err_->helpFile = toString(v);
        else if (m.lower == QLatin1String("helpcontext"))
            err_->helpContext = toLong(v);
        else
            raise(err::NoSuchMember, m.name);
        return;
    }
    raise(err::NoSuchMember, m.name);
}

} // namespace tintwell::vbs

#include "scripting/vbscript/resolver.h"

#include "scripting/vbscript/builtins.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"

#include <QSet>

namespace tintwell::vbs {

Value applyOp(Op op, const Value &a, const Value &b)
{
    switch (op) {
    case Op::Pow: return opPow(a, b);
    case Op::Mul: return opMul(a, b);
    case Op::Div: return opDiv(a, b);
    case Op::IntDiv: return opIntDiv(a, b);
    case Op::Mod: return opMod(a, b);
    case Op::Add: return opAdd(a, b);
    case Op::Sub: return opSub(a, b);
    case Op::Concat: return opConcat(a, b);
    case Op::And: return opAnd(a, b);
    case Op::Or: return opOr(a, b);
    case Op::Xor: return opXor(a, b);
    case Op::Eqv: return opEqv(a, b);
    case Op::Imp: return opImp(a, b);
    case Op::Eq: case Op::Ne: case Op::Lt: case Op::Gt: case Op::Le: case Op::Ge: {
        const int c = compareValues(a, b);
        if (c == 2)
            return Value::null();
        switch (op) {
        case Op::Eq: return Value(c == 0);
        case Op::Ne: return Value(c != 0);
        case Op::Lt: return Value(c < 0);
        case Op::Gt: return Value(c > 0);
        case Op::Le: return Value(c <= 0);
        default: return Value(c >= 0);
        }
    }
    default:
        raise(err::TypeMismatch);
    }
}

namespace {

[[noreturn]] void failAt(int number, int line, int column)
{
    VbsError e(number);
    e.line = line;
    e.column = column;
    throw e;
}

struct Scope {
    enum class Kind { Global, Proc, Exec } kind = Kind::Global;
    ProcDef *proc = nullptr;
    const ClassDef *cls = nullptr;
    QHash<QString, int> *locals = nullptr;
    int *localCount = nullptr;
    QHash<QString, Value> consts;
    const ProcDef *outerProc = nullptr; // Exec: the procedure of the frame that runs it
    Frame *owner = nullptr;             // Exec: that procedure's frame
    int ownerDepth = 0;                 // Exec: frames from the Execute'd code up to it
    std::vector<int> withSlots;
    QHash<QString, int> dynamics; // undeclared names and their implicit local slots
    bool optionExplicit = false;
};

class Resolver
{
public:
    Resolver(Interpreter &in, Program &prog) : in_(in), prog_(prog) {}

    void run(Frame *context)
    {
        Scope top;
        top.optionExplicit = prog_.optionExplicit;
        top.localCount = &prog_.topLocals;
        QHash<QString, int> execLocals;
        // Execute and Eval nested in Execute'd code still belong to the
        // procedure that ran the outermost one.
        int depth = 1;
        for (Frame *f = context; f; f = f->parent, ++depth) {
            if (f->proc) {
                top.kind = Scope::Kind::Exec;
                top.outerProc = f->proc;
                top.owner = f;
                top.ownerDepth = depth;
                top.cls = f->proc->owner;
                top.locals = &execLocals;
                break;
            }
        }
        declareGlobals(top);
        for (auto &cls : prog_.classes)
            declareClass(*cls);
        for (auto &p : prog_.procs)
            resolveProc(*p, nullptr, top.optionExplicit);
        for (auto &cls : prog_.classes)
            for (auto &p : cls->procs)
                resolveProc(*p, cls.get(), top.optionExplicit);
        for (auto &cls : prog_.classes)
            for (DimStmt *d : cls->fieldDecls)
                for (DimItem &item : d->items)
                    for (ExprPtr &b : item.bounds)
                        resolveExpr(b, top);
        resolveBlock(prog_.top, top);
        if (prog_.expression)
            resolveExpr(prog_.expression, top);
    }

private:
    // ---- declarations -----------------------------------------------------
    void redefined(const QString &lower, int line, int column)
    {
        if (definedHere_.contains(lower))
            failAt(err::NameRedefined, line, column);
        definedHere_.insert(lower);
    }

    void declareGlobals(Scope &top)
    {
        const bool atScriptLevel = top.kind != Scope::Kind::Exec;
        QSet<QString> procNames;
        for (auto &p : prog_.procs) {
            // A procedure defined twice is the later one, as if the first
            // were never written; any other clash of names is an error.
            if (!procNames.contains(p->lower)) {
                redefined(p->lower, p->line, p->column);
                procNames.insert(p->lower);
            }
            GlobalEntry *g = in_.global(p->lower, p->name);
            g->kind = GlobalEntry::Kind::Proc;
            g->proc = p.get();
            g->value = Value();
        }
        for (auto &c : prog_.classes) {
            redefined(c->lower, c->line, c->column);
            GlobalEntry *g = in_.global(c->lower, c->name);
            g->kind = GlobalEntry::Kind::Class;
            g->cls = c.get();
            g->value = Value();
        }
        declareInBlock(prog_.top, top, atScriptLevel);
    }

    void declareInBlock(Block &b, Scope &s, bool global)
    {
        for (StmtPtr &st : b) {
            switch (st->kind) {
            case SK::Dim: {
                auto &d = static_cast<DimStmt &>(*st);
                for (DimItem &item : d.items)
                    declareVariable(*item.target, s, global);
                break;
            }
            case SK::Const: {
                auto &c = static_cast<ConstStmt &>(*st);
                for (auto &item : c.items) {
                    Value v = fold(*item.value, s);
                    if (global) {
                        redefined(item.lower, item.line, item.column);
                        GlobalEntry *g = in_.global(item.lower, item.name);
                        g->kind = GlobalEntry::Kind::Const;
                        g->value = v;
                    } else {
                        if (s.consts.contains(item.lower) || (s.locals && s.locals->contains(item.lower)))
                            failAt(err::NameRedefined, item.line, item.column);
                        s.consts.insert(item.lower, v);
                    }
                }
                break;
            }
            case SK::ReDim:
                for (auto &item : static_cast<ReDimStmt &>(*st).items)
                    declareByReDim(static_cast<IdentExpr &>(*item.target), s, global);
                break;
            default:
                forEachChildBlock(*st, [&](Block &child) { declareInBlock(child, s, global); });
            }
        }
    }

    void declareVariable(IdentExpr &id, Scope &s, bool global)
    {
        if (global) {
            redefined(id.lower, id.line, id.column);
            GlobalEntry *g = in_.global(id.lower, id.name);
            if (g->kind != GlobalEntry::Kind::Variable) {
                g->kind = GlobalEntry::Kind::Variable;
                g->value = Value();
                g->proc = nullptr;
                g->cls = nullptr;
            }
            return;
        }
        if (s.kind == Scope::Kind::Exec) {
            declareExecLocal(id, s);
            return;
        }
        if (s.locals->contains(id.lower) || s.consts.contains(id.lower)
            || (s.proc && s.proc->hasResult() && s.proc->lower == id.lower))
            failAt(err::NameRedefined, id.line, id.column);
        s.locals->insert(id.lower, (*s.localCount)++);
    }

    // ReDim of a name declared nowhere declares it, also under Option Explicit.
    void declareByReDim(IdentExpr &id, Scope &s, bool global)
    {
        if (global) {
            GlobalEntry *g = in_.global(id.lower, id.name);
            if (g->kind == GlobalEntry::Kind::Undefined)
                g->kind = GlobalEntry::Kind::Variable;
            return;
        }
        if (s.kind != Scope::Kind::Proc)
            return;
        if (s.locals->contains(id.lower) || s.consts.contains(id.lower)
            || (s.proc->hasResult() && s.proc->lower == id.lower)
            || (s.cls && s.cls->members.contains(id.lower)))
            return;
        if (const GlobalEntry *g = in_.findGlobal(id.lower); g && g->kind != GlobalEntry::Kind::Undefined)
            return;
        s.locals->insert(id.lower, (*s.localCount)++);
    }

    // A Dim in Execute'd code makes a variable of the procedure that ran it.
    void declareExecLocal(IdentExpr &id, Scope &s)
    {
        const ProcDef &p = *s.outerProc;
        if (p.localNames.contains(id.lower) || p.constNames.contains(id.lower) || s.consts.contains(id.lower)
            || (p.hasResult() && p.lower == id.lower))
            failAt(err::NameRedefined, id.line, id.column);
        if (p.dynamicNames.contains(id.lower))
            return; // the procedure's own implicit local of that name
        execLocalSlot(id.lower, s);
    }

    static int execLocalSlot(const QString &lower, Scope &s)
    {
        if (!s.owner->execLocals)
            s.owner->execLocals = std::make_unique<ExecLocals>();
        ExecLocals &x = *s.owner->execLocals;
        auto it = x.names.constFind(lower);
        if (it != x.names.cend())
            return *it;
        const int slot = int(x.values.size());
        x.values.emplace_back();
        x.names.insert(lower, slot);
        return slot;
    }

    template<class F>
    static void forEachChildBlock(Stmt &st, F f)
    {
        switch (st.kind) {
        case SK::If: {
            auto &s = static_cast<IfStmt &>(st);
            for (Block &b : s.blocks)
                f(b);
            f(s.elseBlock);
            break;
        }
        case SK::Select: {
            auto &s = static_cast<SelectStmt &>(st);
            for (auto &c : s.cases)
                f(c.body);
            f(s.elseBlock);
            break;
        }
        case SK::For: f(static_cast<ForStmt &>(st).body); break;
        case SK::ForEach: f(static_cast<ForEachStmt &>(st).body); break;
        case SK::Do: f(static_cast<DoStmt &>(st).body); break;
        case SK::With: f(static_cast<WithStmt &>(st).body); break;
        default: break;
        }
    }

    void declareClass(ClassDef &cls)
    {
        QSet<QString> names;
        for (DimStmt *d : cls.fieldDecls) {
            for (DimItem &item : d->items) {
                if (names.contains(item.target->lower))
                    failAt(err::NameRedefined, item.target->line, item.target->column);
                names.insert(item.target->lower);
                ClassMember m;
                m.kind = ClassMember::Kind::Field;
                m.isPublic = d->isPublic;
                m.field = int(cls.fieldNames.size());
                cls.fieldNames.push_back(item.target->name);
                cls.fieldDims.push_back(&item);
                cls.members.insert(item.target->lower, m);
            }
        }
        for (auto &p : cls.procs) {
            ClassMember &m = cls.members[p->lower];
            const bool isNew = m.kind == ClassMember::Kind::Field && m.field < 0 && !m.method && !m.get
                && !m.let && !m.set;
            if (!isNew && (m.kind != ClassMember::Kind::Property || p->kind == ProcKind::Sub
                           || p->kind == ProcKind::Function))
                failAt(err::NameRedefined, p->line, p->column);
            if (p->kind == ProcKind::Sub || p->kind == ProcKind::Function) {
                m.kind = ClassMember::Kind::Method;
                m.method = p.get();
            } else {
                m.kind = ClassMember::Kind::Property;
                const ProcDef **slot = p->kind == ProcKind::PropertyGet ? &m.get
                    : p->kind == ProcKind::PropertyLet                  ? &m.let
                                                                        : &m.set;
                if (*slot)
                    failAt(err::NameRedefined, p->line, p->column);
                *slot = p.get();
            }
            m.isPublic = p->isPublic || m.isPublic;
            if (!p->isPublic && isNew)
                m.isPublic = false;
            if (p->isDefault) {
                if (!cls.defaultMember.isEmpty() && cls.defaultMember != p->lower)
                    failAt(err::MultipleDefault, p->line, p->column);
                cls.defaultMember = p->lower;
            }
            if (p->lower == QLatin1String("class_initialize") || p->lower == QLatin1String("class_terminate")) {
                if (p->kind != ProcKind::Sub)
                    failAt(err::ExpectedSub, p->line, p->column);
                if (!p->params.empty())
                    failAt(err::InitNoArgs, p->line, p->column);
                if (p->lower == QLatin1String("class_initialize"))
                    cls.initialize = p.get();
                else
                    cls.terminate = p.get();
            }
        }
    }

    void resolveProc(ProcDef &p, const ClassDef *cls, bool optionExplicit)
    {
        Scope s;
        s.kind = Scope::Kind::Proc;
        s.proc = &p;
        s.cls = cls;
        s.locals = &p.localNames;
        s.localCount = &p.localCount;
        s.optionExplicit = optionExplicit;
        p.localCount = p.hasResult() ? 1 : 0;
        p.firstParam = p.localCount;
        for (const Param &prm : p.params) {
            if (p.hasResult() && prm.lower == p.lower)
                failAt(err::NameRedefined, p.line, p.column);
            p.localNames.insert(prm.lower, p.localCount++);
        }
        declareInBlock(p.body, s, false);
        resolveBlock(p.body, s);
        p.dynamicNames = s.dynamics;
        p.constNames = s.consts;
    }

    // ---- constants --------------------------------------------------------
    Value fold(const Expr &e, Scope &s)
    {
        try {
            switch (e.kind) {
            case EK::Literal: return static_cast<const LiteralExpr &>(e).value;
            case EK::Paren: return fold(*static_cast<const ParenExpr &>(e).inner, s);
            case EK::Unary: {
                const auto &u = static_cast<const UnaryExpr &>(e);
                const Value v = fold(*u.operand, s);
                return u.op == Op::Neg ? opNeg(v) : u.op == Op::Not ? opNot(v) : v;
            }
            case EK::Binary: {
                const auto &b = static_cast<const BinaryExpr &>(e);
                if (b.op == Op::Is)
                    break;
                const Value l = fold(*b.lhs, s), r = fold(*b.rhs, s);
                switch (b.op) {
                case Op::Eq: case Op::Ne: case Op::Lt: case Op::Gt: case Op::Le: case Op::Ge: {
                    // The same comparison the running code makes.
                    const int c = compareMixed(l, r, b.lhs->kind == EK::Literal, b.rhs->kind == EK::Literal);
                    if (c == 2)
                        return Value::null();
                    return applyOp(b.op, Value::integer(int16_t(c)), Value::integer(0));
                }
                default:
                    return applyOp(b.op, l, r);
                }
            }
            case EK::Ident: {
                const auto &id = static_cast<const IdentExpr &>(e);
                if (id.hasParens)
                    break;
                auto it = s.consts.constFind(id.lower);
                if (it != s.consts.cend())
                    return *it;
                if (const GlobalEntry *g = in_.findGlobal(id.lower); g && g->kind == GlobalEntry::Kind::Const)
                    return g->value;
                Value v;
                if (findConstant(id.lower, &v))
                    return v;
                break;
            }
            default:
                break;
            }
        } catch (VbsError &err) {
            if (!err.line) {
                err.line = e.line;
                err.column = e.column;
            }
            throw;
        }
        failAt(err::ExpectedLiteral, e.line, e.column);
    }

    // ---- statements -------------------------------------------------------
    void resolveBlock(Block &b, Scope &s)
    {
        for (StmtPtr &st : b)
            resolveStmt(*st, s);
    }

    void resolveStmt(Stmt &st, Scope &s)
    {
        switch (st.kind) {
        case SK::Assign: {
            auto &a = static_cast<AssignStmt &>(st);
            resolveExpr(a.target, s);
            resolveExpr(a.value, s);
            a.appendInPlace = !a.isSet && isAppend(*a.target, *a.value);
            break;
        }
        case SK::Call:
            resolveExpr(static_cast<CallStmt &>(st).call, s);
            break;
        case SK::If: {
            auto &n = static_cast<IfStmt &>(st);
            for (ExprPtr &c : n.conditions)
                resolveExpr(c, s);
            for (Block &b : n.blocks)
                resolveBlock(b, s);
            resolveBlock(n.elseBlock, s);
            break;
        }
        case SK::Select: {
            auto &n = static_cast<SelectStmt &>(st);
            resolveExpr(n.subject, s);
            for (auto &c : n.cases) {
                for (CaseItem &item : c.items) {
                    resolveExpr(item.a, s);
                    if (item.b)
                        resolveExpr(item.b, s);
                }
                resolveBlock(c.body, s);
            }
            resolveBlock(n.elseBlock, s);
            break;
        }
        case SK::For: {
            auto &n = static_cast<ForStmt &>(st);
            resolveExpr(n.var, s);
            resolveExpr(n.from, s);
            resolveExpr(n.to, s);
            if (n.step)
                resolveExpr(n.step, s);
            resolveBlock(n.body, s);
            break;
        }
        case SK::ForEach: {
            auto &n = static_cast<ForEachStmt &>(st);
            resolveExpr(n.var, s);
            resolveExpr(n.collection, s);
            resolveBlock(n.body, s);
            break;
        }
        case SK::Do: {
            auto &n = static_cast<DoStmt &>(st);
            if (n.condition)
                resolveExpr(n.condition, s);
            resolveBlock(n.body, s);
            break;
        }
        case SK::Dim: {
            auto &n = static_cast<DimStmt &>(st);
            for (DimItem &item : n.items) {
                ExprPtr target(item.target.release());
                resolveExpr(target, s);
                item.target.reset(static_cast<IdentExpr *>(target.release()));
                for (ExprPtr &b : item.bounds)
                    resolveExpr(b, s);
            }
            break;
        }
        case SK::ReDim: {
            auto &n = static_cast<ReDimStmt &>(st);
            for (auto &item : n.items) {
                resolveExpr(item.target, s);
                for (ExprPtr &b : item.bounds)
                    resolveExpr(b, s);
            }
            break;
        }
        case SK::Erase:
            for (ExprPtr &t : static_cast<EraseStmt &>(st).targets)
                resolveExpr(t, s);
            break;
        case SK::With: {
            auto &n = static_cast<WithStmt &>(st);
            resolveExpr(n.object, s);
            n.slot = (*s.localCount)++;
            s.withSlots.push_back(n.slot);
            resolveBlock(n.body, s);
            s.withSlots.pop_back();
            break;
        }
        default:
            break;
        }
    }

    // x = x & e, where x is a plain variable and e cannot change x.
    bool isAppend(const Expr &target, const Expr &value) const
    {
        if (target.kind != EK::Ident || value.kind != EK::Binary)
            return false;
        const auto &t = static_cast<const IdentExpr &>(target);
        const auto &b = static_cast<const BinaryExpr &>(value);
        if (b.op != Op::Concat || b.lhs->kind != EK::Ident || t.hasParens)
            return false;
        const auto &l = static_cast<const IdentExpr &>(*b.lhs);
        if (l.hasParens || l.nk != t.nk || l.slot != t.slot || l.global != t.global)
            return false;
        // Script-level names may become variables only when the code runs
        // (no Dim); the evaluator falls back to the plain path for a name
        // that turns out to be no variable.
        if (t.nk != NK::Local && t.nk != NK::Field && t.nk != NK::Global && t.nk != NK::Undeclared
            && t.nk != NK::Dynamic)
            return false;
        return isPure(*b.rhs);
    }

    bool isPure(const Expr &e) const
    {
        switch (e.kind) {
        case EK::Literal: return true;
        case EK::Paren: return isPure(*static_cast<const ParenExpr &>(e).inner);
        case EK::Unary: return isPure(*static_cast<const UnaryExpr &>(e).operand);
        case EK::Binary: {
            const auto &b = static_cast<const BinaryExpr &>(e);
            return isPure(*b.lhs) && isPure(*b.rhs);
        }
        case EK::Ident: {
            const auto &id = static_cast<const IdentExpr &>(e);
            for (const ExprPtr &a : id.args)
                if (a && !isPure(*a))
                    return false;
            switch (id.nk) {
            case NK::Local: case NK::Field: case NK::Const: case NK::UpLocal: case NK::ExecLocal: return true;
            case NK::Builtin: return builtinIsPure(id.builtin);
            case NK::Global: return id.global->kind == GlobalEntry::Kind::Variable || id.global->kind == GlobalEntry::Kind::Const;
            default: return false;
            }
        }
        default:
            return false;
        }
    }

    // ---- expressions ------------------------------------------------------
    void resolveArgs(ExprList &args, Scope &s)
    {
        for (ExprPtr &a : args)
            if (a)
                resolveExpr(a, s);
    }

    void resolveExpr(ExprPtr &e, Scope &s)
    {
        switch (e->kind) {
        case EK::Ident: {
            auto &id = static_cast<IdentExpr &>(*e);
            resolveArgs(id.args, s);
            bind(id, s);
            break;
        }
        case EK::Member: {
            auto &m = static_cast<MemberExpr &>(*e);
            if (m.object) {
                resolveExpr(m.object, s);
            } else if (!s.withSlots.empty()) {
                m.withSlot = s.withSlots.back();
            } // else "Invalid or unqualified reference" when it runs, as code never reached may hold it
            resolveArgs(m.args, s);
            break;
        }
        case EK::Apply: {
            auto &a = static_cast<ApplyExpr &>(*e);
            resolveExpr(a.target, s);
            resolveArgs(a.args, s);
            break;
        }
        case EK::Unary:
            resolveExpr(static_cast<UnaryExpr &>(*e).operand, s);
            break;
        case EK::Binary: {
            auto &b = static_cast<BinaryExpr &>(*e);
            resolveExpr(b.lhs, s);
            resolveExpr(b.rhs, s);
            break;
        }
        case EK::Paren:
            resolveExpr(static_cast<ParenExpr &>(*e).inner, s);
            break;
        case EK::New: {
            auto &n = static_cast<NewExpr &>(*e);
            n.global = in_.global(n.lower, n.className);
            break;
        }
        case EK::Me:
            if (!s.cls)
                failAt(err::InvalidMe, e->line, e->column);
            break;
        case EK::Literal:
            break;
        }
    }

    void bind(IdentExpr &id, Scope &s)
    {
        if (s.kind == Scope::Kind::Proc) {
            if (s.proc->hasResult() && id.lower == s.proc->lower && !id.hasParens) {
                id.nk = NK::Local;
                id.slot = 0;
                return;
            }
        }
        if (s.locals) {
            auto it = s.locals->constFind(id.lower);
            if (it != s.locals->cend()) {
                id.nk = NK::Local;
                id.slot = *it;
                return;
            }
        }
        auto c = s.consts.constFind(id.lower);
        if (c != s.consts.cend()) {
            id.nk = NK::Const;
            id.constValue = *c;
            return;
        }
        if (s.outerProc) {
            const ProcDef &p = *s.outerProc;
            const auto bindUp = [&](NK nk, int slot) {
                id.nk = nk;
                id.slot = slot;
                id.depth = s.ownerDepth;
            };
            if (p.hasResult() && id.lower == p.lower && !id.hasParens)
                return bindUp(NK::UpLocal, 0);
            if (auto it = p.localNames.constFind(id.lower); it != p.localNames.cend())
                return bindUp(NK::UpLocal, *it);
            if (auto pc = p.constNames.constFind(id.lower); pc != p.constNames.cend()) {
                id.nk = NK::Const;
                id.constValue = *pc;
                return;
            }
            // An implicit local stands for the global of its name once that
            // exists, so it is only the procedure's while there is none.
            const GlobalEntry *g = in_.findGlobal(id.lower);
            if (auto d = p.dynamicNames.constFind(id.lower);
                d != p.dynamicNames.cend() && (!g || g->kind == GlobalEntry::Kind::Undefined))
                return bindUp(NK::UpLocal, *d);
            if (const ExecLocals *x = s.owner->execLocals.get()) {
                if (auto it = x->names.constFind(id.lower); it != x->names.cend())
                    return bindUp(NK::ExecLocal, *it);
            }
        }
        if (s.cls) {
            auto it = s.cls->members.constFind(id.lower);
            if (it != s.cls->members.cend()) {
                if (it->kind == ClassMember::Kind::Field) {
                    id.nk = NK::Field;
                    id.slot = it->field;
                } else {
                    id.nk = NK::Method;
                    id.memberName = id.lower;
                    id.method = it->method ? it->method : it->get;
                }
                return;
            }
        }
        if (GlobalEntry *g = in_.findGlobal(id.lower); g && g->kind != GlobalEntry::Kind::Undefined) {
            if (g->kind == GlobalEntry::Kind::Const) {
                id.nk = NK::Const;
                id.constValue = g->value;
                id.global = g;
                return;
            }
            id.nk = NK::Global;
            id.global = g;
            return;
        }
        const int b = findBuiltin(id.lower);
        if (b >= 0) {
            id.nk = NK::Builtin;
            id.builtin = b;
            return;
        }
        Value v;
        if (findConstant(id.lower, &v)) {
            id.nk = NK::Const;
            id.constValue = v;
            return;
        }
        GlobalEntry *g = in_.global(id.lower, id.name);
        id.global = g;
        if (s.optionExplicit) {
            id.nk = NK::Undeclared;
            return;
        }
        if (s.kind == Scope::Kind::Global) {
            id.nk = NK::Global;
            return;
        }
        if (s.kind == Scope::Kind::Exec) {
            // Undeclared in Execute'd code: a new variable of the procedure.
            id.nk = NK::ExecLocal;
            id.slot = execLocalSlot(id.lower, s);
            id.depth = s.ownerDepth;
            return;
        }
        // Undeclared inside a procedure: an implicit local unless a global of
        // that name exists when the statement runs.
        id.nk = NK::Dynamic;
        auto d = s.dynamics.constFind(id.lower);
        if (d != s.dynamics.cend()) {
            id.slot = *d;
            return;
        }
        id.slot = (*s.localCount)++;
        s.dynamics.insert(id.lower, id.slot);
    }

    Interpreter &in_;
    Program &prog_;
    QSet<QString> definedHere_;
};

} // namespace

void resolveProgram(Interpreter &in, Program &prog, const QString *, Frame *context)
{
    Resolver(in, prog).run(context);
}

} // namespace tintwell::vbs

#include "scripting/vbscript/treeprinter.h"

#include "scripting/vbscript/objects.h"

namespace tintwell::vbs {

namespace {

const char *opName(Op op)
{
    switch (op) {
    case Op::Neg: return "-";
    case Op::Plus: return "+";
    case Op::Not: return "Not";
    case Op::Pow: return "^";
    case Op::Mul: return "*";
    case Op::Div: return "/";
    case Op::IntDiv: return "\\";
    case Op::Mod: return "Mod";
    case Op::Add: return "+";
    case Op::Sub: return "-";
    case Op::Concat: return "&";
    case Op::Eq: return "=";
    case Op::Ne: return "<>";
    case Op::Lt: return "<";
    case Op::Gt: return ">";
    case Op::Le: return "<=";
    case Op::Ge: return ">=";
    case Op::Is: return "Is";
    case Op::And: return "And";
    case Op::Or: return "Or";
    case Op::Xor: return "Xor";
    case Op::Eqv: return "Eqv";
    case Op::Imp: return "Imp";
    }
    return "?";
}

const char *procKindName(ProcKind k)
{
    switch (k) {
    case ProcKind::Sub: return "Sub";
    case ProcKind::Function: return "Function";
    case ProcKind::PropertyGet: return "Property Get";
    case ProcKind::PropertyLet: return "Property Let";
    case ProcKind::PropertySet: return "Property Set";
    }
    return "?";
}

QString literalText(const Value &v)
{
    switch (v.type) {
    case VarType::String: {
        QString s = v.s;
        s.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + s + QLatin1Char('"');
    }
    case VarType::Object: return QStringLiteral("Nothing");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Empty: return QStringLiteral("Empty");
    default: return toString(v) + QLatin1Char(' ') + typeName(v);
    }
}

class Printer
{
public:
    QString out;

    void line(int depth, int srcLine, const QString &text)
    {
        out += QString(depth * 2, QLatin1Char(' '));
        out += text;
        if (srcLine > 0)
            out += QStringLiteral("  @%1").arg(srcLine);
        out += QLatin1Char('\n');
    }

    void args(const ExprList &list, int depth, bool parens)
    {
        if (parens && list.empty())
            line(depth, 0, QStringLiteral("()"));
        for (const ExprPtr &a : list) {
            if (a)
                expr(*a, depth);
            else
                line(depth, 0, QStringLiteral("(missing)"));
        }
    }

    void expr(const Expr &e, int depth)
    {
        switch (e.kind) {
        case EK::Literal:
            line(depth, 0, QStringLiteral("Literal ") + literalText(static_cast<const LiteralExpr &>(e).value));
            return;
        case EK::Ident: {
            const auto &id = static_cast<const IdentExpr &>(e);
            line(depth, 0, QStringLiteral("Name ") + id.name + (id.hasParens ? QStringLiteral("()") : QString()));
            args(id.args, depth + 1, false);
            return;
        }
        case EK::Member: {
            const auto &m = static_cast<const MemberExpr &>(e);
            line(depth, 0, QStringLiteral("Member .") + m.name + (m.hasParens ? QStringLiteral("()") : QString())
                               + (m.object ? QString() : QStringLiteral(" of With")));
            if (m.object)
                expr(*m.object, depth + 1);
            if (!m.args.empty()) {
                line(depth + 1, 0, QStringLiteral("args"));
                args(m.args, depth + 2, false);
            }
            return;
        }
        case EK::Apply: {
            const auto &a = static_cast<const ApplyExpr &>(e);
            line(depth, 0, QStringLiteral("Apply"));
            expr(*a.target, depth + 1);
            line(depth + 1, 0, QStringLiteral("args"));
            args(a.args, depth + 2, true);
            return;
        }
        case EK::Unary: {
            const auto &u = static_cast<const UnaryExpr &>(e);
            line(depth, 0, QStringLiteral("Unary ") + QLatin1String(opName(u.op)));
            expr(*u.operand, depth + 1);
            return;
        }
        case EK::Binary: {
            const auto &b = static_cast<const BinaryExpr &>(e);
            line(depth, 0, QStringLiteral("Binary ") + QLatin1String(opName(b.op)));
            expr(*b.lhs, depth + 1);
            expr(*b.rhs, depth + 1);
            return;
        }
        case EK::New:
            line(depth, 0, QStringLiteral("New ") + static_cast<const NewExpr &>(e).className);
            return;
        case EK::Me:
            line(depth, 0, QStringLiteral("Me"));
            return;
        case EK::Paren:
            line(depth, 0, QStringLiteral("Paren"));
            expr(*static_cast<const ParenExpr &>(e).inner, depth + 1);
            return;
        }
    }

    void block(const Block &b, int depth)
    {
        for (const StmtPtr &s : b)
            stmt(*s, depth);
    }

    void labelled(const QString &label, const Expr &e, int depth)
    {
        line(depth, 0, label);
        expr(e, depth + 1);
    }

    void dimItems(const std::vector<DimItem> &items, int depth)
    {
        for (const DimItem &item : items) {
            line(depth, 0, item.target->name + (item.isArray ? QStringLiteral("()") : QString()));
            args(item.bounds, depth + 1, false);
        }
    }

    void stmt(const Stmt &s, int depth)
    {
        switch (s.kind) {
        case SK::Assign: {
            const auto &a = static_cast<const AssignStmt &>(s);
            line(depth, s.line, a.isSet ? QStringLiteral("Set") : QStringLiteral("Assign"));
            expr(*a.target, depth + 1);
            expr(*a.value, depth + 1);
            return;
        }
        case SK::Call:
            line(depth, s.line, QStringLiteral("Call"));
            expr(*static_cast<const CallStmt &>(s).call, depth + 1);
            return;
        case SK::If: {
            const auto &n = static_cast<const IfStmt &>(s);
            line(depth, s.line, QStringLiteral("If"));
            for (size_t i = 0; i < n.conditions.size(); ++i) {
                labelled(i == 0 ? QStringLiteral("when") : QStringLiteral("elseif"), *n.conditions[i], depth + 1);
                line(depth + 1, 0, QStringLiteral("then"));
                block(n.blocks[i], depth + 2);
            }
            if (!n.elseBlock.empty()) {
                line(depth + 1, 0, QStringLiteral("else"));
                block(n.elseBlock, depth + 2);
            }
            return;
        }
        case SK::Select: {
            const auto &n = static_cast<const SelectStmt &>(s);
            line(depth, s.line, QStringLiteral("Select"));
            expr(*n.subject, depth + 1);
            for (const auto &c : n.cases) {
                line(depth + 1, 0, QStringLiteral("Case"));
                for (const CaseItem &item : c.items) {
                    if (item.kind == CaseItem::Kind::Is) {
                        labelled(QStringLiteral("Is ") + QLatin1String(opName(item.op)), *item.a, depth + 2);
                    } else if (item.kind == CaseItem::Kind::Range) {
                        line(depth + 2, 0, QStringLiteral("To"));
                        expr(*item.a, depth + 3);
                        expr(*item.b, depth + 3);
                    } else {
                        expr(*item.a, depth + 2);
                    }
                }
                line(depth + 2, 0, QStringLiteral("do"));
                block(c.body, depth + 3);
            }
            if (n.hasElse) {
                line(depth + 1, 0, QStringLiteral("Case Else"));
                block(n.elseBlock, depth + 2);
            }
            return;
        }
        case SK::For: {
            const auto &n = static_cast<const ForStmt &>(s);
            line(depth, s.line, QStringLiteral("For"));
            expr(*n.var, depth + 1);
            labelled(QStringLiteral("from"), *n.from, depth + 1);
            labelled(QStringLiteral("to"), *n.to, depth + 1);
            if (n.step)
                labelled(QStringLiteral("step"), *n.step, depth + 1);
            line(depth + 1, 0, QStringLiteral("do"));
            block(n.body, depth + 2);
            return;
        }
        case SK::ForEach: {
            const auto &n = static_cast<const ForEachStmt &>(s);
            line(depth, s.line, QStringLiteral("For Each"));
            expr(*n.var, depth + 1);
            labelled(QStringLiteral("in"), *n.collection, depth + 1);
            line(depth + 1, 0, QStringLiteral("do"));
            block(n.body, depth + 2);
            return;
        }
        case SK::Do: {
            const auto &n = static_cast<const DoStmt &>(s);
            static const char *forms[] = {"Do", "Do While", "Do Until", "Do ... Loop While", "Do ... Loop Until"};
            line(depth, s.line, QLatin1String(forms[int(n.form)]));
            if (n.condition)
                expr(*n.condition, depth + 1);
            line(depth + 1, 0, QStringLiteral("do"));
            block(n.body, depth + 2);
            return;
        }
        case SK::Exit: {
            static const char *what[] = {"Exit Do", "Exit For", "Exit Sub", "Exit Function", "Exit Property"};
            line(depth, s.line, QLatin1String(what[int(static_cast<const ExitStmt &>(s).what)]));
            return;
        }
        case SK::Dim: {
            const auto &d = static_cast<const DimStmt &>(s);
            line(depth, s.line, d.isPublic ? QStringLiteral("Dim") : QStringLiteral("Private"));
            dimItems(d.items, depth + 1);
            return;
        }
        case SK::ReDim: {
            const auto &r = static_cast<const ReDimStmt &>(s);
            line(depth, s.line, r.preserve ? QStringLiteral("ReDim Preserve") : QStringLiteral("ReDim"));
            for (const auto &item : r.items) {
                expr(*item.target, depth + 1);
                args(item.bounds, depth + 2, false);
            }
            return;
        }
        case SK::Erase:
            line(depth, s.line, QStringLiteral("Erase"));
            args(static_cast<const EraseStmt &>(s).targets, depth + 1, false);
            return;
        case SK::OnError:
            line(depth, s.line,
                 static_cast<const OnErrorStmt &>(s).resumeNext ? QStringLiteral("On Error Resume Next")
                                                                : QStringLiteral("On Error GoTo 0"));
            return;
        case SK::With: {
            const auto &w = static_cast<const WithStmt &>(s);
            line(depth, s.line, QStringLiteral("With"));
            expr(*w.object, depth + 1);
            line(depth + 1, 0, QStringLiteral("do"));
            block(w.body, depth + 2);
            return;
        }
        case SK::Const: {
            const auto &c = static_cast<const ConstStmt &>(s);
            line(depth, s.line, QStringLiteral("Const"));
            for (const auto &item : c.items)
                labelled(item.name + QStringLiteral(" ="), *item.value, depth + 1);
            return;
        }
        case SK::Nop:
            line(depth, s.line, QStringLiteral("Nop"));
            return;
        }
    }

    void proc(const ProcDef &p, int depth)
    {
        QStringList params;
        for (const Param &prm : p.params)
            params << (prm.byRef ? QStringLiteral("ByRef ") : QStringLiteral("ByVal ")) + prm.name
                    + (prm.isArray ? QStringLiteral("()") : QString());
        line(depth, p.line,
             QString::fromLatin1(p.isPublic ? "Public " : "Private ") + (p.isDefault ? QStringLiteral("Default ") : QString())
                 + QLatin1String(procKindName(p.kind)) + QLatin1Char(' ') + p.name + QLatin1Char('(')
                 + params.join(QStringLiteral(", ")) + QLatin1Char(')'));
        block(p.body, depth + 1);
    }
};

} // namespace

QString dumpExpr(const Expr &e)
{
    Printer p;
    p.expr(e, 0);
    return p.out;
}

QString dumpTree(const Program &prog)
{
    Printer p;
    if (prog.optionExplicit)
        p.line(0, 0, QStringLiteral("Option Explicit"));
    for (const auto &cls : prog.classes) {
        p.line(0, cls->line, QStringLiteral("Class ") + cls->name);
        for (const DimStmt *d : cls->fieldDecls) {
            p.line(1, d->line, d->isPublic ? QStringLiteral("Public") : QStringLiteral("Private"));
            p.dimItems(d->items, 2);
        }
        for (const auto &m : cls->procs)
            p.proc(*m, 1);
    }
    for (const auto &proc : prog.procs)
        p.proc(*proc, 0);
    p.block(prog.top, 0);
    if (prog.expression)
        p.expr(*prog.expression, 0);
    return p.out;
}

} // namespace tintwell::vbs

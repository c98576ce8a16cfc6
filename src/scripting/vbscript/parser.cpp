#include "scripting/vbscript/parser.h"

#include "scripting/vbscript/scanner.h"

#include <initializer_list>

namespace tintwell::vbs {

namespace {

constexpr int kMaxNesting = 200;

class Parser
{
public:
    Parser(const QString &source, ScanResult scanned, Program &prog)
        : src_(source), scanned_(std::move(scanned)), t_(scanned_.tokens), prog_(prog)
    {
    }

    void script()
    {
        skipSeparators();
        while (!at(Tok::End)) {
            topLevelStatement();
            endOfStatement();
            skipSeparators();
        }
    }

    void expressionOnly()
    {
        skipNewlines();
        prog_.expression = expression();
        skipNewlines();
        if (!at(Tok::End))
            fail(err::ExpectedEndOfStatement);
    }

private:
    // ---- token helpers ----------------------------------------------------
    const Token &cur() const { return t_[pos_]; }
    const Token &peek(int n = 1) const { return t_[std::min(pos_ + n, int(t_.size()) - 1)]; }
    bool at(Tok k) const { return cur().type == k; }
    bool atWord(const char *w) const { return cur().type == Tok::Ident && lowerOf(cur()) == QLatin1String(w); }
    // The lower-case text of a name or keyword; empty for any other token.
    const QString &lowerOf(const Token &t) const
    {
        return t.type == Tok::Ident ? scanned_.names[size_t(t.index)].lower : keywordLower(t.type);
    }
    const QString &textOf(const Token &t) const { return scanned_.names[size_t(t.index)].text; }
    void advance() { if (pos_ < int(t_.size()) - 1) ++pos_; }
    bool accept(Tok k)
    {
        if (!at(k))
            return false;
        advance();
        return true;
    }
    bool acceptWord(const char *w)
    {
        if (!atWord(w))
            return false;
        advance();
        return true;
    }
    void expect(Tok k, int error)
    {
        if (!accept(k))
            fail(error);
    }
    [[noreturn]] void fail(int number) const { failAt(number, cur()); }
    [[noreturn]] static void failAt(int number, const Token &t)
    {
        VbsError e(number);
        e.line = t.line;
        e.column = t.column;
        throw e;
    }
    bool atStatementEnd() const { return at(Tok::Newline) || at(Tok::Colon) || at(Tok::End); }
    void skipSeparators()
    {
        while (at(Tok::Newline) || at(Tok::Colon))
            advance();
    }
    void skipNewlines()
    {
        while (at(Tok::Newline))
            advance();
    }
    void endOfStatement()
    {
        if (!atStatementEnd())
            fail(err::ExpectedEndOfStatement);
    }
    template<class T>
    std::unique_ptr<T> node(const Token &at)
    {
        auto n = std::make_unique<T>();
        n->line = at.line;
        n->column = at.column;
        return n;
    }
    // Any word after a dot or in a declaration may be a name, keywords included.
    bool atName() const { return !lowerOf(cur()).isEmpty(); }
    // A name as written; keyword tokens carry no copy of their spelling.
    QString nameText(const Token &t) const { return t.type == Tok::Ident ? textOf(t) : src_.mid(t.start, t.length); }
    QString identifier()
    {
        if (!at(Tok::Ident))
            fail(err::ExpectedIdent);
        QString s = textOf(cur());
        advance();
        return s;
    }

    struct Depth {
        explicit Depth(Parser &p) : p_(p)
        {
            if (++p_.depth_ > kMaxNesting)
                p_.fail(err::OutOfStack);
        }
        ~Depth() { --p_.depth_; }
        Parser &p_;
    };

    // ---- statements -------------------------------------------------------
    void topLevelStatement()
    {
        if (at(Tok::Class)) {
            classDef();
            return;
        }
        if (at(Tok::Option)) {
            advance();
            if (!acceptWord("explicit"))
                fail(err::Syntax);
            prog_.optionExplicit = true;
            return;
        }
        if (procStart()) {
            procDef(nullptr);
            return;
        }
        statementInto(prog_.top);
    }

    // Public/Private/Default Sub|Function|Property ahead?
    bool procStart() const
    {
        int i = 0;
        while (peek(i).type == Tok::Public || peek(i).type == Tok::Private
               || (peek(i).type == Tok::Ident && lowerOf(peek(i)) == QLatin1String("default")))
            ++i;
        const Tok k = peek(i).type;
        if (k == Tok::Property) {
            // "Public Property" alone declares a field of that name.
            const Token &next = peek(i + 1);
            return next.type == Tok::Set
                || (next.type == Tok::Ident
                    && (lowerOf(next) == QLatin1String("get") || lowerOf(next) == QLatin1String("let")));
        }
        return k == Tok::Sub || k == Tok::Function;
    }

    void procDef(ClassDef *cls)
    {
        const Token &start = cur();
        bool isPublic = true, isDefault = false, sawScope = false;
        while (true) {
            if (accept(Tok::Public)) {
                sawScope = true;
                isPublic = true;
            } else if (accept(Tok::Private)) {
                sawScope = true;
                isPublic = false;
            } else if (atWord("default")) {
                advance();
                isDefault = true;
            } else {
                break;
            }
        }
        auto p = std::make_unique<ProcDef>();
        p->line = start.line;
        p->column = start.column;
        p->isPublic = isPublic;
        p->owner = cls;
        Tok endWord;
        int endError;
        if (accept(Tok::Sub)) {
            p->kind = ProcKind::Sub;
            endWord = Tok::Sub;
            endError = err::ExpectedSub;
        } else if (accept(Tok::Function)) {
            p->kind = ProcKind::Function;
            endWord = Tok::Function;
            endError = err::ExpectedFunction;
        } else {
            expect(Tok::Property, err::Syntax);
            if (!cls)
                fail(err::InsideClass);
            if (acceptWord("get"))
                p->kind = ProcKind::PropertyGet;
            else if (acceptWord("let"))
                p->kind = ProcKind::PropertyLet;
            else if (accept(Tok::Set))
                p->kind = ProcKind::PropertySet;
            else
                fail(err::ExpectedLetSetGet);
            endWord = Tok::Property;
            endError = err::ExpectedProperty;
        }
        if (isDefault) {
            if (!cls)
                failAt(err::DefaultOnlyProc, start);
            if (sawScope && !isPublic)
                failAt(err::DefaultNeedsPublic, start);
            if (p->kind == ProcKind::PropertyLet || p->kind == ProcKind::PropertySet)
                failAt(err::DefaultOnlyGet, start);
        }
        p->isDefault = isDefault;
        p->name = identifier();
        p->lower = p->name.toLower();
        if (accept(Tok::LParen)) {
            if (!at(Tok::RParen)) {
                do {
                    Param prm;
                    if (accept(Tok::ByVal))
                        prm.byRef = false;
                    else
                        accept(Tok::ByRef);
                    prm.name = identifier();
                    prm.lower = prm.name.toLower();
                    if (accept(Tok::LParen)) {
                        expect(Tok::RParen, err::ExpectedRParen);
                        prm.isArray = true;
                    }
                    for (const Param &q : p->params)
                        if (q.lower == prm.lower)
                            fail(err::NameRedefined);
                    p->params.push_back(prm);
                } while (accept(Tok::Comma));
            }
            expect(Tok::RParen, err::ExpectedRParen);
        }
        if ((p->kind == ProcKind::PropertyLet || p->kind == ProcKind::PropertySet) && p->params.empty())
            failAt(err::PropertyNeedsArg, start);
        endOfStatement();
        ProcContext ctx{p->kind};
        ProcContext *saved = proc_;
        proc_ = &ctx;
        const int savedLoops = loops_;
        loops_ = 0;
        blockUntilEnd(p->body, endWord, endError);
        proc_ = saved;
        loops_ = savedLoops;
        if (cls)
            cls->procs.push_back(std::move(p));
        else
            prog_.procs.push_back(std::move(p));
    }

    // Reads statements up to "End <word>" and consumes it.
    void blockUntilEnd(Block &body, Tok word, int error)
    {
        while (true) {
            skipSeparators();
            if (at(Tok::End))
                fail(err::ExpectedEnd);
            if (at(Tok::EndKw)) {
                advance();
                if (!accept(word))
                    fail(error);
                return;
            }
            statementInto(body);
            endOfStatement();
        }
    }

    void classDef()
    {
        const Token &start = cur();
        advance();
        auto cls = std::make_unique<ClassDef>();
        cls->line = start.line;
        cls->column = start.column;
        cls->name = identifier();
        cls->lower = cls->name.toLower();
        endOfStatement();
        while (true) {
            skipSeparators();
            if (at(Tok::End))
                fail(err::ExpectedEnd);
            if (at(Tok::EndKw)) {
                advance();
                if (!accept(Tok::Class))
                    fail(err::ExpectedClass);
                break;
            }
            if (procStart()) {
                procDef(cls.get());
            } else if (at(Tok::Dim) || at(Tok::Public) || at(Tok::Private)) {
                const Token &s = cur();
                auto d = node<DimStmt>(s);
                d->isMember = true;
                d->isPublic = !at(Tok::Private);
                advance();
                dimItems(*d);
                prog_.classFieldDecls.push_back(std::move(d));
                cls->fieldDecls.push_back(prog_.classFieldDecls.back().get());
            } else if (at(Tok::Const)) {
                fail(err::ExpectedStatement);
            } else {
                fail(err::ExpectedStatement);
            }
            endOfStatement();
        }
        prog_.classes.push_back(std::move(cls));
    }

    void dimItems(DimStmt &d)
    {
        do {
            DimItem item;
            const Token &nt = cur();
            auto id = node<IdentExpr>(nt);
            if (at(Tok::Property)) {
                // a field may be called Property
                id->name = nameText(nt);
                advance();
            } else {
                id->name = identifier();
            }
            id->lower = id->name.toLower();
            item.target = std::move(id);
            if (accept(Tok::LParen)) {
                item.isArray = true;
                if (!at(Tok::RParen)) {
                    do
                        item.bounds.push_back(expression());
                    while (accept(Tok::Comma));
                }
                expect(Tok::RParen, err::ExpectedRParen);
            }
            d.items.push_back(std::move(item));
        } while (accept(Tok::Comma));
    }

    void statementInto(Block &out)
    {
        Depth guard(*this);
        const Token &s = cur();
        switch (s.type) {
        case Tok::Dim: {
            advance();
            auto d = node<DimStmt>(s);
            dimItems(*d);
            out.push_back(std::move(d));
            return;
        }
        case Tok::Public: case Tok::Private: {
            if (proc_)
                fail(err::ExpectedStatement);
            if (procStart()) {
                procDef(nullptr);
                return;
            }
            advance();
            if (at(Tok::Const)) {
                constStmt(out, s, s.type == Tok::Public);
                return;
            }
            auto d = node<DimStmt>(s);
            d->isPublic = s.type == Tok::Public;
            dimItems(*d);
            out.push_back(std::move(d));
            return;
        }
        case Tok::Const:
            constStmt(out, s, true);
            return;
        case Tok::ReDim: {
            advance();
            auto r = node<ReDimStmt>(s);
            r->preserve = acceptWord("preserve");
            do {
                ReDimStmt::Item item;
                const Token &nt = cur();
                auto id = node<IdentExpr>(nt);
                id->name = identifier();
                id->lower = id->name.toLower();
                item.target = std::move(id);
                expect(Tok::LParen, err::ExpectedLParen);
                do
                    item.bounds.push_back(expression());
                while (accept(Tok::Comma));
                expect(Tok::RParen, err::ExpectedRParen);
                r->items.push_back(std::move(item));
            } while (accept(Tok::Comma));
            out.push_back(std::move(r));
            return;
        }
        case Tok::Erase: {
            advance();
            auto e = node<EraseStmt>(s);
            do {
                const Token &nt = cur();
                auto id = node<IdentExpr>(nt);
                id->name = identifier();
                id->lower = id->name.toLower();
                e->targets.push_back(std::move(id));
            } while (accept(Tok::Comma));
            out.push_back(std::move(e));
            return;
        }
        case Tok::If: ifStmt(out); return;
        case Tok::Select: selectStmt(out); return;
        case Tok::For: forStmt(out); return;
        case Tok::Do: doStmt(out); return;
        case Tok::While: whileStmt(out); return;
        case Tok::With: withStmt(out); return;
        case Tok::Exit: exitStmt(out); return;
        case Tok::On: {
            advance();
            if (!acceptWord("error"))
                fail(err::Syntax);
            auto o = node<OnErrorStmt>(s);
            if (acceptWord("resume")) {
                if (!accept(Tok::Next))
                    fail(err::Syntax);
                o->resumeNext = true;
            } else if (acceptWord("goto")) {
                if (!at(Tok::Number) || toDouble(scanned_.numbers[size_t(cur().index)]) != 0)
                    fail(err::Syntax);
                advance();
            } else {
                fail(err::Syntax);
            }
            out.push_back(std::move(o));
            return;
        }
        case Tok::Set: {
            advance();
            auto a = node<AssignStmt>(s);
            a->isSet = true;
            a->target = postfix(false);
            checkAssignable(*a->target);
            expect(Tok::Eq, err::ExpectedEquals);
            a->value = expression();
            out.push_back(std::move(a));
            return;
        }
        case Tok::Call: {
            advance();
            auto c = node<CallStmt>(s);
            const Token &ct = cur();
            if (!at(Tok::Ident) && !at(Tok::Dot) && !at(Tok::Me) && !at(Tok::LParen) && !at(Tok::New))
                fail(err::ExpectedIdent);
            c->call = postfix(false);
            if (c->call->kind != EK::Ident && c->call->kind != EK::Member && c->call->kind != EK::Apply)
                failAt(err::ExpectedStatement, ct);
            out.push_back(std::move(c));
            return;
        }
        case Tok::Sub: case Tok::Function:
            // A procedure inside a block at script level is defined all the
            // same, before the script runs.
            if (!proc_) {
                procDef(nullptr);
                return;
            }
            fail(err::Syntax);
        case Tok::Class: case Tok::Property:
            // Definitions belong at script level (or in a class).
            fail(err::Syntax);
        case Tok::Ident:
            if (atWord("stop") && (peek().type == Tok::Newline || peek().type == Tok::Colon
                                   || peek().type == Tok::End)) {
                // A breakpoint for a debugger; there is none here.
                advance();
                out.push_back(node<NopStmt>(s));
                return;
            }
            assignOrCall(out);
            return;
        case Tok::Me: case Tok::Dot:
            assignOrCall(out);
            return;
        case Tok::Next:
            fail(loops_ ? err::Syntax : err::UnexpectedNext);
        case Tok::Loop:
            fail(err::LoopWithoutDo);
        case Tok::Option:
            fail(err::FirstStatement);
        default:
            fail(err::ExpectedStatement);
        }
    }

    void checkAssignable(const Expr &e) const
    {
        if (e.kind != EK::Ident && e.kind != EK::Member && e.kind != EK::Apply)
            failAt(err::Syntax, cur());
    }

    void constStmt(Block &out, const Token &s, bool isPublic)
    {
        expect(Tok::Const, err::Syntax);
        auto c = node<ConstStmt>(s);
        c->isPublic = isPublic;
        do {
            ConstStmt::Item item;
            item.line = cur().line;
            item.column = cur().column;
            item.name = identifier();
            item.lower = item.name.toLower();
            expect(Tok::Eq, err::ExpectedEquals);
            item.value = expression();
            c->items.push_back(std::move(item));
        } while (accept(Tok::Comma));
        out.push_back(std::move(c));
    }

    void assignOrCall(Block &out)
    {
        const Token &s = cur();
        const int start = pos_;
        ExprPtr target = postfix(false);
        if (accept(Tok::Eq)) {
            auto a = node<AssignStmt>(s);
            a->target = std::move(target);
            a->value = expression();
            out.push_back(std::move(a));
            return;
        }
        auto c = node<CallStmt>(s);
        if (atStatementEnd() || at(Tok::Else) || (at(Tok::EndKw) && singleLineIf_)) {
            // "foo(x)" with one argument passes it in parentheses, by value;
            // more than one needs Call.
            if (target->kind == EK::Ident || target->kind == EK::Member) {
                ExprList &args = target->kind == EK::Ident ? static_cast<IdentExpr &>(*target).args
                                                           : static_cast<MemberExpr &>(*target).args;
                const bool parens = target->kind == EK::Ident ? static_cast<IdentExpr &>(*target).hasParens
                                                              : static_cast<MemberExpr &>(*target).hasParens;
                if (parens && args.size() > 1)
                    failAt(err::ParensOnSubCall, s);
                if (parens && args.size() == 1 && args[0]) {
                    auto p = node<ParenExpr>(s);
                    p->inner = std::move(args[0]);
                    args[0] = std::move(p);
                }
            }
            c->call = std::move(target);
            out.push_back(std::move(c));
            return;
        }
        // Arguments without parentheses: read the callee again without its
        // trailing parenthesised group and take the rest as the argument list.
        pos_ = start;
        ExprPtr callee = postfix(true);
        ExprList args;
        do {
            if (at(Tok::Comma))
                args.push_back(nullptr);
            else
                args.push_back(expression());
        } while (accept(Tok::Comma));
        if (callee->kind == EK::Ident) {
            auto &id = static_cast<IdentExpr &>(*callee);
            if (id.hasParens || !id.args.empty())
                fail(err::ExpectedEndOfStatement);
            id.args = std::move(args);
        } else if (callee->kind == EK::Member) {
            auto &m = static_cast<MemberExpr &>(*callee);
            if (m.hasParens)
                fail(err::ExpectedEndOfStatement);
            m.args = std::move(args);
        } else {
            failAt(err::ExpectedStatement, s);
        }
        c->call = std::move(callee);
        out.push_back(std::move(c));
    }

    void ifStmt(Block &out)
    {
        const Token &s = cur();
        advance();
        auto n = node<IfStmt>(s);
        n->conditions.push_back(expression());
        expect(Tok::Then, err::ExpectedThen);
        if (at(Tok::Newline) || at(Tok::Colon) || at(Tok::End)) {
            n->blocks.emplace_back();
            Block *current = &n->blocks.back();
            while (true) {
                skipSeparators();
                if (at(Tok::End))
                    fail(err::ExpectedEnd);
                if (at(Tok::ElseIf)) {
                    advance();
                    n->conditions.push_back(expression());
                    expect(Tok::Then, err::ExpectedThen);
                    n->blocks.emplace_back();
                    current = &n->blocks.back();
                    continue;
                }
                if (at(Tok::Else)) {
                    if (current == &n->elseBlock)
                        fail(err::ExpectedEnd);
                    advance();
                    current = &n->elseBlock;
                    continue;
                }
                if (at(Tok::EndKw) && peek().type == Tok::If) {
                    advance();
                    advance();
                    break;
                }
                statementInto(*current);
                endOfStatement();
            }
        } else {
            // Single-line form: statements separated by ':' up to the line end.
            const bool saved = singleLineIf_;
            singleLineIf_ = true;
            n->blocks.emplace_back();
            singleLineBlock(n->blocks.back());
            if (accept(Tok::Else))
                singleLineBlock(n->elseBlock);
            // A trailing "End If" on the same line is tolerated.
            if (at(Tok::EndKw) && peek().type == Tok::If) {
                advance();
                advance();
            }
            singleLineIf_ = saved;
        }
        out.push_back(std::move(n));
    }

    void singleLineBlock(Block &b)
    {
        while (true) {
            statementInto(b);
            if (at(Tok::Colon)) {
                // "... Else x = 2 : End Function" or "... : Next" closes the
                // enclosing block: the colon is left to end this statement.
                const Tok next = peek().type;
                if ((next == Tok::EndKw && peek(2).type != Tok::If) || next == Tok::Next || next == Tok::Loop
                    || next == Tok::Wend)
                    break;
                advance();
                if (at(Tok::Newline) || at(Tok::End) || at(Tok::Else) || at(Tok::EndKw))
                    break;
                continue;
            }
            break;
        }
        if (!(at(Tok::Newline) || at(Tok::End) || at(Tok::Else) || at(Tok::EndKw) || at(Tok::Colon)))
            fail(err::ExpectedEndOfStatement);
    }

    void selectStmt(Block &out)
    {
        const Token &s = cur();
        advance();
        if (!accept(Tok::Case))
            fail(err::ExpectedCase);
        auto n = node<SelectStmt>(s);
        n->subject = expression();
        endOfStatement();
        Block *current = nullptr;
        while (true) {
            skipSeparators();
            if (at(Tok::End))
                fail(err::ExpectedEnd);
            if (at(Tok::EndKw) && peek().type == Tok::Select) {
                advance();
                advance();
                break;
            }
            if (at(Tok::Case)) {
                advance();
                if (n->hasElse)
                    fail(err::ExpectedEnd);
                if (accept(Tok::Else)) {
                    n->hasElse = true;
                    current = &n->elseBlock;
                } else {
                    SelectStmt::Case c;
                    do {
                        CaseItem item;
                        if (accept(Tok::Is)) {
                            item.kind = CaseItem::Kind::Is;
                            switch (cur().type) {
                            case Tok::Eq: item.op = Op::Eq; break;
                            case Tok::Ne: item.op = Op::Ne; break;
                            case Tok::Lt: item.op = Op::Lt; break;
                            case Tok::Gt: item.op = Op::Gt; break;
                            case Tok::Le: item.op = Op::Le; break;
                            case Tok::Ge: item.op = Op::Ge; break;
                            default: fail(err::Syntax);
                            }
                            advance();
                            item.a = concat();
                        } else {
                            item.a = expression();
                            if (accept(Tok::To)) {
                                item.kind = CaseItem::Kind::Range;
                                item.b = expression();
                            }
                        }
                        c.items.push_back(std::move(item));
                    } while (accept(Tok::Comma));
                    n->cases.push_back(std::move(c));
                    current = &n->cases.back().body;
                }
                // A statement may follow on the same line, with or without ':'.
                accept(Tok::Colon);
                continue;
            }
            if (!current)
                fail(err::ExpectedCase);
            statementInto(*current);
            endOfStatement();
        }
        out.push_back(std::move(n));
    }

    void loopBody(Block &body, Tok closing, int error)
    {
        ++loops_;
        while (true) {
            skipSeparators();
            if (at(Tok::End) || at(Tok::EndKw))
                fail(error);
            if (at(closing))
                break;
            statementInto(body);
            endOfStatement();
        }
        --loops_;
    }

    void forStmt(Block &out)
    {
        const Token &s = cur();
        advance();
        if (accept(Tok::Each)) {
            auto n = node<ForEachStmt>(s);
            n->var = loopVariable();
            expect(Tok::In, err::ExpectedIn);
            n->collection = expression();
            endOfStatement();
            loopBody(n->body, Tok::Next, err::ExpectedNext);
            advance();
            if (at(Tok::Ident))
                advance();
            out.push_back(std::move(n));
            return;
        }
        auto n = node<ForStmt>(s);
        n->var = loopVariable();
        expect(Tok::Eq, err::ExpectedEquals);
        n->from = expression();
        expect(Tok::To, err::ExpectedTo);
        n->to = expression();
        if (acceptWord("step"))
            n->step = expression();
        endOfStatement();
        loopBody(n->body, Tok::Next, err::ExpectedNext);
        advance();
        if (at(Tok::Ident))
            advance(); // "Next i"
        out.push_back(std::move(n));
    }

    ExprPtr loopVariable()
    {
        if (!at(Tok::Ident))
            fail(err::InvalidForVar);
        const Token &t = cur();
        auto id = node<IdentExpr>(t);
        id->name = textOf(t);
        id->lower = lowerOf(t);
        advance();
        return id;
    }

    void doStmt(Block &out)
    {
        const Token &s = cur();
        advance();
        auto n = node<DoStmt>(s);
        if (accept(Tok::While)) {
            n->form = DoStmt::Form::PreWhile;
            n->condition = expression();
        } else if (accept(Tok::Until)) {
            n->form = DoStmt::Form::PreUntil;
            n->condition = expression();
        }
        if (!atStatementEnd())
            fail(err::ExpectedWhileUntil);
        loopBody(n->body, Tok::Loop, err::ExpectedLoop);
        advance();
        if (accept(Tok::While)) {
            if (n->condition)
                fail(err::ExpectedEndOfStatement);
            n->form = DoStmt::Form::PostWhile;
            n->condition = expression();
        } else if (accept(Tok::Until)) {
            if (n->condition)
                fail(err::ExpectedEndOfStatement);
            n->form = DoStmt::Form::PostUntil;
            n->condition = expression();
        }
        out.push_back(std::move(n));
    }

    void whileStmt(Block &out)
    {
        const Token &s = cur();
        advance();
        auto n = node<DoStmt>(s);
        n->form = DoStmt::Form::PreWhile;
        n->condition = expression();
        endOfStatement();
        ++whiles_;
        loopBody(n->body, Tok::Wend, err::ExpectedWend);
        --whiles_;
        advance();
        out.push_back(std::move(n));
    }

    void withStmt(Block &out)
    {
        const Token &s = cur();
        advance();
        auto n = node<WithStmt>(s);
        n->object = expression();
        endOfStatement();
        ++withDepth_;
        struct Leave {
            int &d;
            ~Leave() { --d; }
        } leave{withDepth_};
        while (true) {
            skipSeparators();
            if (at(Tok::End))
                fail(err::ExpectedEnd);
            if (at(Tok::EndKw) && peek().type == Tok::With) {
                advance();
                advance();
                break;
            }
            if (at(Tok::EndKw))
                fail(err::ExpectedWith);
            statementInto(n->body);
            endOfStatement();
        }
        out.push_back(std::move(n));
    }

    void exitStmt(Block &out)
    {
        const Token &s = cur();
        advance();
        auto n = node<ExitStmt>(s);
        switch (cur().type) {
        case Tok::Do: n->what = ExitStmt::What::Do; break;
        case Tok::For: n->what = ExitStmt::What::For; break;
        case Tok::Sub: n->what = ExitStmt::What::Sub; break;
        case Tok::Function: n->what = ExitStmt::What::Function; break;
        case Tok::Property: n->what = ExitStmt::What::Property; break;
        default: fail(err::Syntax);
        }
        const bool fits = (n->what == ExitStmt::What::Sub && proc_ && proc_->kind == ProcKind::Sub)
            || (n->what == ExitStmt::What::Function && proc_ && proc_->kind == ProcKind::Function)
            || (n->what == ExitStmt::What::Property && proc_
                && (proc_->kind == ProcKind::PropertyGet || proc_->kind == ProcKind::PropertyLet
                    || proc_->kind == ProcKind::PropertySet))
            || n->what == ExitStmt::What::Do || n->what == ExitStmt::What::For;
        if (!fits)
            fail(err::InvalidExit);
        advance();
        out.push_back(std::move(n));
    }

    // ---- expressions ------------------------------------------------------
    ExprPtr binary(Op op, ExprPtr l, ExprPtr r, const Token &t)
    {
        auto b = node<BinaryExpr>(t);
        b->op = op;
        b->lhs = std::move(l);
        b->rhs = std::move(r);
        return b;
    }

    ExprPtr expression()
    {
        Depth guard(*this);
        return imp();
    }
    using Level = ExprPtr (Parser::*)();
    struct BinaryToken {
        Tok token;
        Op op;
    };

    // One left-associative precedence level: operands from the next tighter
    // level, joined by any of this level's operators.
    ExprPtr leftAssociative(Level next, std::initializer_list<BinaryToken> ops)
    {
        ExprPtr l = (this->*next)();
        while (true) {
            const BinaryToken *match = nullptr;
            for (const BinaryToken &o : ops)
                if (at(o.token))
                    match = &o;
            if (!match)
                return l;
            const Token &t = cur();
            advance();
            l = binary(match->op, std::move(l), (this->*next)(), t);
        }
    }
    ExprPtr imp() { return leftAssociative(&Parser::eqv, {{Tok::Imp, Op::Imp}}); }
    ExprPtr eqv() { return leftAssociative(&Parser::xorE, {{Tok::Eqv, Op::Eqv}}); }
    ExprPtr xorE() { return leftAssociative(&Parser::orE, {{Tok::Xor, Op::Xor}}); }
    ExprPtr orE() { return leftAssociative(&Parser::andE, {{Tok::Or, Op::Or}}); }
    ExprPtr andE() { return leftAssociative(&Parser::notE, {{Tok::And, Op::And}}); }
    ExprPtr notE()
    {
        if (at(Tok::Not)) {
            Depth guard(*this);
            const Token &t = cur();
            advance();
            auto u = node<UnaryExpr>(t);
            u->op = Op::Not;
            u->operand = notE();
            return u;
        }
        return compare();
    }
    ExprPtr compare()
    {
        return leftAssociative(&Parser::concat,
                               {{Tok::Eq, Op::Eq}, {Tok::Ne, Op::Ne}, {Tok::Lt, Op::Lt}, {Tok::Gt, Op::Gt},
                                {Tok::Le, Op::Le}, {Tok::Ge, Op::Ge}, {Tok::Is, Op::Is}});
    }
    ExprPtr concat() { return leftAssociative(&Parser::additive, {{Tok::Amp, Op::Concat}}); }
    ExprPtr additive()
    {
        return leftAssociative(&Parser::modE, {{Tok::Plus, Op::Add}, {Tok::Minus, Op::Sub}});
    }
    ExprPtr modE() { return leftAssociative(&Parser::intDiv, {{Tok::Mod, Op::Mod}}); }
    ExprPtr intDiv() { return leftAssociative(&Parser::multiplicative, {{Tok::Backslash, Op::IntDiv}}); }
    ExprPtr multiplicative()
    {
        return leftAssociative(&Parser::power, {{Tok::Star, Op::Mul}, {Tok::Slash, Op::Div}});
    }
    // Exponentiation is left-associative and its operands may carry a sign,
    // which binds tighter: -3^2 is 9, 2^-1 is 0.5.
    ExprPtr power()
    {
        ExprPtr l = unary();
        while (at(Tok::Caret)) {
            const Token &t = cur();
            advance();
            l = binary(Op::Pow, std::move(l), unary(), t);
        }
        return l;
    }
    ExprPtr unary()
    {
        if (at(Tok::Minus) || at(Tok::Plus)) {
            Depth guard(*this);
            const Token &t = cur();
            advance();
            auto u = node<UnaryExpr>(t);
            u->op = t.type == Tok::Minus ? Op::Neg : Op::Plus;
            u->operand = unary();
            return u;
        }
        return postfix(false);
    }

    ExprList argumentList()
    {
        // after '('
        ExprList args;
        if (accept(Tok::RParen))
            return args;
        do {
            if (at(Tok::Comma) || at(Tok::RParen))
                args.push_back(nullptr);
            else
                args.push_back(expression());
        } while (accept(Tok::Comma));
        expect(Tok::RParen, err::ExpectedRParen);
        return args;
    }

    // A primary followed by ".name" and "(args)" groups. With stopBeforeLastParens
    // a parenthesised group that ends the chain is left unread (statement calls).
    ExprPtr postfix(bool stopBeforeLastParens)
    {
        Depth guard(*this);
        ExprPtr e = primary();
        while (true) {
            if (at(Tok::Dot) && !cur().spaceBefore) {
                const Token &t = cur();
                advance();
                if (!atName())
                    fail(err::ExpectedIdent);
                auto m = node<MemberExpr>(t);
                m->object = std::move(e);
                m->name = nameText(cur());
                m->lower = lowerOf(cur());
                advance();
                e = std::move(m);
                continue;
            }
            if (at(Tok::Dot)) {
                // "a .b" is rare but legal; inside With, "Foo .Name" passes
                // a member of the With object to Foo instead.
                if (withDepth_ > 0)
                    break;
                const Token &t = cur();
                if (lowerOf(peek()).isEmpty())
                    break;
                advance();
                auto m = node<MemberExpr>(t);
                m->object = std::move(e);
                m->name = nameText(cur());
                m->lower = lowerOf(cur());
                advance();
                e = std::move(m);
                continue;
            }
            if (at(Tok::LParen)) {
                if (stopBeforeLastParens && cur().spaceBefore)
                    break;
                const int save = pos_;
                advance();
                ExprList args = argumentList();
                if (stopBeforeLastParens && !at(Tok::Dot) && !at(Tok::LParen)) {
                    pos_ = save;
                    break;
                }
                e = applyArgs(std::move(e), std::move(args));
                continue;
            }
            break;
        }
        return e;
    }

    ExprPtr applyArgs(ExprPtr e, ExprList args)
    {
        if (e->kind == EK::Ident) {
            auto &id = static_cast<IdentExpr &>(*e);
            if (!id.hasParens) {
                id.hasParens = true;
                id.args = std::move(args);
                return e;
            }
        } else if (e->kind == EK::Member) {
            auto &m = static_cast<MemberExpr &>(*e);
            if (!m.hasParens) {
                m.hasParens = true;
                m.args = std::move(args);
                return e;
            }
        }
        auto a = std::make_unique<ApplyExpr>();
        a->line = e->line;
        a->column = e->column;
        a->target = std::move(e);
        a->args = std::move(args);
        return a;
    }

    ExprPtr literal(const Token &t, Value v)
    {
        auto l = node<LiteralExpr>(t);
        l->value = std::move(v);
        advance();
        return l;
    }

    ExprPtr primary()
    {
        const Token &t = cur();
        switch (t.type) {
        case Tok::Number: case Tok::Date: return literal(t, scanned_.numbers[size_t(t.index)]);
        case Tok::String: return literal(t, Value::str(scanned_.strings[size_t(t.index)]));
        case Tok::True: return literal(t, Value(true));
        case Tok::False: return literal(t, Value(false));
        case Tok::Empty: return literal(t, Value());
        case Tok::Null: return literal(t, Value::null());
        case Tok::Nothing: return literal(t, Value::nothing());
        case Tok::Me: {
            advance();
            if (!inClass_)
                failAt(err::InvalidMe, t);
            return node<MeExpr>(t);
        }
        case Tok::New: {
            advance();
            auto n = node<NewExpr>(t);
            n->className = identifier();
            n->lower = n->className.toLower();
            return n;
        }
        case Tok::Ident: {
            auto id = node<IdentExpr>(t);
            id->name = textOf(t);
            id->lower = lowerOf(t);
            advance();
            return id;
        }
        case Tok::Dot: {
            // ".name" inside With
            advance();
            if (!atName())
                fail(err::ExpectedIdent);
            auto m = node<MemberExpr>(t);
            m->name = nameText(cur());
            m->lower = lowerOf(cur());
            advance();
            return m;
        }
        case Tok::LParen: {
            advance();
            auto p = node<ParenExpr>(t);
            p->inner = expression();
            expect(Tok::RParen, err::ExpectedRParen);
            return p;
        }
        default:
            fail(err::ExpectedExpression);
        }
    }

public:
    bool inClass_ = true; // Me is checked by the resolver
private:
    struct ProcContext {
        ProcKind kind;
    };
    const QString &src_;
    ScanResult scanned_;
    const std::vector<Token> &t_;
    Program &prog_;
    int pos_ = 0;
    int depth_ = 0;
    int loops_ = 0;
    int whiles_ = 0;
    int withDepth_ = 0;
    bool singleLineIf_ = false;
    ProcContext *proc_ = nullptr;
};

} // namespace

std::unique_ptr<Program> parseProgram(const QString &source, ParseMode mode)
{
    ScanResult scanned = scan(source);
    if (scanned.errorNumber) {
        VbsError e(scanned.errorNumber);
        e.line = scanned.errorLine;
        e.column = scanned.errorColumn;
        throw e;
    }
    auto prog = std::make_unique<Program>();
    Parser p(source, std::move(scanned), *prog);
    if (mode == ParseMode::Expression)
        p.expressionOnly();
    else
        p.script();
    return prog;
}

} // namespace tintwell::vbs

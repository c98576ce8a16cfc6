#pragma once
// Runs resolved trees. The hot paths (names, operators, loops, calls) work on
// vars and entries bound at compile time.

#include "scripting/engine.h"
#include "scripting/vbscript/ast.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/objects.h"

#include <chrono>
#include <deque>
#include <memory>

namespace tintwell::vbs {

// Variables that Execute'd code declared in a procedure: they belong to that
// call, like its own locals, and outlive the Execute that made them.
struct ExecLocals {
    QHash<QString, int> names;
    std::deque<Value> values; // a deque, so ByRef pointers stay valid as it grows
};

struct Frame {
    Value **vars = nullptr;
    ClassInstance *me = nullptr;
    Frame *parent = nullptr; // the frame that ran Execute or Eval
    const ProcDef *proc = nullptr;
    const QString *source = nullptr;
    bool resumeNext = false;
    std::unique_ptr<ExecLocals> execLocals;
};

enum class Flow : uint8_t { Normal, ExitDo, ExitFor, ExitProc };

class Interpreter
{
public:
    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter &) = delete;
    Interpreter &operator=(const Interpreter &) = delete;

    void addHostObject(const QString &name, script::HostObject *object, bool addMembers);
    script::RunOutcome run(const QString &code, int timeLimitMs, script::ScriptError *error);
    void setMsgBoxHandler(script::MsgBoxHandler h) { msgBox_ = std::move(h); }
    void setStackBudget(size_t bytes) { stackBudget_ = bytes; }
    // Releases every variable while the objects may still run Class_Terminate,
    // within the given time; what a terminate routine raises is dropped.
    void releaseAll(int timeLimitMs);

    // ---- used by the resolver, objects and built-ins ----
    GlobalEntry *global(const QString &lower, const QString &name);
    GlobalEntry *findGlobal(const QString &lower) const;
    bool isShuttingDown() const { return shuttingDown_; }
    void queueTerminate(ClassInstance *o);
    ErrObject &err() { return *err_; }
    Value errValue() { return Value::object(err_.get()); }
    Value callBuiltinFunction(int id, Value *args, int n, Frame &f);
    int msgBox(const QString &prompt, int buttons, const QString &title);
    // Execute, ExecuteGlobal and Eval.
    void execute(const QString &code, Frame &f, bool global);
    Value evaluate(const QString &code, Frame &f);
    double rnd(double arg);
    void randomize(const Value *seed);
    void checkTime();
    // Ends the run as if its time were up.
    [[noreturn]] void abortRun();
    // "Out of stack space" before the C++ stack runs out, however deep the
    // script nests calls, Execute or Eval.
    void checkStack();
    static constexpr int kMaxCallDepth = 3000;
    // Strings and arrays past this size make an operation costly enough to
    // check the time limit right after it.
    static constexpr qsizetype kBigWork = 16 * 1024;

    Value eval(const Expr &e, Frame &f);
    // The value an object stands for where a value is wanted (its default
    // member); raises the language's error when it has none.
    Value defaultValue(const Value &v) { return objectDefault(v); }
    bool hasDefault(const Value &v) const;

private:
    friend class Resolver;
    struct Writeback;

    Flow execBlock(const Block &b, Frame &f);
    Flow exec(const Stmt &s, Frame &f);
    Flow execIf(const IfStmt &s, Frame &f);
    Flow execSelect(const SelectStmt &s, Frame &f);
    Flow execFor(const ForStmt &s, Frame &f);
    Flow execForEach(const ForEachStmt &s, Frame &f);
    Flow execDo(const DoStmt &s, Frame &f);
    void execDim(const DimStmt &s, Frame &f);
    void execReDim(const ReDimStmt &s, Frame &f);
    void execErase(const EraseStmt &s, Frame &f);
    void execAssign(const AssignStmt &s, Frame &f);

    Value evalIdent(const IdentExpr &e, Frame &f);
    const Value &withObject(const MemberExpr &e, Frame &f);
    Value evalMember(const MemberExpr &e, Frame &f);
    Value evalBinary(const BinaryExpr &e, Frame &f);
    Value evalNew(const NewExpr &e);
    bool condition(const Expr &e, Frame &f);
    Value evalArg(const Expr *e, Frame &f);

    // Storage of a plain variable name, or null when the name is no variable.
    Value *varPtr(const IdentExpr &e, Frame &f, bool forWrite);
    const GlobalEntry *liveGlobal(const IdentExpr &e) const;
    Value index(const Value &v, const ExprList &args, Frame &f, const QString &name);
    Value indexValues(const Value &v, Value *idx, int n, const QString &name);
    void storeElement(Value &var, const ExprList &args, Frame &f, Value v, const QString &name);
    void storeElementValues(Value &var, Value *idx, int n, Value v);
    Value objectDefault(const Value &v); // the default member of an object, for a Let
    void assignTo(const Expr &target, Value v, Frame &f, bool isSet);
    // Where an array element named by a(i) or a(i)(j) lives, ready to write.
    Value *elementRef(const Expr &e, Frame &f);
    void assignMember(const MemberExpr &m, Value v, Frame &f, bool isSet);

    // Calls. Arguments come either from expressions in the caller's frame
    // (so ByRef can bind to the caller's variables) or as values.
    struct Args {
        const ExprList *exprs = nullptr;
        Frame *frame = nullptr;
        Value *values = nullptr;
        int count = 0;
        const Value *extra = nullptr; // the assigned value of a Property Let/Set
        int size() const { return (exprs ? int(exprs->size()) : count) + (extra ? 1 : 0); }
    };
    Value callProc(const ProcDef &p, ClassInstance *me, const Args &args);
    Value callHost(script::HostObject *h, int member, const Args &args);
    Value callBuiltin(const IdentExpr &e, Frame &f);
    Value callMemberOf(const Value &object, const QString &lower, const QString &name, const Args &args,
                       bool hasParens, Frame *caller, const MemberExpr *cacheNode);
    Value callInstanceMember(ClassInstance *inst, const ClassMember &m, const Args &args, bool hasParens,
                             const QString &name);
    std::vector<Value> argValues(const Args &args);
    Value newInstance(const ClassDef *cls);

    void drainTerminates();
    void fillError(const VbsError &e, script::ScriptError *out, const QString &source) const;
    void runProgram(Program &prog, Frame *parent, bool global);
    Flow runTopLevel(Program &prog, Frame *parent);
    void resetState();

    std::deque<GlobalEntry> globals_;
    QHash<QString, GlobalEntry *> globalIndex_;
    std::vector<std::unique_ptr<Program>> programs_;
    std::vector<QString> sources_;
    Ref<ErrObject> err_;
    std::vector<Ref<ClassInstance>> pendingTerminate_;
    script::MsgBoxHandler msgBox_;
    bool shuttingDown_ = false;
    bool timedOut_ = false;
    bool drainingTerminates_ = false;
    std::chrono::steady_clock::time_point deadline_;
    unsigned ticks_ = 0;
    int callDepth_ = 0;
    const char *stackBase_ = nullptr;
    size_t stackBudget_ = 2 * 1024 * 1024;
    uint32_t rndSeed_ = 327680;
    double lastRnd_ = 0;
    QString currentSource_;
};

} // namespace tintwell::vbs

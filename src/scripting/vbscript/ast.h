#pragma once
// The compiled form: a tree whose names the resolver has bound to slots
// (locals of a frame, fields of an object, entries of the global table), so
// running it never looks a name up by text.

#include "scripting/vbscript/nodepool.h"
#include "scripting/vbscript/value.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace tintwell::script {
class HostObject;
}

namespace tintwell::vbs {

struct GlobalEntry;
struct ProcDef;
struct ClassDef;

enum class Op : uint8_t {
    Neg, Plus, Not,
    Pow, Mul, Div, IntDiv, Mod, Add, Sub, Concat,
    Eq, Ne, Lt, Gt, Le, Ge, Is,
    And, Or, Xor, Eqv, Imp,
};

enum class EK : uint8_t { Literal, Ident, Member, Apply, Unary, Binary, New, Me, Paren };

struct Expr : PooledNode {
    explicit Expr(EK k) : kind(k) {}
    virtual ~Expr() = default;
    const EK kind;
    int line = 0;
    int column = 0;
};
using ExprPtr = std::unique_ptr<Expr>;
using ExprList = std::vector<ExprPtr>; // a null entry is an argument left out

struct LiteralExpr : Expr {
    LiteralExpr() : Expr(EK::Literal) {}
    Value value;
};

// How a name was bound.
enum class NK : uint8_t {
    Unresolved,
    Local,      // slot of the running frame
    UpLocal,    // slot of the frame that ran Execute or Eval (depth frames up)
    ExecLocal,  // a name Execute'd code added to a procedure's frame (depth frames up)
    Global,     // entry of the global table (variable, procedure, class, host member)
    Field,      // field of Me
    Method,     // procedure or property of Me's class
    Builtin,    // function or constant of the language
    Const,      // a constant, folded into constValue
    Dynamic,    // undeclared in a procedure: the global once defined, else an implicit local
    Undeclared, // under Option Explicit: "Variable is undefined" when reached
};

struct IdentExpr : Expr {
    IdentExpr() : Expr(EK::Ident) {}
    QString name;   // as written
    QString lower;
    ExprList args;
    bool hasParens = false;
    NK nk = NK::Unresolved;
    int slot = -1;       // Local, UpLocal, Field, Dynamic
    int depth = 0;       // UpLocal
    GlobalEntry *global = nullptr; // Global, Dynamic
    int builtin = -1;
    const ProcDef *method = nullptr; // Method (or the Property Get of Me)
    QString memberName;  // Method: lower-case name of the member
    Value constValue;
};

struct MemberExpr : Expr {
    MemberExpr() : Expr(EK::Member) {}
    ExprPtr object; // null: the object of the enclosing With
    int withSlot = -1;
    QString name;
    QString lower;
    ExprList args;
    bool hasParens = false;
    // Lookup cache: the class (or host object) seen last and the member found.
    mutable const void *cacheKey = nullptr;
    mutable int cacheIndex = -1;
};

struct ApplyExpr : Expr {
    ApplyExpr() : Expr(EK::Apply) {}
    ExprPtr target;
    ExprList args;
};

struct UnaryExpr : Expr {
    UnaryExpr() : Expr(EK::Unary) {}
    Op op = Op::Neg;
    ExprPtr operand;
};

struct BinaryExpr : Expr {
    BinaryExpr() : Expr(EK::Binary) {}
    Op op = Op::Add;
    ExprPtr lhs, rhs;
};

struct NewExpr : Expr {
    NewExpr() : Expr(EK::New) {}
    QString className;
    QString lower;
    GlobalEntry *global = nullptr;
};

struct MeExpr : Expr {
    MeExpr() : Expr(EK::Me) {}
};

struct ParenExpr : Expr {
    ParenExpr() : Expr(EK::Paren) {}
    ExprPtr inner;
};

enum class SK : uint8_t {
    Assign, Call, If, Select, For, ForEach, Do, Exit, Dim, ReDim, Erase, OnError, With, Const, Nop
};

struct Stmt : PooledNode {
    explicit Stmt(SK k) : kind(k) {}
    virtual ~Stmt() = default;
    const SK kind;
    int line = 0;
    int column = 0;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
    AssignStmt() : Stmt(SK::Assign) {}
    ExprPtr target;
    ExprPtr value;
    bool isSet = false;
    bool appendInPlace = false; // x = x & e with a plain variable x and a side-effect free e
};

struct NopStmt : Stmt {
    NopStmt() : Stmt(SK::Nop) {}
};

struct CallStmt : Stmt {
    CallStmt() : Stmt(SK::Call) {}
    ExprPtr call;
};

struct IfStmt : Stmt {
    IfStmt() : Stmt(SK::If) {}
    ExprList conditions;
    std::vector<Block> blocks;
    Block elseBlock;
};

struct CaseItem {
    enum class Kind : uint8_t { Value, Range, Is } kind = Kind::Value;
    Op op = Op::Eq;
    ExprPtr a, b;
};

struct SelectStmt : Stmt {
    SelectStmt() : Stmt(SK::Select) {}
    ExprPtr subject;
    struct Case {
        std::vector<CaseItem> items;
        Block body;
    };
    std::vector<Case> cases;
    bool hasElse = false;
    Block elseBlock;
};

struct ForStmt : Stmt {
    ForStmt() : Stmt(SK::For) {}
    ExprPtr var;
    ExprPtr from, to, step;
    Block body;
};

struct ForEachStmt : Stmt {
    ForEachStmt() : Stmt(SK::ForEach) {}
    ExprPtr var;
    ExprPtr collection;
    Block body;
};

struct DoStmt : Stmt {
    DoStmt() : Stmt(SK::Do) {}
    enum class Form : uint8_t { Forever, PreWhile, PreUntil, PostWhile, PostUntil } form = Form::Forever;
    ExprPtr condition;
    Block body;
};

struct ExitStmt : Stmt {
    ExitStmt() : Stmt(SK::Exit) {}
    enum class What : uint8_t { Do, For, Sub, Function, Property } what = What::Do;
};

struct DimItem {
    std::unique_ptr<IdentExpr> target;
    ExprList bounds;
    bool isArray = false; // declared with parentheses
};

struct DimStmt : Stmt {
    DimStmt() : Stmt(SK::Dim) {}
    std::vector<DimItem> items;
    bool isPublic = true; // Public/Private at script or class level
    bool isMember = false;
};

struct ReDimStmt : Stmt {
    ReDimStmt() : Stmt(SK::ReDim) {}
    bool preserve = false;
    struct Item {
        ExprPtr target;
        ExprList bounds;
    };
    std::vector<Item> items;
};

struct EraseStmt : Stmt {
    EraseStmt() : Stmt(SK::Erase) {}
    ExprList targets;
};

struct OnErrorStmt : Stmt {
    OnErrorStmt() : Stmt(SK::OnError) {}
    bool resumeNext = false;
};

struct WithStmt : Stmt {
    WithStmt() : Stmt(SK::With) {}
    ExprPtr object;
    int slot = -1;
    Block body;
};

struct ConstStmt : Stmt {
    ConstStmt() : Stmt(SK::Const) {}
    struct Item {
        QString name;
        QString lower;
        ExprPtr value;
        int line = 0, column = 0;
    };
    std::vector<Item> items;
    bool isPublic = true;
};

enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Param {
    QString name;
    QString lower;
    bool byRef = true;
    bool isArray = false;
};

struct ProcDef {
    QString name;
    QString lower;
    ProcKind kind = ProcKind::Sub;
    std::vector<Param> params;
    Block body;
    bool isPublic = true;
    bool isDefault = false;
    ClassDef *owner = nullptr;
    int line = 0;
    int column = 0;
    // Filled by the resolver.
    int localCount = 0;
    int firstParam = 0; // 1 when slot 0 holds the result
    QHash<QString, int> localNames; // for Execute and Eval inside the procedure
    QHash<QString, int> dynamicNames; // its implicit locals, also for Execute and Eval
    QHash<QString, Value> constNames; // its constants, also for Execute and Eval
    std::vector<int> arraySlots;    // locals declared as fixed arrays (set up on entry)
    bool hasResult() const { return kind == ProcKind::Function || kind == ProcKind::PropertyGet; }
};

struct ClassMember {
    enum class Kind : uint8_t { Field, Method, Property } kind = Kind::Field;
    bool isPublic = true;
    int field = -1;
    const ProcDef *method = nullptr; // Sub or Function
    const ProcDef *get = nullptr, *let = nullptr, *set = nullptr;
};

struct ClassDef {
    QString name;
    QString lower;
    int line = 0, column = 0;
    std::vector<QString> fieldNames;
    std::vector<const DimItem *> fieldDims; // per field, its declaration (bounds for arrays)
    std::vector<DimStmt *> fieldDecls;
    QHash<QString, ClassMember> members;
    std::vector<std::unique_ptr<ProcDef>> procs;
    const ProcDef *initialize = nullptr;
    const ProcDef *terminate = nullptr;
    QString defaultMember; // lower case, "" when none
};

// The global table: one entry per script-level name, created the first time
// any code mentions the name, so code compiled earlier sees definitions made
// later by ExecuteGlobal.
struct GlobalEntry {
    enum class Kind : uint8_t { Undefined, Variable, Const, Proc, Class, HostMember, HostObject } kind = Kind::Undefined;
    QString name;
    Value value; // Variable, Const, HostObject (its wrapper)
    const ProcDef *proc = nullptr;
    const ClassDef *cls = nullptr;
    script::HostObject *host = nullptr;
    int member = -1;
};

// What one AddCode, Execute, ExecuteGlobal or Eval compiles to.
struct Program {
    Block top;
    std::vector<std::unique_ptr<ProcDef>> procs;
    std::vector<std::unique_ptr<ClassDef>> classes;
    std::vector<std::unique_ptr<DimStmt>> classFieldDecls;
    ExprPtr expression; // Eval
    bool optionExplicit = false;
    int topLocals = 0;  // hidden slots (With, implicit locals of Execute'd code)
};

} // namespace tintwell::vbs

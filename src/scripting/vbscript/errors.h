#pragma once
// Error numbers and texts of the language, and the one error type that every
// stage (scanner, parser, resolver, evaluator) raises. Errors are thrown only
// inside the interpreter; the engine turns them into a ScriptError.

#include <QString>

namespace tintwell::vbs {

namespace err {
// Run-time errors.
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptRange = 9;
constexpr int FixedArray = 10;
constexpr int DivByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int OutOfStack = 28;
constexpr int SubNotDefined = 35;
constexpr int ObjectNotSet = 91;
constexpr int ForNotInit = 92;
constexpr int InvalidNull = 94;
constexpr int ObjectRequired = 424;
constexpr int CantCreate = 429;
constexpr int NoSuchMember = 438;
constexpr int WrongArgs = 450;
constexpr int NotCollection = 451;
constexpr int Undefined = 500;
constexpr int IllegalAssign = 501;
constexpr int UnqualifiedReference = 505;
constexpr int ClassNotDefined = 506;
// Compile-time errors.
constexpr int Syntax = 1002;
constexpr int ExpectedColon = 1003;
constexpr int ExpectedLParen = 1005;
constexpr int ExpectedRParen = 1006;
constexpr int ExpectedIdent = 1010;
constexpr int ExpectedEquals = 1011;
constexpr int ExpectedIf = 1012;
constexpr int ExpectedTo = 1013;
constexpr int ExpectedEnd = 1014;
constexpr int ExpectedFunction = 1015;
constexpr int ExpectedSub = 1016;
constexpr int ExpectedThen = 1017;
constexpr int ExpectedWend = 1018;
constexpr int ExpectedLoop = 1019;
constexpr int ExpectedNext = 1020;
constexpr int ExpectedCase = 1021;
constexpr int ExpectedSelect = 1022;
constexpr int ExpectedExpression = 1023;
constexpr int ExpectedStatement = 1024;
constexpr int ExpectedEndOfStatement = 1025;
constexpr int ExpectedInteger = 1026;
constexpr int ExpectedWhileUntil = 1027;
constexpr int ExpectedWith = 1029;
constexpr int InvalidNumber = 1031;
constexpr int InvalidChar = 1032;
constexpr int UnterminatedString = 1033;
constexpr int InvalidMe = 1037;
constexpr int LoopWithoutDo = 1038;
constexpr int InvalidExit = 1039;
constexpr int InvalidForVar = 1040;
constexpr int NameRedefined = 1041;
constexpr int FirstStatement = 1042;
constexpr int ParensOnSubCall = 1044;
constexpr int ExpectedLiteral = 1045;
constexpr int ExpectedIn = 1046;
constexpr int ExpectedClass = 1047;
constexpr int InsideClass = 1048;
constexpr int ExpectedLetSetGet = 1049;
constexpr int ExpectedProperty = 1050;
constexpr int InconsistentProperty = 1051;
constexpr int MultipleDefault = 1052;
constexpr int InitNoArgs = 1053;
constexpr int PropertyNeedsArg = 1054;
constexpr int UnexpectedNext = 1055;
constexpr int DefaultOnlyProc = 1056;
constexpr int DefaultNeedsPublic = 1057;
constexpr int DefaultOnlyGet = 1058;
} // namespace err

// The language's own text for an error number; "Unknown runtime error" for
// numbers it does not know.
QString errorText(int number);
bool isCompileError(int number);
// Err.Source of an error the language raised itself.
QString errorSource(int number);
// The error number Err.Raise reports for a number given to it: numbers past
// 16 bits are mapped the way the language maps failure codes.
int raisedNumber(int32_t number);

// Line and Column count from 1; 0 means "not known yet": the statement that
// sees the error first fills them in.
struct VbsError {
    int number = 0;
    QString description;
    QString source;
    // Err.Description: the bare text, where the report names the culprit too.
    QString errDescription;
    QString helpFile;     // from Err.Raise
    int helpContext = 0;  // from Err.Raise
    int line = 0;
    int column = 0;
    VbsError(int n) : number(n), description(errorText(n)) {}
    VbsError(int n, QString d) : number(n), description(std::move(d)) {}
};

// Ends a run unconditionally: not catchable by On Error.
struct VbsAbort {
    enum class Reason { Timeout } reason = Reason::Timeout;
};

[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const QString &detail);

} // namespace tintwell::vbs

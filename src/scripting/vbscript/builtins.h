#pragma once
// The language's built-in functions and constants.

#include "scripting/vbscript/value.h"

#include <QString>

namespace tintwell::vbs {

class Interpreter;
struct Frame;

struct BuiltinCall {
    Interpreter &in;
    Frame &frame;
    Value *args;
    int count;
    bool has(int i) const { return i < count && !args[i].isMissing(); }
};

using BuiltinFn = Value (*)(BuiltinCall &);

struct BuiltinInfo {
    const char *name; // lower case
    int minArgs;
    int maxArgs;
    bool pure;       // cannot change variables or run code
    BuiltinFn fn;
};

int findBuiltin(const QString &lower); // -1 when none
const BuiltinInfo &builtinInfo(int id);
bool builtinIsPure(int id);
bool findConstant(const QString &lower, Value *out);

} // namespace tintwell::vbs

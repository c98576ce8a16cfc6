#pragma once
// Binds every name of a parsed program to a slot, a field, a global entry, a
// built-in or a constant, declares the program's script-level names, lays out
// procedure frames and class fields, and folds constants.

#include "scripting/vbscript/ast.h"

namespace tintwell::vbs {

class Interpreter;
struct Frame;

// Throws VbsError with the position of the offending name.
// context: the frame that runs Execute or Eval (null for script level).
void resolveProgram(Interpreter &in, Program &prog, const QString *source, Frame *context);

// The shared operator table, also used to fold constants.
Value applyOp(Op op, const Value &a, const Value &b);

} // namespace tintwell::vbs

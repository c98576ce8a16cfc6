#pragma once
// Builds the tree from tokens. Names stay unbound; the resolver binds them.

#include "scripting/vbscript/ast.h"
#include "scripting/vbscript/errors.h"

#include <memory>

namespace tintwell::vbs {

enum class ParseMode { Script, Expression };

// Throws VbsError (a compile error with line and column) on bad input.
std::unique_ptr<Program> parseProgram(const QString &source, ParseMode mode = ParseMode::Script);

} // namespace tintwell::vbs

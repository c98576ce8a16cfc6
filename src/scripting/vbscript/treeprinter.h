#pragma once
// The debug printer: the parsed tree as indented text, one node a line with
// its source line, so a parse that differs from what a script meant can be
// seen rather than guessed (tnscript --dump-tree).

#include "scripting/vbscript/ast.h"

#include <QString>

namespace tintwell::vbs {

QString dumpTree(const Program &prog);
QString dumpExpr(const Expr &e);

} // namespace tintwell::vbs

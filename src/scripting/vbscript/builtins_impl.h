#pragma once
// Shared by the files that define the built-in functions, one file per family
// (strings, maths and conversions, dates, formatting; RegExp and the objects
// it returns in builtins_regexp.cpp). builtins.cpp joins the families' tables.

#include "scripting/vbscript/builtins.h"
#include "scripting/vbscript/errors.h"

#include <QString>
#include <iterator>

namespace tintwell::vbs {

using C = BuiltinCall;

// Argument i as a plain value: an object stands for its default member.
Value plain(C &c, int i);
inline QString text(C &c, int i) { return toString(plain(c, i)); }
inline int32_t lng(C &c, int i) { return toLong(plain(c, i)); }
inline double dbl(C &c, int i) { return toDouble(plain(c, i)); }
// Whether any of the first n arguments is Null.
bool anyNull(C &c, int n);
// A string result, or "Out of memory" past the longest string a script may build.
Value checkLength(QString s);
// The compare argument at i: true for text (case-blind) comparison.
bool textCompareArg(C &c, int i);
// The array argument at i, or "Type mismatch".
const ArrayObject *arrayArg(C &c, int i);
// A value as a date serial, the way CDate reads it.
double toDateSerial(const Value &v);

struct BuiltinFamily {
    const BuiltinInfo *entries;
    size_t count;
};
BuiltinFamily stringBuiltins();
BuiltinFamily mathBuiltins();
BuiltinFamily dateBuiltins();
BuiltinFamily formatBuiltins();

} // namespace tintwell::vbs

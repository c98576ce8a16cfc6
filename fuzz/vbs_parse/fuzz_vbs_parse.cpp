// Scripts come with schemes downloaded from anyone: any text must compile or
// give a compile error, never crash, hang or overflow the stack.

#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/interpreter.h"
#include "scripting/vbscript/parser.h"
#include "scripting/vbscript/resolver.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tintwell::vbs;
    const QString source = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    // The first byte picks the mode Eval uses half of the time.
    const ParseMode mode = size > 0 && (data[0] & 1) ? ParseMode::Expression : ParseMode::Script;
    try {
        std::unique_ptr<Program> prog = parseProgram(source, mode);
        if (mode == ParseMode::Script) {
            Interpreter in;
            resolveProgram(in, *prog, &source, nullptr);
        }
    } catch (const VbsError &e) {
        // Every refusal says what and where, for the report to the user.
        if (e.number <= 0 || e.line <= 0 || e.column <= 0 || e.description.isEmpty())
            __builtin_trap();
    }
    return 0;
}

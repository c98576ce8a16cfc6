// Patterns and subjects of any shape: the input's first line is the pattern
// (a leading byte picks the flags), the rest the subject. Compiling either
// works or says no; matching, every match and every replacement end with a
// result or the step limit, and every span lies inside the subject.

#include "scripting/vbscript/regex.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tintwell::vbs;
    if (size == 0)
        return 0;
    const std::uint8_t flagsByte = data[0];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype nl = text.indexOf(QLatin1Char('\n'));
    const QString pattern = nl < 0 ? text : text.left(nl);
    const QString subject = nl < 0 ? QString() : text.mid(nl + 1);
    RegexFlags flags;
    flags.ignoreCase = flagsByte & 1;
    flags.multiline = flagsByte & 2;
    Regex re;
    if (!re.compile(pattern, flags))
        return 0;
    std::vector<RegexMatch> all;
    if (re.matchAll(subject, (flagsByte & 4) ? 1 : -1, &all) != Regex::Status::Ok)
        return 0;
    for (const RegexMatch &m : all) {
        if (m.whole.start < 0 || m.whole.start + m.whole.length > subject.size())
            __builtin_trap();
        if (int(m.groups.size()) != re.groupCount())
            __builtin_trap();
        for (const RegexMatch::Span &g : m.groups)
            if (g.matched() && g.start + g.length > subject.size())
                __builtin_trap();
        Regex::expand(QStringLiteral("$1$&$`$'$$$10$"), subject, m);
    }
    return 0;
}

#pragma once
// Regular expressions with the language's pattern syntax and match rules, on
// PCRE2 (16-bit code units, like the language's strings). A pattern is
// compiled once per change of its text or flags; every match runs under a
// step limit, so a pattern that backtracks without end stops instead of
// holding the program.

#include <QString>
#include <memory>
#include <vector>

namespace tintwell::vbs {

struct RegexFlags {
    bool ignoreCase = false;
    bool multiline = false;
    bool operator==(const RegexFlags &o) const { return ignoreCase == o.ignoreCase && multiline == o.multiline; }
};

// One match: the whole text's span, then each group's (-1 when the group took
// no part in the match).
struct RegexMatch {
    struct Span {
        qsizetype start = -1;
        qsizetype length = 0;
        bool matched() const { return start >= 0; }
    };
    Span whole;
    std::vector<Span> groups;
};

class Regex
{
public:
    enum class Status { Ok, BadPattern, StepLimit };

    Regex();
    ~Regex();
    Regex(const Regex &) = delete;
    Regex &operator=(const Regex &) = delete;

    // Compiles the pattern; false (and BadPattern from the matchers) when it
    // is no valid pattern. errorOffset is where the pattern went wrong.
    bool compile(const QString &pattern, RegexFlags flags, qsizetype *errorOffset = nullptr);
    bool isValid() const;
    int groupCount() const;

    // The first match at or after from; Ok with no match leaves *found false.
    Status matchAt(const QString &subject, qsizetype from, RegexMatch *m, bool *found) const;
    // Every match from the start, each next search beginning where the last
    // match ended, or one further after an empty match; at most limit matches
    // (-1: all). each(match) returns false to stop early.
    template<class Each>
    Status forEachMatch(const QString &subject, int limit, Each &&each) const
    {
        qsizetype pos = 0;
        RegexMatch m;
        for (int n = 0; limit < 0 || n < limit; ++n) {
            bool found = false;
            const Status st = matchAt(subject, pos, &m, &found);
            if (st != Status::Ok || !found)
                return st;
            const qsizetype end = m.whole.start + m.whole.length;
            pos = m.whole.length == 0 ? end + 1 : end;
            if (!each(m) || pos > subject.size())
                break;
        }
        return Status::Ok;
    }
    Status matchAll(const QString &subject, int limit, std::vector<RegexMatch> *out) const;

    // The replacement text for one match: $1..$99, $& (the match), $` (the text
    // before), $' (the text after), $$ (a dollar); anything else as written.
    static QString expand(const QString &replacement, const QString &subject, const RegexMatch &m);

    // Backtracking steps one match may take before it gives up.
    static constexpr uint32_t kStepLimit = 2'000'000;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// The pattern as PCRE2 reads it where the language's syntax differs;
// with ignoreCase, letters past ASCII stand for all their cases.
QString translatePattern(const QString &pattern, bool ignoreCase);

} // namespace tintwell::vbs

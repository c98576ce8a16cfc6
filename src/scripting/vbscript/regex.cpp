#include "scripting/vbscript/regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

namespace tintwell::vbs {

namespace {

// The language's white space: more than PCRE2's \s without Unicode rules.
const QLatin1String kExtraSpace("\\xa0\\ufeff\\u1680\\u2000-\\u200a\\u2028\\u2029\\u202f\\u205f\\u3000");

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// One escape "\c" of the pattern, inside a class or not. The language knows
// fewer escapes than PCRE2; any other escaped letter is that letter.
void translateEscape(const QString &p, qsizetype &i, bool inClass, QString &out)
{
    const QChar c = p[i];
    switch (c.unicode()) {
    case 'd': case 'D': case 'w': case 'W': case 'b': case 'B': case 'n': case 'r': case 't': case 'f':
    case 'x': case 'u': case 'c':
        out += QLatin1Char('\\');
        out += c;
        ++i;
        return;
    case 's':
        out += inClass ? QLatin1String("\\s") : QLatin1String("[\\s");
        out += kExtraSpace;
        if (!inClass)
            out += QLatin1Char(']');
        ++i;
        return;
    case 'S':
        if (inClass) {
            out += QLatin1String("\\S"); // close enough inside a class
        } else {
            out += QLatin1String("[^\\s");
            out += kExtraSpace;
            out += QLatin1Char(']');
        }
        ++i;
        return;
    case 'v':
        out += QLatin1String("\\x0b");
        ++i;
        return;
    default:
        break;
    }
    if (c.isDigit()) {
        // \0 is NUL; \1 ... are back references outside a class.
        if (c == QLatin1Char('0') || inClass) {
            out += QLatin1String("\\x");
            out += QStringLiteral("%1").arg(c.unicode() - u'0', 2, 16, QLatin1Char('0'));
            ++i;
            return;
        }
        out += QLatin1Char('\\');
        while (i < p.size() && p[i].isDigit())
            out += p[i++];
        return;
    }
    if (isAsciiLetter(c)) {
        out += c;
        ++i;
        return;
    }
    out += QLatin1Char('\\');
    out += c;
    ++i;
}

// The other cases of a letter past ASCII, which PCRE2's tables do not fold
// outside UTF mode; empty for any other character.
QString otherCases(QChar c)
{
    QString o;
    if (c.unicode() < 0x80)
        return o;
    for (const QChar k : {c.toLower(), c.toUpper(), c.toTitleCase()})
        if (k != c && !o.contains(k))
            o += k;
    return o;
}

} // namespace

QString translatePattern(const QString &p, bool ignoreCase)
{
    QString out;
    out.reserve(p.size() + 16);
    qsizetype i = 0;
    while (i < p.size()) {
        const QChar c = p[i];
        if (c == QLatin1Char('\\')) {
            ++i;
            if (i >= p.size()) {
                out += QLatin1String("\\\\"); // a lone backslash at the end is itself
                break;
            }
            translateEscape(p, i, false, out);
            continue;
        }
        if (c == QLatin1Char('.')) {
            // Any character but a line end, and the language has four of those.
            out += QLatin1String("[^\\n\\r\\u2028\\u2029]");
            ++i;
            continue;
        }
        if (c == QLatin1Char('[')) {
            out += c;
            ++i;
            if (i < p.size() && p[i] == QLatin1Char('^'))
                out += p[i++];
            // "[]" and "[^]" keep the language's meaning through
            // PCRE2_ALLOW_EMPTY_CLASS; any other ']' ends the class.
            while (i < p.size() && p[i] != QLatin1Char(']')) {
                const QChar k = p[i];
                if (k == QLatin1Char('\\')) {
                    ++i;
                    if (i >= p.size()) {
                        out += QLatin1String("\\\\");
                        break;
                    }
                    translateEscape(p, i, true, out);
                    continue;
                }
                if (k == QLatin1Char('[')) // no POSIX classes in this syntax
                    out += QLatin1Char('\\');
                out += k;
                // A range keeps its ends as written; a single letter gets its
                // other cases.
                const bool inRange = (i + 1 < p.size() && p[i + 1] == QLatin1Char('-'))
                    || (i > 0 && p[i - 1] == QLatin1Char('-'));
                if (ignoreCase && !inRange)
                    out += otherCases(k);
                ++i;
            }
            if (i < p.size()) {
                out += QLatin1Char(']');
                ++i;
            }
            continue;
        }
        if (ignoreCase) {
            if (const QString other = otherCases(c); !other.isEmpty()) {
                out += QLatin1Char('[');
                out += c;
                out += other;
                out += QLatin1Char(']');
                ++i;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

struct Regex::Impl {
    pcre2_code *code = nullptr;
    pcre2_match_context *context = nullptr;
    pcre2_match_data *data = nullptr;
    int groups = 0;
    ~Impl() { clear(); }
    void clear()
    {
        if (data)
            pcre2_match_data_free(data);
        if (code)
            pcre2_code_free(code);
        if (context)
            pcre2_match_context_free(context);
        data = nullptr;
        code = nullptr;
        context = nullptr;
        groups = 0;
    }
};

Regex::Regex() : d_(std::make_unique<Impl>()) {}
Regex::~Regex() = default;

bool Regex::compile(const QString &pattern, RegexFlags flags, qsizetype *errorOffset)
{
    d_->clear();
    const QString translated = translatePattern(pattern, flags.ignoreCase);
    // Code units, as the language counts them (no UTF mode, which would also
    // cost a scan of the rest of the subject on every match); letters past
    // ASCII get their other cases from the translation.
    uint32_t options = PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS | PCRE2_MATCH_UNSET_BACKREF | PCRE2_NEVER_UTF
        | PCRE2_NEVER_UCP | PCRE2_NEVER_BACKSLASH_C;
    if (flags.ignoreCase)
        options |= PCRE2_CASELESS;
    if (flags.multiline)
        options |= PCRE2_MULTILINE;
    else
        options |= PCRE2_DOLLAR_ENDONLY;
    pcre2_compile_context *cc = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(cc, PCRE2_NEWLINE_ANYCRLF);
    int error = 0;
    PCRE2_SIZE offset = 0;
    d_->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.utf16()), PCRE2_SIZE(translated.size()),
                             options, &error, &offset, cc);
    pcre2_compile_context_free(cc);
    if (!d_->code) {
        if (errorOffset)
            *errorOffset = qsizetype(offset);
        return false;
    }
    uint32_t captures = 0;
    pcre2_pattern_info(d_->code, PCRE2_INFO_CAPTURECOUNT, &captures);
    d_->groups = int(captures);
    d_->data = pcre2_match_data_create_from_pattern(d_->code, nullptr);
    d_->context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(d_->context, kStepLimit);
    pcre2_set_depth_limit(d_->context, kStepLimit);
    pcre2_set_heap_limit(d_->context, 64 * 1024); // KiB
    return true;
}

bool Regex::isValid() const
{
    return d_->code != nullptr;
}

int Regex::groupCount() const
{
    return d_->groups;
}

Regex::Status Regex::matchAt(const QString &subject, qsizetype from, RegexMatch *m, bool *found) const
{
    *found = false;
    if (!d_->code)
        return Status::BadPattern;
    if (from > subject.size())
        return Status::Ok;
    // A null QString has no buffer; PCRE2 wants one even for no text.
    static const char16_t empty[1] = {0};
    const PCRE2_SPTR text = subject.isNull() ? reinterpret_cast<PCRE2_SPTR>(empty)
                                             : reinterpret_cast<PCRE2_SPTR>(subject.utf16());
    const int rc = pcre2_match(d_->code, text, PCRE2_SIZE(subject.size()), PCRE2_SIZE(from), 0, d_->data,
                               d_->context);
    if (rc == PCRE2_ERROR_NOMATCH)
        return Status::Ok;
    if (rc < 0)
        return Status::StepLimit; // the match limit, depth limit or heap limit
    const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(d_->data);
    const uint32_t pairs = pcre2_get_ovector_count(d_->data);
    auto span = [&](uint32_t k) {
        RegexMatch::Span s;
        if (k < pairs && int(k) < rc && ov[2 * k] != PCRE2_UNSET) {
            s.start = qsizetype(ov[2 * k]);
            s.length = qsizetype(ov[2 * k + 1] - ov[2 * k]);
        }
        return s;
    };
    m->whole = span(0);
    m->groups.clear();
    for (int g = 1; g <= d_->groups; ++g)
        m->groups.push_back(span(uint32_t(g)));
    *found = true;
    return Status::Ok;
}

Regex::Status Regex::matchAll(const QString &subject, int limit, std::vector<RegexMatch> *out) const
{
    return forEachMatch(subject, limit, [out](const RegexMatch &m) {
        out->push_back(m);
        return true;
    });
}

QString Regex::expand(const QString &r, const QString &subject, const RegexMatch &m)
{
    if (!r.contains(QLatin1Char('$')))
        return r;
    QString out;
    out.reserve(r.size() + 16);
    const int groups = int(m.groups.size());
    auto group = [&](int g) {
        const RegexMatch::Span &s = m.groups[size_t(g - 1)];
        if (s.matched())
            out += QStringView(subject).mid(s.start, s.length);
    };
    for (qsizetype i = 0; i < r.size(); ++i) {
        const QChar c = r[i];
        if (c != QLatin1Char('$') || i + 1 >= r.size()) {
            out += c;
            continue;
        }
        const QChar n = r[i + 1];
        if (n == QLatin1Char('$')) {
            out += QLatin1Char('$');
            ++i;
        } else if (n == QLatin1Char('&')) {
            out += QStringView(subject).mid(m.whole.start, m.whole.length);
            ++i;
        } else if (n == QLatin1Char('`')) {
            out += QStringView(subject).left(m.whole.start);
            ++i;
        } else if (n == QLatin1Char('\'')) {
            out += QStringView(subject).mid(m.whole.start + m.whole.length);
            ++i;
        } else if (n.isDigit() && n != QLatin1Char('0') && n.unicode() < 0x80) {
            // Two digits when that group exists, else one when that one does.
            const int one = n.unicode() - u'0';
            if (i + 2 < r.size() && r[i + 2].unicode() >= u'0' && r[i + 2].unicode() <= u'9') {
                const int two = one * 10 + (r[i + 2].unicode() - u'0');
                if (two <= groups) {
                    group(two);
                    i += 2;
                    continue;
                }
            }
            if (one <= groups) {
                group(one);
                ++i;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tintwell::vbs

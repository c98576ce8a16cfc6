#include "scripting/vbscript/scanner.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"

#include <QHash>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tintwell::vbs {

namespace {

struct Keyword {
    const char *text;
    Tok tok;
};
constexpr Keyword kKeywords[] = {
    {"and", Tok::And}, {"byref", Tok::ByRef}, {"byval", Tok::ByVal}, {"call", Tok::Call},
    {"case", Tok::Case}, {"class", Tok::Class}, {"const", Tok::Const}, {"dim", Tok::Dim},
    {"do", Tok::Do}, {"each", Tok::Each}, {"else", Tok::Else}, {"elseif", Tok::ElseIf},
    {"empty", Tok::Empty}, {"end", Tok::EndKw}, {"eqv", Tok::Eqv}, {"erase", Tok::Erase},
    {"exit", Tok::Exit}, {"false", Tok::False}, {"for", Tok::For}, {"function", Tok::Function},
    {"if", Tok::If}, {"imp", Tok::Imp}, {"in", Tok::In}, {"is", Tok::Is}, {"loop", Tok::Loop},
    {"me", Tok::Me}, {"mod", Tok::Mod}, {"new", Tok::New}, {"next", Tok::Next}, {"not", Tok::Not},
    {"nothing", Tok::Nothing}, {"null", Tok::Null}, {"on", Tok::On}, {"option", Tok::Option},
    {"or", Tok::Or}, {"private", Tok::Private}, {"property", Tok::Property},
    {"public", Tok::Public}, {"redim", Tok::ReDim}, {"select", Tok::Select}, {"set", Tok::Set},
    {"sub", Tok::Sub}, {"then", Tok::Then}, {"to", Tok::To}, {"true", Tok::True},
    {"until", Tok::Until}, {"wend", Tok::Wend}, {"while", Tok::While}, {"with", Tok::With},
    {"xor", Tok::Xor},
};
constexpr qsizetype kMaxKeywordLength = 8; // "function", "property"

// Names are nearly always ASCII: lower-case them without the Unicode tables,
// and share the text itself when it is lower case already.
QString lowerName(const QString &text)
{
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c >= 0x80)
            return text.toLower();
        if (c >= u'A' && c <= u'Z')
            break;
    }
    if (i == n)
        return text;
    QString out(n, Qt::Uninitialized);
    QChar *o = out.data();
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = p[k].unicode();
        if (c >= 0x80)
            return text.toLower();
        o[k] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
    }
    return out;
}

// Keywords are found without allocating: the name is lower-cased into a small
// buffer and compared with the keywords of its length. A keyword token's
// lower-case text is shared from this table.
struct KeywordEntry {
    QString lower;
    Tok tok;
};

const std::vector<KeywordEntry> &keywordsOfLength(qsizetype n)
{
    static const auto table = [] {
        std::vector<std::vector<KeywordEntry>> t(kMaxKeywordLength + 1);
        for (const Keyword &k : kKeywords)
            t[strlen(k.text)].push_back({QString::fromLatin1(k.text), k.tok});
        return t;
    }();
    return table[size_t(n)];
}

const KeywordEntry *findKeyword(const QChar *p, qsizetype n)
{
    if (n < 2 || n > kMaxKeywordLength)
        return nullptr;
    char lower[kMaxKeywordLength];
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c >= 0x80)
            return nullptr;
        lower[i] = char(c >= u'A' && c <= u'Z' ? c + 32 : c);
    }
    for (const KeywordEntry &k : keywordsOfLength(n)) {
        const QChar *kp = k.lower.constData();
        qsizetype i = 0;
        while (i < n && kp[i].unicode() == char16_t(lower[i]))
            ++i;
        if (i == n)
            return &k;
    }
    return nullptr;
}

// The same names recur all through a script (r, g, b, text ...): each distinct
// spelling is copied out of the source and lower-cased once, and every later
// token of that spelling points at the same entry.
class NameTable
{
public:
    NameTable(const QString &src, std::vector<ScannedName> &out) : src_(src), out_(out), slots_(64, -1) {}

    int intern(qsizetype start, qsizetype length)
    {
        const QChar *p = src_.constData() + start;
        const size_t h = qHash(QStringView(p, length));
        const size_t mask = slots_.size() - 1;
        size_t i = h & mask;
        while (slots_[i] >= 0) {
            const Key &k = keys_[size_t(slots_[i])];
            if (k.hash == h && k.length == length && std::equal(p, p + length, src_.constData() + k.start))
                return slots_[i];
            i = (i + 1) & mask;
        }
        keys_.push_back({start, length, h});
        QString text = src_.mid(start, length);
        QString lower = lowerName(text);
        out_.push_back({std::move(text), std::move(lower)});
        const int index = int(keys_.size() - 1);
        slots_[i] = index;
        if (keys_.size() * 2 > slots_.size())
            grow();
        return index;
    }

    // A name not spelled in the source as such ([name with spaces]).
    int add(QString text)
    {
        QString lower = text.toLower();
        out_.push_back({std::move(text), std::move(lower)});
        keys_.push_back({0, -1, 0}); // never matches a spelling
        return int(keys_.size() - 1);
    }

private:
    struct Key {
        qsizetype start;
        qsizetype length;
        size_t hash;
    };

    void grow()
    {
        std::vector<int> bigger(slots_.size() * 2, -1);
        const size_t mask = bigger.size() - 1;
        for (size_t k = 0; k < keys_.size(); ++k) {
            if (keys_[k].length < 0)
                continue;
            size_t i = keys_[k].hash & mask;
            while (bigger[i] >= 0)
                i = (i + 1) & mask;
            bigger[i] = int(k);
        }
        slots_ = std::move(bigger);
    }

    const QString &src_;
    std::vector<ScannedName> &out_;
    std::vector<int> slots_; // index into keys_, -1 when free
    std::vector<Key> keys_;  // parallel to out_
};

// Scripts are nearly all ASCII: decide those characters without the Unicode tables.
bool isIdentStart(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u | 0x20) >= u'a' && (u | 0x20) <= u'z';
    return c.isLetter();
}

// Only ASCII digits make numbers; other scripts' digits are no part of the language.
bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isIdentChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return ((u | 0x20) >= u'a' && (u | 0x20) <= u'z') || (u >= u'0' && u <= u'9') || u == u'_';
    return c.isLetterOrNumber();
}

class Scanner
{
public:
    explicit Scanner(const QString &src) : src_(src), names_(src, r_.names) {}

    ScanResult take() { return std::move(r_); }

    void run()
    {
        ScanResult &r = r_;
        r.tokens.reserve(size_t(src_.size() / 2 + 8)); // at most about one token per two characters
        while (true) {
            bool space = skipSpace();
            if (pos_ >= src_.size()) {
                push(r, Tok::End, space);
                break;
            }
            const int startCol = col();
            const QChar c = src_[pos_];
            Token t;
            t.spaceBefore = space;
            t.line = line_;
            t.column = startCol;
            if (c == QLatin1Char('\'')) {
                skipToLineEnd();
                continue;
            }
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                if (c == QLatin1Char('\r') && pos_ + 1 < src_.size() && src_[pos_ + 1] == QLatin1Char('\n'))
                    ++pos_;
                ++pos_;
                t.type = Tok::Newline;
                r.tokens.push_back(std::move(t));
                newLine();
                continue;
            }
            if (isIdentStart(c)) {
                const int s = pos_;
                while (pos_ < src_.size() && isIdentChar(src_[pos_]))
                    ++pos_;
                const qsizetype len = pos_ - s;
                if (const KeywordEntry *k = findKeyword(src_.constData() + s, len)) {
                    // The spelling as written is rarely wanted (a keyword used as
                    // a member name): the parser takes it from the source then.
                    t.type = k->tok;
                    t.start = s;
                    t.length = int(len);
                    r.tokens.push_back(std::move(t));
                    continue;
                }
                if (len == 3 && findRem(src_.constData() + s) && !remIsName(r)) {
                    skipToLineEnd();
                    continue;
                }
                if (len > 255)
                    return fail(r, err::Syntax, t);
                t.type = Tok::Ident;
                t.index = names_.intern(s, len);
                t.start = s;
                t.length = int(len);
                r.tokens.push_back(std::move(t));
                continue;
            }
            if (c == QLatin1Char('[')) {
                // [name with spaces] is an identifier
                const int s = ++pos_;
                while (pos_ < src_.size() && src_[pos_] != QLatin1Char(']') && src_[pos_] != QLatin1Char('\n'))
                    ++pos_;
                if (pos_ >= src_.size() || src_[pos_] != QLatin1Char(']'))
                    return fail(r, err::ExpectedIdent, t);
                t.type = Tok::Ident;
                t.index = names_.add(src_.mid(s, pos_ - s));
                ++pos_;
                r.tokens.push_back(std::move(t));
                continue;
            }
            if (isDigit(c) || (c == QLatin1Char('.') && pos_ + 1 < src_.size() && isDigit(src_[pos_ + 1])
                                && !afterOperand(r))) {
                if (!number(t))
                    return fail(r, err::InvalidNumber, t);
                r.tokens.push_back(std::move(t));
                continue;
            }
            if (c == QLatin1Char('"')) {
                const int s = ++pos_;
                bool doubled = false;
                while (true) {
                    if (pos_ >= src_.size() || src_[pos_] == QLatin1Char('\n') || src_[pos_] == QLatin1Char('\r'))
                        return fail(r, err::UnterminatedString, t);
                    if (src_[pos_] == QLatin1Char('"')) {
                        if (pos_ + 1 < src_.size() && src_[pos_ + 1] == QLatin1Char('"')) {
                            doubled = true;
                            pos_ += 2;
                            continue;
                        }
                        break;
                    }
                    ++pos_;
                }
                t.type = Tok::String;
                QString text = src_.mid(s, pos_ - s);
                if (doubled)
                    text.replace(QLatin1String("\"\""), QLatin1String("\""));
                t.index = int(r.strings.size());
                r.strings.push_back(std::move(text));
                ++pos_;
                r.tokens.push_back(std::move(t));
                continue;
            }
            if (c == QLatin1Char('#')) {
                const int s = ++pos_;
                while (pos_ < src_.size() && src_[pos_] != QLatin1Char('#') && src_[pos_] != QLatin1Char('\n'))
                    ++pos_;
                double d;
                if (pos_ >= src_.size() || src_[pos_] != QLatin1Char('#') || !parseDate(src_.mid(s, pos_ - s), &d))
                    return fail(r, err::Syntax, t);
                ++pos_;
                t.type = Tok::Date;
                t.index = addNumber(Value::date(d));
                r.tokens.push_back(std::move(t));
                continue;
            }
            if (c == QLatin1Char('&') && pos_ + 1 < src_.size()
                && (src_[pos_ + 1].toUpper() == QLatin1Char('H') || src_[pos_ + 1].toUpper() == QLatin1Char('O'))) {
                if (radixNumber(t)) {
                    r.tokens.push_back(std::move(t));
                    continue;
                }
                // not a number: '&' is concatenation
            }
            ++pos_;
            const QChar n = pos_ < src_.size() ? src_[pos_] : QChar();
            switch (c.unicode()) {
            case '(': t.type = Tok::LParen; break;
            case ')': t.type = Tok::RParen; break;
            case ',': t.type = Tok::Comma; break;
            case '.': t.type = Tok::Dot; break;
            case ':': t.type = Tok::Colon; break;
            case '+': t.type = Tok::Plus; break;
            case '-': t.type = Tok::Minus; break;
            case '*': t.type = Tok::Star; break;
            case '/': t.type = Tok::Slash; break;
            case '\\': t.type = Tok::Backslash; break;
            case '^': t.type = Tok::Caret; break;
            case '&': t.type = Tok::Amp; break;
            case '=':
                // "=>" and "=<" are the same as ">=" and "<=".
                if (n == QLatin1Char('>')) { t.type = Tok::Ge; ++pos_; }
                else if (n == QLatin1Char('<')) { t.type = Tok::Le; ++pos_; }
                else t.type = Tok::Eq;
                break;
            case '<':
                if (n == QLatin1Char('>')) { t.type = Tok::Ne; ++pos_; }
                else if (n == QLatin1Char('=')) { t.type = Tok::Le; ++pos_; }
                else t.type = Tok::Lt;
                break;
            case '>':
                if (n == QLatin1Char('=')) { t.type = Tok::Ge; ++pos_; }
                else if (n == QLatin1Char('<')) { t.type = Tok::Ne; ++pos_; }
                else t.type = Tok::Gt;
                break;
            default:
                return fail(r, err::InvalidChar, t);
            }
            r.tokens.push_back(std::move(t));
        }
    }

private:
    int col() const { return pos_ - lineStart_ + 1; }
    void newLine() { ++line_; lineStart_ = pos_; }

    static void push(ScanResult &r, Tok type, bool space)
    {
        Token t;
        t.type = type;
        t.spaceBefore = space;
        t.line = r.tokens.empty() ? 1 : r.tokens.back().line;
        r.tokens.push_back(std::move(t));
    }

    static void fail(ScanResult &r, int number, const Token &t)
    {
        r.errorNumber = number;
        r.errorLine = t.line;
        r.errorColumn = t.column;
    }

    // "Rem" starts a comment where a statement may start; after a dot or in a
    // declaration it is a name like any other (o.Rem, Public Rem).
    static bool remIsName(const ScanResult &r)
    {
        if (r.tokens.empty())
            return false;
        const Token &t = r.tokens.back();
        switch (t.type) {
        case Tok::Dot: case Tok::Dim: case Tok::Public: case Tok::Private: case Tok::Sub:
        case Tok::Function: case Tok::Const: case Tok::Property:
            return true;
        case Tok::Set: case Tok::Ident:
            return r.tokens.size() > 1 && r.tokens[r.tokens.size() - 2].type == Tok::Property;
        default:
            return false;
        }
    }

    static bool afterOperand(const ScanResult &r)
    {
        if (r.tokens.empty())
            return false;
        const Token &t = r.tokens.back();
        return t.type == Tok::Ident || t.type == Tok::RParen || t.type == Tok::Me;
    }

    // Skips blanks and line continuations; true when it skipped anything.
    bool skipSpace()
    {
        bool any = false;
        while (pos_ < src_.size()) {
            const QChar c = src_[pos_];
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0xA0) || c == QChar(0x0B)
                || c == QChar(0x0C)) {
                ++pos_;
                any = true;
                continue;
            }
            // A '_' that starts no name continues the line, also right after
            // an operator ("x =_").
            if (c == QLatin1Char('_')) {
                int p = pos_ + 1;
                while (p < src_.size() && (src_[p] == QLatin1Char(' ') || src_[p] == QLatin1Char('\t')))
                    ++p;
                if (p < src_.size() && (src_[p] == QLatin1Char('\r') || src_[p] == QLatin1Char('\n'))) {
                    if (src_[p] == QLatin1Char('\r') && p + 1 < src_.size() && src_[p + 1] == QLatin1Char('\n'))
                        ++p;
                    pos_ = p + 1;
                    newLine();
                    any = true;
                    continue;
                }
            }
            break;
        }
        return any;
    }

    void skipToLineEnd()
    {
        while (pos_ < src_.size() && src_[pos_] != QLatin1Char('\n') && src_[pos_] != QLatin1Char('\r'))
            ++pos_;
    }

    bool number(Token &t)
    {
        const int s = pos_;
        bool isFloat = false;
        while (pos_ < src_.size() && isDigit(src_[pos_]))
            ++pos_;
        if (pos_ < src_.size() && src_[pos_] == QLatin1Char('.')) {
            isFloat = true;
            ++pos_;
            while (pos_ < src_.size() && isDigit(src_[pos_]))
                ++pos_;
        }
        if (pos_ < src_.size() && (src_[pos_].toUpper() == QLatin1Char('E'))) {
            int p = pos_ + 1;
            if (p < src_.size() && (src_[p] == QLatin1Char('+') || src_[p] == QLatin1Char('-')))
                ++p;
            if (p < src_.size() && isDigit(src_[p])) {
                isFloat = true;
                pos_ = p;
                while (pos_ < src_.size() && isDigit(src_[pos_]))
                    ++pos_;
            } else {
                return false;
            }
        }
        if (pos_ < src_.size() && isIdentChar(src_[pos_]))
            return false;
        t.type = Tok::Number;
        double d = 0;
        if (!isFloat) {
            // Whole numbers need no float conversion unless they are huge.
            uint64_t v = 0;
            int k = s;
            for (; k < pos_ && v < (uint64_t(1) << 52); ++k)
                v = v * 10 + uint64_t(src_[k].unicode() - u'0');
            if (k == pos_)
                d = double(v);
            else if (!decimalToDouble(s, &d))
                return false;
        } else if (!decimalToDouble(s, &d)) {
            return false;
        }
        if (!std::isfinite(d))
            return false;
        if (!isFloat && d <= 32767)
            t.index = addNumber(Value::integer(int16_t(d)));
        else if (!isFloat && d <= 2147483647.0)
            t.index = addNumber(Value::lng(int32_t(d)));
        else
            t.index = addNumber(Value::dbl(d));
        return true;
    }

    // The number text from start to pos_ as a double; false when it is no number.
    bool decimalToDouble(int start, double *out) const
    {
        char buf[64];
        const int n = pos_ - start;
        if (n < int(sizeof buf)) {
            for (int k = 0; k < n; ++k)
                buf[k] = char(src_[start + k].unicode()); // digits, '.', 'e' and a sign only
            const auto res = std::from_chars(buf, buf + n, *out);
            if (res.ec == std::errc() && res.ptr == buf + n)
                return true;
        }
        // Very long or out-of-range texts: the slow general path decides.
        bool ok = false;
        *out = src_.mid(start, n).toDouble(&ok);
        return ok || *out == 0 || std::isinf(*out);
    }

    bool radixNumber(Token &t)
    {
        const int base = src_[pos_ + 1].toUpper() == QLatin1Char('H') ? 16 : 8;
        int p = pos_ + 2;
        uint64_t v = 0;
        int digits = 0;
        while (p < src_.size()) {
            const QChar c = src_[p].toUpper();
            int d = isDigit(c) ? c.unicode() - u'0' : (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ? c.unicode() - 'A' + 10 : -1;
            if (d < 0 || d >= base)
                break;
            v = v * base + d;
            if (v > 0xFFFFFFFFull)
                return false;
            ++digits;
            ++p;
        }
        if (!digits)
            return false;
        // A trailing '&' reads the digits as 32 bits, so &HFFFF& is 65535 where
        // &HFFFF is -1; the type still follows the value.
        bool wide = false;
        if (p < src_.size() && src_[p] == QLatin1Char('&')) {
            wide = true;
            ++p;
        }
        pos_ = p;
        t.type = Tok::Number;
        if (wide ? v <= 0x7FFF : v <= 0xFFFF)
            t.index = addNumber(Value::integer(int16_t(uint16_t(v))));
        else
            t.index = addNumber(Value::lng(int32_t(uint32_t(v))));
        return true;
    }

    int addNumber(Value v)
    {
        r_.numbers.push_back(std::move(v));
        return int(r_.numbers.size() - 1);
    }

    static bool findRem(const QChar *p)
    {
        return (p[0].unicode() | 0x20) == u'r' && (p[1].unicode() | 0x20) == u'e' && (p[2].unicode() | 0x20) == u'm';
    }

    const QString &src_;
    ScanResult r_;
    NameTable names_;
    int pos_ = 0;
    int line_ = 1;
    int lineStart_ = 0;
};

} // namespace

ScanResult scan(const QString &source)
{
    Scanner scanner(source);
    scanner.run();
    return scanner.take();
}

const QString &keywordLower(Tok t)
{
    static const auto byTok = [] {
        std::vector<QString> v(size_t(Tok::Xor) + 1);
        for (const Keyword &k : kKeywords)
            v[size_t(k.tok)] = QString::fromLatin1(k.text);
        return v;
    }();
    return byTok[size_t(t)];
}

const char *tokenName(Tok t)
{
    switch (t) {
    case Tok::End: return "end of script";
    case Tok::Newline: return "newline";
    case Tok::Colon: return "':'";
    case Tok::Ident: return "identifier";
    case Tok::Number: return "number";
    case Tok::String: return "string";
    case Tok::Date: return "date";
    default: break;
    }
    for (const Keyword &k : kKeywords)
        if (k.tok == t)
            return k.text;
    return "operator";
}

} // namespace tintwell::vbs

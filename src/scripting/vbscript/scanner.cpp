#include "scripting/vbscript/scanner.h"

#include "scripting/vbscript/datetime.h"
#include "scripting/vbscript/errors.h"

#include <QHash>
#include <cmath>

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

const QHash<QString, Tok> &keywordTable()
{
    static const QHash<QString, Tok> table = [] {
        QHash<QString, Tok> t;
        for (const Keyword &k : kKeywords)
            t.insert(QString::fromLatin1(k.text), k.tok);
        return t;
    }();
    return table;
}

bool isIdentStart(QChar c)
{
    return c.isLetter();
}

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

class Scanner
{
public:
    explicit Scanner(const QString &src) : src_(src) {}

    ScanResult run()
    {
        ScanResult r;
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
                t.text = src_.mid(s, pos_ - s);
                t.lower = lowerName(t.text);
                if (t.lower == QLatin1String("rem")) {
                    skipToLineEnd();
                    continue;
                }
                auto it = keywordTable().constFind(t.lower);
                t.type = it == keywordTable().cend() ? Tok::Ident : *it;
                if (t.type == Tok::Ident && t.text.size() > 255)
                    return fail(r, err::Syntax, t);
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
                t.text = src_.mid(s, pos_ - s);
                t.lower = t.text.toLower();
                t.type = Tok::Ident;
                ++pos_;
                r.tokens.push_back(std::move(t));
                continue;
            }
            if (c.isDigit() || (c == QLatin1Char('.') && pos_ + 1 < src_.size() && src_[pos_ + 1].isDigit()
                                && !afterOperand(r))) {
                if (!number(t))
                    return fail(r, err::InvalidNumber, t);
                r.tokens.push_back(std::move(t));
                continue;
            }
            if (c == QLatin1Char('"')) {
                ++pos_;
                QString s;
                while (true) {
                    if (pos_ >= src_.size() || src_[pos_] == QLatin1Char('\n') || src_[pos_] == QLatin1Char('\r'))
                        return fail(r, err::UnterminatedString, t);
                    if (src_[pos_] == QLatin1Char('"')) {
                        if (pos_ + 1 < src_.size() && src_[pos_ + 1] == QLatin1Char('"')) {
                            s += QLatin1Char('"');
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    s += src_[pos_++];
                }
                t.type = Tok::String;
                t.text = s;
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
                t.number = Value::date(d);
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
            case '=': t.type = Tok::Eq; break;
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
        return r;
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

    ScanResult &fail(ScanResult &r, int number, const Token &t)
    {
        r.errorNumber = number;
        r.errorLine = t.line;
        r.errorColumn = t.column;
        return r;
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
            if (c == QLatin1Char('_') && (any || pos_ == lineStart_)) {
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
        while (pos_ < src_.size() && src_[pos_].isDigit())
            ++pos_;
        if (pos_ < src_.size() && src_[pos_] == QLatin1Char('.')) {
            isFloat = true;
            ++pos_;
            while (pos_ < src_.size() && src_[pos_].isDigit())
                ++pos_;
        }
        if (pos_ < src_.size() && (src_[pos_].toUpper() == QLatin1Char('E'))) {
            int p = pos_ + 1;
            if (p < src_.size() && (src_[p] == QLatin1Char('+') || src_[p] == QLatin1Char('-')))
                ++p;
            if (p < src_.size() && src_[p].isDigit()) {
                isFloat = true;
                pos_ = p;
                while (pos_ < src_.size() && src_[pos_].isDigit())
                    ++pos_;
            } else {
                return false;
            }
        }
        if (pos_ < src_.size() && isIdentChar(src_[pos_]))
            return false;
        const QString text = src_.mid(s, pos_ - s);
        t.type = Tok::Number;
        const double d = text.toDouble();
        if (!std::isfinite(d))
            return false;
        if (!isFloat && d <= 32767)
            t.number = Value::integer(int16_t(d));
        else if (!isFloat && d <= 2147483647.0)
            t.number = Value::lng(int32_t(d));
        else
            t.number = Value::dbl(d);
        return true;
    }

    bool radixNumber(Token &t)
    {
        const int base = src_[pos_ + 1].toUpper() == QLatin1Char('H') ? 16 : 8;
        int p = pos_ + 2;
        uint64_t v = 0;
        int digits = 0;
        while (p < src_.size()) {
            const QChar c = src_[p].toUpper();
            int d = c.isDigit() ? c.digitValue() : (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ? c.unicode() - 'A' + 10 : -1;
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
        bool forceLong = false;
        if (p < src_.size() && src_[p] == QLatin1Char('&')) {
            forceLong = true;
            ++p;
        }
        pos_ = p;
        t.type = Tok::Number;
        if (!forceLong && v <= 0xFFFF)
            t.number = Value::integer(int16_t(uint16_t(v)));
        else
            t.number = Value::lng(int32_t(uint32_t(v)));
        return true;
    }

    const QString &src_;
    int pos_ = 0;
    int line_ = 1;
    int lineStart_ = 0;
};

} // namespace

ScanResult scan(const QString &source)
{
    return Scanner(source).run();
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

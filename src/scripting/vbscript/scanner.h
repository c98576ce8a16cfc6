#pragma once
// Turns script text into tokens. Names and keywords are case-insensitive: a
// token keeps its text as written and its lower-case form for lookups.

#include "scripting/vbscript/value.h"

#include <QString>
#include <vector>

namespace tintwell::vbs {

enum class Tok : uint8_t {
    End, Newline, Colon, Ident, Number, String, Date,
    LParen, RParen, Comma, Dot, Eq, Ne, Lt, Gt, Le, Ge,
    Plus, Minus, Star, Slash, Backslash, Caret, Amp,
    // keywords
    And, ByRef, ByVal, Call, Case, Class, Const, Dim, Do, Each, Else, ElseIf, Empty, EndKw,
    Eqv, Erase, Exit, False, For, Function, If, Imp, In, Is, Loop, Me, Mod, New, Next, Not,
    Nothing, Null, On, Option, Or, Private, Property, Public, ReDim, Select, Set, Sub, Then,
    To, True, Until, Wend, While, With, Xor,
};

// Tokens are small and hold no strings: names, string contents and numbers
// sit in the tables of the ScanResult, which the token's index points into.
struct Token {
    Tok type = Tok::End;
    bool spaceBefore = false; // whitespace right before the token
    int line = 1;             // from 1
    int column = 1;           // from 1
    int start = 0;            // names and keywords: where they stand in the source
    int length = 0;
    int index = -1;           // Ident: names; String: strings; Number, Date: numbers
};

struct ScannedName {
    QString text;  // as written
    QString lower;
};

struct ScanResult {
    std::vector<Token> tokens;
    std::vector<ScannedName> names;
    std::vector<QString> strings;
    std::vector<Value> numbers;
    int errorNumber = 0; // a compile error, 0 when none
    int errorLine = 0;
    int errorColumn = 0;
};

ScanResult scan(const QString &source);
const char *tokenName(Tok t);
// The lower-case text of a keyword token; empty for any other kind.
const QString &keywordLower(Tok t);

} // namespace tintwell::vbs

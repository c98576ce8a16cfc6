#include "scripting/vbscript/errors.h"

#include <QHash>

namespace tintwell::vbs {

namespace {
struct Entry {
    int number;
    const char *text;
};
constexpr Entry kTexts[] = {
    {3, "Return without GoSub"},
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {10, "This array is fixed or temporarily locked"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {14, "Out of string space"},
    {28, "Out of stack space"},
    {35, "Sub or Function not defined"},
    {48, "Error in loading DLL"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {70, "Permission denied"},
    {91, "Object variable not set"},
    {92, "For loop not initialized"},
    {94, "Invalid use of Null"},
    {424, "Object required"},
    {429, "ActiveX component can't create object"},
    {438, "Object doesn't support this property or method"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {451, "Object not a collection"},
    {500, "Variable is undefined"},
    {501, "Illegal assignment"},
    {502, "Object not safe for scripting"},
    {505, "Invalid or unqualified reference"},
    {430, "Class doesn't support Automation"},
    {445, "Object doesn't support this action"},
    {449, "Argument not optional"},
    {5017, "Syntax error in regular expression"},
    {5018, "Unexpected quantifier"},
    {5019, "Expected ']' in regular expression"},
    {5020, "Expected ')' in regular expression"},
    {506, "Class not defined"},
    {1001, "Out of memory"},
    {1002, "Syntax error"},
    {1003, "Expected ':'"},
    {1005, "Expected '('"},
    {1006, "Expected ')'"},
    {1010, "Expected identifier"},
    {1011, "Expected '='"},
    {1012, "Expected 'If'"},
    {1013, "Expected 'To'"},
    {1014, "Expected 'End'"},
    {1015, "Expected 'Function'"},
    {1016, "Expected 'Sub'"},
    {1017, "Expected 'Then'"},
    {1018, "Expected 'Wend'"},
    {1019, "Expected 'Loop'"},
    {1020, "Expected 'Next'"},
    {1021, "Expected 'Case'"},
    {1022, "Expected 'Select'"},
    {1023, "Expected expression"},
    {1024, "Expected statement"},
    {1025, "Expected end of statement"},
    {1026, "Expected integer constant"},
    {1027, "Expected 'While', 'Until' or end of statement"},
    {1029, "Expected 'With'"},
    {1030, "Identifier too long"},
    {1031, "Invalid number"},
    {1032, "Invalid character"},
    {1033, "Unterminated string constant"},
    {1037, "Invalid use of 'Me' keyword"},
    {1038, "'loop' without 'do'"},
    {1039, "Invalid 'exit' statement"},
    {1040, "Invalid 'for' loop control variable"},
    {1041, "Name redefined"},
    {1042, "Must be first statement on the line"},
    {1044, "Cannot use parentheses when calling a Sub"},
    {1045, "Expected literal constant"},
    {1046, "Expected 'In'"},
    {1047, "Expected 'Class'"},
    {1048, "Must be defined inside a Class"},
    {1049, "Expected Let or Set or Get in property declaration"},
    {1050, "Expected 'Property'"},
    {1051, "Number of arguments must be consistent across property declarations"},
    {1052, "Cannot have multiple default property/method in a Class"},
    {1053, "Class initialize or terminate do not have arguments"},
    {1054, "Property set or let must have at least one argument"},
    {1055, "Unexpected 'Next'"},
    {1056, "'Default' can be specified only on 'Property' or 'Function' or 'Sub'"},
    {1057, "'Default' declaration must also specify 'Public'"},
    {1058, "'Default' declaration can only be on Property Get"},
};
} // namespace

QString errorText(int number)
{
    for (const Entry &e : kTexts)
        if (e.number == number)
            return QString::fromLatin1(e.text);
    return QStringLiteral("Unknown runtime error");
}

bool isCompileError(int number)
{
    return number >= 1001 && number <= 1099;
}

QString errorSource(int number)
{
    return isCompileError(number) ? QStringLiteral("Microsoft VBScript compilation error")
                                  : QStringLiteral("Microsoft VBScript runtime error");
}

int raisedNumber(int32_t number)
{
    if (number >= 0 && number <= 0xFFFF)
        return number;
    if (number > 0)
        return 5; // no failure code: "Invalid procedure call or argument"
    const auto code = uint32_t(number);
    if ((code >> 16) == 0x800A) // the language's own facility carries the number in its low word
        return int(code & 0xFFFF);
    switch (code) {
    case 0x8007000E: return 7;   // out of memory
    case 0x80070057: return 5;   // invalid argument
    case 0x80004001: return 445; // not implemented
    case 0x80004002: return 430; // interface not supported
    case 0x80020005: return 13;  // type mismatch
    case 0x80020006: return 438; // unknown name
    case 0x8002000A: return 6;   // overflow
    case 0x8002000B: return 9;   // bad index
    case 0x8002000E: return 450; // wrong argument count
    case 0x8002000F: return 449; // argument not optional
    case 0x80020012: return 11;  // division by zero
    default: return number;      // a code of its own, vbObjectError + n among them
    }
}

void raise(int number)
{
    throw VbsError(number);
}

void raise(int number, const QString &detail)
{
    VbsError e(number, errorText(number) + QStringLiteral(": '") + detail + QLatin1Char('\''));
    e.errDescription = errorText(number);
    throw e;
}

} // namespace tintwell::vbs

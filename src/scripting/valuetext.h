#pragma once
// Numbers as text, the way a VBScript host reads and writes them. Always with
// a period for the decimal point, whatever the user's locale, so that scripts
// and scheme files behave the same on every machine.

#include <QString>
#include <optional>

namespace tintwell::script {

// Reads a number from text: surrounding white space, an optional sign, digits
// with an optional period and decimals, an optional exponent ("1.5E3"), or a
// hexadecimal ("&HFF") or octal ("&O17") whole number of up to 32 bits, read as
// a Long (so "&HFFFFFFFF" is -1). Returns nullopt when the text is not a
// number; a number too large for a Double comes back as +/- infinity so that
// the caller can report "Overflow".
std::optional<double> parseNumberText(const QString &text);

// A Double as VBScript's CStr writes it: up to 15 significant digits, no
// trailing zeros, exponent form ("1E+15", "1.5E-05") outside 1E-05 .. 1E+15.
QString numberText(double value);

// A Single as CStr writes it: the same form with 7 significant digits, so
// that 0.1 stored as a Single reads back as "0.1".
QString singleText(float value);

} // namespace tintwell::script

#pragma once
// Number patterns as the scheme tables hold them, and the reading of numbers
// written in scheme texts.
//
// A pattern is built from four characters:
//   "0"  a digit that is always shown (leading and trailing zeros included);
//   "#"  a digit shown only when it is significant;
//   ","  anywhere in the pattern: group the integer digits in threes with ",";
//   "."  the first one is the decimal point (later ones are ignored).
// Any other character is copied as it stands, at its place among the digits.
//
// Rounding: the value is first taken as the shortest decimal text that reads
// back as the same number (what a user would type to get it: 1.005, not
// 1.00499999999999989...), then rounded to the digits the pattern keeps,
// halfway cases away from zero. So 0.125 with "0.00" gives "0.13", 2.5 with
// "0" gives "3", -2.5 with "0" gives "-3". FormatSingle does the same from the
// shortest text of a 32-bit float, so a typed 2.675 stored as a float still
// shows as "2.68".
//
// Like a spreadsheet: integer digits are never dropped (1234 with "0" is
// "1234"; with no digit placeholders they stand before the decimal point), a
// zero integer part with "#" shows nothing ("#" of 0 is "", ".00" of 0.5 is
// ".50"), and a value that rounds to zero loses its minus sign ("-0.001" with
// "0.00" is "0.00").
//
// Fallbacks: an empty pattern gives GeneralNumberText; NaN gives "NaN",
// infinities "Infinity" and "-Infinity". Very large values are written out in
// full (1e300 with "0" is a 1 and 300 zeros).

#include <QString>
#include <QStringView>
#include <optional>

namespace tintwell {

QString FormatNumber(double value, const QString &pattern);
QString FormatSingle(float value, const QString &pattern);

// Up to 15 significant digits, no trailing zeros; exponent form ("1.5E+20",
// "1E-05") when the decimal exponent is 15 or more, or below -4.
QString GeneralNumberText(double value);

// A number written with a period as the decimal point, whatever the locale:
// optional sign, digits with an optional fraction, optional exponent
// ("-12", "0.16666", ".5", "1e3", "2.5E-2"). Spaces and tabs around it are
// allowed. Anything else (commas, hex, "inf", "nan", trailing text, a value
// beyond the range of a double) gives nullopt.
std::optional<double> ParseSchemeNumber(QStringView text);

// As ParseSchemeNumber, for fields stored as 32-bit floats: a value beyond the
// range of a float gives nullopt instead of an infinity.
std::optional<float> ParseSchemeSingle(QStringView text);

} // namespace tintwell

#pragma once
// Reading a colour typed as text in one of the eight kinds of the converter's
// list. A conversion goes on past a failing step, as the user knows it: a
// missing piece counts as 0, and the last failure decides what the user sees.

#include "core/scalefactors.h"
#include "core/scheme.h"

#include <QString>
#include <cstdint>

namespace tintwell {

// The converter's list, in order. Items 0-6 belong to a scheme format.
enum ConvertType {
    ConvertHTML = 0,
    ConvertHex = 1,
    ConvertDecimal = 2,
    ConvertRGB = 3,
    ConvertHSL = 4,
    ConvertHSB = 5,
    ConvertCMY = 6,
    ConvertOctal = 7,
};
constexpr int kConvertTypeCount = 8;

// The scheme format (TN_RGB ... TN_DEC) of a list item; -1 for Octal.
int SchemeFormatOfConvertType(int type);

// Failures a conversion can meet, numbered as the run-time errors they stand for.
enum class ConvertError {
    None = 0,
    Overflow = 6,      // a value too large for where it goes
    MissingPiece = 9,  // fewer than three pieces: that component stays 0
    NotANumber = 13,   // nothing left to read, or a piece that is no number
};

enum class ConvertOutcome {
    SetColor,  // use `color`
    TooLarge,  // "Conversion value is too large."
    Invalid,   // "Invalid conversion value."
};

struct ConvertResult {
    std::int32_t color = 0;
    ConvertError lastError = ConvertError::None;
    ConvertOutcome outcome = ConvertOutcome::Invalid;
};

// Runs the built-in rule of `type` over `text` with the active scheme's
// separators and scale factors. Numbers in the RGB, HSL, HSB and CMY kinds
// take "." as the decimal point whatever the locale: "," always separates
// pieces. Linear in the length of the text.
ConvertResult ConvertText(const QString &text, int type, const FormatScheme &scheme,
                          const ScaleFactors &factors);

inline constexpr char kConversionErrorTitle[] = "Conversion Error";
inline constexpr char kConversionTooLarge[] = "Conversion value is too large.";
inline constexpr char kConversionInvalid[] = "Invalid conversion value.";
inline constexpr int kConversionHelpTopic = 9;

} // namespace tintwell

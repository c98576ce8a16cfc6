#pragma once
// The seven output texts of the main window, computed from one colour and the
// active scheme. SetColors derives the colour's values (ComputeColorValues),
// then fills each box: RunExportScript when the box's format has an export
// script, BuiltInBoxText otherwise. FillOutputBoxes does the whole round in
// box order, with the script name and echo flag handled as a run needs them.

#include "core/scheme.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace tintwell {

struct AppContext;
struct ScriptResult;

// Output box indexes (txtCopyBox, lblFormatNames, mnuEditCopyValue, cboConvertType).
constexpr int kBoxHTML = 0;
constexpr int kBoxHex = 1;
constexpr int kBoxDecimal = 2;
constexpr int kBoxRGB = 3;
constexpr int kBoxHSL = 4;
constexpr int kBoxHSB = 5;
constexpr int kBoxCMY = 6;
constexpr int kBoxCount = 7;

// Slider modes, which are also the scheme's system indexes 0-3.
constexpr int kSliderModeRGB = 0;
constexpr int kSliderModeHSL = 1;
constexpr int kSliderModeHSB = 2;
constexpr int kSliderModeCMY = 3;

// Box 0-2 show scheme formats 4-6, boxes 3-6 formats 0-3. -1 when out of range.
constexpr int SchemeFormatOfBox(int box)
{
    return box >= 0 && box <= 2 ? box + 4 : box >= 3 && box <= 6 ? box - 3 : -1;
}
constexpr int BoxOfSchemeFormat(int format)
{
    return format >= 0 && format <= 3 ? format + 3 : format >= 4 && format <= 6 ? format - 4 : -1;
}

// One colour in all four systems, in internal units (hue in degrees, all else
// 0-255). The values are those the sliders keep: a hue set on a grey stays
// here; the boxes apply their own corrections when they show it.
struct ColorValues {
    std::int32_t Color = 0; // 0x00BBGGRR
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    std::int32_t HSLHue = 0;
    std::uint8_t HSLSaturation = 0, HSLLightness = 0;
    std::int32_t HSBHue = 0;
    std::uint8_t HSBSaturation = 0, HSBBrightness = 0;
    std::uint8_t Cyan = 0, Magenta = 0, Yellow = 0;
};

// Every system computed from red, green and blue; black reads HSB 0, 0, 0.
ColorValues ComputeColorValues(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// As SetColors keeps them: the slider mode's three values as the sliders gave
// them (RGB mode ignores them; saturation-like values are limited to 0-255),
// every other system computed from red, green and blue.
ColorValues ComputeColorValues(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                               int sliderMode, const std::array<std::int32_t, 3> &modeValues);

struct OutputOptions {
    bool LowercaseHex = false;
    bool AddExtraZerosToHex = false;
};

// The text of one box by the built-in rule; "" for a box outside 0-6.
QString BuiltInBoxText(int box, const ColorValues &values, const FormatScheme &scheme,
                       const OutputOptions &options);
std::array<QString, kBoxCount> BuiltInBoxTexts(const ColorValues &values,
                                               const FormatScheme &scheme,
                                               const OutputOptions &options);

// The box text from what an export script left: its output text, or for boxes
// 3-6 with an empty output text the three output values as they are (no
// OutputBase scaling) with the format's patterns and separators.
QString ExportScriptBoxText(int box, const FormatScheme &scheme, const ScriptResult &script);

// "He&xadecimal" gives "Hexadecimal Export Formatting".
QString ExportScriptName(const FormatScheme &scheme, int box);

// Runs the code on the export engine; the script objects write into the ScriptResult.
using ExportScriptRunner = std::function<void(const QString &code)>;

// nullopt (not handled) when the box's format has no export script or there is
// no runner yet; otherwise clears the output text and values, runs the script
// and returns the box text, also when the script failed (its separators then
// stand around zeros). A box outside 0-6 is handled with nothing to write: "".
std::optional<QString> RunExportScript(int box, const FormatScheme &scheme, ScriptResult &script,
                                       const ExportScriptRunner &runScript2);

// All seven boxes in box order. Around the round the echo flag is saved and
// cleared, the script name is set for each box, and both are put back after.
std::array<QString, kBoxCount> FillOutputBoxes(const ColorValues &values,
                                               const FormatScheme &scheme,
                                               const OutputOptions &options, ScriptResult &script,
                                               const ExportScriptRunner &runScript2 = {});
// The same with the context's scheme, options and script state.
std::array<QString, kBoxCount> FillOutputBoxes(AppContext &context, const ColorValues &values,
                                               const ExportScriptRunner &runScript2 = {});

} // namespace tintwell

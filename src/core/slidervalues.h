#pragma once
// The values behind the slider rows and their three text boxes, kept apart
// from the window so they can be tested. The main window owns one
// SliderState, copies BoxText into its txtRGBValue boxes after each call that
// writes them (and back before each call that reads them), and does the
// drawing itself.
//
// Units: scheme units are what a box shows (0 to InputBase), internal units
// are 0-255 (hue 0-360). Items 0-2 are the three sliders of the mode, 3 the
// shade slider, which has no box. Calls with an item out of range do nothing
// and give 0.

#include "core/scalefactors.h"
#include "core/scheme.h"

#include <QString>
#include <array>
#include <cstdint>

namespace tintwell {

struct SliderState {
    int SliderMode = 0;     // 0 RGB, 1 HSL, 2 HSB, 3 CMY
    int PrevSliderMode = 0; // the mode the sliders were last filled in
    std::array<float, 4> SliderValue{};    // scheme units, shade last
    float ShadeValue = 0;                  // shade scheme units
    std::array<float, 4> LastDrawnValue{}; // 0-2 internal, 3 the shade in scheme units
    std::array<float, 6> FixValue{};       // internal units, see InitFixValues
    bool UseOldSliders = false;            // the "Use Old Sliders" option
    std::array<QString, 3> BoxText;        // the texts of txtRGBValue(0..2)
};

// The number in box i, unscaled. Digit-group commas are ignored; a text that
// is not a number reads as 0.
float GetSliderText(const SliderState &state, int i);
// Box i = v (scheme units) in the box's pattern.
void SetSliderText(SliderState &state, const FormatScheme &scheme, int i, float v);
// Box i = v (internal units) in scheme units and the box's pattern.
void WriteSliderValue(SliderState &state, const FormatScheme &scheme,
                      const ScaleFactors &factors, int i, float v);
// The number in box i in internal units, with the scale of the previous mode
// (the boxes still hold that mode's values during a mode change).
float ReadSliderText(const SliderState &state, const ScaleFactors &factors, int i);
// Internal units to scheme units of the current mode; i 0-3.
float ToSliderUnits(const SliderState &state, const ScaleFactors &factors, int i, float v);
// Scheme units to an internal 8-bit value, limited to 0-255, ties to even.
std::uint8_t ToInternalByte(const SliderState &state, const ScaleFactors &factors, int i,
                            float v);
// Thumb width of an old-style slider: one large step of the track, at least 7
// pixels; 0 when the new style is on.
std::int32_t OldThumbSize(const SliderState &state, const FormatScheme &scheme, int i);

// Cleans box i when it loses the focus: keeps digits and periods, an empty
// (or digit-less) text becomes 0, a value above the slider's maximum becomes
// the maximum. A text with more than one period is no number: the box gets
// the slider's previous value back. Writes and returns the new text; the
// window then calls SetColors(-1, True, True).
QString CommitSliderText(SliderState &state, const FormatScheme &scheme, int i);

// Before a scheme change: the slider values in internal units.
void InitFixValues(SliderState &state, const ScaleFactors &factors);
// After the change (factors already recomputed): the values back in the new
// scheme's units and the three boxes rewritten. The window redraws the sliders.
void FixValues(SliderState &state, const FormatScheme &scheme, const ScaleFactors &factors);

} // namespace tintwell

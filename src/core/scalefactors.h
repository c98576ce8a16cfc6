#pragma once
// Factors between the three unit systems of a slider: scheme units (what the
// box shows, 0 to InputBase), internal units (0-255, hue 0-360) and track pixels.
// Recompute with ComputeScaleFactors after every load or edit of the scheme.

#include <array>

namespace tintwell {

struct FormatScheme;

constexpr int kScaleFactorCount = 22;

// Entries of one system's row. Items 0-2 are the main sliders, 3 the shade.
constexpr int kPixelsPerUnit = 0;     // 0-2 main sliders, 3 shade
constexpr int kUnitsPerPixel = 4;     // 4-6 main sliders, 7 shade
constexpr int kInternalPerUnit = 8;   // 8-11
constexpr int kUnitsPerInternal = 12; // 12-15
constexpr int kInternalPerOutput = 16; // 16-18
constexpr int kOutputPerInternal = 19; // 19-21

// Track lengths in pixels of a main slider and of the shade slider.
constexpr float kMainTrackPixels = 174.0f;
constexpr float kShadeTrackPixels = 198.0f;

// ScaleFactors[system][entry], system 0 RGB, 1 HSL, 2 HSB, 3 CMY.
using ScaleFactors = std::array<std::array<float, kScaleFactorCount>, 4>;

// Every quotient is a 32-bit float. A zero divisor (a scheme maximum of 0,
// which the editor rejects but a hand-made slot file may hold) gives a factor
// of 0 rather than infinity, so a broken scheme shows zeros instead of
// spreading infinities and NaNs through the colour arithmetic.
ScaleFactors ComputeScaleFactors(const FormatScheme &scheme);

} // namespace tintwell

#include "core/scalefactors.h"

#include "core/scheme.h"

namespace tintwell {

namespace {

float quotient(float numerator, float denominator)
{
    return denominator == 0.0f ? 0.0f : numerator / denominator;
}

} // namespace

ScaleFactors ComputeScaleFactors(const FormatScheme &scheme)
{
    ScaleFactors factors{};
    for (int s = 0; s < kSystemCount; ++s) {
        const NumericFormat &record = scheme.Formats[s];
        std::array<float, kScaleFactorCount> &row = factors[s];
        for (int i = 0; i < 3; ++i) {
            const float b = record.InputBase[i];
            const float o = record.OutputBase[i];
            row[kUnitsPerInternal + i] = quotient(b, 255.0f);
            row[kInternalPerUnit + i] = quotient(255.0f, b);
            row[kUnitsPerPixel + i] = quotient(b, kMainTrackPixels);
            row[kPixelsPerUnit + i] = quotient(kMainTrackPixels, b);
            row[kOutputPerInternal + i] = quotient(o, 255.0f);
            row[kInternalPerOutput + i] = quotient(255.0f, o);
        }
        const float shade = record.InputBase[TN_SHADE];
        row[kUnitsPerInternal + 3] = quotient(shade, 255.0f);
        row[kInternalPerUnit + 3] = quotient(255.0f, shade);
        row[kUnitsPerPixel + 3] = quotient(shade, kShadeTrackPixels);
        row[kPixelsPerUnit + 3] = quotient(kShadeTrackPixels, shade);

        // The hue runs 0-360 inside; its track still has the same pixels.
        if (s == TN_HSL || s == TN_HSB) {
            const float b = record.InputBase[0];
            const float o = record.OutputBase[0];
            row[kUnitsPerInternal] = quotient(b, 360.0f);
            row[kInternalPerUnit] = quotient(360.0f, b);
            row[kOutputPerInternal] = quotient(o, 360.0f);
            row[kInternalPerOutput] = quotient(360.0f, o);
        }
    }
    return factors;
}

} // namespace tintwell

#include "core/slidervalues.h"

#include "core/colormodel.h"
#include "core/numberformat.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tintwell {

namespace {

bool isBox(int i)
{
    return i >= 0 && i < 3;
}

bool isItem(int i)
{
    return i >= 0 && i < 4;
}

int clampMode(int mode)
{
    return mode < 0 || mode >= kSystemCount ? 0 : mode;
}

const NumericFormat &record(const SliderState &state, const FormatScheme &scheme)
{
    return scheme.Formats[clampMode(state.SliderMode)];
}

float factor(const ScaleFactors &factors, int mode, int entry)
{
    return factors[clampMode(mode)][entry];
}

} // namespace

float GetSliderText(const SliderState &state, int i)
{
    if (!isBox(i))
        return 0;
    QString text = state.BoxText[i];
    text.remove(u',');
    return ParseSchemeSingle(text).value_or(0.0f);
}

void SetSliderText(SliderState &state, const FormatScheme &scheme, int i, float v)
{
    if (!isBox(i))
        return;
    state.BoxText[i] = FormatSingle(v, record(state, scheme).InputFormat[i]);
}

void WriteSliderValue(SliderState &state, const FormatScheme &scheme,
                      const ScaleFactors &factors, int i, float v)
{
    if (!isBox(i))
        return;
    const float units = v * factor(factors, state.SliderMode, kUnitsPerInternal + i);
    state.BoxText[i] = FormatSingle(units, record(state, scheme).InputFormat[i]);
}

float ReadSliderText(const SliderState &state, const ScaleFactors &factors, int i)
{
    if (!isBox(i))
        return 0;
    return GetSliderText(state, i) * factor(factors, state.PrevSliderMode, kInternalPerUnit + i);
}

float ToSliderUnits(const SliderState &state, const ScaleFactors &factors, int i, float v)
{
    if (!isItem(i))
        return 0;
    return v * factor(factors, state.SliderMode, kUnitsPerInternal + i);
}

std::uint8_t ToInternalByte(const SliderState &state, const ScaleFactors &factors, int i,
                            float v)
{
    if (!isItem(i))
        return 0;
    const float w = v * factor(factors, state.SliderMode, kInternalPerUnit + i);
    if (!(w > 0)) // also NaN
        return 0;
    if (w > 255)
        return 255;
    return static_cast<std::uint8_t>(RoundHalfEven(w));
}

std::int32_t OldThumbSize(const SliderState &state, const FormatScheme &scheme, int i)
{
    if (!state.UseOldSliders || !isItem(i))
        return 0;
    constexpr std::int32_t kMinimum = 7;
    const NumericFormat &r = record(state, scheme);
    const float track = i == TN_SHADE ? 199.0f : 175.0f;
    const float steps = r.InputBase[i] / r.InputLargeStep[i] + 1.0f;
    const float width = track / steps;
    // A zero or negative large step has no sensible width: the smallest thumb.
    if (!std::isfinite(width) || width < kMinimum)
        return kMinimum;
    return ToInt32(width).value_or(kMinimum);
}

QString CommitSliderText(SliderState &state, const FormatScheme &scheme, int i)
{
    if (!isBox(i))
        return {};
    const NumericFormat &r = record(state, scheme);
    const QString &pattern = r.InputFormat[i];
    QString text = FilterChars(state.BoxText[i], QStringLiteral("1234567890."), false, false);

    QString result;
    if (text.count(u'.') > 1) {
        result = FormatSingle(state.SliderValue[i], pattern);
    } else {
        const bool hasDigit = std::any_of(text.cbegin(), text.cend(),
                                          [](QChar c) { return c.isDigit(); });
        // Digits only, so a failed parse means more digits than a double holds.
        const std::optional<double> value =
            hasDigit ? ParseSchemeNumber(text) : std::optional<double>(0.0);
        if (value && *value <= r.InputBase[i])
            result = FormatNumber(*value, pattern);
        else
            result = FormatSingle(r.InputBase[i], pattern);
    }
    state.BoxText[i] = result;
    return result;
}

void InitFixValues(SliderState &state, const ScaleFactors &factors)
{
    const int mode = state.SliderMode;
    for (int i = 0; i < 4; ++i)
        state.FixValue[i] = factor(factors, mode, kInternalPerUnit + i) * state.SliderValue[i];
    state.FixValue[4] = factor(factors, mode, kInternalPerUnit + 3) * state.ShadeValue;
    state.FixValue[5] = factor(factors, mode, kInternalPerUnit + 3) * state.LastDrawnValue[3];
}

void FixValues(SliderState &state, const FormatScheme &scheme, const ScaleFactors &factors)
{
    const int mode = state.SliderMode;
    for (int i = 0; i < 4; ++i)
        state.SliderValue[i] = factor(factors, mode, kUnitsPerInternal + i) * state.FixValue[i];
    state.ShadeValue = factor(factors, mode, kUnitsPerInternal + 3) * state.FixValue[4];
    state.LastDrawnValue[3] = factor(factors, mode, kUnitsPerInternal + 3) * state.FixValue[5];
    for (int i = 0; i < 3; ++i)
        SetSliderText(state, scheme, i, state.SliderValue[i]);
}

} // namespace tintwell

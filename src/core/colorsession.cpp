#include "core/colorsession.h"

#include "core/colormodel.h"

#include <algorithm>
#include <cmath>

namespace tintwell {

namespace {

std::uint8_t clampByte(double v)
{
    return std::uint8_t(std::clamp(RoundHalfEven(v), 0.0, 255.0));
}

} // namespace

ColorSession::ColorSession(AppContext &context, QObject *parent)
    : QObject(parent)
    , m_ctx(context)
{
}

std::array<float, 3> ColorSession::modeComponents(const ColorValues &v) const
{
    switch (m_s.SliderMode) {
    case kSliderModeHSL: return {float(v.HSLHue), float(v.HSLSaturation), float(v.HSLLightness)};
    case kSliderModeHSB: return {float(v.HSBHue), float(v.HSBSaturation), float(v.HSBBrightness)};
    case kSliderModeCMY: return {float(v.Cyan), float(v.Magenta), float(v.Yellow)};
    default: return {float(v.Red), float(v.Green), float(v.Blue)};
    }
}

void ColorSession::afterBoxesWritten()
{
    m_written = m_s.BoxText;
    emit boxesWritten();
}

void ColorSession::setBoxText(int row, const QString &text)
{
    if (row >= 0 && row < 3)
        m_s.BoxText[std::size_t(row)] = text;
}

void ColorSession::setColor(std::int32_t colour, bool changePaletteIndex, bool changeSliders)
{
    ShadeDriven = false;
    SetColors(colour, changePaletteIndex, changeSliders);
}

void ColorSession::readSliders()
{
    std::int32_t colour = -1;
    SetColors(colour, true, true);
}

void ColorSession::refreshKeepingColour()
{
    m_keepColour = true;
    readSliders();
    m_keepColour = false;
}

// ------------------------------------------------------------ slider rows

void ColorSession::stepPressed(int row, int direction, float v)
{
    if (row == kShadeRow) {
        const float base = m_ctx.Scheme.Formats[std::size_t(m_s.SliderMode)].InputBase[kShadeRow];
        if ((direction < 0 && v < m_s.ShadeValue) || (direction > 0 && v > m_s.ShadeValue)) {
            m_s.ShadeValue = std::clamp(v, 0.0f, base);
            m_s.SliderValue[kShadeRow] = m_s.ShadeValue;
            applyShade();
            readSliders();
        }
        return;
    }
    if (row < 0 || row > 2)
        return;
    ShadeDriven = false;
    const float inBox = GetSliderText(m_s, row);
    bool commit = false;
    if (direction < 0) {
        if (v < inBox && v >= 0)
            SetSliderText(m_s, m_ctx.Scheme, row, v);
        commit = v < inBox;
    } else if (inBox < v) {
        SetSliderText(m_s, m_ctx.Scheme, row, v);
        commit = true;
    }
    if (!commit)
        return;
    CommitSliderText(m_s, m_ctx.Scheme, row);
    Updating = true;
    afterBoxesWritten();
    Updating = false;
    readSliders();
}

void ColorSession::valueRequested(int row, float v)
{
    if (row == kShadeRow) {
        m_s.ShadeValue = v;
        m_s.SliderValue[kShadeRow] = v;
        applyShade();
    } else if (row >= 0 && row < 3) {
        ShadeDriven = false;
        Updating = true;
        SetSliderText(m_s, m_ctx.Scheme, row, v);
        afterBoxesWritten();
        Updating = false;
    } else {
        return;
    }
    readSliders();
}

bool ColorSession::commitBox(int row)
{
    if (Updating || row < 0 || row > 2)
        return false;
    // Untouched text is a view of the colour in the box's units, often
    // rounded (HSL, percentages): reading it back would change the colour.
    if (m_s.BoxText[std::size_t(row)] == m_written[std::size_t(row)])
        return false;
    CommitSliderText(m_s, m_ctx.Scheme, row);
    Updating = true;
    afterBoxesWritten();
    Updating = false;
    ShadeDriven = false;
    readSliders();
    return true;
}

void ColorSession::restoreBox(int row, float rowValue)
{
    SetSliderText(m_s, m_ctx.Scheme, row, rowValue);
    Updating = true;
    afterBoxesWritten();
    Updating = false;
}

void ColorSession::setSliderMode(int mode)
{
    if (mode < 0 || mode > 3 || mode == m_s.SliderMode)
        return;
    m_s.SliderMode = mode;
    emit slidersChanged();
    if (m_ctx.FormLoaded)
        readSliders();
}

void ColorSession::setUseOldSliders(bool old)
{
    m_s.UseOldSliders = old;
    emit slidersChanged();
    // Only the sliders' look changes: reading them back in a scheme coarser
    // than bytes, or in HSL, would round the colour.
    refreshKeepingColour();
}

// ------------------------------------------------------------ shade slider

void ColorSession::applyShade()
{
    const std::uint8_t L = ToInternalByte(m_s, m_ctx.Factors, kShadeRow, m_s.ShadeValue);
    std::uint8_t r = 0, g = 0, b = 0;
    HSLToRGB(std::int32_t(RoundHalfEven(ShadeHue)), clampByte(ShadeSaturation), L, r, g, b);
    std::array<float, 3> out{float(r), float(g), float(b)};
    switch (m_s.SliderMode) {
    case kSliderModeHSL:
        out = {float(m_values.HSLHue), float(m_values.HSLSaturation), float(L)};
        break;
    case kSliderModeHSB: {
        std::int32_t h = 0;
        std::uint8_t s = 0, br = 0;
        RGBToHSB(r, g, b, h, s, br);
        out = {float(h), float(s), float(br)};
        break;
    }
    case kSliderModeCMY: {
        std::uint8_t c = 0, m = 0, y = 0;
        RGBToCMY(r, g, b, c, m, y);
        out = {float(c), float(m), float(y)};
        break;
    }
    default:
        break;
    }
    Updating = true;
    for (int i = 0; i < 3; ++i)
        WriteSliderValue(m_s, m_ctx.Scheme, m_ctx.Factors, i, out[std::size_t(i)]);
    afterBoxesWritten();
    Updating = false;
    ShadeDriven = true;
}

// ------------------------------------------------------------ scheme change

void ColorSession::InitFixValues()
{
    tintwell::InitFixValues(m_s, m_ctx.Factors);
}

void ColorSession::FixValues()
{
    tintwell::FixValues(m_s, m_ctx.Scheme, m_ctx.Factors);
    Updating = true;
    afterBoxesWritten();
    Updating = false;
    emit slidersChanged();
}

int ColorSession::changeScheme(int index)
{
    InitFixValues();
    // A slot that no longer loads still counts as chosen; the load has said
    // what went wrong and left the scheme it could.
    const int result = m_ctx.loadScheme(index, [this] { emit schemeLoaded(); });
    m_ctx.SchemeIndex = index;
    FixValues();
    refreshKeepingColour();
    return result;
}

// ---------------------------------------------------------------- SetColors

void ColorSession::SetColors(std::int32_t &Color, bool ChangePaletteIndex, bool ChangeSliders)
{
    if (m_ctx.Loading || Updating)
        return;
    if (Color != -1)
        ShadeDriven = false;
    // Back at the lightness it started from, the shade row gives the colour
    // it started from, which HSL does not always convert back to exactly.
    if (Color == -1 && ShadeDriven && ShadeBaseColor >= 0 &&
        ToInternalByte(m_s, m_ctx.Factors, kShadeRow, m_s.ShadeValue) == ShadeBaseLightness)
        Color = ShadeBaseColor;
    const int mode = m_s.SliderMode;
    const bool modeChanged = mode != m_s.PrevSliderMode;
    if (modeChanged) {
        // The shade keeps its place in the new units.
        const auto &prev = m_ctx.Scheme.Formats[std::size_t(m_s.PrevSliderMode)];
        const auto &next = m_ctx.Scheme.Formats[std::size_t(mode)];
        if (prev.InputBase[kShadeRow] > 0) {
            m_s.ShadeValue = m_s.ShadeValue * 255.0f / prev.InputBase[kShadeRow] * next.InputBase[kShadeRow] / 255.0f;
            m_s.SliderValue[kShadeRow] = m_s.ShadeValue;
        }
    }
    Updating = true;

    if (Color == -1 && (modeChanged || m_keepColour) && m_ctx.FormLoaded) {
        // A mode or scheme switch shows the same colour in the new system or
        // units. Reading it back through the new boxes would round it into a
        // different colour, so the colour and every value behind the outputs
        // stay as they are.
        const std::array<float, 3> comp = modeComponents(m_values);
        for (int i = 0; i < 3; ++i) {
            WriteSliderValue(m_s, m_ctx.Scheme, m_ctx.Factors, i, comp[std::size_t(i)]);
            m_s.SliderValue[std::size_t(i)] = ToSliderUnits(m_s, m_ctx.Factors, i, comp[std::size_t(i)]);
        }
        Color = m_values.Color;
    } else if (Color == -1) {
        std::array<std::int32_t, 3> modeValues{};
        const auto &factors = m_ctx.Factors[std::size_t(mode)];
        for (int i = 0; i < 3; ++i) {
            const double internal = double(GetSliderText(m_s, i)) * double(factors[std::size_t(kInternalPerUnit + i)]);
            const bool hue = i == 0 && (mode == kSliderModeHSL || mode == kSliderModeHSB);
            modeValues[std::size_t(i)] = hue ? std::int32_t(std::clamp(RoundHalfEven(internal), 0.0, 360.0))
                                             : std::int32_t(clampByte(internal));
            m_s.SliderValue[std::size_t(i)] = ToSliderUnits(m_s, m_ctx.Factors, i, float(modeValues[std::size_t(i)]));
        }
        std::uint8_t r = 0, g = 0, b = 0;
        const auto m0 = modeValues[0];
        const auto m1 = std::uint8_t(modeValues[1]);
        const auto m2 = std::uint8_t(modeValues[2]);
        switch (mode) {
        case kSliderModeHSL: HSLToRGB(m0, m1, m2, r, g, b); break;
        case kSliderModeHSB: HSBToRGB(m0, m1, m2, r, g, b); break;
        case kSliderModeCMY: RGBToCMY(std::uint8_t(m0), m1, m2, r, g, b); break;
        default: r = std::uint8_t(m0); g = m1; b = m2; break;
        }
        m_values = ComputeColorValues(r, g, b, mode, modeValues);
        Color = m_values.Color;
    } else {
        std::int16_t r = 0, g = 0, b = 0;
        if (!SplitColor(Color, r, g, b)) {
            // Not a plain colour (a system-colour reference or a stray top
            // byte): only its colour bytes count.
            SplitColor(Color & 0xFFFFFF, r, g, b);
        }
        m_values = ComputeColorValues(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
        const std::array<float, 3> comp = modeComponents(m_values);
        for (int i = 0; i < 3; ++i)
            WriteSliderValue(m_s, m_ctx.Scheme, m_ctx.Factors, i, comp[std::size_t(i)]);
        Color = m_values.Color;
    }
    afterBoxesWritten();

    if (!ShadeDriven) {
        ShadeHue = float(m_values.HSLHue);
        ShadeSaturation = float(m_values.HSLSaturation);
        ShadeBaseColor = m_values.Color;
        ShadeBaseLightness = m_values.HSLLightness;
        m_s.ShadeValue = ToSliderUnits(m_s, m_ctx.Factors, kShadeRow, float(m_values.HSLLightness));
        m_s.SliderValue[kShadeRow] = m_s.ShadeValue;
    }

    if (ChangeSliders) {
        const std::array<float, 3> comp = modeComponents(m_values);
        bool redraw = !m_tracksDrawn || modeChanged;
        for (int i = 0; i < 3; ++i)
            redraw = redraw || comp[std::size_t(i)] != m_s.LastDrawnValue[std::size_t(i)];
        for (int i = 0; i < 3; ++i)
            m_s.LastDrawnValue[std::size_t(i)] = comp[std::size_t(i)];
        // The gradients of the other rows follow every colour change, so a
        // change anywhere redraws all tracks.
        if (redraw || m_s.ShadeValue != m_s.LastDrawnValue[kShadeRow]) {
            emit slidersChanged();
            m_tracksDrawn = true;
        }
        m_s.LastDrawnValue[kShadeRow] = m_s.ShadeValue;
        m_s.PrevSliderMode = mode;
    }
    Updating = false;

    const std::int32_t shown = Color;
    emit colorChanged(shown);

    // Export scripts may set another colour while they run. Work on a copy,
    // and let a nested change that finished first keep the outputs it wrote.
    const std::uint64_t generation = ++m_generation;
    const ColorValues values = m_values;
    std::array<QString, kBoxCount> texts = FillOutputBoxes(m_ctx, values, m_exportRunner);
    if (generation != m_generation)
        return;
    if (texts != m_outputs) {
        m_outputs = std::move(texts);
        emit outputsChanged();
    }

    const std::optional<int> found = FindPaletteColor(m_ctx.Palette, shown);
    if (found && m_ctx.Palette.AutoSelect && ChangePaletteIndex && *found != m_ctx.Palette.PaletteIndex) {
        emit paletteEntryChosen(*found);
        m_ctx.Palette.PaletteIndex = *found;
    }
    m_paletteHasColor = found.has_value();
    emit paletteMatchChanged(m_paletteHasColor);
}

} // namespace tintwell

#include "core/outputengine.h"

#include "core/appcontext.h"
#include "core/colormodel.h"
#include "core/numberformat.h"

#include <algorithm>

namespace tintwell {

namespace {

std::uint8_t ClampByte(std::int32_t v)
{
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

QString Hex(std::uint32_t value, int width, bool lowercase)
{
    QString text = QString::number(value, 16).rightJustified(width, u'0');
    return lowercase ? text : text.toUpper();
}

// S0 + a + S1 + b + S2 + c + S3.
QString Joined(const OutputSeparator &s, const QString &a, const QString &b, const QString &c)
{
    QString text;
    text.reserve(s.LeftEnd.size() + s.LeftSeparator.size() + s.RightSeparator.size()
                 + s.RightEnd.size() + a.size() + b.size() + c.size());
    text += s.LeftEnd;
    text += a;
    text += s.LeftSeparator;
    text += b;
    text += s.RightSeparator;
    text += c;
    text += s.RightEnd;
    return text;
}

// A component scaled to the output unit, stored as a 32-bit float.
QString ScaledByte(std::uint8_t value, float outputBase, const QString &pattern)
{
    return FormatSingle(static_cast<float>(value * double(outputBase) / 255), pattern);
}

// Hues stay in double from the product to the text.
QString ScaledHue(std::int32_t hue, float outputBase, const QString &pattern)
{
    return FormatNumber(hue * double(outputBase) / 360, pattern);
}

QString ThreeBytes(const NumericFormat &f, const OutputSeparator &s, std::uint8_t a,
                   std::uint8_t b, std::uint8_t c)
{
    return Joined(s, ScaledByte(a, f.OutputBase[0], f.OutputFormat[0]),
                  ScaledByte(b, f.OutputBase[1], f.OutputFormat[1]),
                  ScaledByte(c, f.OutputBase[2], f.OutputFormat[2]));
}

QString HueAndTwoBytes(const NumericFormat &f, const OutputSeparator &s, std::int32_t hue,
                       std::uint8_t b, std::uint8_t c)
{
    return Joined(s, ScaledHue(hue, f.OutputBase[0], f.OutputFormat[0]),
                  ScaledByte(b, f.OutputBase[1], f.OutputFormat[1]),
                  ScaledByte(c, f.OutputBase[2], f.OutputFormat[2]));
}

} // namespace

ColorValues ComputeColorValues(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    ColorValues v;
    v.Color = MakeColor(red, green, blue);
    v.Red = red;
    v.Green = green;
    v.Blue = blue;
    RGBToHSL(red, green, blue, v.HSLHue, v.HSLSaturation, v.HSLLightness);
    RGBToHSB(red, green, blue, v.HSBHue, v.HSBSaturation, v.HSBBrightness);
    RGBToCMY(red, green, blue, v.Cyan, v.Magenta, v.Yellow);
    return v;
}

ColorValues ComputeColorValues(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                               int sliderMode, const std::array<std::int32_t, 3> &modeValues)
{
    ColorValues v = ComputeColorValues(red, green, blue);
    switch (sliderMode) {
    case kSliderModeHSL:
        v.HSLHue = modeValues[0];
        v.HSLSaturation = ClampByte(modeValues[1]);
        v.HSLLightness = ClampByte(modeValues[2]);
        break;
    case kSliderModeHSB:
        v.HSBHue = modeValues[0];
        v.HSBSaturation = ClampByte(modeValues[1]);
        v.HSBBrightness = ClampByte(modeValues[2]);
        break;
    case kSliderModeCMY:
        v.Cyan = ClampByte(modeValues[0]);
        v.Magenta = ClampByte(modeValues[1]);
        v.Yellow = ClampByte(modeValues[2]);
        break;
    default:
        break;
    }
    return v;
}

QString BuiltInBoxText(int box, const ColorValues &values, const FormatScheme &scheme,
                       const OutputOptions &options)
{
    const int format = SchemeFormatOfBox(box);
    if (format < 0)
        return QString();
    const OutputSeparator &s = scheme.OutputSeparators[std::size_t(format)];

    switch (box) {
    case kBoxHTML: {
        const auto html = std::uint32_t(values.Red) << 16 | std::uint32_t(values.Green) << 8
                          | values.Blue;
        return s.LeftEnd + Hex(html, 6, options.LowercaseHex) + s.RightEnd;
    }
    case kBoxHex:
        return s.LeftEnd
               + Hex(static_cast<std::uint32_t>(values.Color), options.AddExtraZerosToHex ? 8 : 0,
                     options.LowercaseHex)
               + s.RightEnd;
    case kBoxDecimal:
        return s.LeftEnd + QString::number(values.Color) + s.RightEnd;
    case kBoxRGB:
        return ThreeBytes(scheme.Formats[TN_RGB], s, values.Red, values.Green, values.Blue);
    case kBoxHSL: {
        // What the box shows is corrected; the sliders keep the raw values.
        std::int32_t hue = values.HSLHue == 360 ? 0 : values.HSLHue;
        std::uint8_t saturation = values.HSLSaturation;
        if (saturation == 0)
            hue = 0;
        if (values.HSLLightness == 0 || values.HSLLightness == 255)
            hue = 0, saturation = 0;
        return HueAndTwoBytes(scheme.Formats[TN_HSL], s, hue, saturation, values.HSLLightness);
    }
    case kBoxHSB: {
        std::int32_t hue = values.HSBHue == 360 ? 0 : values.HSBHue;
        std::uint8_t saturation = values.HSBSaturation;
        if (saturation == 0)
            hue = 0;
        if (values.HSBBrightness == 0)
            hue = 0, saturation = 0;
        return HueAndTwoBytes(scheme.Formats[TN_HSB], s, hue, saturation, values.HSBBrightness);
    }
    case kBoxCMY:
        return ThreeBytes(scheme.Formats[TN_CMY], s, values.Cyan, values.Magenta, values.Yellow);
    default:
        return QString();
    }
}

std::array<QString, kBoxCount> BuiltInBoxTexts(const ColorValues &values,
                                               const FormatScheme &scheme,
                                               const OutputOptions &options)
{
    std::array<QString, kBoxCount> texts;
    for (int box = 0; box < kBoxCount; ++box)
        texts[std::size_t(box)] = BuiltInBoxText(box, values, scheme, options);
    return texts;
}

QString ExportScriptBoxText(int box, const FormatScheme &scheme, const ScriptResult &script)
{
    const int format = SchemeFormatOfBox(box);
    if (format < 0)
        return QString();
    if (box <= kBoxDecimal || !script.OutputText.isEmpty())
        return script.OutputText;
    const NumericFormat &f = scheme.Formats[std::size_t(format)];
    return Joined(scheme.OutputSeparators[std::size_t(format)],
                  FormatNumber(script.OutputValue[0], f.OutputFormat[0]),
                  FormatNumber(script.OutputValue[1], f.OutputFormat[1]),
                  FormatNumber(script.OutputValue[2], f.OutputFormat[2]));
}

QString ExportScriptName(const FormatScheme &scheme, int box)
{
    const int format = SchemeFormatOfBox(box);
    if (format < 0)
        return QString();
    return FilterChars(scheme.Info[std::size_t(format)].FormatName, QStringLiteral("&"), true,
                       false)
           + QStringLiteral(" Export Formatting");
}

std::optional<QString> RunExportScript(int box, const FormatScheme &scheme, ScriptResult &script,
                                       const ExportScriptRunner &runScript2)
{
    const int format = SchemeFormatOfBox(box);
    if (format < 0)
        return QString();
    const QString &code = scheme.Info[std::size_t(format)].ExportScript;
    if (code.isEmpty() || !runScript2)
        return std::nullopt;
    // Cleared here as well as by the host, so what an earlier script left can
    // never show up in this box.
    script.OutputText.clear();
    script.OutputValue = {};
    runScript2(code);
    return ExportScriptBoxText(box, scheme, script);
}

std::array<QString, kBoxCount> FillOutputBoxes(const ColorValues &values,
                                               const FormatScheme &scheme,
                                               const OutputOptions &options, ScriptResult &script,
                                               const ExportScriptRunner &runScript2)
{
    const bool echo = script.Echo;
    script.Echo = false;
    std::array<QString, kBoxCount> texts;
    for (int box = 0; box < kBoxCount; ++box) {
        script.ScriptName = ExportScriptName(scheme, box);
        if (auto text = RunExportScript(box, scheme, script, runScript2))
            texts[std::size_t(box)] = std::move(*text);
        else
            texts[std::size_t(box)] = BuiltInBoxText(box, values, scheme, options);
    }
    script.ScriptName.clear();
    script.Echo = echo;
    return texts;
}

std::array<QString, kBoxCount> FillOutputBoxes(AppContext &context, const ColorValues &values,
                                               const ExportScriptRunner &runScript2)
{
    const OutputOptions options{context.LowercaseHex, context.AddExtraZerosToHex};
    return FillOutputBoxes(values, context.Scheme, options, context.Script, runScript2);
}

} // namespace tintwell

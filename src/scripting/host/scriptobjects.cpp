#include "scripting/host/scriptobjects.h"

#include "core/colormodel.h"
#include "core/numberformat.h"
#include "core/outputengine.h"

#include <algorithm>

namespace tintwell::script {

namespace {

const QString kQuote = QStringLiteral("\"");
const QString kLineEnd = QStringLiteral("\r\n");

HostArgument arg(const char *name, ValueType type, bool optional = false)
{
    return {QString::fromLatin1(name), type, optional};
}

HostMember member(const char *name, QList<HostArgument> args, ValueType result)
{
    return {QString::fromLatin1(name), std::move(args), result};
}

QString number(const QVariant &v)
{
    return QString::number(v.toLongLong());
}

} // namespace

ColorSnapshot TakeColorSnapshot(std::int32_t colour)
{
    const auto red = std::uint8_t(colour & 0xFF);
    const auto green = std::uint8_t((colour >> 8) & 0xFF);
    const auto blue = std::uint8_t((colour >> 16) & 0xFF);
    const ColorValues v = ComputeColorValues(red, green, blue);
    ColorSnapshot s;
    s.Red = red;
    s.Green = green;
    s.Blue = blue;
    s.Hue = v.HSLHue == 360 || v.HSLSaturation == 0 ? 0 : v.HSLHue;
    s.Saturation = v.HSLSaturation;
    s.Luminance = v.HSLLightness;
    if (s.Luminance == 0 || s.Luminance == 255) {
        s.Hue = 0;
        s.Saturation = 0;
    }
    s.HueB = v.HSBHue == 360 || v.HSBSaturation == 0 ? 0 : v.HSBHue;
    s.SaturationB = v.HSBSaturation;
    s.Brightness = v.HSBBrightness;
    if (s.Brightness == 0) {
        s.HueB = 0;
        s.SaturationB = 0;
    }
    s.Cyan = v.Cyan;
    s.Magenta = v.Magenta;
    s.Yellow = v.Yellow;
    return s;
}

// ---------------------------------------------------------------- clsTNExport

namespace {
enum ExportMember {
    ResetColors, Output, OutValues, Color, Red, Green, Blue, Hue, Sat, Lum, HueB, SatB, LumB,
    Cyan, Magenta, Yellow
};
} // namespace

clsTNExport::clsTNExport(ScriptResult &state, const ColorAccess &colors, const DebugTrace &trace)
    : m_state(state), m_colors(colors), m_trace(trace)
{
    resetColors();
}

const QList<HostMember> &clsTNExport::members() const
{
    static const QList<HostMember> list = {
        member("INTERNAL_TN_EXPORT_RESET_COLORS", {}, ValueType::Empty),
        member("tnOutput", {arg("FormattedString", ValueType::String)}, ValueType::Empty),
        member("tnOutValues", {arg("Val1", ValueType::Double), arg("Val2", ValueType::Double),
                               arg("Val3", ValueType::Double)}, ValueType::Empty),
        member("tnColor", {}, ValueType::Long),
        member("tnRed", {}, ValueType::Byte),
        member("tnGreen", {}, ValueType::Byte),
        member("tnBlue", {}, ValueType::Byte),
        member("tnHue", {}, ValueType::Long),
        member("tnSat", {}, ValueType::Byte),
        member("tnLum", {}, ValueType::Byte),
        member("tnHueB", {}, ValueType::Long),
        member("tnSatB", {}, ValueType::Byte),
        member("tnLumB", {}, ValueType::Byte),
        member("tnCyan", {}, ValueType::Byte),
        member("tnMagenta", {}, ValueType::Byte),
        member("tnYellow", {}, ValueType::Byte),
    };
    return list;
}

void clsTNExport::resetColors()
{
    m_snapshot = TakeColorSnapshot(m_colors.currentColor());
}

QVariant clsTNExport::invoke(int memberIndex, const QVariantList &args, HostError *)
{
    const ColorSnapshot &s = m_snapshot;
    switch (memberIndex) {
    case ResetColors:
        resetColors();
        return {};
    case Output:
        m_state.OutputText = args.value(0).toString();
        m_trace.trace(QStringLiteral("tnOutput(") + kQuote + m_state.OutputText + kQuote
                      + QStringLiteral(")") + kLineEnd);
        return {};
    case OutValues:
        for (int i = 0; i < 3; ++i)
            m_state.OutputValue[std::size_t(i)] = args.value(i).toDouble();
        m_trace.trace(QStringLiteral("tnOutValues(%1, %2, %3)")
                          .arg(GeneralNumberText(m_state.OutputValue[0]),
                               GeneralNumberText(m_state.OutputValue[1]),
                               GeneralNumberText(m_state.OutputValue[2]))
                      + kLineEnd);
        return {};
    case Color: return m_colors.currentColor();
    case Red: return uint(s.Red);
    case Green: return uint(s.Green);
    case Blue: return uint(s.Blue);
    case Hue: return int(s.Hue);
    case Sat: return uint(s.Saturation);
    case Lum: return uint(s.Luminance);
    case HueB: return int(s.HueB);
    case SatB: return uint(s.SaturationB);
    case LumB: return uint(s.Brightness);
    case Cyan: return uint(s.Cyan);
    case Magenta: return uint(s.Magenta);
    case Yellow: return uint(s.Yellow);
    default: return {};
    }
}

// ------------------------------------------------------------- clsTNConverter

namespace {
enum ConverterMember { ConvColor, ConvRGB, ConvHSL, ConvHSB, ConvCMY, ConvText };
} // namespace

clsTNConverter::clsTNConverter(ScriptResult &state, ColorAccess &colors, clsTNExport &exportObject,
                               const DebugTrace &trace)
    : m_state(state), m_colors(colors), m_export(exportObject), m_trace(trace)
{
}

const QList<HostMember> &clsTNConverter::members() const
{
    static const QList<HostMember> list = {
        member("tnConverterColor", {arg("Color", ValueType::Long)}, ValueType::Empty),
        member("tnConverterRGB", {arg("Val1", ValueType::Byte), arg("Val2", ValueType::Byte),
                                  arg("Val3", ValueType::Byte)}, ValueType::Empty),
        member("tnConverterHSL", {arg("Val1", ValueType::Long), arg("Val2", ValueType::Byte),
                                  arg("Val3", ValueType::Byte)}, ValueType::Empty),
        member("tnConverterHSB", {arg("Val1", ValueType::Long), arg("Val2", ValueType::Byte),
                                  arg("Val3", ValueType::Byte)}, ValueType::Empty),
        member("tnConverterCMY", {arg("Val1", ValueType::Byte), arg("Val2", ValueType::Byte),
                                  arg("Val3", ValueType::Byte)}, ValueType::Empty),
        member("tnConverter", {}, ValueType::String),
    };
    return list;
}

void clsTNConverter::apply(std::int32_t colour, const QString &traceLine)
{
    // SetColors takes a new snapshot for the export scripts it runs and
    // clears the script name at its end; the calling script keeps reading the
    // colour its run started with, and a later time-out still names it.
    const ColorSnapshot before = m_export.snapshot();
    const QString name = m_state.ScriptName;
    m_colors.setColors(colour);
    m_export.restoreSnapshot(before);
    m_state.ScriptName = name;
    // After SetColors has returned and put the echo flag back, so the line
    // stands after anything the nested export scripts could have written.
    m_trace.trace(traceLine);
}

QVariant clsTNConverter::invoke(int memberIndex, const QVariantList &args, HostError *)
{
    if (memberIndex == ConvText)
        return m_colors.converterText();
    if (memberIndex < ConvColor || memberIndex > ConvCMY)
        return {};
    static const char *const names[] = {"tnConverterColor", "tnConverterRGB", "tnConverterHSL",
                                        "tnConverterHSB", "tnConverterCMY"};
    QString line = QString::fromLatin1(names[memberIndex]) + QStringLiteral("(");
    if (memberIndex == ConvColor) {
        const std::int32_t colour = args.value(0).toInt();
        apply(colour, line + kQuote + QString::number(colour) + kQuote + QStringLiteral(")") + kLineEnd);
        return {};
    }
    line += number(args.value(0)) + QStringLiteral(", ") + number(args.value(1))
        + QStringLiteral(", ") + number(args.value(2)) + QStringLiteral(")") + kLineEnd;
    const auto b1 = std::uint8_t(args.value(1).toUInt());
    const auto b2 = std::uint8_t(args.value(2).toUInt());
    // A conversion that fails leaves its outputs at 0 and the call goes on,
    // as every failure inside these members does.
    std::uint8_t red = 0, green = 0, blue = 0;
    switch (memberIndex) {
    case ConvRGB:
        red = std::uint8_t(args.value(0).toUInt());
        green = b1;
        blue = b2;
        break;
    case ConvHSL: HSLToRGB(args.value(0).toInt(), b1, b2, red, green, blue); break;
    case ConvHSB: HSBToRGB(args.value(0).toInt(), b1, b2, red, green, blue); break;
    case ConvCMY: RGBToCMY(std::uint8_t(args.value(0).toUInt()), b1, b2, red, green, blue); break;
    default: break;
    }
    apply(MakeColor(red, green, blue), line);
    return {};
}

// ----------------------------------------------------------------- clsTNDebug

namespace {
enum DebugMember { Print, DebugString, Format, Option, Fmt };
} // namespace

clsTNDebug::clsTNDebug(const AppContext &context, const DebugTrace &trace)
    : m_context(context), m_trace(trace)
{
}

const QList<HostMember> &clsTNDebug::members() const
{
    static const QList<HostMember> list = {
        member("tnPrint", {arg("Data", ValueType::String)}, ValueType::Empty),
        member("tnDebugString", {arg("dbgString", ValueType::String), arg("ValidChars", ValueType::String),
                                 arg("InvalidChars", ValueType::Boolean),
                                 arg("CaseSensitive", ValueType::Boolean)}, ValueType::String),
        // Pattern and week arguments may be left out, as with the language's Format.
        member("tnFormat", {arg("Expression", ValueType::Variant), arg("Formatting", ValueType::Variant, true),
                            arg("FirstDayOfWeek", ValueType::Long, true),
                            arg("FirstWeekOfYear", ValueType::Long, true)}, ValueType::Variant),
        member("tnOption", {arg("OptionId", ValueType::Long)}, ValueType::Boolean),
        member("tnFmt", {arg("FormatType", ValueType::Long), arg("FormatField", ValueType::Long),
                         arg("SubType", ValueType::Long), arg("SubItem", ValueType::Long)},
               ValueType::Variant),
    };
    return list;
}

QVariant clsTNDebug::invoke(int memberIndex, const QVariantList &args, HostError *)
{
    switch (memberIndex) {
    case Print:
        m_trace.print(args.value(0).toString());
        return {};
    case DebugString:
        return FilterChars(args.value(0).toString(), args.value(1).toString(),
                           args.value(2).toBool(), args.value(3).toBool());
    case Format:
        return FormatScriptValue(args.value(0), args.value(1).toString());
    case Option:
        switch (args.value(0).toInt()) {
        case 0: return m_context.LowercaseHex;
        case 1: return m_context.AddExtraZerosToHex;
        default: return false;
        }
    case Fmt:
        return SchemeField(m_context.Scheme, args.value(0).toInt(), args.value(1).toInt(),
                           args.value(2).toInt(), args.value(3).toInt());
    default: return {};
    }
}

QVariant SchemeField(const FormatScheme &scheme, std::int32_t formatType, std::int32_t formatField,
                     std::int32_t subType, std::int32_t subItem)
{
    formatField = std::max(formatField, 0);
    subType = std::max(subType, 0);
    subItem = std::max(subItem, 0);
    if (formatType == 1) {
        const OutputSeparator &s = scheme.OutputSeparators[std::size_t(std::min(formatField, 6))];
        switch (std::min(subItem, 3)) {
        case 0: return s.LeftEnd;
        case 1: return s.LeftSeparator;
        case 2: return s.RightSeparator;
        default: return s.RightEnd;
        }
    }
    if (formatType != 0)
        return {};
    const NumericFormat &f = scheme.Formats[std::size_t(std::min(formatField, 3))];
    subType = std::min(subType, 5);
    if (subType <= 2) {
        const auto item = std::size_t(std::min(subItem, 3));
        const auto &table = subType == 0 ? f.InputBase : subType == 1 ? f.InputStep : f.InputLargeStep;
        return table[item];
    }
    const auto item = std::size_t(std::min(subItem, 2));
    switch (subType) {
    case 3: return f.InputFormat[item];
    case 4: return f.OutputBase[item];
    default: return f.OutputFormat[item];
    }
}

QString FormatScriptValue(const QVariant &expression, const QString &pattern)
{
    if (!expression.isValid())
        return QString();
    switch (expression.typeId()) {
    case QMetaType::Bool:
        return FormatNumber(expression.toBool() ? -1.0 : 0.0, pattern);
    case QMetaType::Float:
        return FormatSingle(expression.toFloat(), pattern);
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::Short: case QMetaType::Double:
    case QMetaType::LongLong: case QMetaType::ULongLong:
        return FormatNumber(expression.toDouble(), pattern);
    default:
        break;
    }
    const QString text = expression.toString();
    if (const auto value = ParseSchemeNumber(text))
        return FormatNumber(*value, pattern);
    return text;
}

} // namespace tintwell::script

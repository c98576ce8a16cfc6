#include "advanced/advancednodes.h"

#include "core/colormodel.h"
#include "core/numberformat.h"

#include <array>

namespace tintwell {

namespace {

constexpr std::array<const char *, kFormatCount> kFormatKeys = {"RGB", "HSL", "HSB", "CMY",
                                                               "HTM", "HEX", "DEC"};

struct FieldRow {
    NodeField field;
    const char *key;
    const char *text;
};

// The eight fields of a colour system, in tree order; HTML, Hexadecimal and
// Decimal have only the first and the fourth.
constexpr std::array<FieldRow, 8> kFields = {{
    {NodeField::FormatName, "FormatName", "Format Name"},
    {NodeField::OutputBase, "OutputBase", "Output Base"},
    {NodeField::OutputFormat, "OutputFormat", "Output Format"},
    {NodeField::OutputSeparators, "OutputSeparators", "Output Separators"},
    {NodeField::InputBase, "InputBase", "Input Base"},
    {NodeField::InputFormat, "InputFormat", "Input Format"},
    {NodeField::InputStep, "InputStep", "Slider Step"},
    {NodeField::InputLargeStep, "InputLargeStep", "Slider Large Step"},
}};

const FieldRow *fieldRow(NodeField field)
{
    for (const FieldRow &row : kFields)
        if (row.field == field)
            return &row;
    return nullptr;
}

bool isSystem(int format) { return format >= 0 && format < kSystemCount; }

const char *const kDescriptions[kFormatCount] = {
    "Formatting options for the RGB (Red, Green, Blue) color system.",
    "Formatting options for the HSL (Hue, Saturation, Luminescence) color system.",
    "Formatting options for the HSB/HSV (Hue, Saturation, Brilliance/Value) color system.",
    "Formatting options for the CMY (Cyan, Magenta, Yellow) color system.",
    "Formatting options for the HTML (Hyper Text Markup Language) color system.",
    "Formatting options for the Hexadecimal color system.",
    "Formatting options for the Decimal color system.",
};

QString plainName(const QString &formatName)
{
    return FilterChars(formatName, QStringLiteral("&"), true, true);
}

template <std::size_t N>
QStringList texts(const std::array<float, N> &values)
{
    QStringList out;
    for (const float v : values)
        out << SingleText(v);
    return out;
}

template <std::size_t N>
QStringList texts(const std::array<QString, N> &values)
{
    return QStringList(values.begin(), values.end());
}

QStringList sliderLabels()
{
    return {QStringLiteral("&Top Slider:"), QStringLiteral("&Middle Slider:"),
            QStringLiteral("&Bottom Slider:"), QStringLiteral("S&hade Slider:")};
}

} // namespace

QString FormatKey(int format)
{
    if (format < 0 || format >= kFormatCount)
        return {};
    return QString::fromLatin1(kFormatKeys[std::size_t(format)]);
}

QString NodeKey(NodeRef node)
{
    switch (node.field) {
    case NodeField::None: return {};
    case NodeField::SchemeName: return QStringLiteral("Name");
    case NodeField::Format: return FormatKey(node.format);
    default: break;
    }
    const FieldRow *row = fieldRow(node.field);
    return FormatKey(node.format) + QString::fromLatin1(row->key);
}

NodeRef ParseNodeKey(const QString &key)
{
    if (key == QLatin1String("Name"))
        return {NodeField::SchemeName, -1};
    for (int f = 0; f < kFormatCount; ++f) {
        if (!key.startsWith(QLatin1String(kFormatKeys[std::size_t(f)])))
            continue;
        const QStringView rest = QStringView(key).mid(3);
        if (rest.isEmpty())
            return {NodeField::Format, f};
        for (const FieldRow &row : kFields) {
            if (rest != QLatin1String(row.key))
                continue;
            const bool shared = row.field == NodeField::FormatName
                                || row.field == NodeField::OutputSeparators;
            if (shared || isSystem(f))
                return {row.field, f};
        }
        return {};
    }
    return {};
}

QList<TreeNode> TreeNodes(const FormatScheme &scheme)
{
    QList<TreeNode> nodes;
    nodes.append({QStringLiteral("Name"), QStringLiteral("Scheme Name"), {}});
    auto formatNode = [&](int f) {
        nodes.append({FormatKey(f), plainName(scheme.Info[std::size_t(f)].FormatName)
                                        + QStringLiteral(" Format"),
                      {}});
    };
    auto fieldNode = [&](int f, const FieldRow &row) {
        nodes.append({FormatKey(f) + QString::fromLatin1(row.key), QString::fromLatin1(row.text),
                      FormatKey(f)});
    };
    for (const int f : {TN_HTML, TN_HEX, TN_DEC})
        formatNode(f);
    for (int f = 0; f < kSystemCount; ++f) {
        formatNode(f);
        for (const FieldRow &row : kFields)
            fieldNode(f, row);
    }
    for (const int f : {TN_HTML, TN_HEX, TN_DEC}) {
        fieldNode(f, kFields[0]);
        fieldNode(f, kFields[3]);
    }
    return nodes;
}

NodeDisplay DescribeNode(NodeRef node, const FormatScheme &scheme, const QString &schemeName)
{
    NodeDisplay d;
    const QString prefix = QStringLiteral("&Advanced Formatting Options - ");
    if (node.field == NodeField::None)
        return d;
    if (node.field == NodeField::SchemeName) {
        d.caption = prefix + QStringLiteral("Scheme Name");
        d.info = QStringLiteral("The scheme name represents the formatting scheme on the format menu.");
        d.labels = {QStringLiteral("Scheme &Name:")};
        d.values = {schemeName};
        d.maxLength = kSchemeNameMaxLength;
        return d;
    }

    const auto f = std::size_t(node.format);
    auto title = [&](const char *text) {
        d.caption = prefix + plainName(scheme.Info[f].FormatName) + QLatin1Char(' ')
                    + QString::fromLatin1(text);
    };
    const NumericFormat *record = isSystem(node.format) ? &scheme.Formats[f] : nullptr;
    switch (node.field) {
    case NodeField::Format:
        title("Formatting Options");
        d.info = QString::fromLatin1(kDescriptions[f])
                 + QStringLiteral(" Note: Description may not apply to script enabled color systems.");
        d.scripting = true;
        break;
    case NodeField::FormatName:
        title("Format Name");
        d.info = QStringLiteral("The format name is the displayed name of the color format (such as "
                                "RGB, HTML, Hexadecimal, etc.).");
        d.labels = {QStringLiteral("Format Name:")};
        d.values = {scheme.Info[f].FormatName};
        d.maxLength = 0;
        break;
    case NodeField::OutputBase:
        title("Output Base");
        d.info = QStringLiteral("The output base is the maximum value for a field.");
        d.labels = {QStringLiteral("Value &1:"), QStringLiteral("Value &2:"),
                    QStringLiteral("Value &3:")};
        d.values = texts(record->OutputBase);
        break;
    case NodeField::OutputFormat:
        title("Output Format");
        d.info = QStringLiteral("The output format is the numerical formatting for a field. Legal "
                                "values are: one period (.), and any number of pound signs (#), "
                                "zeros (0) or commas (,).");
        d.labels = {QStringLiteral("Format &1:"), QStringLiteral("Format &2:"),
                    QStringLiteral("Format &3:")};
        d.values = texts(record->OutputFormat);
        break;
    case NodeField::OutputSeparators: {
        title("Output Separators");
        d.info = QStringLiteral("The output separators separate each value.");
        // "&Left" rather than "Left &Separator": Alt+S belongs to Save.
        d.labels = {QStringLiteral("Left &End:"), QStringLiteral("&Left Separator:"),
                    QStringLiteral("Right Se&parator:"), QStringLiteral("Right E&nd:")};
        const OutputSeparator &s = scheme.OutputSeparators[f];
        d.values = {s.LeftEnd, s.LeftSeparator, s.RightSeparator, s.RightEnd};
        break;
    }
    case NodeField::InputBase:
        title("Input Base");
        d.info = QStringLiteral("The input base is the maximum value for a slider and it's text "
                                "input box.");
        d.labels = sliderLabels();
        d.values = texts(record->InputBase);
        break;
    case NodeField::InputFormat:
        title("Input Format");
        d.info = QStringLiteral("The input format is the numerical formatting for a slider's text "
                                "input box. Legal values are: one period (.), and any number of "
                                "pound signs (#), zeros (0) or commas (,).");
        d.labels = {QStringLiteral("&Top Input:"), QStringLiteral("&Middle Input:"),
                    QStringLiteral("&Bottom Input:")};
        d.values = texts(record->InputFormat);
        break;
    case NodeField::InputStep:
        title("Slider Step");
        d.info = QStringLiteral("The slider step is the increment made each time the plus or minus "
                                "slider buttons are pressed.");
        d.labels = sliderLabels();
        d.values = texts(record->InputStep);
        break;
    case NodeField::InputLargeStep:
        title("Slider Large Step");
        d.info = QStringLiteral("The slider large step is the increment made when the slider track "
                                "is pressed.");
        d.labels = sliderLabels();
        d.values = texts(record->InputLargeStep);
        break;
    case NodeField::None:
    case NodeField::SchemeName:
        break;
    }
    return d;
}

QString SingleText(float value)
{
    return FormatSingle(value, QString());
}

bool IsPlainNumber(const QString &text)
{
    int digits = 0;
    int periods = 0;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.')
            ++periods;
        else
            return false;
    }
    return digits > 0 && periods <= 1;
}

bool IsNumberPattern(const QString &text)
{
    int periods = 0;
    for (const QChar c : text) {
        if (c == u'.')
            ++periods;
        else if (c != u'#' && c != u'0' && c != u',')
            return false;
    }
    return !text.isEmpty() && periods <= 1;
}

} // namespace tintwell

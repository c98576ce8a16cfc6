#include "palette/paletteexport.h"

namespace tintwell {

const char *const PaletteExportFilter =
    "CSS Custom Properties (*.css)|*.css|JSON Array (*.json)|*.json|Hex Text (*.txt)|*.txt";

namespace {

QByteArray hexOf(std::int32_t color)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray out("#");
    for (const int c : {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF}) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

} // namespace

std::optional<PaletteExportFormat> ExportFormatForFilter(int filterIndex)
{
    switch (filterIndex) {
    case 1: return PaletteExportFormat::Css;
    case 2: return PaletteExportFormat::Json;
    case 3: return PaletteExportFormat::Text;
    default: return std::nullopt;
    }
}

QString ExportPath(const QString &path, PaletteExportFormat format)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    switch (format) {
    case PaletteExportFormat::Css: return path + QStringLiteral(".css");
    case PaletteExportFormat::Json: return path + QStringLiteral(".json");
    case PaletteExportFormat::Text: break;
    }
    return path + QStringLiteral(".txt");
}

QByteArray ExportPalette(std::span<const std::int32_t> colors, PaletteExportFormat format)
{
    QByteArray out;
    switch (format) {
    case PaletteExportFormat::Css:
        out += ":root {\n";
        for (std::size_t i = 0; i < colors.size(); ++i)
            out += "  --palette-" + QByteArray::number(qsizetype(i)) + ": "
                   + hexOf(colors[i]) + ";\n";
        out += "}\n";
        break;
    case PaletteExportFormat::Json:
        if (colors.empty())
            return "[]\n";
        out += "[\n";
        for (std::size_t i = 0; i < colors.size(); ++i)
            out += "  \"" + hexOf(colors[i]) + (i + 1 < colors.size() ? "\",\n" : "\"\n");
        out += "]\n";
        break;
    case PaletteExportFormat::Text:
        for (const std::int32_t color : colors)
            out += hexOf(color) + '\n';
        break;
    }
    return out;
}

} // namespace tintwell

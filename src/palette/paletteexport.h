#pragma once
// Colours of the palette written out for web pages and code: CSS custom
// properties, a JSON array or one hexadecimal colour a line. Write-only: none
// of these is read back as a palette.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace tintwell {

enum class PaletteExportFormat { Css, Json, Text };

// The export dialog's list; its 1-based index picks the format.
extern const char *const PaletteExportFilter;

// Filter 1 CSS, 2 JSON, 3 text; std::nullopt for anything else.
std::optional<PaletteExportFormat> ExportFormatForFilter(int filterIndex);

// A file name without any "." gets the format's extension (".css", ".json",
// ".txt"); other names are returned unchanged.
QString ExportPath(const QString &path, PaletteExportFormat format);

// Lower-case "#rrggbb" for each colour value (0x00BBGGRR), LF line ends, the
// last line ended too:
//   Css:  ":root {" / "  --palette-0: #rrggbb;" ... / "}"
//   Json: "[" / "  \"#rrggbb\"," ... / "]"  (an empty list is "[]")
//   Text: "#rrggbb" per line
// Css numbers the properties from 0 whatever cell the run starts at, as the
// JSON array's indices do.
QByteArray ExportPalette(std::span<const std::int32_t> colors, PaletteExportFormat format);

} // namespace tintwell

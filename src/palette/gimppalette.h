#pragma once
// GIMP's palette text (.gpl), the palette format most Linux programs share:
//
//   GIMP Palette
//   Name: Sunset
//   Columns: 16
//   # comment
//   255 128   0<tab>Orange
//
// Lines end in LF or CR LF; "Name:", "Columns:", comments and blank lines may
// come anywhere after the first line. A row is three whole numbers separated
// by blanks, then optionally a blank and a name.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

namespace tintwell {

struct GimpPaletteRead {
    bool ok = false;
    std::array<std::int32_t, 256> colors{}; // the first 256 rows; the rest black
    qsizetype rowCount = 0;                 // every colour row of the file, also past 256
};

// Not ok for a file without the "GIMP Palette" first line, or with a line that
// is neither a row, a comment, a blank line nor a Name or Columns line (which
// is also how a file cut off in the middle of a row shows). Values above 255
// count as 255.
GimpPaletteRead ParseGimpPalette(QByteArrayView text);

// 256 rows named by their hexadecimal colour, LF line ends, UTF-8. Line breaks
// in the name are turned into spaces so they cannot end the header early.
QByteArray WriteGimpPalette(const std::array<std::int32_t, 256> &colors, const QString &name);

} // namespace tintwell

#pragma once
// What the palette tool does to the program-wide table and its selection,
// without a window: clicks, Set Color, Delete, copy and paste as text, and the
// paths and the "Last Path" value the window keeps. The window turns events
// into these calls and redraws from the state afterwards.

#include "core/palettestate.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace tintwell {

// First and last index of the selection: the run, or the current cell alone.
struct PaletteSpan {
    int first = 0;
    int last = 0;
};
PaletteSpan SelectedSpan(const PaletteState &palette);

// A click on cell `index` (clamped to 0..255). Shift on the current cell does
// nothing; Shift on the anchor acts as a plain click; any other Shift-click
// extends the run from the anchor (the old current cell when there was no run).
// False when nothing changed.
bool PaletteClick(PaletteState &palette, int index, bool shift);

// The cell under a point of the 256 x 256 table, each coordinate clamped first.
int CellFromPoint(int x, int y);

// "S&et Color": the colour goes into the run, or into the current cell. True
// when an entry changed, which also sets PaletteChanged. With autoIncrement and
// no run, the next cell is then selected as a plain click would (not past 255).
bool PaletteSetColor(PaletteState &palette, std::int32_t color, bool autoIncrement);

// The Delete key: the selection becomes black. True when an entry changed.
bool PaletteDeleteSelection(PaletteState &palette);

// Edit Copy: "r g b" per selected entry, lower index first, joined by CR LF
// with no line break after the last.
QString PaletteCopyText(const PaletteState &palette);

// Edit Paste: one line per entry from the lower end of the selection on, over
// the end of the run if the text is longer. Lines end in CR LF or, as text from
// other programs here does, in LF alone. Stops at the first line that is not
// three numbers (more pieces after the third are ignored, a value above 255
// counts as 255) and after entry 255. True when an entry changed.
bool PalettePaste(PaletteState &palette, const QString &text);

// Paths as the window keeps them. A table without a file keeps only the
// folder, ending in "/".
QString PaletteDirectoryPart(const QString &path);
QString PaletteFileName(const QString &path);
// Not empty, not only a folder, and an existing regular file.
bool NamesExistingFile(const QString &path);

// "Last Path": the path, "%" and the table list index (one digit).
QString MakeLastPath(const QString &path, int tableIndex);
struct LastPathValue {
    QString path;                 // the part before the last "%" (all of it when there is none)
    std::optional<int> tableIndex; // the digit, when the value ends in "%" and one digit
};
LastPathValue ParseLastPath(const QString &value);

} // namespace tintwell

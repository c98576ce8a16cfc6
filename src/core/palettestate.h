#pragma once
// The palette table and its selection. Program-wide: it outlives the palette
// window, so the main window can follow and snap to it before that window was
// ever shown.

#include <QString>
#include <array>
#include <cstdint>

namespace tintwell {

struct PaletteState {
    std::array<std::int32_t, 256> PaletteColors{}; // colour values 0x00BBGGRR; black until filled
    int PaletteIndex = 0;                          // the current (last clicked) entry
    int PaletteAnchor = 0;                         // fixed end of a run
    int PaletteRangeCount = 0;                     // cells in the run; 0 when only the current cell is selected
    std::int32_t PaletteSelectedColor = 0;         // colour of the current cell, what "Select Color" sends
    QString PalettePath;                           // the table's file, or only its folder (ending in "/") when untitled
    bool PaletteChanged = false;                   // unsaved edits
    bool AutoSelect = false;                       // the palette tool's "Auto Select" option
    bool AutoIncrement = false;                    // the palette tool's "Auto Increment" option
};

} // namespace tintwell

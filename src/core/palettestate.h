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
    int PaletteIndex = 0;                          // the selected entry
    int RunStart = 0;                              // first and last entry of the selected run
    int RunEnd = 0;
    QString PalettePath;                           // file of the table, "" for a built-in or untitled one
    bool PaletteChanged = false;                   // unsaved edits
    bool AutoSelect = false;                       // the palette tool's "Auto Select" option
    bool AutoIncrement = false;                    // the palette tool's "Auto Increment" option
};

} // namespace tintwell

#pragma once
// Everything program-wide in one place. main() owns the one instance and hands
// it to the windows; each test builds a fresh one, so no state leaks between
// them. Not copyable: the windows keep references to it.

#include "core/palettestate.h"
#include "core/scalefactors.h"
#include "core/scheme.h"
#include "core/usermessages.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace tintwell {

// What the script host and the script objects leave for SetColors to read.
struct ScriptResult {
    QString OutputText;
    std::array<double, 3> OutputValue{};
    bool Echo = false;   // the script echo flag
    QString ScriptName;  // e.g. "Hexadecimal Export Formatting"; "" outside a run
};

struct AppContext {
    AppContext() = default;
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    FormatScheme Scheme;       // the active scheme, with the custom slot names
    ScaleFactors Factors{};    // from Scheme; recompute after every load or edit
    int SchemeIndex = 0;       // 0-3 built in, 4-8 Custom 1 to 5 (the "Format" setting)
    PaletteState Palette;
    ScriptResult Script;

    // Script header and footer texts: index 0 the VBScript family, 1 JScript.
    std::array<QString, 2> ScriptHeader;
    std::array<QString, 2> ScriptFooter;

    // Folder of the slot files and the script header and footer files.
    // main() sets it to $XDG_DATA_HOME/Tintwell/; tests point it at a temporary folder.
    QString ProgramFolder;

    // A colour given on the command line: start-up shows it instead of "Last Color".
    std::optional<std::int32_t> StartColor;

    bool Loading = false;    // start-up is running
    bool Closing = false;    // the final unload is running
    bool FormLoaded = false; // start-up has finished

    // Options of the Options menu.
    bool LowercaseHex = false;
    bool AddExtraZerosToHex = false;
    bool ClickToCopy = false;

    // Where message boxes go. Until the windows install theirs, messages are
    // kept in OwnMessages, so a library never needs a window to report.
    RecordingMessages OwnMessages;
    UserMessages *Messages = &OwnMessages;

    // Loads scheme index into Scheme and recomputes Factors. Same result as
    // LoadScheme; onLoaded is where the main window runs SetFormatNames.
    int loadScheme(int index, const std::function<void()> &onLoaded = {});
    // Reads the script header and footer files of ProgramFolder.
    void loadScriptFrames();
};

} // namespace tintwell

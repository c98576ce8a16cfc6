#pragma once
// What the main window asks of the windows beside it. The application
// implements it over the real windows and dialogs; window tests hand in their
// own. Being a constructor argument, a forgotten join does not compile.

#include "picker/converterpanel.h"

#include <cstdint>

class QWidget;

namespace tintwell {

// Converter scripts of the active scheme come from the script host, which
// the application owns (ConverterScriptRunner::RunConverterScript).
class MainWindowPeers : public ConverterScriptRunner
{
public:
    virtual ~MainWindowPeers() = default;
    // Loads the palette tool hidden, so its table and options exist from the start.
    virtual void loadPaletteTool() = 0;
    virtual void showPaletteTool() = 0;
    // The palette tool's File Save; false when the user cancelled or it failed.
    virtual bool savePalette() = 0;
    virtual void showAdvanced() = 0;
    // The terms window of the first run and the About box, both modal.
    virtual void showLicense(QWidget *parent) = 0;
    virtual void showAbout(QWidget *parent) = 0;
    // The colour dialog: the colour to show afterwards (current when cancelled).
    virtual std::int32_t chooseColor(std::int32_t current, QWidget *parent) = 0;
};

} // namespace tintwell

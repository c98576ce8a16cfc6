#pragma once
// What the script host needs from the rest of the program, as interfaces the
// program hands in. The host knows no window: the colour side and the debug
// pane are behind these.

#include <QString>
#include <cstdint>

namespace tintwell::script {

// The colour side: the main window's session in the program, a small
// stand-in in tnscript and the tests.
class ColorAccess
{
public:
    virtual ~ColorAccess() = default;
    // The colour the program shows now (0x00BBGGRR).
    virtual std::int32_t currentColor() const = 0;
    // A colour change that does not come from the sliders: clears the shade
    // flag and runs SetColors(colour, true, true), which may run export
    // scripts on the second engine while a script on the first one waits.
    virtual void setColors(std::int32_t colour) = 0;
    // The text typed in the converter box.
    virtual QString converterText() const = 0;
};

// The script editor's debug pane.
class DebugSink
{
public:
    virtual ~DebugSink() = default;
    // Appends data as it is (no line break added).
    virtual void PrintDebug(const QString &data) = 0;
    // Whether the pane is empty, and whether it ends with CR LF.
    virtual bool debugIsEmpty() const = 0;
    virtual bool debugEndsWithLineBreak() const = 0;
};

} // namespace tintwell::script

#pragma once
// What the advanced formatting window needs from the rest of the program. The
// application implements both interfaces and hands them to the window's
// constructor, so a missing connection is a compile error, not a silent no-op.

#include <QString>

namespace tintwell {

class AdvancedHost
{
public:
    virtual ~AdvancedHost() = default;
    // The scheme the main window uses: 0-3 built in (its checked Format item),
    // 4-8 Custom 1 to 5.
    virtual int activeSchemeIndex() const = 0;
    // Makes schemeIndex the main window's scheme and shows it at once, keeping
    // the colour exactly (InitFixValues, load, FixValues, SetColors), with its
    // Format menu item checked. Called after a save of the active slot and, with
    // 0, after the active slot is deleted.
    virtual void reloadScheme(int schemeIndex) = 0;
    // A slot file was written, deleted or imported: the custom Format menu
    // items must be read again (SetCustomFormatMenuNames).
    virtual void customSlotNamesChanged() = 0;
    // A format name was edited: the main window's format labels are refreshed
    // (SetFormatNames).
    virtual void formatNamesChanged() = 0;
};

// The script editor as the advanced window drives it.
class ScriptEditorLink
{
public:
    virtual ~ScriptEditorLink() = default;
    // Puts code into the editor and clears its changed flag. May come before
    // the editor was ever shown, so it loads the editor if need be.
    virtual void SetCode(const QString &code) = 0;
    virtual QString code() const = 0;
    // The user has edited the code since the last SetCode.
    virtual bool isChanged() const = 0;
    virtual void setChanged(bool changed) = 0;
    // Loads the editor if need be and shows it modeless.
    virtual void showEditor() = 0;
};

} // namespace tintwell

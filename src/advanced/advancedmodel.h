#pragma once
// The advanced window's working scheme and everything the window does to it:
// loading a slot or a built-in variant, committing a box with its checks, the
// changed state and the slot list entries, save, revert, delete, import and
// export, and the hand-over of scripts to and from the script editor. No
// widgets: the window asks this model and shows what it holds.
//
// Prompts and messages go through AppContext::Messages; the main window is
// reached through AdvancedHost, the script editor through ScriptEditorLink.

#include "advanced/advancedhost.h"
#include "advanced/advancednodes.h"
#include "core/appcontext.h"

#include <QString>
#include <array>
#include <optional>

namespace tintwell {

enum class CommitOutcome {
    Ignored,   // no box to commit (a format node, or a box the node does not show)
    Unchanged, // the text equals what is stored: nothing happens
    Accepted,  // stored; the scheme is now changed
    Refused,   // the message was shown; the box gets `text` back
};

struct CommitResult {
    CommitOutcome outcome = CommitOutcome::Ignored;
    QString text;             // what the box shows afterwards
    bool treeChanged = false; // a format name changed: rebuild the tree
};

class AdvancedModel
{
public:
    AdvancedModel(AppContext &context, AdvancedHost &host, ScriptEditorLink &editor);

    // Slot names into the list, slot 1 (or the default contents) into the
    // working scheme, the scheme name node selected.
    void Load();

    const FormatScheme &scheme() const { return m_scheme; }
    const QString &schemeName() const { return m_name; }
    int CurrentSlot() const { return m_currentSlot; }
    int CurrentFormat() const { return m_currentFormat; }
    // 0 none, 1-7 the export script of format 0-6, 8-14 its converter script.
    int CurrentScript() const { return m_currentScript; }
    bool Changed() const { return m_changed; }
    bool revertEnabled() const { return m_revertEnabled; }
    bool deleteEnabled() const { return m_deleteEnabled; }
    // The texts of cboFormatGroup's five entries.
    const std::array<QString, kCustomSlotCount> &slotEntries() const { return m_entries; }

    // The selected tree node; selecting one sets CurrentFormat.
    const QString &selectedKey() const { return m_selectedKey; }
    void selectNode(const QString &key);
    NodeDisplay display() const;

    // Enter in box i, or box i losing the focus.
    CommitResult commitBox(int box, const QString &text);

    // The user picked slot index 0-4 in the list. False when the slot stays
    // (Cancel at the prompt, or a save from the prompt that failed): the list
    // must show CurrentSlot again. True: rebuild the tree.
    bool chooseSlot(int slot);

    // False when the file could not be written (the message was shown and
    // the working scheme keeps its changes).
    bool Save();
    // False when the user answered No.
    bool Revert();
    bool Delete();

    // Before the import dialog opens: false (with the message) when every
    // slot is taken, or when the user cancels the prompt about unsaved changes.
    bool importAvailable();
    // Copies path into the lowest free slot and edits that slot; its number,
    // or none when nothing was imported.
    std::optional<int> Import(const QString &path);
    // Copies the saved slot file to path (".tnf" appended when it has no
    // extension). False with a message when the slot has no file or the copy
    // failed.
    bool Export(const QString &path);

    // Takes a changed script back from the editor.
    void SaveScript();
    // The two Custom Scripting buttons.
    void openScript(bool converter);

    // The window is closing; its boxes are already committed. False when it
    // must stay open.
    bool closeRequested();

    // Default contents of an empty slot, for tests and the window's reader.
    // honourCustom: an active custom scheme's file is read (Revert, Delete);
    // otherwise only a checked built-in variant is copied.
    void fillDefaultContents(int slot, bool honourCustom);

private:
    UserMessages &messages() const { return *m_ctx.Messages; }
    QString folder() const { return m_ctx.ProgramFolder; }
    QString plainEntry(int slot) const;
    // Reads slot into the working scheme; false (after the default contents)
    // when it has no file.
    bool readSlot(int slot, bool honourCustom);
    void markChanged();
    QString &scriptOf(int currentScript);
    // The "Format Scheme Changed" prompt; false on Cancel or a failed save.
    bool settleChanges();

    AppContext &m_ctx;
    AdvancedHost &m_host;
    ScriptEditorLink &m_editor;

    FormatScheme m_scheme;
    QString m_name;
    std::array<QString, kCustomSlotCount> m_entries;
    QString m_selectedKey = QStringLiteral("Name");
    int m_currentSlot = 0;
    int m_currentFormat = 0;
    int m_currentScript = 0;
    bool m_changed = false;
    bool m_revertEnabled = false;
    bool m_deleteEnabled = false;
};

} // namespace tintwell

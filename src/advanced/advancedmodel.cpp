#include "advanced/advancedmodel.h"

#include "core/numberformat.h"
#include "core/schemefiles.h"

#include <QFile>

namespace tintwell {

namespace {

const QString kChangedMark = QStringLiteral(" (Changed)");

bool isBuiltIn(int schemeIndex) { return schemeIndex >= 0 && schemeIndex < kFirstCustomScheme; }
bool isCustom(int schemeIndex)
{
    return schemeIndex >= kFirstCustomScheme && schemeIndex < kSchemeCount;
}

} // namespace

AdvancedModel::AdvancedModel(AppContext &context, AdvancedHost &host, ScriptEditorLink &editor)
    : m_ctx(context), m_host(host), m_editor(editor)
{
    // Defaults copy nothing while a custom scheme is active; start from
    // Standard so such a first load shows real values, not zeros.
    LoadDefaultScheme(m_scheme, kSchemeStandard, messages());
    m_name = QStringLiteral("Custom 1");
}

void AdvancedModel::Load()
{
    LoadCustomSlotNames(m_ctx.Scheme, folder());
    for (int i = 0; i < kCustomSlotCount; ++i)
        m_entries[std::size_t(i)] = plainEntry(i);
    m_currentSlot = 0;
    m_deleteEnabled = readSlot(0, false);
    m_changed = false;
    m_revertEnabled = false;
    selectNode(QStringLiteral("Name"));
}

void AdvancedModel::selectNode(const QString &key)
{
    m_selectedKey = key;
    const NodeRef node = ParseNodeKey(key);
    if (node.format >= 0)
        m_currentFormat = node.format;
}

NodeDisplay AdvancedModel::display() const
{
    return DescribeNode(ParseNodeKey(m_selectedKey), m_scheme, m_name);
}

// ------------------------------------------------------------------ editing

CommitResult AdvancedModel::commitBox(int box, const QString &typed)
{
    const NodeRef node = ParseNodeKey(m_selectedKey);
    const NodeDisplay shown = display();
    if (node.field == NodeField::Format || box < 0 || box >= shown.labels.size())
        return {};
    const QString text = shown.maxLength > 0 ? typed.left(shown.maxLength) : typed;
    // A stored text longer than the box (a name from a file, "1.234567E-05")
    // shows cut; leaving the box untouched must not store the cut text.
    const QString &stored = shown.values.at(box);
    if (text == stored || (shown.maxLength > 0 && stored.size() > shown.maxLength
                           && text == stored.left(shown.maxLength)))
        return {CommitOutcome::Unchanged, text, false};

    CommitResult result{CommitOutcome::Accepted, text, false};
    const auto f = std::size_t(std::max(node.format, 0));
    NumericFormat *record = node.format >= 0 && node.format < kSystemCount ? &m_scheme.Formats[f]
                                                                           : nullptr;
    auto number = [&](float &stored) {
        if (!IsPlainNumber(text)) {
            messages().show(QStringLiteral("Tintwell"),
                            QStringLiteral("Only numbers and one period are allowed."),
                            MsgIcon::None);
            result = {CommitOutcome::Refused, SingleText(stored), false};
            return;
        }
        // "5." is a number here; the scheme reader wants a digit after the point.
        const QString complete = text.endsWith(u'.') ? text + QLatin1Char('0') : text;
        stored = ParseSchemeSingle(complete).value_or(stored);
    };
    auto pattern = [&](QString &stored) {
        if (!IsNumberPattern(text)) {
            messages().show(QStringLiteral("Tintwell"),
                            QStringLiteral("Only pound signs (#), zeros (0), commas (,) and one "
                                           "period are allowed."),
                            MsgIcon::None);
            result = {CommitOutcome::Refused, stored, false};
            return;
        }
        stored = text;
    };

    switch (node.field) {
    case NodeField::SchemeName:
        m_name = text;
        m_entries[std::size_t(m_currentSlot)] = text + kChangedMark;
        break;
    case NodeField::FormatName:
        m_scheme.Info[f].FormatName = text;
        result.treeChanged = true;
        break;
    case NodeField::OutputBase: number(record->OutputBase[std::size_t(box)]); break;
    case NodeField::InputBase: number(record->InputBase[std::size_t(box)]); break;
    case NodeField::InputStep: number(record->InputStep[std::size_t(box)]); break;
    case NodeField::InputLargeStep: number(record->InputLargeStep[std::size_t(box)]); break;
    case NodeField::OutputFormat: pattern(record->OutputFormat[std::size_t(box)]); break;
    case NodeField::InputFormat: pattern(record->InputFormat[std::size_t(box)]); break;
    case NodeField::OutputSeparators: {
        OutputSeparator &s = m_scheme.OutputSeparators[f];
        QString *fields[] = {&s.LeftEnd, &s.LeftSeparator, &s.RightSeparator, &s.RightEnd};
        *fields[box] = text;
        break;
    }
    case NodeField::None:
    case NodeField::Format:
        return {};
    }
    if (result.outcome == CommitOutcome::Accepted) {
        markChanged();
        if (result.treeChanged)
            m_host.formatNamesChanged();
    }
    return result;
}

void AdvancedModel::markChanged()
{
    m_changed = true;
    QString &entry = m_entries[std::size_t(m_currentSlot)];
    if (entry == m_name)
        entry = m_name + kChangedMark;
    m_revertEnabled = true;
}

// -------------------------------------------------------------------- slots

QString AdvancedModel::plainEntry(int slot) const
{
    return CustomSlotNames(folder())[std::size_t(slot)];
}

void AdvancedModel::fillDefaultContents(int slot, bool honourCustom)
{
    const int active = m_host.activeSchemeIndex();
    if (isBuiltIn(active)) {
        LoadDefaultScheme(m_scheme, kSchemeStandard + active, messages());
    } else if (honourCustom && isCustom(active)) {
        QString ignoredName; // the slot keeps its own name below
        ReadSlotFile(m_scheme, ignoredName, SlotFilePath(folder(), active - kFirstCustomScheme + 1),
                     messages());
    }
    m_name = QStringLiteral("Custom %1").arg(slot + 1);
}

bool AdvancedModel::readSlot(int slot, bool honourCustom)
{
    if (ReadSlotFile(m_scheme, m_name, SlotFilePath(folder(), slot + 1), messages()))
        return true;
    fillDefaultContents(slot, honourCustom);
    return false;
}

bool AdvancedModel::settleChanges()
{
    if (!m_changed)
        return true;
    const MsgResult answer = messages().show(QStringLiteral("Format Scheme Changed"),
                                             QStringLiteral("Save changes to format scheme?"),
                                             MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel)
        return false;
    if (answer == MsgResult::Yes)
        return Save(); // a failed save keeps the changes where they are
    // No: the edits are dropped, so what stays in view is the saved slot.
    m_changed = false;
    m_revertEnabled = false;
    readSlot(m_currentSlot, false);
    m_entries[std::size_t(m_currentSlot)] = plainEntry(m_currentSlot);
    return true;
}

bool AdvancedModel::chooseSlot(int slot)
{
    if (slot < 0 || slot >= kCustomSlotCount)
        return false;
    if (slot == m_currentSlot)
        return true;
    if (!settleChanges())
        return false;
    m_changed = false;
    m_currentSlot = slot;
    m_deleteEnabled = readSlot(slot, false);
    return true;
}

bool AdvancedModel::Save()
{
    SaveScript();
    const int n = m_currentSlot + 1;
    if (!WriteCustomScheme(m_scheme, m_name, n, folder(), messages()))
        return false;
    m_deleteEnabled = true;
    m_changed = false;
    m_revertEnabled = false;
    m_entries[std::size_t(m_currentSlot)] = plainEntry(m_currentSlot);
    m_host.customSlotNamesChanged();
    const int schemeIndex = m_currentSlot + kFirstCustomScheme;
    if (m_host.activeSchemeIndex() == schemeIndex)
        m_host.reloadScheme(schemeIndex);
    return true;
}

bool AdvancedModel::Revert()
{
    if (m_changed
        && messages().show(QStringLiteral("Lose Changes"), QStringLiteral("Are you sure?"),
                           MsgIcon::Question, MsgButtons::YesNo)
               != MsgResult::Yes)
        return false;
    m_changed = false;
    readSlot(m_currentSlot, true);
    m_entries[std::size_t(m_currentSlot)] = plainEntry(m_currentSlot);
    m_revertEnabled = false;
    if (m_currentScript != 0)
        m_editor.SetCode(scriptOf(m_currentScript));
    return true;
}

bool AdvancedModel::Delete()
{
    if (messages().show(QStringLiteral("Delete Custom Formatting"), QStringLiteral("Are you sure?"),
                        MsgIcon::Question, MsgButtons::YesNo)
        != MsgResult::Yes)
        return false;
    m_changed = false;
    const QString path = SlotFilePath(folder(), m_currentSlot + 1);
    if (QFile::exists(path) && !QFile::remove(path)) {
        messages().show(QStringLiteral("Error"),
                        QStringLiteral("The format scheme file %1 could not be deleted.").arg(path),
                        MsgIcon::Exclamation);
    }
    fillDefaultContents(m_currentSlot, true);
    m_deleteEnabled = SlotExists(folder(), m_currentSlot + 1);
    if (m_host.activeSchemeIndex() == m_currentSlot + kFirstCustomScheme)
        m_host.reloadScheme(0);
    m_host.customSlotNamesChanged();
    m_entries[std::size_t(m_currentSlot)] = plainEntry(m_currentSlot);
    m_revertEnabled = false;
    if (m_currentScript != 0) {
        m_editor.SetCode(scriptOf(m_currentScript));
        m_editor.setChanged(false);
    }
    return true;
}

// ------------------------------------------------------------- import/export

bool AdvancedModel::importAvailable()
{
    if (!FirstFreeSlot(folder())) {
        ShowNoFreeSlot(messages());
        return false;
    }
    // The import replaces what is being edited: unsaved edits are offered
    // for saving first, as when another slot is chosen.
    return settleChanges();
}

std::optional<int> AdvancedModel::Import(const QString &path)
{
    const std::optional<int> n = ImportIntoFreeSlot(folder(), path, messages());
    if (!n)
        return std::nullopt;
    LoadCustomSlotNames(m_ctx.Scheme, folder());
    m_entries[std::size_t(m_currentSlot)] = plainEntry(m_currentSlot);
    m_currentSlot = *n - 1;
    m_changed = false;
    m_revertEnabled = false;
    m_deleteEnabled = readSlot(m_currentSlot, false);
    m_entries[std::size_t(m_currentSlot)] = plainEntry(m_currentSlot);
    m_host.customSlotNamesChanged();
    return n;
}

bool AdvancedModel::Export(const QString &path)
{
    return ExportSlot(folder(), m_currentSlot + 1, ExchangeFileName(path), messages());
}

// ------------------------------------------------------------------ scripts

QString &AdvancedModel::scriptOf(int currentScript)
{
    if (currentScript <= kFormatCount)
        return m_scheme.Info[std::size_t(currentScript - 1)].ExportScript;
    return m_scheme.Info[std::size_t(currentScript - 1 - kFormatCount)].ConverterScript;
}

void AdvancedModel::SaveScript()
{
    if (m_currentScript == 0)
        return;
    QString &script = scriptOf(m_currentScript);
    const QString code = m_editor.code();
    if (code == script)
        return;
    script = code;
    m_editor.setChanged(false);
    m_changed = true;
    m_revertEnabled = true;
    m_currentScript = 0;
}

void AdvancedModel::openScript(bool converter)
{
    SaveScript();
    const int script = m_currentFormat + 1 + (converter ? kFormatCount : 0);
    m_editor.SetCode(scriptOf(script));
    m_currentScript = script;
    m_editor.showEditor();
}

bool AdvancedModel::closeRequested()
{
    if (m_editor.isChanged())
        SaveScript();
    return settleChanges();
}

} // namespace tintwell

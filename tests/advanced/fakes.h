#pragma once
// Stand-ins for the main window and the script editor, recording what they are asked.
#include "advanced/advancedhost.h"

#include <QList>
#include <QString>

namespace tintwell {

struct FakeHost : AdvancedHost {
    int active = 0, slotNameRefreshes = 0, formatNameRefreshes = 0;
    QList<int> reloads;
    int activeSchemeIndex() const override { return active; }
    void reloadScheme(int schemeIndex) override { reloads << (active = schemeIndex); }
    void customSlotNamesChanged() override { ++slotNameRefreshes; }
    void formatNamesChanged() override { ++formatNameRefreshes; }
};

struct FakeEditor : ScriptEditorLink {
    QString text;
    bool changed = false;
    int shows = 0;
    void SetCode(const QString &code) override { text = code, changed = false; }
    QString code() const override { return text; }
    bool isChanged() const override { return changed; }
    void setChanged(bool value) override { changed = value; }
    void showEditor() override { ++shows; }
    void type(const QString &code) { text = code, changed = true; } // what the user does in the editor
};

} // namespace tintwell

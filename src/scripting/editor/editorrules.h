#pragma once
// The script editor's rules that need no window: where the splitter may go,
// how the panes share the window, which Edit items are enabled, and the
// extension an exported script gets. Lengths are pixels of the window's inner
// area.

#include <QRect>
#include <QSize>
#include <QString>

namespace tintwell::script {

inline constexpr int kSplitterMinTop = 200;     // the code pane never gets smaller
inline constexpr int kSplitterBottomGap = 50;   // room kept below the splitter
inline constexpr int kCompactHeight = 249;      // below it the debug pane is hidden
inline constexpr int kCodeMinHeight = 38;
inline constexpr int kSplitterHeight = 6;

// The splitter top from the stored "SplitterPos" at the first activation;
// 0 (or missing) keeps designedTop.
int StoredSplitterTop(int stored, int innerHeight, int designedTop);
// Where a drag to newTop puts the splitter: within 200 .. innerHeight - 50.
int DraggedSplitterTop(int newTop, int innerHeight);

struct PaneLayout {
    QRect code;
    QRect splitter;
    QRect debug;
    bool splitterVisible = false;
    bool debugVisible = false;
    int splitterTop = 0;
};

// The panes around a splitter at splitterTop (first activation, end of a drag).
PaneLayout PanesAroundSplitter(QSize inner, int splitterTop, bool debugHidden);
// The resize layout: a window lower than 249 shows only the code pane; a
// taller one keeps the debug pane at debugPaneHeight (splitter at least 200).
PaneLayout ResizeLayout(QSize inner, int debugPaneHeight, bool debugHidden);

// Which Edit items are enabled for the active pane.
struct EditPaneState {
    bool codePaneActive = true;
    bool hasSelection = false;
    bool empty = true;
    bool caretAtEnd = true;
};
struct EditMenuState {
    bool undo = true;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool del = false;
    bool selectAll = false;
};
EditMenuState UpdateEditMenu(const EditPaneState &pane);

// The file an export writes: the chosen name as it is when it has an
// extension, else with ".js" (first line names jscript or javascript) or
// ".vbs" appended; a name ending in "." gets a second dot.
QString ExportScriptFileName(const QString &chosen, const QString &code);

} // namespace tintwell::script

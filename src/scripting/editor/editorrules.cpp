#include "scripting/editor/editorrules.h"

#include <algorithm>

namespace tintwell::script {

int StoredSplitterTop(int stored, int innerHeight, int designedTop)
{
    if (stored == 0)
        return designedTop;
    const int lowest = innerHeight - kSplitterBottomGap;
    if (stored >= 100 && stored <= lowest)
        return stored;
    if (stored < 100 || stored < kSplitterMinTop)
        return kSplitterMinTop;
    return lowest;
}

int DraggedSplitterTop(int newTop, int innerHeight)
{
    if (newTop < kSplitterMinTop)
        return kSplitterMinTop;
    const int lowest = innerHeight - kSplitterBottomGap;
    return newTop > lowest ? lowest : newTop;
}

PaneLayout PanesAroundSplitter(QSize inner, int splitterTop, bool debugHidden)
{
    PaneLayout l;
    l.splitterTop = splitterTop;
    const int w = inner.width();
    const int h = inner.height();
    if (debugHidden) {
        l.code = QRect(0, 0, w, h);
    } else {
        l.code = QRect(0, 0, w, std::max(splitterTop - 1, 0));
        l.debug = QRect(0, splitterTop + kSplitterHeight, w, std::max(h - (splitterTop + kSplitterHeight), 0));
        l.splitterVisible = l.debugVisible = true;
    }
    l.splitter = QRect(0, splitterTop, w, kSplitterHeight);
    return l;
}

PaneLayout ResizeLayout(QSize inner, int debugPaneHeight, bool debugHidden)
{
    const int h = inner.height();
    if (h < kCompactHeight) {
        PaneLayout l;
        l.code = QRect(0, 0, inner.width(), std::max(h, kCodeMinHeight));
        l.splitterTop = std::max(h - debugPaneHeight, kSplitterMinTop);
        return l; // the splitter stays where it was, hidden

    }
    return PanesAroundSplitter(inner, std::max(h - debugPaneHeight, kSplitterMinTop), debugHidden);
}

EditMenuState UpdateEditMenu(const EditPaneState &pane)
{
    EditMenuState m;
    m.copy = pane.hasSelection;
    m.selectAll = !pane.empty && (!pane.caretAtEnd || pane.hasSelection);
    if (pane.codePaneActive) {
        m.paste = true;
        m.cut = m.del = pane.hasSelection;
    }
    return m;
}

QString ExportScriptFileName(const QString &chosen, const QString &code)
{
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = std::max(chosen.lastIndexOf(QLatin1Char('/')), chosen.lastIndexOf(QLatin1Char('\\')));
    const bool hasExtension = dot >= 0 && dot > slash && !chosen.endsWith(QLatin1Char('.'));
    if (hasExtension)
        return chosen;
    const qsizetype end = code.indexOf(QLatin1String("\r\n"));
    const QString first = (end <= 0 ? code : code.left(end)).toLower();
    const bool js = first.contains(QLatin1String("jscript")) || first.contains(QLatin1String("javascript"));
    return chosen + (js ? QStringLiteral(".js") : QStringLiteral(".vbs"));
}

} // namespace tintwell::script

// The editor's rules without a window.

#include "scripting/editor/editorrules.h"

#include <gtest/gtest.h>

namespace tintwell::script {
namespace {

TEST(EditorRules, StoredSplitterPositionIsKeptInsideTheWindow)
{
    const int h = 500; // lowest allowed top: 450
    EXPECT_EQ(StoredSplitterTop(0, h, 280), 280);  // missing: as designed
    EXPECT_EQ(StoredSplitterTop(50, h, 280), 200); // too high
    EXPECT_EQ(StoredSplitterTop(-7, h, 280), 200);
    EXPECT_EQ(StoredSplitterTop(100, h, 280), 100); // 100 is still accepted when stored
    EXPECT_EQ(StoredSplitterTop(450, h, 280), 450);
    EXPECT_EQ(StoredSplitterTop(451, h, 280), 450); // below the window's end
    EXPECT_EQ(StoredSplitterTop(9999, h, 280), 450);
    // In a low window a stored 150 beyond the bottom goes to 200, a stored 260 to h - 50.
    EXPECT_EQ(StoredSplitterTop(150, 180, 280), 200);
    EXPECT_EQ(StoredSplitterTop(260, 300, 280), 250);
    EXPECT_EQ(StoredSplitterTop(220, 240, 280), 190);
}

TEST(EditorRules, DraggingStopsAt200AndFiftyAboveTheBottom)
{
    EXPECT_EQ(DraggedSplitterTop(199, 500), 200);
    EXPECT_EQ(DraggedSplitterTop(-40, 500), 200);
    EXPECT_EQ(DraggedSplitterTop(200, 500), 200);
    EXPECT_EQ(DraggedSplitterTop(333, 500), 333);
    EXPECT_EQ(DraggedSplitterTop(450, 500), 450);
    EXPECT_EQ(DraggedSplitterTop(451, 500), 450);
}

TEST(EditorRules, PaneLayoutAroundTheSplitterAndWhenTheWindowShrinks)
{
    const PaneLayout l = PanesAroundSplitter(QSize(400, 500), 300, false);
    EXPECT_EQ(l.code, QRect(0, 0, 400, 299));
    EXPECT_EQ(l.splitter.top(), 300);
    EXPECT_EQ(l.debug, QRect(0, 306, 400, 194));
    EXPECT_TRUE(l.debugVisible && l.splitterVisible);

    const PaneLayout hidden = PanesAroundSplitter(QSize(400, 500), 300, true);
    EXPECT_EQ(hidden.code, QRect(0, 0, 400, 500));
    EXPECT_FALSE(hidden.debugVisible || hidden.splitterVisible);

    // The debug pane keeps its height as the window grows.
    const PaneLayout tall = ResizeLayout(QSize(400, 800), 200, false);
    EXPECT_EQ(tall.splitterTop, 600);
    EXPECT_EQ(tall.debug.height(), 800 - 606);
    // ... but the code pane keeps at least 200.
    EXPECT_EQ(ResizeLayout(QSize(400, 300), 200, false).splitterTop, 200);
    EXPECT_EQ(ResizeLayout(QSize(400, 249), 20, false).splitterTop, 229);
    EXPECT_TRUE(ResizeLayout(QSize(400, 249), 20, false).debugVisible);

    // Below 249 only the code pane, at least 38 high; the splitter stays where it was.
    const PaneLayout low = ResizeLayout(QSize(400, 248), 200, false);
    EXPECT_FALSE(low.debugVisible || low.splitterVisible);
    EXPECT_EQ(low.code, QRect(0, 0, 400, 248));
    EXPECT_TRUE(low.splitter.isNull() && low.debug.isNull());
    EXPECT_EQ(ResizeLayout(QSize(400, 10), 200, false).code.height(), 38);
    EXPECT_EQ(ResizeLayout(QSize(400, 800), 200, true).code, QRect(0, 0, 400, 800));
}

TEST(EditorRules, EditMenuFollowsTheActivePaneAndItsSelection)
{
    const EditMenuState emptyCode = UpdateEditMenu({true, false, true, true});
    EXPECT_TRUE(emptyCode.undo && emptyCode.paste);
    EXPECT_FALSE(emptyCode.cut || emptyCode.copy || emptyCode.del || emptyCode.selectAll);

    const EditMenuState codeCaretInside = UpdateEditMenu({true, false, false, false});
    EXPECT_TRUE(codeCaretInside.selectAll);
    EXPECT_FALSE(codeCaretInside.cut);
    EXPECT_FALSE(UpdateEditMenu({true, false, false, true}).selectAll); // caret at the end, nothing selected

    const EditMenuState codeSelected = UpdateEditMenu({true, true, false, true});
    EXPECT_TRUE(codeSelected.cut && codeSelected.copy && codeSelected.del && codeSelected.selectAll);

    const EditMenuState debugSelected = UpdateEditMenu({false, true, false, true});
    EXPECT_TRUE(debugSelected.copy && debugSelected.selectAll && debugSelected.undo);
    EXPECT_FALSE(debugSelected.cut || debugSelected.paste || debugSelected.del);
    EXPECT_FALSE(UpdateEditMenu({false, false, true, true}).selectAll);
}

TEST(EditorRules, ExportedScriptGetsAnExtensionFromItsFirstLine)
{
    const QString js = QStringLiteral("// JScript export\r\ntnOutput('x');");
    const QString vb = QStringLiteral("' export\r\ntnOutput \"x\"");
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a"), js), QStringLiteral("/tmp/a.js"));
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a"), vb), QStringLiteral("/tmp/a.vbs"));
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a"), QStringLiteral("// JAVASCRIPT only line")),
              QStringLiteral("/tmp/a.js"));
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a"), QStringLiteral("' vbs\r\n// jscript")),
              QStringLiteral("/tmp/a.vbs")); // only the first line counts
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a"), QStringLiteral("\r\n// jscript")),
              QStringLiteral("/tmp/a.js")); // begins with CR LF: the whole text
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a."), js), QStringLiteral("/tmp/a..js"));
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/my.dir/a"), js), QStringLiteral("/tmp/my.dir/a.js"));
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a.txt"), js), QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(ExportScriptFileName(QStringLiteral("/tmp/a.vbs"), js), QStringLiteral("/tmp/a.vbs"));
}

} // namespace
} // namespace tintwell::script

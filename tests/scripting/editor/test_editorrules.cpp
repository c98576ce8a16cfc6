// The editor's rules without a window.

#include "scripting/editor/editorrules.h"

#include <gtest/gtest.h>

namespace tintwell::script {
namespace {

TEST(EditorRules, SplitterStoredOrDraggedStaysWithinItsLimits)
{
    // {stored, window height, expected top}, the designed top being 280. A
    // missing value (0) gives the designed top; 100 is still accepted when
    // stored; the limits are 200 and 50 above the bottom, in a low window the
    // lower one wins.
    const int stored[][3] = {{0, 500, 280},   {50, 500, 200},  {-7, 500, 200},  {100, 500, 100},
                             {450, 500, 450}, {451, 500, 450}, {9999, 500, 450}, {150, 180, 200},
                             {260, 300, 250}, {220, 240, 190}};
    for (const auto &c : stored)
        EXPECT_EQ(StoredSplitterTop(c[0], c[1], 280), c[2]) << c[0] << " in " << c[1];
    const int dragged[][2] = {{199, 200}, {-40, 200}, {200, 200}, {333, 333}, {450, 450}, {451, 450}};
    for (const auto &c : dragged)
        EXPECT_EQ(DraggedSplitterTop(c[0], 500), c[1]) << c[0];
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
    EXPECT_EQ(std::pair(tall.splitterTop, tall.debug.height()), std::pair(600, 194));
    // ... but the code pane keeps at least 200.
    EXPECT_EQ(ResizeLayout(QSize(400, 300), 200, false).splitterTop, 200);
    const PaneLayout edge = ResizeLayout(QSize(400, 249), 20, false);
    EXPECT_TRUE(edge.splitterTop == 229 && edge.debugVisible);

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
    const char *js = "// JScript export\r\ntnOutput('x');";
    const char *cases[][3] = {
        {"/tmp/a", js, "/tmp/a.js"},
        {"/tmp/a", "' export\r\ntnOutput \"x\"", "/tmp/a.vbs"},
        {"/tmp/a", "// JAVASCRIPT only line", "/tmp/a.js"},
        {"/tmp/a", "' vbs\r\n// jscript", "/tmp/a.vbs"}, // only the first line counts
        {"/tmp/a", "\r\n// jscript", "/tmp/a.js"},      // begins with CR LF: the whole text
        {"/tmp/a.", js, "/tmp/a..js"},
        {"/tmp/my.dir/a", js, "/tmp/my.dir/a.js"},
        {"/tmp/a.txt", js, "/tmp/a.txt"},
        {"/tmp/a.vbs", js, "/tmp/a.vbs"}};
    for (const auto &c : cases)
        EXPECT_EQ(ExportScriptFileName(QString::fromLatin1(c[0]), QString::fromLatin1(c[1])), QLatin1String(c[2]))
            << c[0] << " " << c[1];
}

} // namespace
} // namespace tintwell::script

#include "palette/paletteedit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

PaletteState ramp()
{
    PaletteState p;
    for (int i = 0; i < 256; ++i)
        p.PaletteColors[std::size_t(i)] = rgb(i, 255 - i, i / 2);
    return p;
}

TEST(PaletteSelection, ShiftClickRules)
{
    PaletteState p = ramp();
    EXPECT_TRUE(PaletteClick(p, 10, false));
    EXPECT_EQ(p.PaletteSelectedColor, rgb(10, 245, 5));

    // Shift on the current cell: nothing at all.
    EXPECT_FALSE(PaletteClick(p, 10, true));
    EXPECT_EQ(p.PaletteRangeCount, 0);

    // The first Shift-click anchors the run at the old current cell.
    EXPECT_TRUE(PaletteClick(p, 14, true));
    EXPECT_EQ(p.PaletteAnchor, 10);
    EXPECT_EQ(p.PaletteIndex, 14);
    EXPECT_EQ(p.PaletteRangeCount, 5);
    EXPECT_EQ(p.PaletteSelectedColor, rgb(14, 241, 7));

    // Extending below the anchor keeps the anchor.
    EXPECT_TRUE(PaletteClick(p, 3, true));
    EXPECT_EQ(p.PaletteAnchor, 10);
    EXPECT_EQ(p.PaletteRangeCount, 8);
    const PaletteSpan span = SelectedSpan(p);
    EXPECT_EQ(span.first, 3);
    EXPECT_EQ(span.last, 10);

    // Shift on the moving end changes nothing.
    EXPECT_FALSE(PaletteClick(p, 3, true));
    EXPECT_EQ(p.PaletteRangeCount, 8);

    // Shift on the anchor collapses the run to that cell.
    EXPECT_TRUE(PaletteClick(p, 10, true));
    EXPECT_EQ(p.PaletteRangeCount, 0);
    EXPECT_EQ(p.PaletteIndex, 10);
    EXPECT_EQ(p.PaletteAnchor, 10);

    // A plain click ends a run and moves the anchor.
    PaletteClick(p, 20, true);
    EXPECT_TRUE(PaletteClick(p, 40, false));
    EXPECT_EQ(p.PaletteRangeCount, 0);
    EXPECT_EQ(p.PaletteAnchor, 40);
}

TEST(PaletteSelection, CellFromPointClampsAndCounts16ARow)
{
    EXPECT_EQ(CellFromPoint(0, 0), 0);
    EXPECT_EQ(CellFromPoint(15, 15), 0);
    EXPECT_EQ(CellFromPoint(16, 0), 1);
    EXPECT_EQ(CellFromPoint(0, 16), 16);
    EXPECT_EQ(CellFromPoint(255, 255), 255);
    EXPECT_EQ(CellFromPoint(-40, 300), 240);
    EXPECT_EQ(CellFromPoint(9999, -1), 15);
}

TEST(PaletteSetColor, MarksOnlyRealChangesAndIncrements)
{
    PaletteState p = ramp();
    PaletteClick(p, 7, false);
    const std::int32_t same = p.PaletteColors[7];
    EXPECT_FALSE(PaletteSetColor(p, same, true));
    EXPECT_FALSE(p.PaletteChanged);
    EXPECT_EQ(p.PaletteIndex, 8); // Auto Increment moves on even so

    EXPECT_TRUE(PaletteSetColor(p, rgb(1, 2, 3), false));
    EXPECT_TRUE(p.PaletteChanged);
    EXPECT_EQ(p.PaletteColors[8], rgb(1, 2, 3));
    EXPECT_EQ(p.PaletteIndex, 8);
    EXPECT_EQ(p.PaletteSelectedColor, rgb(1, 2, 3));

    PaletteClick(p, 255, false);
    PaletteSetColor(p, rgb(9, 9, 9), true);
    EXPECT_EQ(p.PaletteIndex, 255);
    EXPECT_EQ(p.PaletteColors[255], rgb(9, 9, 9));
}

TEST(PaletteSetColor, RunTakesTheColourWithoutIncrement)
{
    PaletteState p = ramp();
    PaletteClick(p, 20, false);
    PaletteClick(p, 17, true);
    EXPECT_TRUE(PaletteSetColor(p, rgb(5, 6, 7), true));
    for (int i = 17; i <= 20; ++i)
        EXPECT_EQ(p.PaletteColors[std::size_t(i)], rgb(5, 6, 7)) << i;
    EXPECT_NE(p.PaletteColors[16], rgb(5, 6, 7));
    EXPECT_NE(p.PaletteColors[21], rgb(5, 6, 7));
    EXPECT_EQ(p.PaletteIndex, 17);
    EXPECT_EQ(p.PaletteRangeCount, 4);

    p.PaletteChanged = false;
    EXPECT_FALSE(PaletteSetColor(p, rgb(5, 6, 7), false));
    EXPECT_FALSE(p.PaletteChanged);
}

TEST(PaletteDelete, BlackensTheSelectionAndMarksOnlyChanges)
{
    PaletteState p; // all black
    PaletteClick(p, 3, false);
    PaletteClick(p, 9, true);
    EXPECT_FALSE(PaletteDeleteSelection(p));
    EXPECT_FALSE(p.PaletteChanged);

    p = ramp();
    PaletteClick(p, 30, false);
    PaletteClick(p, 32, true);
    EXPECT_TRUE(PaletteDeleteSelection(p));
    EXPECT_TRUE(p.PaletteChanged);
    EXPECT_EQ(p.PaletteColors[30], 0);
    EXPECT_EQ(p.PaletteColors[32], 0);
    EXPECT_NE(p.PaletteColors[29], 0);
    EXPECT_NE(p.PaletteColors[33], 0);
}

TEST(PaletteText, CopyRunsLowestFirstWithoutTrailingBreak)
{
    PaletteState p;
    EXPECT_EQ(PaletteCopyText(p), QStringLiteral("0 0 0"));
    p = ramp();
    PaletteClick(p, 12, false);
    PaletteClick(p, 10, true);
    EXPECT_EQ(PaletteCopyText(p), QStringLiteral("10 245 5\r\n11 244 5\r\n12 243 6"));
}

TEST(PaletteText, PasteFromTheLowerEndPastTheRun)
{
    PaletteState p;
    PaletteClick(p, 50, false);
    PaletteClick(p, 49, true); // a run of two; the text is longer
    EXPECT_TRUE(PalettePaste(p, QStringLiteral("1 2 3\r\n4 5 6\r\n7 8 9")));
    EXPECT_EQ(p.PaletteColors[48], 0);
    EXPECT_EQ(p.PaletteColors[49], rgb(1, 2, 3));
    EXPECT_EQ(p.PaletteColors[50], rgb(4, 5, 6));
    EXPECT_EQ(p.PaletteColors[51], rgb(7, 8, 9));
    EXPECT_TRUE(p.PaletteChanged);
}

TEST(PaletteText, PasteStopsAt255AndAtAnUnreadableLine)
{
    PaletteState p;
    PaletteClick(p, 254, false);
    EXPECT_TRUE(PalettePaste(p, QStringLiteral("1 1 1\r\n2 2 2\r\n3 3 3\r\n4 4 4")));
    EXPECT_EQ(p.PaletteColors[254], rgb(1, 1, 1));
    EXPECT_EQ(p.PaletteColors[255], rgb(2, 2, 2));
    EXPECT_EQ(p.PaletteColors[0], 0); // no wrap-around

    p = PaletteState{};
    PaletteClick(p, 0, false);
    PalettePaste(p, QStringLiteral("10 20 30\r\n40 50\r\n70 80 90"));
    EXPECT_EQ(p.PaletteColors[0], rgb(10, 20, 30));
    EXPECT_EQ(p.PaletteColors[1], 0);
    EXPECT_EQ(p.PaletteColors[2], 0);

    p = PaletteState{};
    PalettePaste(p, QStringLiteral("1 2 x\r\n4 5 6"));
    EXPECT_EQ(p.PaletteColors[0], 0);
    PalettePaste(p, QStringLiteral("-1 2 3"));
    EXPECT_EQ(p.PaletteColors[0], 0);
    EXPECT_FALSE(p.PaletteChanged);
}

TEST(PaletteText, PasteLineEndsAndLargeValues)
{
    PaletteState p;
    // Text from other programs here ends its lines in LF alone.
    PalettePaste(p, QStringLiteral("1 2 3\n4 5 6\n"));
    EXPECT_EQ(p.PaletteColors[0], rgb(1, 2, 3));
    EXPECT_EQ(p.PaletteColors[1], rgb(4, 5, 6));
    EXPECT_EQ(p.PaletteColors[2], 0);

    p = PaletteState{};
    PalettePaste(p, QStringLiteral("300 0 999"));
    EXPECT_EQ(p.PaletteColors[0], rgb(255, 0, 255));

    // An unchanged paste marks nothing.
    p = PaletteState{};
    EXPECT_FALSE(PalettePaste(p, QStringLiteral("0 0 0\r\n0 0 0")));
    EXPECT_FALSE(p.PaletteChanged);

    // Copy and paste are inverse.
    PaletteState a = ramp();
    PaletteClick(a, 100, false);
    PaletteClick(a, 131, true);
    PaletteState b;
    PaletteClick(b, 100, false);
    PalettePaste(b, PaletteCopyText(a));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(b.PaletteColors[std::size_t(i)], i >= 100 && i <= 131 ? a.PaletteColors[std::size_t(i)] : 0) << i;
}

TEST(PalettePaths, LastPathAndFileParts)
{
    EXPECT_EQ(MakeLastPath(QStringLiteral("/home/u/pal/"), 3), QStringLiteral("/home/u/pal/%3"));
    LastPathValue v = ParseLastPath(QStringLiteral("/a/b%c/x.pal%5"));
    EXPECT_EQ(v.path, QStringLiteral("/a/b%c/x.pal"));
    EXPECT_EQ(v.tableIndex, 5);
    v = ParseLastPath(QStringLiteral("/a/b/%"));
    EXPECT_EQ(v.path, QStringLiteral("/a/b/"));
    EXPECT_FALSE(v.tableIndex);
    v = ParseLastPath(QStringLiteral("/a/b/%12"));
    EXPECT_FALSE(v.tableIndex);
    v = ParseLastPath(QStringLiteral("/a/b"));
    EXPECT_EQ(v.path, QStringLiteral("/a/b"));
    EXPECT_FALSE(v.tableIndex);
    EXPECT_FALSE(ParseLastPath(QString()).tableIndex);

    EXPECT_EQ(PaletteDirectoryPart(QStringLiteral("/x/y/z.act")), QStringLiteral("/x/y/"));
    EXPECT_EQ(PaletteDirectoryPart(QStringLiteral("/x/y/")), QStringLiteral("/x/y/"));
    EXPECT_EQ(PaletteDirectoryPart(QStringLiteral("z.act")), QString());
    EXPECT_EQ(PaletteFileName(QStringLiteral("/x/y/z.act")), QStringLiteral("z.act"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("a.pal"));
    EXPECT_FALSE(NamesExistingFile(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(NamesExistingFile(file));
    EXPECT_FALSE(NamesExistingFile(dir.path()));
    EXPECT_FALSE(NamesExistingFile(dir.path() + QLatin1Char('/')));
    EXPECT_FALSE(NamesExistingFile(QString()));
}

} // namespace
} // namespace tintwell

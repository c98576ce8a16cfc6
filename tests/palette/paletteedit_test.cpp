// The palette tool's editing rules without a window.
#include "palette/paletteedit.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

std::int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

PaletteState ramp(int first, int shiftTo = -1)
{
    PaletteState p;
    for (int i = 0; i < 256; ++i)
        p.PaletteColors[std::size_t(i)] = rgb(i, 255 - i, i / 2);
    PaletteClick(p, first, false);
    if (shiftTo >= 0)
        PaletteClick(p, shiftTo, true);
    return p;
}

TEST(PaletteEdit, ShiftClickRulesAndCellsFromPoints)
{
    PaletteState p = ramp(10);
    EXPECT_FALSE(PaletteClick(p, 10, true)); // Shift on the current cell: nothing at all
    EXPECT_TRUE(PaletteClick(p, 14, true));
    EXPECT_TRUE(PaletteClick(p, 3, true)); // below the anchor keeps the anchor
    EXPECT_EQ(SelectedSpan(p).first, 3);
    EXPECT_EQ(SelectedSpan(p).last, 10);
    EXPECT_FALSE(PaletteClick(p, 3, true)); // the moving end again: nothing
    EXPECT_TRUE(PaletteClick(p, 10, true)); // the anchor collapses the run
    EXPECT_EQ(p.PaletteRangeCount, 0);
    for (const auto &[x, y, cell] : {std::tuple{15, 15, 0}, {16, 0, 1}, {0, 16, 16}, {-40, 300, 240}, {9999, -1, 15}})
        EXPECT_EQ(CellFromPoint(x, y), cell) << x << "," << y;
}

TEST(PaletteEdit, SetColorAndDeleteMarkOnlyRealChanges)
{
    PaletteState p = ramp(7);
    EXPECT_FALSE(PaletteSetColor(p, p.PaletteColors[7], true));
    EXPECT_FALSE(p.PaletteChanged);
    EXPECT_EQ(p.PaletteIndex, 8); // Auto Increment moves on even so
    PaletteClick(p, 255, false);
    EXPECT_TRUE(PaletteSetColor(p, rgb(9, 9, 9), true));
    EXPECT_EQ(p.PaletteIndex, 255); // no step past the end
    p = ramp(20, 17); // a run takes the colour, without increment
    EXPECT_TRUE(PaletteSetColor(p, rgb(5, 6, 7), true));
    for (int i = 16; i <= 21; ++i)
        EXPECT_EQ(p.PaletteColors[std::size_t(i)] == rgb(5, 6, 7), i >= 17 && i <= 20) << i;
    EXPECT_EQ(p.PaletteIndex, 17);
    p = ramp(30, 32);
    EXPECT_TRUE(PaletteDeleteSelection(p));
    for (int i = 29; i <= 33; ++i)
        EXPECT_EQ(p.PaletteColors[std::size_t(i)] == 0, i >= 30 && i <= 32) << i;
    p = PaletteState{}; // all black already
    PaletteClick(p, 3, true);
    EXPECT_FALSE(PaletteDeleteSelection(p) || p.PaletteChanged);
}

TEST(PaletteEdit, CopyAndPasteText)
{
    EXPECT_EQ(PaletteCopyText(ramp(12, 10)), QStringLiteral("10 245 5\r\n11 244 5\r\n12 243 6"));
    const PaletteState a = ramp(100, 131);
    PaletteState b;
    PaletteClick(b, 131, false);
    PaletteClick(b, 100, true); // pasted from the run's lower end, past its end
    PalettePaste(b, PaletteCopyText(a) + QStringLiteral("\r\n1 2 3"));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(b.PaletteColors[std::size_t(i)],
                  i >= 100 && i <= 131 ? a.PaletteColors[std::size_t(i)] : i == 132 ? rgb(1, 2, 3) : 0) << i;
    PaletteState p;
    PaletteClick(p, 254, false);
    EXPECT_TRUE(PalettePaste(p, QStringLiteral("1 1 1\r\n2 2 2\r\n3 3 3")));
    EXPECT_EQ(p.PaletteColors[255], rgb(2, 2, 2));
    EXPECT_EQ(p.PaletteColors[0], 0); // no wrap-around
    p = PaletteState{}; // LF alone, as other programs here write; large values count as 255
    PalettePaste(p, QStringLiteral("1 2 3\n300 0 999\n40 50\n7 8 9"));
    const std::int32_t expected[4] = {rgb(1, 2, 3), rgb(255, 0, 255), 0, 0}; // stops at an unreadable line
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(p.PaletteColors[std::size_t(i)], expected[i]) << i;
    for (const char *bad : {"1 2 x\r\n4 5 6", "-1 2 3", "0 0 0\r\n0 0 0"}) {
        p = PaletteState{};
        EXPECT_FALSE(PalettePaste(p, QString::fromLatin1(bad)) || p.PaletteChanged) << bad;
        EXPECT_EQ(p.PaletteColors[0], 0) << bad;
    }
}

} // namespace
} // namespace tintwell

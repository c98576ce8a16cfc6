// Magnifier size, zoom steps, sample blocks at the screen's edges, the
// crosshair that must keep marking the pointer pixel, and dragged areas.
#include "picker/pickergeometry.h"
#include "picker/sampling.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

const QRect kScreen(0, 0, 1920, 1080);

TEST(PickerGeometry, ViewAndZoomTableFollowTheLogicalDpi)
{
    EXPECT_EQ(ViewSize(TwipsPerPixel(96)), 54);
    EXPECT_EQ(ViewSize(TwipsPerPixel(120)), 68); // 67.5, halves to even
    const int sides96[kZoomCount] = {54, 27, 18, 9, 6};
    // 120 dpi: 67.5, 33.75, 22.5, 11.25, 7.5 rounded halves to even.
    const int sides120[kZoomCount] = {68, 34, 22, 11, 8};
    for (int i = 0; i < kZoomCount; ++i) {
        EXPECT_EQ(ZoomStepFor(i, TwipsPerPixel(96)).side, sides96[i]) << i;
        EXPECT_EQ(ZoomStepFor(i, TwipsPerPixel(120)).side, sides120[i]) << i;
        EXPECT_EQ(ZoomStepFor(i, 15).zoom, kZoomFactors[std::size_t(i)]);
    }
    // A nonsense DPI falls back to the standard resolution instead of dividing by zero.
    EXPECT_EQ(ViewSize(TwipsPerPixel(0)), 54);
}

// At 96 dpi the crosshair centre lies on the magnified pointer pixel and each
// block outline lies one pixel outside the magnified block, at every zoom.
TEST(PickerGeometry, CrosshairAndFramesMarkTheMagnifiedPixelsAtEveryZoom)
{
    const int V = ViewSize(15);
    for (int i = 0; i < kZoomCount; ++i) {
        const ZoomStep s = ZoomStepFor(i, 15);
        const QPoint pos(500, 400);
        const ViewGeometry g = MagnifyGeometry(pos, s, kScreen);
        ASSERT_EQ(g.source.size(), QSize(s.side, s.side));
        // View pixels showing screen column c: [ (c - left) * V / S, (c - left + 1) * V / S ).
        auto first = [&](int c) { return ((c - g.source.left()) * V + s.side - 1) / s.side; };
        auto last = [&](int c) { return first(c + 1) - 1; };
        const int centre = g.reference.x() + 7;
        EXPECT_GE(centre, first(pos.x())) << "zoom " << s.zoom;
        EXPECT_LE(centre, last(pos.x())) << "zoom " << s.zoom;
        for (SampleSize size : {SampleSize::Three, SampleSize::Five}) {
            const int half = SampleSide(size) / 2;
            const QRect f = FrameOutline(g, s, size);
            EXPECT_EQ(f.left(), first(pos.x() - half) - 1) << "zoom " << s.zoom << " n " << SampleSide(size);
            EXPECT_EQ(f.right(), last(pos.x() + half) + 1) << "zoom " << s.zoom << " n " << SampleSide(size);
            EXPECT_EQ(f.top() - g.reference.y(), f.left() - g.reference.x());
        }
        EXPECT_TRUE(FrameOutline(g, s, SampleSize::One).isNull());
        EXPECT_TRUE(FrameOutline(g, s, SampleSize::DragArea).isNull());
    }
}

TEST(PickerGeometry, SquareStaysOnScreenAndTheCrosshairFollowsThePointer)
{
    for (int i = 0; i < kZoomCount; ++i) {
        const ZoomStep s = ZoomStepFor(i, 15);
        // Top-left corner: the square starts at 0, 0; the crosshair moves up and left by z x k.
        ViewGeometry g = MagnifyGeometry(QPoint(0, 0), s, kScreen);
        EXPECT_EQ(g.source.topLeft(), QPoint(0, 0));
        EXPECT_EQ(g.reference, QPoint(s.reference - s.zoom * s.reach, s.reference - s.zoom * s.reach));
        // Bottom-right corner: pushed back by the part that stuck out.
        const QPoint br(kScreen.right(), kScreen.bottom());
        g = MagnifyGeometry(br, s, kScreen);
        EXPECT_EQ(g.source.bottomRight(), br);
        const int shift = (br.x() - s.reach) - (kScreen.width() - s.side);
        EXPECT_EQ(g.reference.x(), s.reference + s.zoom * shift);
        // The crosshair centre is still on the pointer pixel's magnified cells.
        const int V = 54;
        const int col = br.x() - g.source.left();
        EXPECT_GE(g.reference.x() + 7, col * V / s.side) << s.zoom;
        EXPECT_LT(g.reference.x() + 7, (col + 1) * V / s.side + 1) << s.zoom;
    }
}

TEST(PickerGeometry, VirtualDesktopLeftOfAndAboveThePrimaryMonitor)
{
    // Two monitors side by side, the second left of the primary.
    const QRect desktop(-1280, -200, 1280 + 1920, 1280);
    const ZoomStep s = ZoomStepFor(0, 15);
    ViewGeometry g = MagnifyGeometry(QPoint(-1280, -200), s, desktop);
    EXPECT_EQ(g.source.topLeft(), QPoint(-1280, -200));
    EXPECT_EQ(g.reference, QPoint(20 - 27, 20 - 27));
    g = MagnifyGeometry(QPoint(-100, 300), s, desktop);
    EXPECT_EQ(g.source, QRect(-127, 273, 54, 54));
    EXPECT_EQ(g.reference, QPoint(20, 20));
    EXPECT_EQ(SampleBlock(QPoint(-1280, -200), 3, desktop), QRect(-1280, -200, 2, 2));
}

TEST(PickerGeometry, SampleBlocksAreCutToTheScreen)
{
    // 3x3 at the corner: the four pixels on the screen.
    EXPECT_EQ(SampleBlock(QPoint(0, 0), 3, kScreen), QRect(0, 0, 2, 2));
    EXPECT_EQ(SampleBlock(QPoint(1919, 1079), 3, kScreen), QRect(1918, 1078, 2, 2));
    EXPECT_EQ(SampleBlock(QPoint(1919, 500), 3, kScreen), QRect(1918, 499, 2, 3));
    EXPECT_EQ(SampleBlock(QPoint(10, 10), 3, kScreen), QRect(9, 9, 3, 3));
    // 5x5 follows the same rule: one pixel from the edge keeps 4 columns.
    EXPECT_EQ(SampleBlock(QPoint(1, 0), 5, kScreen), QRect(0, 0, 4, 3));
    EXPECT_EQ(SampleBlock(QPoint(1918, 1078), 5, kScreen), QRect(1916, 1076, 4, 4));
    EXPECT_EQ(SampleBlock(QPoint(100, 100), 5, kScreen), QRect(98, 98, 5, 5));
    EXPECT_EQ(SampleBlock(QPoint(7, 8), 1, kScreen), QRect(7, 8, 1, 1));
    // A position the pointer cannot have still reads a pixel of the screen.
    EXPECT_EQ(SampleBlock(QPoint(-5, 5000), 1, kScreen), QRect(0, 1079, 1, 1));
}

TEST(PickerGeometry, AreaIsTheSameWhicheverWayItIsDragged)
{
    const QPoint a(100, 50), b(130, 90);
    const QRect expected(100, 50, 31, 41);
    EXPECT_EQ(AreaRect(a, b), expected);
    EXPECT_EQ(AreaRect(b, a), expected);
    EXPECT_EQ(AreaRect(QPoint(130, 50), QPoint(100, 90)), expected);
    EXPECT_EQ(AreaRect(QPoint(100, 90), QPoint(130, 50)), expected);
    EXPECT_EQ(AreaRect(a, a), QRect(100, 50, 1, 1));
}

TEST(PickerGeometry, ProgressOnlyAboveAThousandAndTwentyFourPixels)
{
    EXPECT_FALSE(AreaShowsProgress(QRect(0, 0, 32, 32)));
    EXPECT_TRUE(AreaShowsProgress(QRect(0, 0, 33, 32)));
    EXPECT_FALSE(AreaShowsProgress(QRect(0, 0, 1024, 1)));
    EXPECT_EQ(ProgressText(0, 1), QStringLiteral("0% Done"));
    EXPECT_EQ(ProgressText(1, 2), QStringLiteral("50% Done"));
    EXPECT_EQ(ProgressText(1, 8), QStringLiteral("13% Done")); // 12.5 away from zero
    EXPECT_EQ(ProgressText(1079, 1080), QStringLiteral("100% Done"));
    EXPECT_EQ(ProgressText(2, 3), QStringLiteral("67% Done"));
}

} // namespace
} // namespace tintwell

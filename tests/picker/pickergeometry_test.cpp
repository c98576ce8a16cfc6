// Zoom steps, sample blocks at the screen's edges and the crosshair that must
// keep marking the pointer pixel; areas and desktops: through the panel.
#include "picker/pickergeometry.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

const QRect kScreen(0, 0, 1920, 1080);

TEST(PickerGeometry, ViewAndZoomTableFollowTheLogicalDpi)
{
    EXPECT_EQ(ViewSize(TwipsPerPixel(0)), 54); // a nonsense dpi divides by nothing
    const int sides96[kZoomCount] = {54, 27, 18, 9, 6}, sides120[kZoomCount] = {68, 34, 22, 11, 8};
    for (int i = 0; i < kZoomCount; ++i) {
        EXPECT_EQ(ZoomStepFor(i, TwipsPerPixel(96)).side, sides96[i]) << i;
        EXPECT_EQ(ZoomStepFor(i, TwipsPerPixel(120)).side, sides120[i]) << i;
    }
}

// The crosshair centre lies on the magnified pointer pixel, also where the
// square is pushed back onto the screen, and each block outline lies one
// pixel outside the magnified block, at every zoom.
TEST(PickerGeometry, CrosshairAndFramesMarkTheMagnifiedPixelsAtEveryZoom)
{
    for (int i = 0; i < kZoomCount; ++i) {
        const ZoomStep s = ZoomStepFor(i, 15);
        for (QPoint pos : {QPoint(500, 400), QPoint(0, 0), QPoint(1919, 1079), QPoint(3, 1070)}) {
            const ViewGeometry g = MagnifyGeometry(pos, s, kScreen);
            SCOPED_TRACE(::testing::Message() << "zoom " << s.zoom << " at " << pos.x() << "," << pos.y());
            ASSERT_EQ(g.source.size(), QSize(s.side, s.side));
            EXPECT_TRUE(kScreen.contains(g.source));
            // View pixels showing screen pixel c: [first(c), first(c + 1)).
            auto first = [&](int c, int left) { return ((c - left) * 54 + s.side - 1) / s.side; };
            const int cx = g.reference.x() + 7, cy = g.reference.y() + 7;
            EXPECT_TRUE(cx >= first(pos.x(), g.source.left()) && cx < first(pos.x() + 1, g.source.left()));
            EXPECT_TRUE(cy >= first(pos.y(), g.source.top()) && cy < first(pos.y() + 1, g.source.top()));
            if (pos.x() < 500)
                continue;
            for (int n : {3, 5}) {
                const QRect f = FrameOutline(g, s, n == 3 ? SampleSize::Three : SampleSize::Five);
                EXPECT_EQ(f.left(), first(pos.x() - n / 2, g.source.left()) - 1) << "n " << n;
                EXPECT_EQ(f.right(), first(pos.x() + n / 2 + 1, g.source.left())) << "n " << n;
                EXPECT_EQ(f.top() - g.reference.y(), f.left() - g.reference.x());
            }
        }
    }
}

TEST(PickerGeometry, SampleBlocksAreCutToTheScreen)
{
    const std::tuple<QPoint, int, QRect> cases[] = {
        {{0, 0}, 3, {0, 0, 2, 2}}, // the four pixels on the screen
        {{1919, 1079}, 3, {1918, 1078, 2, 2}},
        {{1919, 500}, 3, {1918, 499, 2, 3}},
        {{1, 0}, 5, {0, 0, 4, 3}},
        {{1918, 1078}, 5, {1916, 1076, 4, 4}},
        {{-5, 5000}, 1, {0, 1079, 1, 1}}, // a position the pointer cannot have
    };
    for (const auto &[pos, n, block] : cases)
        EXPECT_EQ(SampleBlock(pos, n, kScreen), block) << pos.x() << "," << pos.y() << " n " << n;
}

} // namespace
} // namespace tintwell

// The slider pictures. Device columns at ratio 2 in the real window:
// tests/app/scaled_window_test.cpp; pointer positions and
// values: the drag and paging cases in sliderrow_test.cpp.
#include "mainwindow/sliderdrawing.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

TEST(SliderDrawing, LinesLeaveOutTheirEndPointFillsIncludeItAndBothClip)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::black);
    DrawLine(img, 2, 3, 6, 3, qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(5, 3), qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(6, 3), qRgb(0, 0, 0));
    DrawFill(img, 7, 7, 9, 9, qRgb(9, 9, 9));
    EXPECT_EQ(img.pixel(9, 9), qRgb(9, 9, 9));
    EXPECT_EQ(img.pixel(6, 9), qRgb(0, 0, 0));
    // Off-image coordinates are clipped, not written out of bounds.
    DrawFill(img, -5, -5, 20, 0, qRgb(4, 4, 4));
    DrawLine(img, -3, 12, 40, 12, qRgb(4, 4, 4));
    EXPECT_EQ(img.pixel(9, 0), qRgb(4, 4, 4));
}

TEST(SliderDrawing, GradientStopsOneStepShortAndTheSpectrumPassesTheSixHues)
{
    QImage img(200, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    DrawGradient(img, qRgb(0, 100, 255), qRgb(255, 100, 0), 0, 175, 14, 2);
    EXPECT_EQ(img.pixel(0, 2), qRgb(0, 100, 255));
    // 174 x 255 / 175 = 253.5 -> 254; one step short of 255.
    EXPECT_EQ(img.pixel(174, 15), qRgb(254, 100, 1));
    EXPECT_EQ(img.pixel(175, 2), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(100, 16), qRgb(0, 0, 0));

    TrackImages t;
    t.DrawHueSpectrum();
    const std::pair<int, QRgb> hues[] = {{0, qRgb(255, 0, 0)},   {30, qRgb(255, 255, 0)}, {58, qRgb(0, 255, 0)},
                                         {88, qRgb(0, 255, 255)}, {117, qRgb(0, 0, 255)},  {147, qRgb(255, 0, 255)},
                                         {174, qRgb(255, 0, 9)}}; // the last one keeps a little blue
    for (const auto &[x, colour] : hues)
        EXPECT_EQ(t.TrackBackground().pixel(x, HueSpectrumY + 5), colour) << x;
}

// At fractional ratios logical pixels must tile the device pixels without a
// seam, and a strip copied from the spectrum, which may be a device line
// taller or shorter than the row's own, must leave no line stale.
TEST(SliderDrawing, AtAnyRatioPixelsTileAndStripsFillEveryDeviceLine)
{
    for (const qreal scale : {1.25, 1.5, 1.75, 3.0}) {
        SCOPED_TRACE(scale);
        QImage img = ScaledImage(10, 7, scale);
        ASSERT_EQ(img.width(), DeviceEdge(10, scale));
        img.fill(Qt::black);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 10; ++x)
                DrawPixel(img, x, y, qRgb(x + 1, y + 1, 99));
        for (int dy = 0; dy < img.height(); ++dy)
            for (int dx = 0; dx < img.width(); ++dx)
                ASSERT_NE(img.pixel(dx, dy), qRgb(0, 0, 0)) << dx << "," << dy;
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(qRed(img.pixel(DeviceEdge(x + 1, scale) - 1, 0)), x + 1);

        TrackImages t;
        t.setScale(scale);
        t.FillFlat(qRgb(0, 0, 255));
        t.setRow0FromSpectrum(true);
        for (int row = 0; row < 4; ++row) {
            t.CopyRowBackground(row);
            for (int y = DeviceEdge(stripY(row), scale); y < DeviceEdge(stripY(row) + TrackHeight, scale); ++y)
                ASSERT_EQ(t.TrackBuffer().pixel(DeviceEdge(trackLength(row), scale) - 1, y), qRgb(0, 0, 255))
                    << "row " << row << " line " << y;
        }
    }
}

} // namespace
} // namespace tintwell

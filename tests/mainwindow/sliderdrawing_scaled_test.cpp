// The slider pictures at device pixel ratios above 1: pixel art becomes whole
// blocks that meet without seams, gradients get a colour per device column,
// and the track images redraw themselves when the ratio changes.

#include "mainwindow/sliderdrawing.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

// True when `big` at ratio 2 is `small` with every pixel a 2 x 2 block.
::testing::AssertionResult isBlockCopy(const QImage &small, const QImage &big, QRect logical)
{
    for (int y = logical.top(); y <= logical.bottom(); ++y)
        for (int x = logical.left(); x <= logical.right(); ++x)
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                if (big.pixel(2 * x + d.x(), 2 * y + d.y()) != small.pixel(x, y))
                    return ::testing::AssertionFailure() << "logical pixel " << x << "," << y;
    return ::testing::AssertionSuccess();
}

TEST(ScaledSliderDrawing, LogicalPixelsTileTheDevicePixelsAtAnyRatio)
{
    for (const qreal scale : {1.25, 1.5, 1.75, 3.0}) {
        QImage img = ScaledImage(10, 7, scale);
        ASSERT_EQ(img.width(), DeviceEdge(10, scale));
        img.fill(Qt::black);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 10; ++x)
                DrawPixel(img, x, y, qRgb(x + 1, y + 1, 99));
        // No seam left black, and each column ends where the next begins.
        for (int dy = 0; dy < img.height(); ++dy)
            for (int dx = 0; dx < img.width(); ++dx)
                ASSERT_NE(img.pixel(dx, dy), qRgb(0, 0, 0)) << scale << ": " << dx << "," << dy;
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(qRed(img.pixel(DeviceEdge(x + 1, scale) - 1, 0)), x + 1) << scale;
    }
}

TEST(ScaledSliderDrawing, GradientsGetAColourPerDeviceColumn)
{
    QImage one(200, 20, QImage::Format_RGB32);
    QImage two = ScaledImage(200, 20, 2.0);
    one.fill(Qt::black);
    two.fill(Qt::black);
    DrawGradient(one, qRgb(0, 100, 255), qRgb(255, 100, 0), 0, 175, 14, 2);
    DrawGradient(two, qRgb(0, 100, 255), qRgb(255, 100, 0), 0, 175, 14, 2);
    // Stretched, columns 2k and 2k + 1 would always match.
    int differing = 0;
    for (int d = 1; d < 350; ++d) {
        ASSERT_GE(qRed(two.pixel(d, 4)), qRed(two.pixel(d - 1, 4))) << d;
        differing += two.pixel(d, 4) != two.pixel(d - 1, 4);
    }
    EXPECT_GT(differing, 200);
    // The 1x ends (one step short of `to`), and nothing outside the strip.
    EXPECT_EQ(two.pixel(0, 4), qRgb(0, 100, 255));
    EXPECT_EQ(qRed(two.pixel(349, 4)), qRed(one.pixel(174, 2)));
    EXPECT_EQ(two.pixel(350, 4), qRgb(0, 0, 0));
    EXPECT_EQ(two.pixel(100, 3), qRgb(0, 0, 0));
    EXPECT_EQ(two.pixel(100, 31), two.pixel(100, 4));
    EXPECT_EQ(two.pixel(100, 32), qRgb(0, 0, 0));
}

TEST(ScaledSliderDrawing, TrackImagesRedrawWhatTheyHeldAtTheNewRatio)
{
    TrackImages one;
    TrackImages two;
    for (TrackImages *t : {&one, &two}) {
        t->DrawHueSpectrum();
        t->DrawRowBackground(2, {{qRgb(0, 0, 0), qRgb(0, 255, 0), 0, 88}, {qRgb(0, 255, 0), qRgb(255, 255, 255), 88, 175}});
    }
    const int before = two.generation();
    two.setScale(2.0);
    two.setScale(2.0); // the same ratio again redraws nothing
    EXPECT_EQ(two.generation(), before + 1);
    ASSERT_EQ(two.TrackBackground().size(), QSize(398, 142));
    EXPECT_EQ(two.TrackBuffer().devicePixelRatio(), 2.0);
    for (const int y : {stripY(2), HueSpectrumY})
        for (int x = 0; x < 175; x += 7)
            for (int c = 0; c < 3; ++c) {
                const QRgb a = one.TrackBackground().pixel(x, y + 5);
                const QRgb b = two.TrackBackground().pixel(2 * x, 2 * (y + 5));
                ASSERT_NEAR((a >> (8 * c)) & 0xFF, (b >> (8 * c)) & 0xFF, 3) << x << "," << y;
            }
    // A flat fill replaces every gradient, also when redrawn.
    two.FillFlat(qRgb(9, 8, 7));
    two.setScale(1.5);
    const QImage &flat = two.TrackBackground();
    EXPECT_EQ(flat.pixel(0, 0), qRgb(9, 8, 7));
    EXPECT_EQ(flat.pixel(flat.width() - 1, flat.height() - 1), qRgb(9, 8, 7));
}

// Both images with a thumb on every row over a flat background.
void drawThumbs(TrackImages &t, const ThumbLook &look, const SystemColors &c)
{
    t.FillFlat(qRgb(200, 0, 0));
    for (int row = 0; row < 4; ++row) {
        t.CopyRowBackground(row);
        t.DrawThumb(row, float(row * 40 + 3), 255.0f, look, c); // row 0 at the very left
    }
}

TEST(ScaledSliderDrawing, PointersStepByOneDevicePixelAndAreTheMapAtOne)
{
    SystemColors c;
    c.face = qRgb(10, 10, 10);
    ThumbLook look;
    TrackImages one;
    TrackImages hair; // a ratio a hair above 1 samples the shape, not the map
    hair.setScale(1.0001);
    TrackImages two;
    two.setScale(2.0);
    for (TrackImages *t : {&one, &hair, &two})
        drawThumbs(*t, look, c);
    EXPECT_EQ(hair.TrackBuffer().size(), one.TrackBuffer().size());
    EXPECT_EQ(hair.TrackBuffer().convertToFormat(QImage::Format_RGB32),
              one.TrackBuffer().convertToFormat(QImage::Format_RGB32));

    // At 2 the slanted edges step by one device pixel: the two device lines
    // of logical line 2 start one pixel apart, where a stretched map would
    // give both the same start. The bottom pointer mirrors the top one.
    const QImage &b = two.TrackBuffer();
    const auto firstThumbPixel = [&](int y) {
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != qRgb(200, 0, 0))
                return x;
        return -1;
    };
    const int y = 2 * stripY(2);
    EXPECT_EQ(firstThumbPixel(y + 5) - firstThumbPixel(y + 4), 1);
    // Value 83 of 255 puts the pointer's left column at 54; line 2 starts a
    // column in, at 55, which the two device lines straddle (110 and 111).
    EXPECT_EQ(firstThumbPixel(y + 4), 110);
    for (int dy = 0; dy < 2 * TrackHeight; ++dy)
        for (int x = 0; x < b.width(); ++x)
            ASSERT_EQ(b.pixel(x, y + dy), b.pixel(x, y + 2 * TrackHeight - 1 - dy)) << x << "," << dy;
}

TEST(ScaledSliderDrawing, OldThumbsAndButtonsAreBlockCopiesAndStripsFillEveryLine)
{
    SystemColors c;
    c.face = qRgb(10, 10, 10);
    c.shadow = qRgb(120, 120, 120);
    TrackImages one;
    TrackImages two;
    two.setScale(2.0);
    ThumbLook look;
    look.oldThumbWidth = 17;
    look.focused = true;
    drawThumbs(one, look, c);
    drawThumbs(two, look, c);
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(isBlockCopy(one.TrackBuffer(), two.TrackBuffer(),
                                QRect(0, stripY(row), trackLength(row), TrackHeight)))
            << "row " << row;
    const QImage button = DrawStepButton(StepGlyph::Plus, false, c);
    EXPECT_TRUE(isBlockCopy(button, DrawStepButton(StepGlyph::Plus, false, c, 2.0), button.rect()));

    // At a fractional ratio row 0's strip taken from the spectrum may be a
    // device line taller or shorter than its own: no line of it stays stale.
    TrackImages odd;
    odd.setScale(1.75);
    odd.FillFlat(qRgb(0, 0, 255));
    odd.setRow0FromSpectrum(true);
    for (int row = 0; row < 4; ++row) {
        odd.CopyRowBackground(row);
        for (int y = DeviceEdge(stripY(row), 1.75); y < DeviceEdge(stripY(row) + TrackHeight, 1.75); ++y)
            ASSERT_EQ(odd.TrackBuffer().pixel(DeviceEdge(trackLength(row), 1.75) - 1, y), qRgb(0, 0, 255))
                << "row " << row << " line " << y;
    }
}

} // namespace
} // namespace tintwell

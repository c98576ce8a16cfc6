#include "mainwindow/sliderdrawing.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

SystemColors distinctColours()
{
    SystemColors c;
    c.face = qRgb(10, 10, 10);
    c.highlight = qRgb(250, 250, 250);
    c.shadow = qRgb(120, 120, 120);
    c.darkShadow = qRgb(60, 60, 60);
    c.scrollBar = qRgb(200, 190, 180);
    return c;
}

TEST(SliderDrawing, LinesLeaveOutTheirEndPointAndFillsIncludeIt)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::black);
    DrawLine(img, 2, 3, 6, 3, qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(2, 3), qRgb(1, 2, 3));
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

TEST(SliderDrawing, GradientStopsOneStepShortAndCopiesDown)
{
    QImage img(200, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    DrawGradient(img, qRgb(0, 100, 255), qRgb(255, 100, 0), 0, 175, 14, 2);
    EXPECT_EQ(img.pixel(0, 2), qRgb(0, 100, 255));
    // 174 x 255 / 175 = 253.5 -> 254; one step short of 255.
    EXPECT_EQ(qRed(img.pixel(174, 2)), 254);
    EXPECT_EQ(qBlue(img.pixel(174, 2)), 1);
    EXPECT_EQ(img.pixel(175, 2), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(100, 15), img.pixel(100, 2));
    EXPECT_EQ(img.pixel(100, 16), qRgb(0, 0, 0));
    // Zero width draws nothing.
    DrawGradient(img, qRgb(9, 9, 9), qRgb(9, 9, 9), 50, 50, 14, 2);
    EXPECT_NE(img.pixel(50, 2), qRgb(9, 9, 9));
}

TEST(SliderDrawing, RaisedButtonsFollowThePixelMap)
{
    const SystemColors c = distinctColours();
    const QImage minus = DrawStepButton(StepGlyph::Minus, false, c);
    ASSERT_EQ(minus.size(), QSize(13, 14));
    EXPECT_EQ(minus.pixel(0, 0), c.face);
    EXPECT_EQ(minus.pixel(1, 1), c.highlight);
    EXPECT_EQ(minus.pixel(1, 11), c.highlight);
    EXPECT_EQ(minus.pixel(11, 1), c.shadow);
    EXPECT_EQ(minus.pixel(10, 12), c.shadow);
    EXPECT_EQ(minus.pixel(12, 0), c.darkShadow);
    EXPECT_EQ(minus.pixel(0, 13), c.darkShadow);
    // Minus glyph: highlight bar and dark underside.
    EXPECT_EQ(minus.pixel(3, 5), c.highlight);
    EXPECT_EQ(minus.pixel(8, 5), c.highlight);
    EXPECT_EQ(minus.pixel(9, 5), c.darkShadow);
    EXPECT_EQ(minus.pixel(3, 6), c.highlight);
    EXPECT_EQ(minus.pixel(9, 7), c.darkShadow);
    EXPECT_EQ(minus.pixel(10, 7), c.face);
    EXPECT_EQ(minus.pixel(5, 3), c.face);

    const QImage plus = DrawStepButton(StepGlyph::Plus, false, c);
    EXPECT_EQ(plus.pixel(5, 3), c.highlight);
    EXPECT_EQ(plus.pixel(6, 3), c.highlight);
    EXPECT_EQ(plus.pixel(7, 3), c.darkShadow);
    EXPECT_EQ(plus.pixel(5, 8), c.highlight);
    EXPECT_EQ(plus.pixel(7, 9), c.darkShadow);
    EXPECT_EQ(plus.pixel(9, 6), c.darkShadow);
}

TEST(SliderDrawing, PressedButtonHasAShadowFrameAndAShiftedGlyph)
{
    const SystemColors c = distinctColours();
    const QImage up = DrawStepButton(StepGlyph::Plus, false, c);
    const QImage down = DrawStepButton(StepGlyph::Plus, true, c);
    EXPECT_EQ(down.pixel(0, 0), c.shadow);
    EXPECT_EQ(down.pixel(12, 13), c.shadow);
    EXPECT_EQ(down.pixel(1, 1), c.face);
    for (int y = 3; y <= 9; ++y)
        for (int x = 3; x <= 9; ++x)
            EXPECT_EQ(down.pixel(x + 1, y + 1), up.pixel(x, y)) << x << "," << y;
}

TEST(SliderDrawing, HueSpectrumPassesThroughTheSixHues)
{
    TrackImages t;
    t.DrawHueSpectrum();
    const QImage &bg = t.TrackBackground();
    EXPECT_EQ(bg.pixel(0, 57), qRgb(255, 0, 0));
    EXPECT_EQ(bg.pixel(30, 57), qRgb(255, 255, 0));
    EXPECT_EQ(bg.pixel(58, 57), qRgb(0, 255, 0));
    EXPECT_EQ(bg.pixel(88, 60), qRgb(0, 255, 255));
    EXPECT_EQ(bg.pixel(117, 70), qRgb(0, 0, 255));
    EXPECT_EQ(bg.pixel(147, 57), qRgb(255, 0, 255));
    // 28 pixels from magenta back to red: the last one keeps a little blue.
    EXPECT_EQ(bg.pixel(174, 57), qRgb(255, 0, 9));
}

TEST(SliderDrawing, CopyRowBackgroundTakesRowZeroFromTheSpectrumWhenAsked)
{
    TrackImages t;
    t.DrawHueSpectrum();
    t.DrawRowBackground(0, {{qRgb(0, 0, 0), qRgb(0, 0, 174), 0, 175}});
    t.CopyRowBackground(0);
    EXPECT_EQ(t.TrackBuffer().pixel(10, 5), qRgb(0, 0, 10));
    t.setRow0FromSpectrum(true);
    t.CopyRowBackground(0);
    EXPECT_EQ(t.TrackBuffer().pixel(0, 5), qRgb(255, 0, 0));
    EXPECT_EQ(t.TrackBuffer().pixel(58, 13), qRgb(0, 255, 0));
    // Row 3 is 199 wide and not touched by row 0's copy.
    t.DrawRowBackground(3, {{qRgb(0, 0, 0), qRgb(199, 0, 0), 0, 199}});
    t.CopyRowBackground(3);
    EXPECT_EQ(t.TrackBuffer().pixel(198, 43), qRgb(198, 0, 0));
}

TEST(SliderDrawing, NewStyleThumbIsTwoPointersCentredOnTheValue)
{
    const SystemColors c = distinctColours();
    TrackImages t;
    t.FillFlat(qRgb(1, 2, 3));
    t.CopyRowBackground(1);
    const int top = stripY(1);
    // base 174: value 87 is pixel 87, the pointers span 84 .. 90.
    t.DrawThumb(1, 87.0f, 174.0f, ThumbLook{}, c);
    const QImage &b = t.TrackBuffer();
    EXPECT_EQ(b.pixel(83, top), qRgb(1, 2, 3));
    EXPECT_EQ(b.pixel(84, top), c.highlight);
    EXPECT_EQ(b.pixel(86, top + 1), c.face);
    EXPECT_EQ(b.pixel(89, top), c.shadow);
    EXPECT_EQ(b.pixel(90, top + 13), c.darkShadow);
    EXPECT_EQ(b.pixel(84, top + 2), qRgb(1, 2, 3));
    EXPECT_EQ(b.pixel(85, top + 11), c.highlight);
    EXPECT_EQ(b.pixel(87, top + 4), c.darkShadow);
    EXPECT_EQ(b.pixel(87, top + 9), c.darkShadow);
    for (int y = 5; y <= 8; ++y)
        EXPECT_EQ(b.pixel(87, top + y), qRgb(1, 2, 3));

    // Focus turns the face pixels into highlight.
    t.CopyRowBackground(1);
    t.DrawThumb(1, 87.0f, 174.0f, ThumbLook{0, true, 0}, c);
    EXPECT_EQ(t.TrackBuffer().pixel(86, top + 1), c.highlight);

    // At 0 the left half is cut off at the strip's edge, not drawn into row 0.
    t.CopyRowBackground(0);
    t.CopyRowBackground(1);
    t.DrawThumb(1, 0.0f, 174.0f, ThumbLook{}, c);
    EXPECT_EQ(t.TrackBuffer().pixel(0, top), c.face);
    EXPECT_EQ(t.TrackBuffer().pixel(3, top), c.darkShadow);
    EXPECT_EQ(t.TrackBuffer().pixel(0, stripY(0) + 13), qRgb(1, 2, 3));
}

TEST(SliderDrawing, OldStyleThumbIsARaisedBoxWithFocusPatternAndPagingShade)
{
    const SystemColors c = distinctColours();
    TrackImages t;
    t.FillFlat(c.scrollBar);
    t.CopyRowBackground(0);
    // Width 29 over 0 .. 255: travel 147 pixels; value 255 puts the box at 147.
    t.DrawThumb(0, 0.0f, 255.0f, ThumbLook{29, false, 0}, c);
    const QImage &b = t.TrackBuffer();
    EXPECT_EQ(b.pixel(0, 0), c.highlight);
    EXPECT_EQ(b.pixel(5, 5), c.face);
    EXPECT_EQ(b.pixel(28, 5), c.darkShadow);
    EXPECT_EQ(b.pixel(27, 5), c.shadow);
    EXPECT_EQ(b.pixel(5, 13), c.darkShadow);
    EXPECT_EQ(b.pixel(29, 5), c.scrollBar);

    t.CopyRowBackground(0);
    t.DrawThumb(0, 255.0f, 255.0f, ThumbLook{29, true, -1}, c);
    EXPECT_EQ(b.pixel(147, 3), c.highlight);
    EXPECT_EQ(b.pixel(146, 3), c.shadow); // paging shade toward the left end
    EXPECT_EQ(b.pixel(0, 7), c.shadow);
    // 50 % pattern inside the focused box.
    EXPECT_NE(b.pixel(150, 4), b.pixel(151, 4));
    EXPECT_EQ(b.pixel(150, 4), b.pixel(151, 5));
}

TEST(SliderDrawing, ThumbSpanAndPointerValueAreInverse)
{
    for (int row : {0, 3}) {
        for (int w : {0, 29, 7}) {
            const ThumbSpan s = thumbSpan(row, 100.0f, 255.0f, w);
            const float grip = w > 0 ? 1.0f : float(TrackStart);
            EXPECT_NEAR(valueAtX(row, s.pos + grip, 255.0f, w), 100.0f, 1e-3) << row << " " << w;
        }
    }
    EXPECT_FLOAT_EQ(thumbSpan(0, 255.0f, 255.0f, 0).pos, 174.0f);
    EXPECT_FLOAT_EQ(thumbSpan(3, 255.0f, 255.0f, 0).pos, 198.0f);
    EXPECT_FLOAT_EQ(thumbSpan(0, 0.0f, 255.0f, 29).pos, 12.0f);
    EXPECT_FLOAT_EQ(thumbSpan(3, 255.0f, 255.0f, 33).pos, 200.0f - 33.0f + 12.0f);
}

} // namespace
} // namespace tintwell

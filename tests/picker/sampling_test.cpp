// Averages, the magnified view and what is drawn over it.
#include "picker/sampling.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

QImage Filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// A distinct colour for every pixel, so a shifted read shows.
QImage Numbered(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x, y, (x + y) & 0xFF));
    return img;
}

std::int32_t Value(int r, int g, int b) { return r | g << 8 | b << 16; }

TEST(Sampling, AveragesDropTheRemainder)
{
    QImage img = Filled(3, 3, qRgb(0, 0, 0));
    img.setPixel(2, 2, qRgb(255, 10, 1));
    EXPECT_EQ(AverageColor(img, img.rect()), Value(28, 1, 0)); // 255 \ 9, 10 \ 9, 1 \ 9

    QImage two = Filled(2, 1, qRgb(0, 0, 0));
    two.setPixel(1, 0, qRgb(255, 255, 255));
    EXPECT_EQ(AverageColor(two, two.rect()), Value(127, 127, 127));

    // Red in the low byte, blue in the high one.
    EXPECT_EQ(AverageColor(Filled(4, 4, qRgb(1, 2, 3)), QRect(1, 1, 2, 2)), Value(1, 2, 3));
}

TEST(Sampling, AverageReadsOnlyThePixelsAskedFor)
{
    const QImage img = Numbered(10, 10);
    // Columns 2-3, rows 5-6: red (2+3+2+3)/4 = 2, green 5, blue (7+8+8+9)/4 = 8.
    EXPECT_EQ(AverageColor(img, QRect(2, 5, 2, 2)), Value(2, 5, 8));
    // A rectangle reaching past the image is cut to it.
    EXPECT_EQ(AverageColor(img, QRect(9, 9, 5, 5)), Value(9, 9, 18));
    EXPECT_EQ(AverageColor(img, QRect(20, 20, 2, 2)), 0);
    ColorSums row = SumRow(img, 3, 0, 10);
    EXPECT_EQ(row.count, 10u);
    EXPECT_EQ(row.green, 30u);
}

TEST(Sampling, LargeAreasDoNotOverflowTheSums)
{
    const QImage white = Filled(4000, 3000, qRgb(255, 255, 255));
    EXPECT_EQ(AverageColor(white, white.rect()), Value(255, 255, 255));
}

TEST(Sampling, MagnifiedViewRepeatsEachPixelZoomTimes)
{
    const QImage src = Numbered(40, 40);
    // 9x at 96 dpi: a 6-pixel square onto 54 pixels.
    const QImage view = MagnifiedView(src, QPoint(100, 200), QRect(110, 215, 6, 6), 54, 6);
    ASSERT_EQ(view.size(), QSize(54, 54));
    for (int v = 0; v < 54; ++v) {
        EXPECT_EQ(qRed(view.pixel(v, 0)), 10 + v / 9) << v;
        EXPECT_EQ(qGreen(view.pixel(0, v)), 15 + v / 9) << v;
    }
    // 1x: a copy.
    const QImage same = MagnifiedView(src, QPoint(0, 0), QRect(3, 4, 30, 30), 30, 30);
    EXPECT_EQ(same.pixel(7, 9), src.pixel(10, 13));
}

TEST(Sampling, CrosshairInvertsItsFigureAndVanishesWhenDrawnAgain)
{
    QImage view = Filled(54, 54, qRgb(10, 200, 30));
    const QImage before = view.copy();
    DrawPickerCrosshair(view, QPoint(20, 20));
    const QRgb inverted = qRgb(245, 55, 225);
    EXPECT_EQ(view.pixel(27, 27), inverted); // centre
    for (int d = 5; d <= 7; ++d) {
        EXPECT_EQ(view.pixel(27 - d, 27), inverted) << d;
        EXPECT_EQ(view.pixel(27 + d, 27), inverted) << d;
        EXPECT_EQ(view.pixel(27, 27 - d), inverted) << d;
        EXPECT_EQ(view.pixel(27, 27 + d), inverted) << d;
    }
    for (int d = 1; d <= 4; ++d)
        EXPECT_EQ(view.pixel(27 + d, 27), before.pixel(27 + d, 27)) << d;
    EXPECT_EQ(view.pixel(27 + 8, 27), before.pixel(27 + 8, 27));
    int changed = 0;
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x)
            changed += view.pixel(x, y) != before.pixel(x, y);
    EXPECT_EQ(changed, 13);
    DrawPickerCrosshair(view, QPoint(20, 20));
    EXPECT_EQ(view, before);
    // Near the corner the figure is cut, not wrapped or crashed.
    DrawPickerCrosshair(view, QPoint(-7, -7));
    EXPECT_EQ(view.pixel(0, 0), inverted);
    EXPECT_EQ(view.pixel(53, 53), before.pixel(53, 53));
}

TEST(Sampling, OutlineInvertsEachPixelOnce)
{
    QImage view = Filled(20, 20, qRgb(0, 0, 0));
    DrawInvertedOutline(view, QRect(QPoint(5, 5), QPoint(9, 9)));
    int white = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            white += view.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_EQ(white, 16); // a 5 x 5 ring, corners not inverted twice
    EXPECT_EQ(view.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(9, 9), qRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(7, 7), qRgb(0, 0, 0));
}

TEST(Sampling, AreaFrameDashesCrawlOnePixelPerPhase)
{
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(qRgb(1, 2, 3));
    auto topRow = [&img] {
        QString s;
        for (int x = 0; x < img.width(); ++x)
            s += img.pixel(x, 0) == qRgb(0, 0, 0) ? QLatin1Char('#') : QLatin1Char('.');
        return s;
    };
    DrawAreaFrame(img, 0);
    EXPECT_EQ(topRow(), QStringLiteral("....####....####....####....####....####"));
    DrawAreaFrame(img, 1);
    EXPECT_EQ(topRow(), QStringLiteral("#....####....####....####....####....###"));
    // Inside the outline nothing is drawn; every edge carries dashes.
    EXPECT_EQ(img.pixel(10, 10), qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(1, 1), qRgb(1, 2, 3));
    int left = 0, right = 0, bottom = 0;
    for (int y = 0; y < 20; ++y) {
        left += img.pixel(0, y) == qRgb(0, 0, 0);
        right += img.pixel(39, y) == qRgb(0, 0, 0);
    }
    for (int x = 0; x < 40; ++x)
        bottom += img.pixel(x, 19) == qRgb(0, 0, 0);
    EXPECT_GE(left, 8);
    EXPECT_GE(right, 8);
    EXPECT_GE(bottom, 16);
    // Phase 8 would be phase 0 again.
    QImage a(13, 7, QImage::Format_RGB32), b(13, 7, QImage::Format_RGB32);
    a.fill(Qt::red);
    b.fill(Qt::red);
    DrawAreaFrame(a, 0);
    DrawAreaFrame(b, 8);
    EXPECT_EQ(a, b);
    // A one-pixel frame draws without trouble.
    QImage dot(1, 1, QImage::Format_RGB32);
    DrawAreaFrame(dot, 3);
}

} // namespace
} // namespace tintwell

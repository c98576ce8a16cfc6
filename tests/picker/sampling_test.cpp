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

int CountDiffering(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

constexpr std::int32_t Value(int r, int g, int b) { return r | g << 8 | b << 16; }

TEST(Sampling, AveragesDropTheRemainderAndReadOnlyTheRectangle)
{
    QImage img = Filled(3, 3, qRgb(0, 0, 0));
    img.setPixel(2, 2, qRgb(255, 10, 1));
    EXPECT_EQ(AverageColor(img, img.rect()), Value(28, 1, 0)); // 255 \ 9, 10 \ 9, 1 \ 9
    const QImage n = Numbered(10, 10);
    // Columns 2-3, rows 5-6: red (2+3+2+3)/4 = 2, green 5, blue (7+8+8+9)/4 = 8.
    EXPECT_EQ(AverageColor(n, QRect(2, 5, 2, 2)), Value(2, 5, 8));
    EXPECT_EQ(AverageColor(n, QRect(9, 9, 5, 5)), Value(9, 9, 18)); // cut to the image
    EXPECT_EQ(AverageColor(n, QRect(20, 20, 2, 2)), 0);
    const QImage white = Filled(4000, 3000, qRgb(255, 255, 255)); // sums beyond 32 bits
    EXPECT_EQ(AverageColor(white, white.rect()), 0xFFFFFF);
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
    EXPECT_EQ(MagnifiedView(src, QPoint(0, 0), QRect(3, 4, 30, 30), 30, 30).pixel(7, 9), src.pixel(10, 13));
}

TEST(Sampling, CrosshairAndOutlineInvertAndVanishWhenDrawnAgain)
{
    QImage view = Filled(54, 54, qRgb(10, 200, 30));
    const QImage before = view.copy();
    const QRgb inverted = qRgb(245, 55, 225);
    DrawPickerCrosshair(view, QPoint(20, 20));
    EXPECT_EQ(CountDiffering(view, before), 13);
    EXPECT_EQ(view.pixel(27, 27), inverted); // centre
    for (QPoint arm : {QPoint(20, 27), QPoint(34, 27), QPoint(27, 20), QPoint(27, 34), QPoint(22, 27)})
        EXPECT_EQ(view.pixel(arm), inverted) << arm.x() << "," << arm.y();
    DrawPickerCrosshair(view, QPoint(20, 20));
    EXPECT_EQ(view, before);
    DrawPickerCrosshair(view, QPoint(-7, -7)); // cut at the corner, not wrapped
    EXPECT_EQ(CountDiffering(view, before), 7);
    EXPECT_EQ(view.pixel(0, 0), inverted);

    QImage black = Filled(20, 20, qRgb(0, 0, 0));
    DrawInvertedOutline(black, QRect(QPoint(5, 5), QPoint(9, 9)));
    EXPECT_EQ(CountDiffering(black, Filled(20, 20, qRgb(0, 0, 0))), 16); // corners not inverted twice
    EXPECT_EQ(black.pixel(9, 9), qRgb(255, 255, 255));
}

TEST(Sampling, AreaFrameDashesCrawlOnePixelPerPhase)
{
    QImage img = Filled(40, 20, qRgb(1, 2, 3));
    auto row = [&img](int y) {
        std::string s;
        for (int x = 0; x < img.width(); ++x)
            s += img.pixel(x, y) == qRgb(0, 0, 0) ? '#' : '.';
        return s;
    };
    DrawAreaFrame(img, 0);
    EXPECT_EQ(row(0), "....####....####....####....####....####");
    // The bottom edge sits (20 - 1) mod 4 = 3 further left; its last pixel is the right edge's dash.
    EXPECT_EQ(row(19), ".####....####....####....####....####..#");
    DrawAreaFrame(img, 1);
    EXPECT_EQ(row(0), "#....####....####....####....####....###");
    EXPECT_EQ(row(10).substr(1, 38), std::string(38, '.')); // the inside is left alone
    QImage phase8 = Filled(13, 7, qRgb(255, 0, 0));
    img = phase8.copy();
    DrawAreaFrame(img, 0);
    DrawAreaFrame(phase8, 8);
    EXPECT_EQ(img, phase8);
    QImage dot(1, 1, QImage::Format_RGB32);
    DrawAreaFrame(dot, 3); // a one-pixel frame draws without trouble
}

} // namespace
} // namespace tintwell

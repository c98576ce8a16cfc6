// Averages and what is drawn over the magnified view and around a dragged area.
// The view itself is checked through the picker panel.
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

int CountDiffering(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(Sampling, AveragesDropTheRemainderAndStayOnTheImage)
{
    QImage img = Filled(3, 3, qRgb(0, 0, 0));
    img.setPixel(2, 2, qRgb(255, 10, 1));
    EXPECT_EQ(AverageColor(img, img.rect()), 28 | 1 << 8); // 255 \ 9, 10 \ 9, 1 \ 9
    EXPECT_EQ(AverageColor(img, QRect(2, 2, 5, 5)), 255 | 10 << 8 | 1 << 16); // cut to the image
    EXPECT_EQ(AverageColor(img, QRect(20, 20, 2, 2)), 0);
}

TEST(Sampling, CrosshairAndOutlineInvertAndVanishWhenDrawnAgain)
{
    QImage view = Filled(54, 54, qRgb(10, 200, 30));
    const QImage before = view.copy();
    const QRgb inverted = qRgb(245, 55, 225);
    DrawPickerCrosshair(view, QPoint(20, 20));
    EXPECT_EQ(CountDiffering(view, before), 13);
    // The centre, the arms' outer ends and an inner end.
    for (QPoint p : {QPoint(27, 27), QPoint(20, 27), QPoint(34, 27), QPoint(27, 20), QPoint(27, 34), QPoint(22, 27)})
        EXPECT_EQ(view.pixel(p), inverted) << p.x() << "," << p.y();
    DrawPickerCrosshair(view, QPoint(20, 20));
    EXPECT_EQ(view, before);
    DrawPickerCrosshair(view, QPoint(-7, -7)); // cut at the corner, not wrapped
    EXPECT_EQ(CountDiffering(view, before), 7);

    QImage outline = Filled(20, 20, qRgb(0, 0, 0));
    DrawInvertedOutline(outline, QRect(QPoint(5, 5), QPoint(9, 9)));
    EXPECT_EQ(CountDiffering(outline, Filled(20, 20, qRgb(0, 0, 0))), 16); // corners not inverted twice
    EXPECT_EQ(outline.pixel(9, 9), qRgb(255, 255, 255));
}

TEST(Sampling, AreaFrameDashesCrawlOnePixelPerPhase)
{
    QImage img = Filled(40, 20, qRgb(1, 2, 3));
    auto row = [&img](int y) {
        std::string s;
        for (int x = 0; x < img.width(); ++x)
            s += img.pixel(x, y) == qRgb(0, 0, 0) ? '#' : img.pixel(x, y) == qRgb(1, 2, 3) ? ' ' : '.';
        return s;
    };
    DrawAreaFrame(img, 0);
    EXPECT_EQ(row(0), "....####....####....####....####....####");
    // The bottom edge sits (20 - 1) mod 4 = 3 further left; its last pixel is the right edge's dash.
    EXPECT_EQ(row(19), ".####....####....####....####....####..#");
    EXPECT_EQ(row(10), "." + std::string(38, ' ') + "#"); // the inside is left alone
    DrawAreaFrame(img, 1);
    EXPECT_EQ(row(0), "#....####....####....####....####....###");
    QImage dot(1, 1, QImage::Format_RGB32);
    DrawAreaFrame(dot, 3); // a one-pixel frame draws without trouble
}

} // namespace
} // namespace tintwell

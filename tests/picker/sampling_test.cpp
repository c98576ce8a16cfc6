// What is drawn over the magnified view and around a dragged area. Averages
// and the view itself are checked through the picker panel and on X11.
#include "picker/sampling.h"

#include <gtest/gtest.h>

namespace tintwell {
namespace {

// Draws on a blank image and counts the pixels that changed.
template<typename Draw>
int Changed(int w, int h, Draw draw)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(10, 200, 30));
    const QImage before = img.copy();
    draw(img);
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            n += img.pixel(x, y) != before.pixel(x, y);
    return n;
}

TEST(Sampling, CrosshairAndOutlineInvertEachPixelOnceAndStayOnTheView)
{
    EXPECT_EQ(Changed(54, 54, [](QImage &v) { DrawPickerCrosshair(v, QPoint(20, 20)); }), 13);
    EXPECT_EQ(Changed(54, 54, [](QImage &v) { DrawPickerCrosshair(v, QPoint(-7, -7)); }), 7); // cut, not wrapped
    EXPECT_EQ(Changed(20, 20, [](QImage &v) { DrawInvertedOutline(v, QRect(QPoint(5, 5), QPoint(9, 9))); }), 16);
}

TEST(Sampling, AreaFrameDashesCrawlOnePixelPerPhase)
{
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(qRgb(1, 2, 3));
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
}

} // namespace
} // namespace tintwell

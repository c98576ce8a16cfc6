#pragma once
// Reading and drawing for the picker, on images already taken from the
// screen: the average of a rectangle, the magnified view, and the inverting
// crosshair and block outline drawn over it.

#include "picker/pickergeometry.h"

#include <QImage>
#include <cstdint>

namespace tintwell {

// Per-channel sums of a run of pixels; averaging drops the remainder.
struct ColorSums {
    std::uint64_t red = 0, green = 0, blue = 0, count = 0;
    void add(const ColorSums &other);
    // red + green x 256 + blue x 65536 of the average; black for no pixels.
    std::int32_t average() const;
};

// Sums of `rect` (in the image's own coordinates, cut to the image) of an
// image taken from the screen.
ColorSums SumPixels(const QImage &image, const QRect &rect);
// One row of `rect`, for callers that report progress between rows.
ColorSums SumRow(const QImage &image, int y, int left, int width);
std::int32_t AverageColor(const QImage &image, const QRect &rect);

// The pixel of an image as a colour value (0x00BBGGRR).
std::int32_t ColorAt(const QImage &image, QPoint p);

// The view: `source` (an image of the screen whose top-left pixel is
// `sourceOrigin` on the screen) stretched onto a side x side image, nearest
// pixel, the view's square being view.source on the screen.
QImage MagnifiedView(const QImage &source, QPoint sourceOrigin, const QRect &viewSource, int side,
                     int squareSide);

// Inverts every pixel of the crosshair figure whose top-left is `reference`:
// the centre pixel (reference + 7) and four arms of three pixels, five to
// seven pixels from it. Drawn twice it vanishes. Pixels off the image are skipped.
void DrawPickerCrosshair(QImage &view, QPoint reference);
// Inverts the one-pixel outline of `corners` (both corners inclusive), each
// pixel once.
void DrawInvertedOutline(QImage &view, const QRect &corners);

// A blank view before the first pass: the window colour with the crosshair
// at (20, 20).
QImage BlankView(int side, QRgb background);

// The crawling outline of the drag-area frame on the edges of a w x h image
// (the inside is left as it was): white, with
// black dashes four pixels on and four off along every edge, all shifted by
// `phase` (0-7); the bottom edge's dashes sit (h - 1) mod 4 further left and
// the right edge's (w - 1) mod 4 further up, so they meet the corners the
// same way in every phase.
void DrawAreaFrame(QImage &image, int phase);

} // namespace tintwell
